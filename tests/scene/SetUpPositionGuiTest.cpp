#include "player/GamePlayer.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// An ending from move 41, Black to move: pieces on squares that are empty at the start of a
// game, kings away from e1 and e8. Black takes the knight, then each side moves once.
constexpr const char* kGame = R"([Event "Ending"]
[White "W"]
[Black "B"]
[SetUp "1"]
[FEN "8/1k6/8/3p4/2P1N3/8/5K2/7r b - - 0 41"]

41... dxe4 42. Kg2 Rh8 *
)";

// The set-up position, as the scene must show it.
CChessboardState ExpectedPosition() {
    CChessboardState board;
    board.GetField(1, 6).PutPiece({Black, King});   // b7
    board.GetField(3, 4).PutPiece({Black, Pawn});   // d5
    board.GetField(2, 3).PutPiece({White, Pawn});   // c4
    board.GetField(4, 3).PutPiece({White, Knight}); // e4
    board.GetField(5, 1).PutPiece({White, King});   // f2
    board.GetField(7, 0).PutPiece({Black, Rook});   // h1
    return board;
}

// The mean difference of the colour channels of two frames over a 7 x 7 patch around the
// point where the centre of a square's top face appears.
int PatchDifference(CScene& scene, const CFrameImage& a, const CFrameImage& b, int file, int rank) {
    const CWindowPoint p = ProjectToWindow(scene.Camera(), a.width, a.height, 25.0 * file + 12.5,
                                           7.0, -(25.0 * rank + 12.5));
    EXPECT_TRUE(p.visible);
    int sum = 0;
    int count = 0;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const int x = static_cast<int>(p.x) + dx;
            const int y = static_cast<int>(p.y) + dy;
            const std::size_t i = (static_cast<std::size_t>(y) * a.width + x) * 4;
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(a.rgba[i + c] - b.rgba[i + c]);
                ++count;
            }
        }
    }
    return sum / count;
}

void ExpectSceneShowsBoard(CScene& scene, const CChessboardState& board) {
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const CField field = board.GetField(file, rank);
            const std::optional<CScenePiece> shown = scene.PieceOn(file, rank);
            ASSERT_EQ(field.IsEmpty(), !shown.has_value()) << file << "," << rank;
            if (shown) {
                EXPECT_EQ(shown->kind, field.Piece().type) << file << "," << rank;
                EXPECT_EQ(shown->color, field.Piece().color) << file << "," << rank;
            }
        }
    }
}

} // namespace

// Choosing the game puts its position on the screen: the scene's pieces stand on the squares
// of the FEN, and in the picture exactly those squares differ from the empty board. The game
// then plays from there, and Stop returns to it.
TEST(SetUpPositionGui, ChoosingTheGameShowsItsPositionAndPlaysFromIt) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CScene& scene = view.scene;
    CChessSet& chessSet = view.chessSet;

    chessSet.SetUp(CChessboardState{});
    scene.RebuildPieces();
    const CFrameImage emptyBoard = view.Capture();

    CGamePlayer player(scene, chessSet);
    player.LoadText(kGame);
    ASSERT_EQ(player.GamesCount(), 1);
    player.SelectGame(0);
    EXPECT_EQ(scene.SideToMove(), Black) << "as the FEN says";
    const CChessboardState expected = ExpectedPosition();
    ExpectSceneShowsBoard(scene, expected);
    EXPECT_TRUE(scene.PiecesBesideTheBoard().empty());

    const CFrameImage position = view.Capture();
    view.SavePicture(position, "set_up_position.png");
    ASSERT_EQ(position.rgba.size(), emptyBoard.rgba.size());
    // A piece covers the centre of its square. An empty square looks as on the empty board
    // unless a piece stands in front of it (from White's side) and may hide part of it.
    auto occupied = [&](int file, int rank) { return !expected.GetField(file, rank).IsEmpty(); };
    auto hiddenBehind = [&](int file, int rank) {
        for (int r = rank - 2; r < rank; ++r) {
            for (int f = file - 1; f <= file + 1; ++f) {
                if (r >= 0 && f >= 0 && f < 8 && occupied(f, r)) {
                    return true;
                }
            }
        }
        return false;
    };
    int emptyChecked = 0;
    int leastOccupied = 255;
    int mostEmpty = 0;
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const int difference = PatchDifference(scene, position, emptyBoard, file, rank);
            if (occupied(file, rank)) {
                EXPECT_GT(difference, 20) << "a piece on " << file << "," << rank;
                leastOccupied = std::min(leastOccupied, difference);
            } else if (!hiddenBehind(file, rank)) {
                EXPECT_LE(difference, 2) << "nothing on " << file << "," << rank;
                ++emptyChecked;
                mostEmpty = std::max(mostEmpty, difference);
            }
        }
    }
    std::printf("occupied squares differ by at least %d, %d empty squares by at most %d\n",
                leastOccupied, emptyChecked, mostEmpty);
    EXPECT_GE(emptyChecked, 30);

    player.SetAnimationDuration(100);
    player.SetPauseDuration(0);
    std::atomic<int> ended{0};
    player.onGameEnd = [&] { ++ended; };
    std::atomic<bool> playing{true};
    player.Play(playing);
    ASSERT_TRUE(RunEventLoopUntil([&] { return ended == 1; }, 60000));
    ASSERT_TRUE(RunEventLoopUntil(
        [&] { return scene.MovesAnimated() == 3 && !scene.DrawingContinuously(); }, 10000));
    EXPECT_EQ(chessSet.Board().GetField(4, 3).Piece(), (CPiece{Black, Pawn})) << "dxe4";
    ExpectSceneShowsBoard(scene, chessSet.Board());
    ASSERT_EQ(scene.PiecesBesideTheBoard().size(), 1u) << "the knight Black took";
    EXPECT_EQ(scene.PiecesBesideTheBoard()[0].kind, Knight);
    EXPECT_EQ(scene.GameResult(), 3);
    view.SavePicture(view.Capture(), "set_up_position_played.png");

    player.Stop();
    EXPECT_EQ(player.MoveIndex(), 0u);
    ExpectSceneShowsBoard(scene, expected);
    EXPECT_TRUE(scene.PiecesBesideTheBoard().empty());
}
