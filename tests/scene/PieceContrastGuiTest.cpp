// The black pieces read in the default view, measured on the scene's own pictures of the initial
// position in regions found from the scene's projection of the board.

#include "gfx3d/BoardFrame.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Where a piece shows: the pixels at which it alone differs in ebony and in ivory (the shadow
// it throws is the same for both), and their box.
struct SSilhouette {
    std::vector<bool> mask;
    int width = 0, left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    SSilhouette() = default;
    SSilhouette(const CFrameImage& ebony, const CFrameImage& ivory) : width(ebony.width) {
        for (std::size_t i = 0; i < ebony.rgba.size() / 4; ++i) {
            mask.push_back(std::abs(ebony.rgba[i * 4] - ivory.rgba[i * 4]) > 24 ||
                           std::abs(ebony.rgba[i * 4 + 1] - ivory.rgba[i * 4 + 1]) > 24);
            const int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
            if (mask.back()) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && mask[static_cast<std::size_t>(y * width + x)];
    }
    bool Near(int x, int y, int r) const {
        for (int d = 0; d < (2 * r + 1) * (2 * r + 1); ++d) {
            if (At(x + d % (2 * r + 1) - r, y + d / (2 * r + 1) - r)) {
                return true;
            }
        }
        return false;
    }
};

// Whether the pixel lies on the board's top within `margin` of its squares (0: the squares,
// kFrameWidth: the frame too) as the view shows it.
bool OnTheBoard(const CCamera& camera, double margin, int x, int y) {
    const double c[5][2] = {{-margin, margin},
                            {200 + margin, margin},
                            {200 + margin, -200 - margin},
                            {-margin, -200 - margin},
                            {-margin, margin}};
    for (int i = 0; i < 4; ++i) {
        const auto a = ProjectToWindow(camera, 1024, 738, c[i][0], 7.0, c[i][1]);
        const auto b = ProjectToWindow(camera, 1024, 738, c[i + 1][0], 7.0, c[i + 1][1]);
        if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) > 0) {
            return false;
        }
    }
    return true;
}

} // namespace

// Each black piece's silhouette (less what the pawns in front hide) differs by 15 % of full
// scale from the squares round it and from the backdrop behind it, as the empty board shows
// them. The tops of the king and the queen differ in shape.
TEST(PieceContrastGui, BlackPiecesStandOutFromTheSquaresAndTheBackdrop) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    const auto picture = [&](const CChessboardState& board) {
        view.chessSet.SetUp(board);
        view.scene.RebuildPieces();
        return view.Capture();
    };
    CChessboardState initial;
    initial.SetInitialPosition();
    const CFrameImage full = picture(initial);
    const CFrameImage empty = picture(CChessboardState{});
    view.SavePicture(full, "contrast_initial_position.png");
    ASSERT_EQ(full.width * 1000 + full.height, 1024738);
    const CCamera& camera = view.scene.Camera();
    SSilhouette shapes[2][8]; // the seventh rank, then the eighth
    for (int i = 0; i < 16; ++i) {
        const CPiece piece = initial.GetField(i % 8, 6 + i / 8).Piece();
        CChessboardState ebony, ivory;
        ebony.GetField(i % 8, 6 + i / 8).PutPiece(piece);
        ivory.GetField(i % 8, 6 + i / 8).PutPiece({White, piece.type});
        shapes[i / 8][i % 8] = SSilhouette(picture(ebony), picture(ivory));
    }
    for (int i = 0; i < 16; ++i) {
        const SSilhouette& s = shapes[i / 8][i % 8];
        double sum[3] = {}, pixels[3] = {}; // the piece, the squares, the backdrop
        for (int y = std::max(s.top - 6, 0); y <= s.bottom + 6; ++y) {
            for (int x = std::max(s.left - 6, 0); x <= s.right + 6; ++x) {
                const bool hidden = i >= 8 && std::any_of(shapes[0], shapes[0] + 8,
                                                          [&](auto& p) { return p.At(x, y); });
                const int region = s.At(x, y)                              ? (hidden ? -1 : 0)
                                   : s.Near(x, y, 1) || !s.Near(x, y, 5)   ? -1
                                   : OnTheBoard(camera, 0.0, x, y)         ? 1
                                   : OnTheBoard(camera, kFrameWidth, x, y) ? -1
                                                                           : 2;
                const std::uint8_t* p = &(region == 0 ? full : empty).rgba[(y * 1024 + x) * 4];
                if (region >= 0) {
                    sum[region] += (0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) / 255.0;
                    ++pixels[region];
                }
            }
        }
        const double piece = sum[0] / pixels[0], squares = sum[1] / pixels[1];
        const double backdrop = pixels[2] > 0 ? sum[2] / pixels[2] : 0.0;
        const std::string at = std::string(1, 'a' + i % 8) + std::to_string(7 + i / 8);
        EXPECT_GT(pixels[0], 100) << at;
        EXPECT_GE(std::abs(piece - squares), 0.15) << at << ": " << piece << " on " << squares;
        EXPECT_TRUE(pixels[2] < 20 || std::abs(piece - backdrop) >= 0.15) << at << ": " << piece;
        EXPECT_TRUE((i != 11 && i != 12) || pixels[2] >= 20) << "the queen, the king";
    }
    // The top fifth of the queen and of the king, laid over each other at their tops and axes:
    // the crown and the cross differ in at least a third of what either covers.
    const SSilhouette& queen = shapes[1][3];
    const SSilhouette& king = shapes[1][4];
    const auto axis = [&](int file) {
        return static_cast<int>(ProjectToWindow(camera, 1024, 738, 25 * file + 12.5, 7, -187.5).x);
    };
    int either = 0, one = 0;
    for (int d = 0; d < 51 * ((king.bottom - king.top) / 5); ++d) {
        const bool q = queen.At(axis(3) + d % 51 - 25, queen.top + d / 51);
        const bool k = king.At(axis(4) + d % 51 - 25, king.top + d / 51);
        either += q || k, one += q != k;
    }
    EXPECT_GE(3 * one, either) << one << " of " << either;
}
