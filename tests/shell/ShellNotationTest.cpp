#include "ShellFixture.h"
#include "pgn/FenParser.h"
#include "resources/CommandIds.h"
#include "support/ChessTestUtil.h"

namespace {

constexpr const char* kCastling = "tests/fixtures/pgn/castling_and_promotion.pgn";

// The link of the current move in the panel's text, or -1.
int CurrentLink(const CNotationText& text) {
    for (const CNotationBlock& block : text.blocks) {
        for (const auto& cell : block.cells) {
            for (const CNotationRun& run : cell) {
                if (run.style == ENotationStyle::kCurrentMove) {
                    return run.link;
                }
            }
        }
    }
    return -1;
}

// The board after the first `moves` moves of a game, played on a set of its own.
std::string BoardAfter(const CChessGameData& game, unsigned moves) {
    CChessSet set;
    set.SetUp(StartPosition(game.GetStart()).board);
    for (unsigned i = 0; i < moves; ++i) {
        set.Move(game.GetMove(static_cast<int>(i)));
    }
    return testutil::Diagram(set.Board());
}

} // namespace

class ShellNotation : public ShellFixture {
protected:
    void SetUp() override {
        shell.LoadPGNFile(kCastling);
        FinishLoads();
        game = player.GetGameData(0);
    }
    // A click on the move that leads to the position after `moves` moves: that position is on
    // show at once, highlighted, with playback off.
    void ExpectClickShows(unsigned moves) {
        shell.OnNotationLink(static_cast<int>(moves));
        EXPECT_FALSE(shell.Playing());
        EXPECT_FALSE(player.PlayerRunning());
        EXPECT_EQ(player.MoveIndex(), moves);
        EXPECT_EQ(testutil::Diagram(chessSet.Board()), BoardAfter(game, moves));
        EXPECT_EQ(CurrentLink(platform.notation), static_cast<int>(moves));
    }
    CChessGameData game = CChessGameData({}, {}, {}, {}, {}, {}, 3, {});
};

// The text: header, "Start", rows of White's and Black's moves, the result; a game that starts
// with Black begins "N..."; figurines stand for the piece letters.
TEST(NotationDocument, RowsNumbersResultAndFigurines) {
    CNotationGame game;
    game.white = "W";
    game.black = "B";
    game.result = ResultBlackWon;
    game.blackStarts = true;
    game.firstMoveNumber = 41;
    game.san = {"Kxe4", "Nf3", "exf1=Q+"};
    const CNotationText text = BuildNotation(game, 1, true);
    ASSERT_GE(text.blocks.size(), 5u);
    EXPECT_EQ(text.blocks[0].cells[0][0].text, "W \u2013 B");
    const std::vector<CNotationBlock> rows(text.blocks.end() - 3, text.blocks.end() - 1);
    const CNotationRun first = rows[0].cells[2][0];
    EXPECT_EQ(rows[0].cells[0][0].text, "41...");
    EXPECT_TRUE(rows[0].cells[1].empty());
    EXPECT_EQ(first, (CNotationRun{"\u2654xe4", ENotationStyle::kCurrentMove, 1}));
    EXPECT_EQ(rows[1].cells[0][0].text, "42.");
    EXPECT_EQ(rows[1].cells[1][0].text, "\u2658f3");
    EXPECT_EQ(rows[1].cells[2][0].text, "exf1=\u2655+");
    EXPECT_EQ(text.blocks.back().cells[0][0], (CNotationRun{"0-1", ENotationStyle::kResult}));
    EXPECT_EQ(BuildNotation(game, 0, false).blocks[text.blocks.size() - 4].cells[0][0],
              (CNotationRun{"Start", ENotationStyle::kCurrentMove, 0}));
}

// The highlight follows steps, jumps and playback.
TEST_F(ShellNotation, TheCurrentMoveFollowsStepsJumpsAndPlayback) {
    EXPECT_EQ(CurrentLink(platform.notation), 0);
    const std::pair<int, int> steps[] = {{ids::kNextMove, 1},
                                         {ids::kNextMove, 2},
                                         {ids::kPreviousMove, 1},
                                         {ids::kLastPosition, game.MovesCount()},
                                         {ids::kFirstPosition, 0}};
    for (const auto& [command, current] : steps) {
        shell.OnCommand(command, 0);
        EXPECT_EQ(CurrentLink(platform.notation), current) << command;
    }
    shell.OnCommand(ids::kFirstAnimationDuration, 0);
    shell.OnCommand(ids::kFirstPauseDuration, 0);
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() >= 3; }));
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return !player.PlayerRunning(); }));
    platform.RunPosted();
    EXPECT_EQ(CurrentLink(platform.notation), static_cast<int>(player.MoveIndex()));
}

// A click shows its position at once from every state: paused, at both ends, playing, and with
// a move handed to the scene but not yet taken.
TEST_F(ShellNotation, AClickShowsItsPositionFromEveryState) {
    ExpectClickShows(5);
    ExpectClickShows(0);
    ExpectClickShows(static_cast<unsigned>(game.MovesCount()));
    shell.OnCommand(ids::kFirstPauseDuration, 0);
    shell.OnCommand(ids::kStopButton, 0);
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() >= 2; }));
    ExpectClickShows(7);
    player.StepOnce(); // handed to the scene, which has not taken it
    ASSERT_TRUE(chessSet.MoveReady());
    ExpectClickShows(3);
    EXPECT_FALSE(chessSet.MoveReady()) << "the pending move is withdrawn, not shown twice";
}

// The View options are kept for the next run; closing the panel by its own button takes its
// mark off. Flipped, Esc gives Black's default view, whatever the camera did meanwhile.
TEST_F(ShellNotation, ViewOptionsAreKeptForTheNextRun) {
    EXPECT_TRUE(platform.panelShown);
    EXPECT_TRUE(scene.coordinates && scene.lastMoveTint && scene.checkTint);
    for (int id : {ids::kFigurines, ids::kFlipBoard, ids::kLastMoveTint, ids::kCoordinates}) {
        shell.OnCommand(id, 0);
    }
    shell.OnNotationPanelClosed();
    EXPECT_FALSE(platform.checked.count(ids::kNotationPanel));
    EXPECT_EQ(scene.Camera().SideInFront(), Black);
    EXPECT_FLOAT_EQ(scene.Camera().Rotation(), 180.0f);
    scene.buffersCreated = true;
    scene.Camera().AddRotation(30.0f);
    scene.Camera().ChangeZoom(20);
    shell.OnKeyDown(keys::kEscape);
    EXPECT_FLOAT_EQ(scene.Camera().Rotation(), 180.0f);
    EXPECT_FLOAT_EQ(scene.Camera().Zoom(), 1.0f);

    CFakeShellPlatform next;
    next.settings = platform.settings;
    CFakeScene nextScene(chessSet);
    CGamePlayer nextPlayer(nextScene, chessSet);
    CShell nextShell(next, nextScene, nextPlayer);
    nextShell.CreateWindows();
    EXPECT_FALSE(next.panelShown);
    for (int id : {ids::kFigurines, ids::kFlipBoard, ids::kCheckTint}) {
        EXPECT_TRUE(next.checked.count(id)) << id;
    }
    EXPECT_FALSE(next.checked.count(ids::kLastMoveTint) || next.checked.count(ids::kCoordinates));
    EXPECT_EQ(nextScene.Camera().SideInFront(), Black);
    EXPECT_TRUE(!nextScene.lastMoveTint && !nextScene.coordinates && nextScene.checkTint);
    nextShell.OnCommand(ids::kNotationPanel, 0);
    EXPECT_TRUE(next.panelShown);
}
