#include "gfx3d/ContactShadow.h"

#include "gfx3d/BoardFrame.h"
#include "gfx3d/PieceModel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr float kPieceHalfWidth = static_cast<float>(kPieceModelWidth * 0.5);
// Where the blur begins and ends, as fractions of the half side: the base's rim (7.5 of 11)
// lies in the middle of the blur.
constexpr float kBlurStart = 0.4f;
constexpr float kBlurEnd = 0.95f; // the border texels stay clear

// The board's top and its frame's are one level.
bool OverTheBoard(float x, float z) {
    return x >= kFrameLeft && x <= kFrameRight && z <= kFrameFront && z >= kFrameBack;
}

} // namespace

SContactShadow ContactShadowOf(const SVec3& position, float alpha) {
    SContactShadow shadow;
    shadow.x = position.x + kPieceHalfWidth;
    shadow.z = position.z - kPieceHalfWidth;
    shadow.y = OverTheBoard(shadow.x, shadow.z) ? kBlockHeight
               : OnAMat(shadow.x, shadow.z)     ? kMatHeight
                                                : 0.0f;
    const float height = std::max(0.0f, position.y + kPieceModelBase - shadow.y);
    const float rise = std::min(height / kContactShadowFadeHeight, 1.0f);
    shadow.halfSize = kContactShadowHalfSize * (1.0f + 0.5f * rise);
    shadow.opacity = kContactShadowOpacity * std::clamp(alpha, 0.0f, 1.0f) * (1.0f - rise);
    return shadow;
}

std::vector<std::uint8_t> ContactShadowImage(int size) {
    const auto n = static_cast<std::size_t>(std::max(size, 0));
    std::vector<std::uint8_t> image(n * n);
    for (std::size_t row = 0; row < n; ++row) {
        for (std::size_t column = 0; column < n; ++column) {
            const float dx =
                (static_cast<float>(column) + 0.5f) / static_cast<float>(n) * 2.0f - 1.0f;
            const float dy = (static_cast<float>(row) + 0.5f) / static_cast<float>(n) * 2.0f - 1.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float t = std::clamp((r - kBlurStart) / (kBlurEnd - kBlurStart), 0.0f, 1.0f);
            const float darkness = 1.0f - t * t * (3.0f - 2.0f * t);
            image[row * n + column] = static_cast<std::uint8_t>(std::lround(darkness * 255.0f));
        }
    }
    return image;
}
