// The black pieces read in the default view, measured on the scene's own pictures of the initial
// position in regions found from the scene's projection of known squares.

#include "gfx3d/BoardFrame.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kLeast = 0.15; // of full scale

struct SMean {
    double sum = 0.0;
    int pixels = 0;
    void Add(double value) { sum += value, ++pixels; }
    double Value() const { return pixels ? sum / pixels : 0.0; }
};

// One piece drawn alone: where it shows, and its box in the picture.
struct SSilhouette {
    std::vector<bool> mask;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    bool At(int width, int x, int y) const {
        return x >= 0 && y >= 0 && x < width && mask[static_cast<std::size_t>(y * width + x)];
    }
    // Within `r` pixels of the silhouette.
    bool Near(int width, int x, int y, int r) const {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (At(width, x + dx, y + dy)) {
                    return true;
                }
            }
        }
        return false;
    }
};

double Luma(const CFrameImage& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[static_cast<std::size_t>(y * image.width + x) * 4];
    return (0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) / 255.0;
}

// The pixels where the same piece alone differs in ivory and in ebony: the piece, without the
// shadow it throws, which is the same for both.
SSilhouette Silhouette(const CFrameImage& alone, const CFrameImage& empty) {
    SSilhouette s;
    s.mask.resize(alone.rgba.size() / 4);
    for (int y = 0; y < alone.height; ++y) {
        for (int x = 0; x < alone.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * alone.width + x);
            for (std::size_t c = 0; c < 3 && !s.mask[i]; ++c) {
                s.mask[i] = std::abs(alone.rgba[i * 4 + c] - empty.rgba[i * 4 + c]) > 24;
            }
            if (s.mask[i]) {
                s.left = std::min(s.left, x), s.right = std::max(s.right, x);
                s.top = std::min(s.top, y), s.bottom = std::max(s.bottom, y);
            }
        }
    }
    return s;
}

// Whether the pixel lies within the square from (low, -low) to (high, -high) on the board's top
// as the camera shows it: the 64 squares, or the frame's outer edge.
bool Within(const CCamera& camera, const CFrameImage& image, double low, double high, int x,
            int y) {
    const double corners[5][2] = {
        {low, -low}, {high, -low}, {high, -high}, {low, -high}, {low, -low}};
    for (int i = 0; i < 4; ++i) {
        const CWindowPoint a = ProjectToWindow(camera, image.width, image.height, corners[i][0],
                                               kBlockHeight, corners[i][1]);
        const CWindowPoint b = ProjectToWindow(camera, image.width, image.height, corners[i + 1][0],
                                               kBlockHeight, corners[i + 1][1]);
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) > 0) {
            return false;
        }
    }
    return true;
}

class PieceContrastGui : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(view.Start()); }

    CFrameImage Picture(const CChessboardState& board) {
        view.chessSet.SetUp(board);
        view.scene.RebuildPieces();
        return view.Capture();
    }

    CSceneWindow view;
};

} // namespace

// Each black piece's silhouette differs by 15 % of full scale from the squares around it and
// from the backdrop behind it; the pawns on the seventh rank hide the parts of the pieces behind
// them. The tops of the king and the queen differ in shape.
TEST_F(PieceContrastGui, BlackPiecesStandOutFromTheSquaresAndTheBackdrop) {
    CChessboardState initial;
    initial.SetInitialPosition();
    const CFrameImage full = Picture(initial);
    const CFrameImage empty = Picture(CChessboardState{});
    view.SavePicture(full, "contrast_initial_position.png");
    ASSERT_EQ(full.width, 1024);
    ASSERT_EQ(full.height, 738);
    const int width = full.width;
    const CCamera& camera = view.scene.Camera();

    SSilhouette silhouettes[2][8]; // the seventh rank, then the eighth
    for (int rank : {6, 7}) {
        for (int file = 0; file < 8; ++file) {
            const CPiece piece = initial.GetField(file, rank).Piece();
            CChessboardState ebony;
            ebony.GetField(file, rank).PutPiece(piece);
            CChessboardState ivory;
            ivory.GetField(file, rank).PutPiece({White, piece.type});
            silhouettes[rank - 6][file] = Silhouette(Picture(ebony), Picture(ivory));
        }
    }
    for (int rank : {6, 7}) {
        for (int file = 0; file < 8; ++file) {
            const SSilhouette& s = silhouettes[rank - 6][file];
            ASSERT_GT(s.right, s.left) << file << rank;
            SMean piece, squares, backdrop;
            for (int y = std::max(s.top - 6, 0); y <= s.bottom + 6; ++y) {
                for (int x = std::max(s.left - 6, 0); x <= std::min(s.right + 6, width - 1); ++x) {
                    const bool hidden =
                        rank == 7 &&
                        std::any_of(std::begin(silhouettes[0]), std::end(silhouettes[0]),
                                    [&](const SSilhouette& pawn) { return pawn.At(width, x, y); });
                    if (s.At(width, x, y)) {
                        if (!hidden) {
                            piece.Add(Luma(full, x, y));
                        }
                    } else if (!s.Near(width, x, y, 1) && s.Near(width, x, y, 5)) {
                        if (Within(camera, full, 0.0, 200.0, x, y)) {
                            squares.Add(Luma(empty, x, y));
                        } else if (!Within(camera, full, kFrameLeft, kFrameRight, x, y)) {
                            backdrop.Add(Luma(empty, x, y));
                        }
                    }
                }
            }
            std::printf("%c%d: piece %.3f, squares %.3f (%d px), backdrop %.3f (%d px)\n",
                        'a' + file, rank + 1, piece.Value(), squares.Value(), squares.pixels,
                        backdrop.Value(), backdrop.pixels);
            EXPECT_GT(piece.pixels, 100) << file << rank;
            EXPECT_GE(std::abs(piece.Value() - squares.Value()), kLeast) << file << rank;
            if (backdrop.pixels >= 20) {
                EXPECT_GE(std::abs(piece.Value() - backdrop.Value()), kLeast) << file << rank;
            }
            if (rank == 7 && (file == 3 || file == 4)) {
                EXPECT_GE(backdrop.pixels, 20) << "the queen and the king rise into the backdrop";
            }
        }
    }

    // The top fifth of the queen (d8) and of the king (e8), laid over each other at their tops
    // and axes: the crown and the cross differ in at least a third of what either covers.
    const SSilhouette& queen = silhouettes[1][3];
    const SSilhouette& king = silhouettes[1][4];
    const auto axis = [&](int file) {
        return static_cast<int>(
            ProjectToWindow(camera, width, full.height, 25.0 * file + 12.5, 7.0, -187.5).x);
    };
    const int band = (king.bottom - king.top) / 5;
    int either = 0;
    int one = 0;
    for (int dy = 0; dy < band; ++dy) {
        for (int dx = -25; dx <= 25; ++dx) {
            const bool q = queen.At(width, axis(3) + dx, queen.top + dy);
            const bool k = king.At(width, axis(4) + dx, king.top + dy);
            either += q || k;
            one += q != k;
        }
    }
    std::printf("king and queen tops: %d of %d pixels differ\n", one, either);
    EXPECT_GE(3 * one, either);
}
