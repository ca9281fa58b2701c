#include "scene/ScenePlacement.h"

CSquarePosition SquarePosition(int file, int rank) {
    constexpr float kInset = 4.9999995f;
    return {25.0f * static_cast<float>(file) + kInset,
            -(25.0f * static_cast<float>(rank) + kInset)};
}

CSquarePosition CapturedSlot(int n, EPieceColor capturer) {
    // 1.2499995 + 30.000002, summed in double precision.
    const float offset = static_cast<float>(1.2499995 + 30.000002);
    const int k = (n - 1) % 8;
    if (capturer == White) {
        return {n > 8 ? 234.0f : 216.5f, -17.5f * static_cast<float>(k) - offset};
    }
    return {n > 8 ? -49.0f : -31.5f, 17.5f * static_cast<float>(k - 7) - offset};
}
