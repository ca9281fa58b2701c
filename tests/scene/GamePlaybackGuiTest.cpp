#include "chess/KingSafety.h"
#include "player/GamePlayer.h"
#include "scene/ScenePlacement.h"
#include "support/SceneWindow.h"

#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Both castlings, an en-passant capture, a capturing promotion and a mate.
constexpr const char* kGame = R"([Event "Playback"]
[White "W"]
[Black "B"]
[Result "1-0"]

1. e4 d5 2. e5 f5 3. exf6 Nc6 4. Nf3 Qd6 5. Be2 Bd7 6. O-O O-O-O 7. fxg7 a6 8. gxh8=Q Nh6
9. d3 Nb4 10. Bg5 e5 11. h3 Bg7 12. Qxd8# 1-0
)";

} // namespace

// The player plays the game at 100 ms / 0 ms while the render and animation threads show it;
// at its end every piece stands at rest on its square, the taken ones beside the board, and
// the result line is drawn.
TEST(GamePlaybackGui, AGamePlaysToItsEndOnScreen) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CScene& scene = view.scene;
    CChessSet& chessSet = view.chessSet;

    CGamePlayer player(scene, chessSet);
    player.LoadText(kGame);
    ASSERT_EQ(player.GamesCount(), 1);
    player.SelectGame(0);
    player.SetAnimationDuration(100);
    player.SetPauseDuration(0);
    std::atomic<int> ended{0};
    player.onGameEnd = [&] { ++ended; };
    std::atomic<bool> playing{true};
    player.Play(playing);
    ASSERT_TRUE(RunEventLoopUntil([&] { return ended == 1; }, 60000));
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return scene.MovesAnimated() == 23 && !scene.DrawingContinuously(); }, 10000));
    EXPECT_FALSE(playing);

    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField field = chessSet.Board().GetField(file, rank);
            const std::optional<CScenePiece> shown = scene.PieceOn(file, rank);
            ASSERT_EQ(field.IsEmpty(), !shown.has_value()) << file << "," << rank;
            if (shown) {
                EXPECT_EQ(shown->kind, field.Piece().type);
                EXPECT_EQ(shown->color, field.Piece().color);
                EXPECT_FLOAT_EQ(shown->x, SquarePosition(file, rank).x);
                EXPECT_FLOAT_EQ(shown->z, SquarePosition(file, rank).z);
                EXPECT_FALSE(shown->animating);
            }
        }
    }
    // White took the f5 pawn en passant, the g7 pawn and both rooks: they stand in its slots.
    EXPECT_EQ(scene.PiecesBesideTheBoard().size(), 4u);
    for (const CScenePiece& piece : scene.PiecesBesideTheBoard()) {
        EXPECT_EQ(piece.color, Black);
        EXPECT_FLOAT_EQ(piece.y, kCapturedPieceY);
        EXPECT_FLOAT_EQ(piece.x, 216.5f);
    }
    EXPECT_TRUE(IsKingAttacked(chessSet.Board(), Black)) << "the game ends in check (mate)";
    EXPECT_EQ(scene.GameResult(), 0);

    const CFrameImage image = view.Capture();
    ASSERT_GT(image.width, 200);
    int white = 0;
    for (int y = 8; y < 30; ++y) {
        for (int x = 8; x < 200; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 4;
            white += image.rgba[i] > 230 && image.rgba[i + 1] > 230 && image.rgba[i + 2] > 230;
        }
    }
    EXPECT_GT(white, 100) << "the result line";
    view.SavePicture(image, "after_mate.png");

    player.Stop();
    EXPECT_EQ(player.MoveIndex(), 0u);
}
