#include "gfx3d/BoardFrame.h"
#include "player/GamePlayer.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <QImage>
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr const char* kScholarsMate = R"([Event "Marks"]
[Result "1-0"]

1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0
)";

CFrameImage Capture(CScene& scene, const char* name = nullptr) {
    scene.RequestRedraw();
    std::future<CFrameImage> frame = scene.RequestCapture();
    EXPECT_TRUE(
        RunEventLoopUntil([&] { return frame.wait_for(0s) == std::future_status::ready; }, 30000));
    CFrameImage image = frame.get();
    if (name) {
        std::filesystem::create_directories("build/pictures");
        QImage(image.rgba.data(), image.width, image.height, image.width * 4,
               QImage::Format_RGBA8888)
            .save(QString("build/pictures/") + name);
    }
    return image;
}

// The offset of the pixel at (x, y) in the frame's bytes.
std::size_t At(const CFrameImage& image, double x, double y) {
    return (static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x)) * 4;
}

// The largest difference of a colour channel between two frames within `radius` pixels of
// where a world point on the board's top appears.
int Difference(CScene& scene, const CFrameImage& a, const CFrameImage& b, double x, double z,
               int radius = 3) {
    const CWindowPoint p = ProjectToWindow(scene.Camera(), a.width, a.height, x, 7.0, z);
    int most = 0;
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            for (std::size_t c = 0, i = At(a, p.x + dx, p.y + dy); c < 3; ++c) {
                most = std::max(most, std::abs(a.rgba[i + c] - b.rgba[i + c]));
            }
        }
    }
    return most;
}

} // namespace

// The tints follow a step (when its animation starts), jumps back and forth and the start of
// the game, and show on the right squares: after 1. e4 exactly e2 and e4 change colour.
TEST(BoardMarksGui, TheTintsFollowStepsAndJumps) {
    CSceneWindow view;
    ASSERT_TRUE(view.WaitUntilShown());
    ASSERT_TRUE(view.StartRendering());
    CScene& scene = view.scene;
    CGamePlayer player(scene, view.chessSet);
    player.LoadText(kScholarsMate);
    player.SelectGame(0);
    player.SetAnimationDuration(100);
    EXPECT_FALSE(scene.TintedSquares().lastMove);

    player.StepOnce();
    ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == 1; }, 10000));
    EXPECT_EQ(scene.TintedSquares().lastMove, (CMoveSquares{{4, 1}, {4, 3}}));
    EXPECT_EQ(scene.SideToMove(), Black);
    const CFrameImage tinted = Capture(scene, "last_move_e4.png");
    scene.ShowLastMoveTint(false);
    EXPECT_FALSE(scene.TintedSquares().lastMove);
    const CFrameImage plain = Capture(scene);
    scene.ShowLastMoveTint(true);
    EXPECT_GT(Difference(scene, tinted, plain, 112.5, -37.5), 40) << "e2";
    EXPECT_GT(Difference(scene, tinted, plain, 122.0, -78.0), 40) << "e4, beside the pawn";
    for (const auto& [file, rank] : {std::pair{3, 1}, {5, 1}, {4, 2}, {3, 3}, {5, 3}, {4, 4}}) {
        EXPECT_EQ(Difference(scene, tinted, plain, 25 * file + 12.5, -25 * rank - 12.5), 0)
            << "d2, f2, e3, d4, f4, e5: " << file << rank;
    }

    player.ShowPosition(3);
    EXPECT_EQ(scene.TintedSquares().lastMove, (CMoveSquares{{5, 0}, {2, 3}})) << "Bc4";
    player.StepOnce();
    ASSERT_TRUE(RunEventLoopUntil([&] { return !view.chessSet.MoveReady(); }, 10000));
    EXPECT_EQ(scene.TintedSquares().lastMove, (CMoveSquares{{1, 7}, {2, 5}})) << "Nc6, taken";
    player.ShowPosition(0);
    EXPECT_FALSE(scene.TintedSquares().lastMove);
    EXPECT_EQ(scene.SideToMove(), White);

    player.ShowPosition(7);
    EXPECT_EQ(scene.TintedSquares().lastMove, (CMoveSquares{{7, 4}, {5, 6}})) << "Qxf7";
    EXPECT_EQ(scene.TintedSquares().check, (std::vector<CBoardSquare>{{4, 7}}));
    const CFrameImage check = Capture(scene, "check_e8.png");
    scene.ShowCheckTint(false);
    EXPECT_TRUE(scene.TintedSquares().check.empty());
    EXPECT_GT(Difference(scene, check, Capture(scene), 103.0, -177.0, 2), 40) << "e8";
    player.Stop();
    EXPECT_FALSE(scene.TintedSquares().lastMove);
}

