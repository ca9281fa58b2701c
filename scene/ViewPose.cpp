#include "scene/ViewPose.h"

#include "scene/ViewFraming.h"

#include <cmath>

namespace {

// How much of the view's half-width and half-height the framed content may take: a small
// margin round it.
constexpr double kFill = 0.96;

} // namespace

float ViewpointElevation(EViewpoint viewpoint) {
    switch (viewpoint) {
    case EViewpoint::High:
        return 78.0f;
    case EViewpoint::Player:
        return 26.0f;
    case EViewpoint::Default:
        break;
    }
    return 56.0f;
}

SViewPose PoseOf(const SCameraSettings& settings, double aspect) {
    const EViewpoint viewpoint = settings.viewpoint;
    const SFraming framing =
        FramePoints(FramedContent(viewpoint == EViewpoint::Player), ViewpointElevation(viewpoint),
                    0.0, kBaseFieldOfView, aspect, kFill);
    SViewPose pose;
    pose.elevation = settings.elevation;
    pose.rotation = settings.rotation;
    pose.distance = framing.distance;
    pose.shiftX = framing.shiftX - settings.panX;
    pose.shiftY = framing.shiftY + settings.panY;
    pose.fieldOfView = kBaseFieldOfView / static_cast<double>(settings.zoom);
    return pose;
}

SViewPose Blend(const SViewPose& from, const SViewPose& to, double t) {
    const double e = t <= 0.0 ? 0.0 : t >= 1.0 ? 1.0 : t * t * (3.0 - 2.0 * t);
    const auto mix = [e](double a, double b) { return a + (b - a) * e; };
    double turn = std::fmod(to.rotation - from.rotation, 360.0);
    if (turn > 180.0) {
        turn -= 360.0;
    } else if (turn <= -180.0) {
        turn += 360.0;
    }
    SViewPose pose;
    pose.elevation = mix(from.elevation, to.elevation);
    pose.rotation = e >= 1.0 ? to.rotation : from.rotation + turn * e;
    pose.distance = mix(from.distance, to.distance);
    pose.shiftX = mix(from.shiftX, to.shiftX);
    pose.shiftY = mix(from.shiftY, to.shiftY);
    pose.fieldOfView = mix(from.fieldOfView, to.fieldOfView);
    return pose;
}
