#pragma once

#include "chess/Piece.h"
#include "gfx3d/BoardGeometry.h"

#include <array>

// The wooden frame round the board, like a tournament board's, and the coordinates on it, in
// world units for a board at the origin. No OpenGL.

// The frame's width on each side; its top is level with the squares' (y = 7). The pieces
// captured beside the board stand clear of it.
inline constexpr float kFrameWidth = 14.0f;
inline constexpr float kFrameLeft = -kFrameWidth;
inline constexpr float kFrameRight = kSquareSize * kBoardSquares + kFrameWidth;
inline constexpr float kFrameFront = kFrameWidth;
inline constexpr float kFrameBack = -(kSquareSize * kBoardSquares + kFrameWidth);

// The mats on the floor beside the frame on which the pieces taken stand: White's captures to
// the right of White's view, Black's to the left, each mat a low box from its front to its back
// (back < front).
inline constexpr float kMatHeight = 1.0f;
inline constexpr float kMatFront = -28.0f;
inline constexpr float kMatBack = -172.0f;
inline constexpr float kMatWidth = 36.0f;
inline constexpr float kMatGap = 1.0f; // between the mat and the frame
inline constexpr float kWhiteMatLeft = kFrameRight + kMatGap;
inline constexpr float kBlackMatLeft = kFrameLeft - kMatGap - kMatWidth;
// Whether the world point (x, z) lies on a mat.
constexpr bool OnAMat(float x, float z) {
    const bool along = z <= kMatFront && z >= kMatBack;
    return along && ((x >= kWhiteMatLeft && x <= kWhiteMatLeft + kMatWidth) ||
                     (x >= kBlackMatLeft && x <= kBlackMatLeft + kMatWidth));
}

// The frame's top and its four outer sides as quads, counter-clockwise seen from outside: the
// front and back strips across the whole width, the left and right ones between them. The
// wood's grain (the texture's t axis) runs along each strip; the strips are cut where the
// squares' edges meet them, so that every texture coordinate lies within 0..1 (the wood tiles,
// so the cuts do not show).
SBoardBatch BuildFrameBatch();

// One coordinate on the frame: the character, the centre of its glyph's square, and the
// direction in which it reads; it stands upright for a viewer who sees `right` run to the right.
struct SCoordinateLabel {
    char glyph;
    float x, z;           // on the frame's top, y = 7
    float rightX, rightZ; // unit vector
};
// The side of a label's square, cell margins included.
inline constexpr float kCoordinateLabelSize = 12.0f;

// Files a-h along the frame's strip nearest to `viewer`, ranks 1-8 along the strip on their
// left, all upright for someone sitting on that side of the board.
std::array<SCoordinateLabel, 2 * kBoardSquares> CoordinateLabels(EPieceColor viewer);
