#include "ShellFixture.h"
#include "pgn/AnnotationReader.h"
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

// The link of the first move run with this text, on the main line or in a variation.
int LinkOf(const CNotationText& text, const std::string& san, bool variation) {
    for (const CNotationBlock& block : text.blocks) {
        for (const auto& cell : block.cells) {
            for (const CNotationRun& run : cell) {
                if (run.link >= 0 && run.text == san &&
                    (run.link >= kVariationLinkBase) == variation) {
                    return run.link;
                }
            }
        }
    }
    return -1;
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
    shell.OnCommand(ids::kHighView, 0);
    shell.OnKeyDown(keys::kEscape);
    EXPECT_FLOAT_EQ(scene.Camera().Rotation(), 180.0f);
    EXPECT_FLOAT_EQ(scene.Camera().Zoom(), 1.0f);
    EXPECT_EQ(scene.Camera().Viewpoint(), EViewpoint::Default) << "Esc: the default view";
    shell.OnCommand(ids::kPlayerView, 0);

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
    EXPECT_EQ(nextScene.Camera().Viewpoint(), EViewpoint::Player);
    EXPECT_TRUE(next.checked.count(ids::kPlayerView));
    EXPECT_TRUE(!nextScene.lastMoveTint && !nextScene.coordinates && nextScene.checkTint);
    nextShell.OnCommand(ids::kNotationPanel, 0);
    EXPECT_TRUE(next.panelShown);
}

// Variation moves of the annotated sample: a click shows the position at once, Right goes on in
// the variation and stops at its end, Left goes back and leaves it for the main line where it
// branches; Home returns to the main line, and playback from a variation plays the main line on
// from where the variation branches.
using ShellVariations = ShellFixture;

TEST_F(ShellVariations, VariationMovesAreShownSteppedAndLeft) {
    shell.LoadPGNFile("samples/annotated_games.pgn");
    FinishLoads();
    for (int waited = 0; waited < 10000 && LinkOf(platform.notation, "exd5", true) < 0; ++waited) {
        platform.RunPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto expect = [&](const char* san, bool variation,
                            std::initializer_list<std::string_view> moves) {
        CChessSet set;
        testutil::Play(set, moves);
        EXPECT_EQ(testutil::Diagram(chessSet.Board()), testutil::Diagram(set.Board())) << san;
        EXPECT_EQ(CurrentLink(platform.notation), LinkOf(platform.notation, san, variation)) << san;
    };
    const std::initializer_list<std::string_view> opening = {"e2e4", "c7c6", "d2d4", "d7d5"};
    shell.OnNotationLink(LinkOf(platform.notation, "exd5", true));
    expect("exd5", true, {"e2e4", "c7c6", "d2d4", "d7d5", "e4d5"});
    shell.OnCommand(ids::kNextMove, 0);
    shell.OnCommand(ids::kNextMove, 0);
    shell.OnCommand(ids::kNextMove, 0);
    expect("c4", true, {"e2e4", "c7c6", "d2d4", "d7d5", "e4d5", "c6d5", "c2c4"});
    EXPECT_EQ(player.MoveIndex(), 0u);
    for (int i = 0; i < 3; ++i) {
        shell.OnCommand(ids::kPreviousMove, 0);
    }
    expect("d5", false, opening);
    EXPECT_EQ(player.MoveIndex(), 4u);
    EXPECT_EQ(scene.clocks, (std::array<std::string, 2>{"0:30:00", "0:30:00"})) << "of e4, c6";

    shell.OnNotationLink(LinkOf(platform.notation, "e5", true));
    shell.OnCommand(ids::kFirstPosition, 0);
    EXPECT_EQ(CurrentLink(platform.notation), 0);
    EXPECT_EQ(testutil::Diagram(chessSet.Board()), testutil::Diagram(CChessSet().Board()));
    EXPECT_EQ(scene.clocks, (std::array<std::string, 2>{})) << "none known at the start";

    shell.OnNotationLink(LinkOf(platform.notation, "c4", true));
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() >= 5; }));
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return !player.PlayerRunning(); }));
    EXPECT_EQ(testutil::Diagram(chessSet.Board()),
              BoardAfter(player.GetGameData(0), player.MoveIndex()));
}
