#include "gfx3d/AnimationCurves.h"

namespace {

float Lerp(float from, float to, float t) {
    return from + t * (to - from);
}

SVec3 Lerp(const SVec3& from, const SVec3& to, float t) {
    return {Lerp(from.x, to.x, t), Lerp(from.y, to.y, t), Lerp(from.z, to.z, t)};
}

} // namespace

SAnimationFrame AnimationFrame(const SVec3& start, const SVec3& target, std::uint32_t type,
                               float t) {
    SAnimationFrame frame;
    frame.position = start;
    const float arc = t * (1.0f - t);
    switch (type) {
    case kAnimationLine:
        frame.position = Lerp(start, target, t);
        frame.setsPosition = true;
        break;
    case kAnimationFadeAndDrop:
        if (t < kFadePhaseEnd) {
            frame.alpha = 1.0f - 3.0f * t;
        } else {
            frame.position = {target.x, target.y + 150.0f * (1.0f - t), target.z};
            frame.setsPosition = true;
        }
        break;
    case kAnimationJump:
        frame.position = Lerp(start, target, t);
        frame.position.y += 120.0f * arc;
        frame.setsPosition = true;
        break;
    case kAnimationArcPlusZ:
        frame.position = Lerp(start, target, t);
        frame.position.z += 140.0f * arc;
        frame.setsPosition = true;
        break;
    case kAnimationArcMinusZ:
        frame.position = Lerp(start, target, t);
        frame.position.z -= 140.0f * arc;
        frame.setsPosition = true;
        break;
    default:
        break;
    }
    return frame;
}

float AnimationProgress(std::uint32_t elapsed, std::uint32_t duration) {
    if (duration == 0) {
        return 1.0f;
    }
    return static_cast<float>(elapsed) / static_cast<float>(duration);
}
