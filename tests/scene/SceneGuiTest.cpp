#include "gfx3d/C3DObjChessboard.h"
#include "gfx3d/C3DObjPiece.h"
#include "gfx3d/C3DObjPlane.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

struct CPixel {
    int r, g, b;
    int Luma() const { return (299 * r + 587 * g + 114 * b) / 1000; }
};

// The viewer's window with the scene of the initial position drawn by a render thread.
class SceneGui : public testing::Test {
protected:
    static void SetUpTestSuite() {
        view = new CSceneWindow;
        scene = &view->scene;
        ASSERT_TRUE(view->Start());
    }
    static void TearDownTestSuite() {
        view->StopRendering();
        // Everything the render thread created is released when it ends.
        for (EPieceType kind : {Pawn, Knight, Bishop, Rook, Queen, King}) {
            EXPECT_FALSE(C3DObjPiece::BuffersCreated(kind)) << kind;
        }
        EXPECT_FALSE(C3DObjPiece::TexturesLoaded());
        EXPECT_EQ(C3DObjChessboard::InstanceCount(), 0);
        EXPECT_EQ(C3DObjPlane::InstanceCount(), 0);
        delete view;
    }

    static CFrameImage Capture() { return view->Capture(); }
    static void Save(const CFrameImage& image, const std::string& name) {
        view->SavePicture(image, name);
    }

    static CPixel At(const CFrameImage& image, double x, double y) {
        const int px = std::clamp(static_cast<int>(x), 0, image.width - 1);
        const int py = std::clamp(static_cast<int>(y), 0, image.height - 1);
        const std::size_t i = (static_cast<std::size_t>(py) * image.width + px) * 4;
        return {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]};
    }

    // The pixel where a world point appears.
    static CPixel AtWorld(const CFrameImage& image, double x, double y, double z) {
        const CWindowPoint p = ProjectToWindow(scene->Camera(), image.width, image.height, x, y, z);
        EXPECT_TRUE(p.visible);
        return At(image, p.x, p.y);
    }

    // Mean luma over a small patch around a world point.
    static int LumaAround(const CFrameImage& image, double x, double y, double z) {
        const CWindowPoint p = ProjectToWindow(scene->Camera(), image.width, image.height, x, y, z);
        int sum = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                sum += At(image, p.x + dx, p.y + dy).Luma();
            }
        }
        return sum / 25;
    }

    static inline CSceneWindow* view = nullptr;
    static inline CScene* scene = nullptr;
};

TEST_F(SceneGui, DefaultViewShowsTheBoardWithWhiteAtTheBottom) {
    const CFrameImage image = Capture();
    ASSERT_EQ(image.width, 1024);
    ASSERT_EQ(image.height, 738);
    Save(image, "default_view.png");

    // a1 is red wood, h1 light wood: sampled near the front corner of each square, beside the
    // rooks that stand on them.
    const CPixel a1 = AtWorld(image, 2.5, 7.0, -2.5);
    const CPixel h1 = AtWorld(image, 197.5, 7.0, -2.5);
    EXPECT_GT(h1.Luma(), a1.Luma() + 20) << "h1 light, a1 dark";
    EXPECT_GT(a1.r, a1.b + 10) << "a1 reddish";

    // White's pawns stand in front (lower in the picture) and are lighter than Black's.
    const CWindowPoint e2 =
        ProjectToWindow(scene->Camera(), image.width, image.height, 112.5, 14.0, -37.5);
    const CWindowPoint e7 =
        ProjectToWindow(scene->Camera(), image.width, image.height, 112.5, 14.0, -162.5);
    EXPECT_GT(e2.y, e7.y);
    EXPECT_GT(e2.y, image.height / 2.0);
    EXPECT_GT(LumaAround(image, 112.5, 14.0, -37.5), LumaAround(image, 112.5, 14.0, -162.5) + 40);
}

TEST_F(SceneGui, GameResultIsWrittenAtTheTopLeft) {
    auto whiteTextPixels = [](const CFrameImage& image) {
        int count = 0;
        for (int y = 8; y < 30; ++y) {
            for (int x = 8; x < 200; ++x) {
                const CPixel p = At(image, x, y);
                count += p.r > 230 && p.g > 230 && p.b > 230;
            }
        }
        return count;
    };
    scene->SetGameResult(2);
    const CFrameImage withText = Capture();
    scene->SetGameResult(3); // none: nothing is written over the view
    const CFrameImage without = Capture();
    Save(withText, "game_over_draw.png");
    EXPECT_GT(whiteTextPixels(withText), 100);
    EXPECT_EQ(whiteTextPixels(without), 0);
}

// Multisampling changes the pixels along edges and leaves the inside of every surface alone.
TEST_F(SceneGui, SmoothEdgesSoftenOnlyTheEdges) {
    const CFrameImage plain = Capture();
    scene->SetSmoothEdges(true);
    const CFrameImage smooth = Capture();
    scene->SetSmoothEdges(false);
    Save(smooth, "default_view_smooth_edges.png");
    ASSERT_EQ(smooth.rgba.size(), plain.rgba.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < plain.rgba.size(); i += 4) {
        changed += std::abs(plain.rgba[i] - smooth.rgba[i]) > 8;
    }
    const std::size_t pixels = plain.rgba.size() / 4;
    EXPECT_GT(changed, pixels / 200) << "edges are softened";
    EXPECT_LT(changed, pixels / 10) << "the rest stays";
    EXPECT_EQ(Capture().rgba, plain.rgba) << "switched off again, the picture is as before";
}

} // namespace
