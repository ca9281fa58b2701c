#include "ShellFixture.h"
#include "pgn/FenParser.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "messages/PictureName.h"
#include "support/ChessTestUtil.h"

#include <chrono>
#include <thread>

namespace {

constexpr const char* kCastling = "tests/fixtures/pgn/castling_and_promotion.pgn";

// The board and the number of pieces each side has captured.
std::string Describe(const CChessSet& set) {
    return testutil::Diagram(set.Board()) + " " + std::to_string(set.Captured(White).Count()) +
           " " + std::to_string(set.Captured(Black).Count());
}

// The position after the first `moves` moves of the game, played on a set of its own.
std::string PositionAfter(const CChessGameData& game, int moves) {
    CChessSet set;
    set.SetUp(StartPosition(game.GetStart()).board);
    for (int i = 0; i < moves; ++i) {
        set.Move(game.GetMove(i));
    }
    return Describe(set);
}

} // namespace

class ShellNavigation : public ShellFixture {
protected:
    void Command(int id) {
        ASSERT_TRUE(shell.OnCommand(id, 0)) << id;
        platform.RunPosted();
    }
    CChessGameData Game() const { return player.GetGameData(static_cast<int>(player.GameIndex())); }
    void ExpectShowing(int moves) {
        EXPECT_EQ(player.MoveIndex(), static_cast<unsigned>(moves));
        EXPECT_EQ(Describe(chessSet), PositionAfter(Game(), moves)) << "after " << moves;
    }
};

// Without a game every step does nothing. Forward and back through a game, over both of its
// ends, against positions played apart; the result shows with the last move. A move the scene
// has not taken yet is shown at once by the next step, which hands over its own move: each key
// moves exactly one step, and a step back is shown at once.
TEST_F(ShellNavigation, StepsShowThePositionAfterEachMove) {
    for (int id = ids::kNextMove; id <= ids::kNextGame; ++id) {
        Command(id);
    }
    EXPECT_EQ(platform.title, "Tavrin");
    EXPECT_FALSE(shell.Playing());
    EXPECT_TRUE(platform.boxes.empty());

    shell.LoadPGNFile(kCastling);
    FinishLoads();
    const int count = Game().MovesCount();
    const struct {
        int command;
        int shown;
        bool result;
    } steps[] = {{ids::kPreviousMove, 0, false}, {ids::kNextMove, 1, false},
                 {ids::kNextMove, 2, false},     {ids::kPreviousMove, 1, false},
                 {ids::kNextMove, 2, false},     {ids::kLastPosition, count, true},
                 {ids::kNextMove, count, true},  {ids::kPreviousMove, count - 1, false},
                 {ids::kNextMove, count, true},  {ids::kFirstPosition, 0, false}};
    for (const auto& step : steps) {
        Command(step.command);
        ExpectShowing(step.shown);
        EXPECT_EQ(scene.gameResult.load(), step.result ? Game().GetResult() : ResultNone);
        if (step.shown == 2) {
            EXPECT_TRUE(chessSet.MoveReady());
            EXPECT_EQ(chessSet.LastMove(), Game().GetMove(1));
        }
        if (step.command == ids::kPreviousMove) {
            EXPECT_FALSE(chessSet.MoveReady());
        }
    }
}

TEST_F(ShellNavigation, AStepDuringPlayPausesFirst) {
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    shell.OnCommand(ids::kFirstAnimationDuration, 0);
    shell.OnCommand(ids::kFirstPauseDuration, 0);
    Command(ids::kPlayPause);
    ASSERT_TRUE(shell.Playing());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], ";");
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() >= 2; }));

    Command(ids::kNextMove);
    EXPECT_FALSE(shell.Playing());
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
    const int shown = static_cast<int>(player.MoveIndex());
    ExpectShowing(shown);

    Command(ids::kPlayPause);
    ASSERT_TRUE(shell.Playing());
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() > static_cast<unsigned>(shown); }));
    Command(ids::kPreviousMove);
    EXPECT_FALSE(shell.Playing());
    ExpectShowing(static_cast<int>(player.MoveIndex()));
}

TEST_F(ShellNavigation, NeighbouringGamesAreChosenAsInTheListAndNameTheWindow) {
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    const std::vector<std::string> titles = player.GamesTitles();
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(platform.title, "Tavrin - " + titles[0]);
    Command(ids::kPreviousGame);
    EXPECT_EQ(player.GameIndex(), 0u);

    Command(ids::kNextMove);
    Command(ids::kNextGame);
    EXPECT_EQ(player.GameIndex(), 1u);
    EXPECT_EQ(platform.selection, 1);
    EXPECT_EQ(platform.title, "Tavrin - " + titles[1]);
    ExpectShowing(0);
    Command(ids::kNextGame);
    EXPECT_EQ(player.GameIndex(), 1u);
    Command(ids::kPreviousGame);
    EXPECT_EQ(player.GameIndex(), 0u);
    EXPECT_EQ(platform.title, "Tavrin - " + titles[0]);

    // A failed load leaves the title; a choice in the list changes it.
    platform.dialogAnswers = {"tests/fixtures/pgn/no_such_file.pgn"};
    Command(ids::kLoadPgnFile);
    FinishLoads();
    EXPECT_EQ(platform.title, "Tavrin - " + titles[0]);
    platform.selection = 1;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    platform.RunPosted();
    EXPECT_EQ(platform.title, "Tavrin - " + titles[1]);
}

TEST_F(ShellNavigation, APictureIsRefusedWhileTheViewIsNotDrawn) {
    shell.SetCaptureTimeout(50);
    Command(ids::kSavePicture);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].caption, "Error");
    EXPECT_EQ(platform.boxes[0].text, "The picture could not be taken: the 3D view is not ready.");
    EXPECT_TRUE(platform.proposedNames.empty());
}

TEST(PictureName, NamesThePlayersAndTheMoveOnShow) {
    const CChessGameData game("E", "", "", "", "Morphy, Paul", "Duke/Count", ResultWhiteWon,
                              {CMove{}, CMove{}, CMove{}});
    EXPECT_EQ(DefaultPictureName(game, 0), "Morphy, Paul - Duke_Count, start.png");
    EXPECT_EQ(DefaultPictureName(game, 1), "Morphy, Paul - Duke_Count, move 1.png");
    EXPECT_EQ(DefaultPictureName(game, 2), "Morphy, Paul - Duke_Count, move 1.png");
    EXPECT_EQ(DefaultPictureName(game, 3), "Morphy, Paul - Duke_Count, move 2.png");

    // Black to move at move 30: its first move is 30..., White's answer 31.
    const CChessGameData fragment("", "", "", "", "", "Caf\xE9", ResultDraw, {CMove{}, CMove{}},
                                  "8/8/4k3/8/2K5/8/3R4/8 b - - 12 30");
    EXPECT_EQ(DefaultPictureName(fragment, 1), "N.N. - Caf\xC3\xA9, move 30.png");
    EXPECT_EQ(DefaultPictureName(fragment, 2), "N.N. - Caf\xC3\xA9, move 31.png");
}
