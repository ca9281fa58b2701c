#include "scene/ViewFraming.h"

#include "gfx3d/BoardFrame.h"
#include "scene/ViewPose.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// The tallest piece's top above its foot, with a little room, for the pieces on the board (the
// king) and those taken (the queen).
constexpr double kKingHeight = 42.0;
constexpr double kQueenHeight = 36.0;
constexpr double kTop = kBlockHeight;
constexpr double kBoardSize = kSquareSize * kBoardSquares;

constexpr std::array<SWorldPoint, 28> kContent = {{
    // The frame, from the floor to its top.
    {kFrameLeft, 0.0, kFrameFront},
    {kFrameRight, 0.0, kFrameFront},
    {kFrameRight, 0.0, kFrameBack},
    {kFrameLeft, 0.0, kFrameBack},
    {kFrameLeft, kTop, kFrameFront},
    {kFrameRight, kTop, kFrameFront},
    {kFrameRight, kTop, kFrameBack},
    {kFrameLeft, kTop, kFrameBack},
    // The kings' crosses over the board's corners.
    {0.0, kTop + kKingHeight, 0.0},
    {kBoardSize, kTop + kKingHeight, 0.0},
    {kBoardSize, kTop + kKingHeight, -kBoardSize},
    {0.0, kTop + kKingHeight, -kBoardSize},
    // The mats, and a queen's crown over each corner.
    {kWhiteMatLeft, 0.0, kMatFront},
    {kWhiteMatLeft + kMatWidth, 0.0, kMatFront},
    {kWhiteMatLeft + kMatWidth, 0.0, kMatBack},
    {kWhiteMatLeft, 0.0, kMatBack},
    {kBlackMatLeft, 0.0, kMatFront},
    {kBlackMatLeft + kMatWidth, 0.0, kMatFront},
    {kBlackMatLeft + kMatWidth, 0.0, kMatBack},
    {kBlackMatLeft, 0.0, kMatBack},
    {kWhiteMatLeft, kMatHeight + kQueenHeight, kMatFront},
    {kWhiteMatLeft + kMatWidth, kMatHeight + kQueenHeight, kMatFront},
    {kWhiteMatLeft + kMatWidth, kMatHeight + kQueenHeight, kMatBack},
    {kWhiteMatLeft, kMatHeight + kQueenHeight, kMatBack},
    {kBlackMatLeft, kMatHeight + kQueenHeight, kMatFront},
    {kBlackMatLeft + kMatWidth, kMatHeight + kQueenHeight, kMatFront},
    {kBlackMatLeft + kMatWidth, kMatHeight + kQueenHeight, kMatBack},
    {kBlackMatLeft, kMatHeight + kQueenHeight, kMatBack},
}};

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// The point turned as the view turns the world about the board's centre: x across the view, y
// up it, z towards the viewer.
SWorldPoint Turned(const SWorldPoint& p, double elevation, double rotation) {
    const double x = p.x - kBoardCentreX;
    const double y = p.y;
    const double z = p.z - kBoardCentreZ;
    const double cr = std::cos(rotation * kRadiansPerDegree);
    const double sr = std::sin(rotation * kRadiansPerDegree);
    const double x1 = cr * x + sr * z;
    const double z1 = -sr * x + cr * z;
    const double ce = std::cos(elevation * kRadiansPerDegree);
    const double se = std::sin(elevation * kRadiansPerDegree);
    return {x1, ce * y - se * z1, se * y + ce * z1};
}

// Along one axis of the view: the least distance at which every point's offset `across` lies
// within `slope` times its depth of a centre line placed to suit. Taken pair by pair: the
// spread of two offsets must fit within the view's width at their two depths.
template <typename Across>
double LeastDistance(std::span<const SWorldPoint> turned, Across across, double slope) {
    double distance = 0.0;
    for (const SWorldPoint& a : turned) {
        for (const SWorldPoint& b : turned) {
            // a's offset - b's offset <= slope * (2 d - a.z - b.z)
            distance = std::max(distance, ((across(a) - across(b)) / slope + a.z + b.z) / 2.0);
        }
    }
    return distance;
}

// Where that centre line lies, midway between the offsets the points allow.
template <typename Across>
double CentredShift(std::span<const SWorldPoint> turned, Across across, double slope,
                    double distance) {
    double low = -1e300;
    double high = 1e300;
    for (const SWorldPoint& p : turned) {
        low = std::max(low, across(p) - slope * (distance - p.z));
        high = std::min(high, across(p) + slope * (distance - p.z));
    }
    return (low + high) / 2.0;
}

} // namespace

SFraming FramePoints(std::span<const SWorldPoint> points, double elevation, double rotation,
                     double fieldOfView, double aspect, double fill) {
    std::array<SWorldPoint, 64> turned{};
    const std::size_t count = std::min(points.size(), turned.size());
    for (std::size_t i = 0; i < count; ++i) {
        turned[i] = Turned(points[i], elevation, rotation);
    }
    const std::span<const SWorldPoint> view(turned.data(), count);
    const double vertical = fill * std::tan(fieldOfView * kRadiansPerDegree / 2.0);
    const double horizontal = vertical * aspect;
    const auto x = [](const SWorldPoint& p) { return p.x; };
    const auto y = [](const SWorldPoint& p) { return p.y; };
    SFraming framing;
    framing.distance =
        std::max(LeastDistance(view, x, horizontal), LeastDistance(view, y, vertical));
    framing.shiftX = CentredShift(view, x, horizontal, framing.distance);
    framing.shiftY = CentredShift(view, y, vertical, framing.distance);
    return framing;
}

std::span<const SWorldPoint> FramedContent(bool boardOnly) {
    return {kContent.data(), boardOnly ? 12U : kContent.size()};
}
