#include "gfx3d/BoardFrame.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kBoardSize = kSquareSize * kBoardSquares;

// Appends one quad with the given corners, counter-clockwise from outside, whose first edge
// runs along the grain: the texture's t goes from tFrom to tTo along it, s from 0 to sSpan
// across.
void AddQuad(SBoardBatch& batch, const SVec3 (&corners)[4], const SVec3& normal, float tFrom,
             float tTo, float sSpan) {
    const float texCoords[8] = {0.0f, tFrom, 0.0f, tTo, sSpan, tTo, sSpan, tFrom};
    for (int i = 0; i < 4; ++i) {
        batch.positions.insert(batch.positions.end(), {corners[i].x, corners[i].y, corners[i].z});
        batch.normals.insert(batch.normals.end(), {normal.x, normal.y, normal.z});
        batch.texCoords.insert(batch.texCoords.end(), {texCoords[i * 2], texCoords[i * 2 + 1]});
    }
}

// Calls piece(a, b, ta, tb) for the pieces [a, b] of [from, to] cut at every multiple of a
// square, with the texture coordinates ta, tb of their ends.
template <typename Piece>
void ForEachPiece(float from, float to, Piece piece) {
    for (float a = from; a < to;) {
        const float cut = (std::floor(a / kSquareSize) + 1.0f) * kSquareSize;
        const float b = std::min(cut, to);
        const float base = cut - kSquareSize;
        piece(a, b, (a - base) / kSquareSize, (b - base) / kSquareSize);
        a = b;
    }
}

constexpr float kTop = kBlockHeight;
constexpr float kFrameSpan = kFrameWidth / kSquareSize;
constexpr float kSideSpan = kBlockHeight / kSquareSize;

} // namespace

SBoardBatch BuildFrameBatch() {
    SBoardBatch batch;
    // The top: the front and back strips along x, the left and right ones along z.
    ForEachPiece(kFrameLeft, kFrameRight, [&](float a, float b, float ta, float tb) {
        AddQuad(batch, {{a, kTop, kFrameFront}, {b, kTop, kFrameFront}, {b, kTop, 0}, {a, kTop, 0}},
                {0, 1, 0}, ta, tb, kFrameSpan);
        AddQuad(batch,
                {{a, kTop, -kBoardSize},
                 {b, kTop, -kBoardSize},
                 {b, kTop, kFrameBack},
                 {a, kTop, kFrameBack}},
                {0, 1, 0}, ta, tb, kFrameSpan);
    });
    ForEachPiece(-kBoardSize, 0.0f, [&](float a, float b, float ta, float tb) {
        AddQuad(batch, {{0, kTop, b}, {0, kTop, a}, {kFrameLeft, kTop, a}, {kFrameLeft, kTop, b}},
                {0, 1, 0}, tb, ta, kFrameSpan);
        AddQuad(batch,
                {{kFrameRight, kTop, b},
                 {kFrameRight, kTop, a},
                 {kBoardSize, kTop, a},
                 {kBoardSize, kTop, b}},
                {0, 1, 0}, tb, ta, kFrameSpan);
    });
    // The outer sides, down to the floor.
    ForEachPiece(kFrameLeft, kFrameRight, [&](float a, float b, float ta, float tb) {
        AddQuad(batch,
                {{a, 0, kFrameFront},
                 {b, 0, kFrameFront},
                 {b, kTop, kFrameFront},
                 {a, kTop, kFrameFront}},
                {0, 0, 1}, ta, tb, kSideSpan);
        AddQuad(
            batch,
            {{b, 0, kFrameBack}, {a, 0, kFrameBack}, {a, kTop, kFrameBack}, {b, kTop, kFrameBack}},
            {0, 0, -1}, tb, ta, kSideSpan);
    });
    ForEachPiece(kFrameBack, kFrameFront, [&](float a, float b, float ta, float tb) {
        AddQuad(
            batch,
            {{kFrameLeft, 0, a}, {kFrameLeft, 0, b}, {kFrameLeft, kTop, b}, {kFrameLeft, kTop, a}},
            {-1, 0, 0}, ta, tb, kSideSpan);
        AddQuad(batch,
                {{kFrameRight, 0, b},
                 {kFrameRight, 0, a},
                 {kFrameRight, kTop, a},
                 {kFrameRight, kTop, b}},
                {1, 0, 0}, tb, ta, kSideSpan);
    });
    return batch;
}

std::array<SCoordinateLabel, 2 * kBoardSquares> CoordinateLabels(EPieceColor viewer) {
    const bool white = viewer == White;
    const float right = white ? 1.0f : -1.0f;
    const float centre = kFrameWidth * 0.5f;
    std::array<SCoordinateLabel, 2 * kBoardSquares> labels{};
    for (std::size_t i = 0; i < kBoardSquares; ++i) {
        const char offset = static_cast<char>(i);
        const float along = kSquareSize * (static_cast<float>(i) + 0.5f);
        labels[2 * i] = {static_cast<char>('a' + offset), along,
                         white ? centre : kFrameBack + centre, right, 0.0f};
        labels[2 * i + 1] = {static_cast<char>('1' + offset), white ? -centre : kBoardSize + centre,
                             -along, right, 0.0f};
    }
    return labels;
}
