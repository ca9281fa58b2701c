#include "scene/ScenePlacement.h"
#include "support/SceneWindow.h"

#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// "e2e4" -> (4, 1, 4, 3); "g7h8=Q" -> the promotion code on rank 8.
CMove M(std::string_view text) {
    CMove move{text[0] - 'a', text[1] - '1', text[2] - 'a', text[3] - '1'};
    if (text.size() == 6) {
        const int type = static_cast<int>(std::string_view("PNBRQK").find(text[5]));
        move.destRank = move.destRank == 7 ? 7 + type : -type;
    }
    return move;
}

} // namespace

// A short game with both castlings, an en-passant capture and a capturing promotion, executed
// on the chess set while the render and animation threads run, as the player would.
TEST(SceneAnimationGui, AGameEndsWithTheSceneMatchingTheBoard) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CScene& scene = view.scene;
    CChessSet& chessSet = view.chessSet;
    scene.ApplyAnimationDuration(100);

    const char* game[] = {"e2e4", "d7d5", "e4e5", "f7f5", "e5f6", "b8c6", "g1f3",  "c8d7",
                          "f1e2", "d8d6", "e1h1", "e8a8", "f6g7", "a7a6", "g7h8=Q"};
    std::uint64_t played = 0;
    for (const char* text : game) {
        ASSERT_TRUE(RunEventLoopUntil([&] { return !chessSet.MoveReady(); }, 10000));
        chessSet.Move(M(text));
        ++played;
        ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == played; }, 10000))
            << text;
    }
    ASSERT_TRUE(RunEventLoopUntil([&] { return !scene.DrawingContinuously(); }, 10000));

    // Every square shows what the board holds, at rest in its place.
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField field = chessSet.Board().GetField(file, rank);
            const std::optional<CScenePiece> shown = scene.PieceOn(file, rank);
            ASSERT_EQ(field.IsEmpty(), !shown.has_value()) << file << "," << rank;
            if (shown) {
                EXPECT_EQ(shown->kind, field.Piece().type) << file << "," << rank;
                EXPECT_EQ(shown->color, field.Piece().color) << file << "," << rank;
                const CSquarePosition at = SquarePosition(file, rank);
                EXPECT_FLOAT_EQ(shown->x, at.x);
                EXPECT_FLOAT_EQ(shown->z, at.z);
                EXPECT_FALSE(shown->animating);
            }
        }
    }
    EXPECT_EQ(scene.PieceOn(6, 0)->kind, King);
    EXPECT_EQ(scene.PieceOn(5, 0)->kind, Rook);
    EXPECT_EQ(scene.PieceOn(2, 7)->kind, King);
    EXPECT_EQ(scene.PieceOn(3, 7)->kind, Rook);
    EXPECT_EQ(scene.PieceOn(7, 7)->kind, Queen);
    EXPECT_FALSE(scene.PieceOn(5, 4).has_value()) << "the pawn taken en passant left f5";

    // White took the f5 pawn, the g7 pawn and the h8 rook: they stand in its first three slots.
    const std::vector<CScenePiece> beside = scene.PiecesBesideTheBoard();
    ASSERT_EQ(beside.size(), 3u);
    std::vector<EPieceType> kinds;
    for (const CScenePiece& piece : beside) {
        kinds.push_back(piece.kind);
        EXPECT_EQ(piece.color, Black);
        EXPECT_FLOAT_EQ(piece.y, -7.0f);
        EXPECT_FLOAT_EQ(piece.x, 216.5f);
    }
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, (std::vector<EPieceType>{Pawn, Pawn, Rook}));

    scene.SetGameResult(0);
    view.SavePicture(view.Capture(), "after_short_game.png");
}

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
    // Once it has dropped into its slot beside the board, it stands on the floor.
    ASSERT_TRUE(RunEventLoopUntil([&] { return scene.MovesAnimated() == 4; }, 10000));
    scene.RequestRedraw();
    ASSERT_TRUE(RunEventLoopUntil(
        [&] {
            const std::vector<CScenePiece> beside = scene.PiecesBesideTheBoard();
            return beside.size() == 1 && !beside[0].animating && beside[0].shadow.y == 0.0f;
        },
        10000));
    const CScenePiece slotted = scene.PiecesBesideTheBoard()[0];
    expectUnder(slotted, 0.0f);
    EXPECT_FLOAT_EQ(slotted.shadow.opacity, resting);
}
