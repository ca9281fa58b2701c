#include "gfx3d/BoardFrame.h"
#include "scene/ScenePlacement.h"
#include "support/SceneWindow.h"

#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// "e2e4" -> (4, 1, 4, 3).
CMove M(std::string_view text) {
    return {text[0] - 'a', text[1] - '1', text[2] - 'a', text[3] - '1'};
}

} // namespace

// The shadow the last frame drew under a piece lies on the surface under the piece's centre;
// it grows fainter while the piece is in the air and fades with a piece being taken.
TEST(SceneAnimationGui, TheShadowFollowsAMovingPieceAndFadesWithATakenOne) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CScene& scene = view.scene;
    auto expectUnder = [](const CScenePiece& piece, float surface) {
        EXPECT_FLOAT_EQ(piece.shadow.x, piece.x + 7.5f);
        EXPECT_FLOAT_EQ(piece.shadow.z, piece.z - 7.5f);
        EXPECT_FLOAT_EQ(piece.shadow.y, surface);
    };
    std::optional<CScenePiece> knight;
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return (knight = scene.PieceOn(6, 0)) && knight->shadow.opacity > 0.0f; }, 10000));
    expectUnder(*knight, 7.0f);
    const float resting = knight->shadow.opacity;

    // g1-f3 jumps: somewhere in the air the shadow is under the knight, fainter.
    scene.ApplyAnimationDuration(2000);
    view.chessSet.Move(M("g1f3"));
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return (knight = scene.PieceOn(5, 2)) && knight->animating && knight->y > 15.0f; },
        10000));
    expectUnder(*knight, 7.0f);
    EXPECT_LT(knight->x, SquarePosition(6, 0).x);
    EXPECT_GT(knight->x, SquarePosition(5, 2).x);
    EXPECT_LT(knight->shadow.opacity, resting);
    ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == 1; }, 10000));

    // d7-d5, e2-e4 and exd5: the d5 pawn fades out with its shadow.
    scene.ApplyAnimationDuration(100);
    for (const char* text : {"d7d5", "e2e4"}) {
        const std::uint64_t before = scene.MovesAnimated();
        ASSERT_TRUE(RunEventLoopUntil([&] { return !view.chessSet.MoveReady(); }, 10000));
        view.chessSet.Move(M(text));
        ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == before + 1; }, 10000));
    }
    scene.ApplyAnimationDuration(3000);
    view.chessSet.Move(M("e4d5"));
    std::optional<CScenePiece> taken;
    ASSERT_TRUE(RunEventLoopUntil(
        [&] {
            for (const CScenePiece& piece : scene.PiecesBesideTheBoard()) {
                if (piece.animating && piece.alpha < 0.8f && piece.alpha > 0.1f &&
                    piece.shadow.opacity > 0.0f) {
                    taken = piece;
                }
            }
            return taken.has_value();
        },
        10000));
    expectUnder(*taken, 7.0f);
    EXPECT_FLOAT_EQ(taken->x, SquarePosition(3, 4).x);
    EXPECT_NEAR(taken->shadow.opacity, resting * taken->alpha, 1e-5f);
    // Once it has dropped into its slot beside the board, it stands on its mat.
    ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == 4; }, 10000));
    scene.RequestRedraw();
    ASSERT_TRUE(RunEventLoopUntil(
        [&] {
            const std::vector<CScenePiece> beside = scene.PiecesBesideTheBoard();
            return beside.size() == 1 && !beside[0].animating && beside[0].shadow.y == kMatHeight;
        },
        10000));
    const CScenePiece slotted = scene.PiecesBesideTheBoard()[0];
    expectUnder(slotted, kMatHeight);
    EXPECT_FLOAT_EQ(slotted.shadow.opacity, resting);
}
