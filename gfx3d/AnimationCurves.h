#pragma once

#include "chess/Piece.h"

#include <cstdint>

// Codes of the move animations of a piece. Every code from kAnimationHold up keeps the piece
// where it is until the animation ends.
inline constexpr std::uint32_t kAnimationLine = 0;
// Fades out in place during the first third, then drops onto the target from 150 units above.
inline constexpr std::uint32_t kAnimationFadeAndDrop = 1;
// A straight line in x and z with a jump of 30 units at half time.
inline constexpr std::uint32_t kAnimationJump = 2;
// A straight line in x and y bending 35 units towards +z, or towards -z, at half time.
inline constexpr std::uint32_t kAnimationArcPlusZ = 3;
inline constexpr std::uint32_t kAnimationArcMinusZ = 4;
inline constexpr std::uint32_t kAnimationHold = 5;

// Up to the end of its first third, a fade-and-drop animation keeps the piece in place.
inline constexpr float kFadePhaseEnd = 0.33f;

struct SVec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// One moment of an animation. `setsPosition` is false while the piece keeps its place: during
// the fade of type 1 (so it is true from the drop on) and for the holding types; `position`
// is then the start. `alpha` is the opacity, below 1 only during the fade.
struct SAnimationFrame {
    SVec3 position;
    float alpha = 1.0f;
    bool setsPosition = false;
};

// The animation `type` from `start` to `target` at normalised time t (elapsed / duration). t may
// exceed 1; the curves are then extrapolated, and ending the animation is the caller's task.
SAnimationFrame AnimationFrame(const SVec3& start, const SVec3& target, std::uint32_t type,
                               float t);

// elapsed / duration; a zero duration counts as already over (t = 1).
float AnimationProgress(std::uint32_t elapsed, std::uint32_t duration);

// The animation a piece kind moves with: the knight jumps, all others slide.
constexpr std::uint32_t PieceMoveAnimation(EPieceType kind) {
    return kind == Knight ? kAnimationJump : kAnimationLine;
}