// The coordinates change the frame and nothing else, and stand upright for the viewer in the
// default view of either side; flipped, Black's pieces are in front, and Esc keeps the side.
TEST(BoardMarksGui, CoordinatesAndTheFlippedView) {
    CSceneWindow view;
    ASSERT_TRUE(view.WaitUntilShown());
    ASSERT_TRUE(view.StartRendering());
    CScene& scene = view.scene;
    CCamera& camera = scene.Camera();
    const CFrameImage labelled = Capture(scene, "coordinates.png");
    scene.ShowCoordinates(false);
    const CFrameImage bare = Capture(scene, "coordinates_off.png");
    scene.ShowCoordinates(true);
    const auto labels = CoordinateLabels(White);
    int changed = 0;
    for (int y = 0; y < labelled.height; ++y) {
        for (int x = 0; x < labelled.width; ++x) {
            const std::size_t i = At(labelled, x, y);
            if (labelled.rgba[i] == bare.rgba[i] && labelled.rgba[i + 1] == bare.rgba[i + 1]) {
                continue;
            }
            ++changed;
            const bool onALabel = std::any_of(labels.begin(), labels.end(), [&](auto& label) {
                const CWindowPoint p =
                    ProjectToWindow(camera, labelled.width, labelled.height, label.x, 7.0, label.z);
                return std::abs(p.x - x) < 40 && std::abs(p.y - y) < 30;
            });
            ASSERT_TRUE(onALabel) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 16 * 40);

    // Where White's e2 pawn stands in White's view, Black's d7 pawn stands in Black's.
    const CWindowPoint pawn = ProjectToWindow(camera, 1024, 738, 112.5, 20.0, -37.5);
    camera.SetSideInFront(Black);
    EXPECT_FLOAT_EQ(camera.Rotation(), 180.0f);
    const CFrameImage flipped = Capture(scene, "flipped_view.png");
    EXPECT_LT(flipped.rgba[At(flipped, pawn.x, pawn.y)] + 80,
              labelled.rgba[At(labelled, pawn.x, pawn.y)])
        << "a black pawn in front";
    for (EPieceColor side : {Black, White}) {
        camera.SetSideInFront(side);
        for (const SCoordinateLabel& label : CoordinateLabels(side)) {
            // A point of the label's square; the labels read along x, one way or the other.
            auto at = [&](double right, double up) {
                return ProjectToWindow(camera, 1024, 738, label.x + 6 * (right * label.rightX), 7.0,
                                       label.z - 6 * up * label.rightX);
            };
            EXPECT_GT(at(1, 0).x, at(-1, 0).x + 5) << label.glyph << " reads to the right";
            EXPECT_LT(at(0, 1).y, at(0, -1).y - 3) << label.glyph << " stands upright";
        }
    }
    camera.SetSideInFront(Black);
    camera.AddRotation(30.0f);
    camera.ChangeElevation(20.0f);
    EXPECT_NE(Capture(scene).rgba, flipped.rgba) << "the mouse turns the view";
    camera.ResetView();
    EXPECT_EQ(Capture(scene).rgba, flipped.rgba) << "Esc: Black's default view";
    camera.SetSideInFront(White);
    EXPECT_EQ(Capture(scene).rgba, labelled.rgba);
}

// The best move's arrow for Nf3 runs up the g-file, then turns to f3: it shows on the board
// there and not on h3 or e3, never over the g2 pawn standing on its path, and stays on those
// squares when the board is flipped.
TEST(BoardMarksGui, TheBestMoveArrowBendsForAKnightAndLiesUnderThePieces) {
    CSceneWindow view;
    ASSERT_TRUE(view.WaitUntilShown());
    ASSERT_TRUE(view.StartRendering());
    CScene& scene = view.scene;
    for (const EPieceColor side : {White, Black}) {
        scene.Camera().SetSideInFront(side);
        ASSERT_TRUE(RunEventLoopUntil([&] { return !scene.Camera().Moving(); }, 20000));
        scene.SetBestMoveArrow(std::nullopt);
        const CFrameImage plain = Capture(scene);
        scene.SetBestMoveArrow(CBoardArrow{6, 0, 5, 2});
        const CFrameImage arrow = Capture(scene, side == White ? "arrow_nf3.png" : nullptr);
        EXPECT_GT(Difference(scene, arrow, plain, 162.5, -66.0), 30) << "g3, on the way";
        EXPECT_GT(Difference(scene, arrow, plain, 150.0, -62.5), 30) << "the turn to f3";
        EXPECT_GT(Difference(scene, arrow, plain, 137.5, -62.5), 30) << "f3";
        EXPECT_EQ(Difference(scene, arrow, plain, 187.5, -62.5), 0) << "h3";
        EXPECT_EQ(Difference(scene, arrow, plain, 112.5, -62.5), 0) << "e3";
        const CWindowPoint pawnTop =
            ProjectToWindow(scene.Camera(), arrow.width, arrow.height, 162.5, 21.0, -37.5);
        const std::size_t i = At(arrow, pawnTop.x, pawnTop.y);
        EXPECT_TRUE(std::equal(&arrow.rgba[i], &arrow.rgba[i] + 3, &plain.rgba[i]))
            << "the g2 pawn stands over the arrow";
    }
    EXPECT_EQ(scene.BestMoveArrow(), (CBoardArrow{6, 0, 5, 2}));
}
