#include "ShellFixture.h"
#include "gametable/GameTableColumn.h"
#include "pgn/AnnotationReader.h"
#include "pgn/FenParser.h"
#include "resources/CommandIds.h"
#include "support/ChessTestUtil.h"

namespace {

constexpr const char* kCastling = "tests/fixtures/pgn/castling_and_promotion.pgn";

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
        platform.RunPosted();
        EXPECT_FALSE(shell.Playing());
        EXPECT_FALSE(player.PlayerRunning());
        EXPECT_EQ(player.MoveIndex(), moves);
        EXPECT_EQ(testutil::Diagram(chessSet.Board()), BoardAfter(game, moves));
        EXPECT_EQ(platform.notationCurrent, static_cast<int>(moves));
    }
    CChessGameData game = CChessGameData({}, {}, {}, {}, {}, {}, 3, {});
};

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
        platform.RunPosted();
        CChessSet set;
        testutil::Play(set, moves);
        EXPECT_EQ(testutil::Diagram(chessSet.Board()), testutil::Diagram(set.Board())) << san;
        EXPECT_EQ(platform.notationCurrent, LinkOf(platform.notation, san, variation)) << san;
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
    platform.RunPosted();
    EXPECT_EQ(platform.notationCurrent, 0);
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

// A game pasted into a fresh window (nothing listed before) with a huge comment shows it cut; its
// link reads it whole again on a worker and shows it in a window of its own, in paragraphs, while
// the status line says it is read.
TEST_F(ShellVariations, TheRestOfACutCommentIsShownOnDemand) {
    std::string words;
    for (int i = 0; i < 8000; ++i) {
        words += "word" + std::to_string(i) + " ";
    }
    words.pop_back();
    platform.clipboard = "[Event \"E\"]\n\n1. e4 {" + words + "} e5 *\n";
    shell.OnCommand(ids::kPaste, 0);
    FinishLoads();
    const auto wait = [&](const std::function<bool()>& done) {
        for (int waited = 0; waited < 10000 && !done(); ++waited) {
            platform.RunPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    wait([&] {
        return LinkOf(platform.notation, "e5", false) >= 0 && platform.notation.blocks.size() > 6;
    });
    shell.OnNotationLink(kCommentLinkBase);
    EXPECT_EQ(platform.status, "Reading the whole comment\u2026");
    wait([&] { return !platform.plainTexts.empty(); });
    ASSERT_EQ(platform.plainTexts.size(), 1u);
    std::string whole = platform.plainTexts[0].second;
    EXPECT_NE(whole.find('\n'), std::string::npos);
    std::replace(whole.begin(), whole.end(), '\n', ' ');
    EXPECT_EQ(whole, words);
    EXPECT_EQ(platform.plainTexts[0].first, "Whole comment");
    EXPECT_EQ(platform.status, "");
}

// Every path that changes the game or the position on show ends, once the event loop has had
// its turn, with the panel's header naming the game on the board and its highlight on the
// position on the board, the title naming the game and the table selecting its row; a listener
// of its own hears the game, and the moves to the position on the board.
class ShellShow : public ShellFixture, public IShowListener {
protected:
    ShellShow() { shell.Subscribe(*this); }
    ~ShellShow() override { shell.Unsubscribe(*this); }
    void OnShowChanged(const CShowNotice& notice) override { heard = notice; }

    // `link` is the highlight's link off the main line; on it, the board's ply.
    void ExpectFollowed(const std::string& path, int link = -1) {
        platform.RunPosted();
        const int game = static_cast<int>(player.GameIndex());
        const CChessGameData data = player.GetGameData(game);
        EXPECT_EQ(heard.game, game) << path;
        CChessSet replayed;
        replayed.SetUp(StartPosition(data.GetStart()).board);
        for (const CMove& move : MovesToShownPosition(heard)) {
            replayed.Move(move);
        }
        EXPECT_EQ(testutil::Diagram(replayed.Board()), testutil::Diagram(chessSet.Board())) << path;
        const CNotationGame shown = NotationOf(data);
        ASSERT_FALSE(platform.notation.blocks.empty()) << path;
        const std::string header = platform.notation.blocks[0].cells[0][0].text;
        EXPECT_EQ(header.find(shown.white), 0u) << path << ": " << header;
        EXPECT_NE(header.find(shown.black), std::string::npos) << path << ": " << header;
        EXPECT_EQ(platform.title, "Tavrin - " + platform.gameList[static_cast<std::size_t>(game)])
            << path;
        ASSERT_GE(platform.tableRow, 0) << path;
        EXPECT_EQ(platform.TableColumn(kColumnNumber)[static_cast<std::size_t>(platform.tableRow)],
                  std::to_string(game + 1))
            << path;
        if (link >= 0) {
            EXPECT_EQ(platform.notationCurrent, link) << path;
            return;
        }
        EXPECT_EQ(platform.notationCurrent, static_cast<int>(player.MoveIndex())) << path;
        EXPECT_EQ(testutil::Diagram(chessSet.Board()), BoardAfter(data, player.MoveIndex()))
            << path;
    }
    void Do(int command) { shell.OnCommand(command, 0); }
    CShowNotice heard;
};

TEST_F(ShellShow, ThePanelTitleAndTableFollowEveryPathToTheBoard) {
    shell.LoadPGNFile("samples/famous_games.pgn");
    FinishLoads();
    ExpectFollowed("load");
    platform.selection = 3;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    ExpectFollowed("drop-down");
    shell.LoadPGNFile("samples/annotated_games.pgn");
    FinishLoads();
    ExpectFollowed("a second load");
    for (const int step : {ids::kNextMove, ids::kNextMove, ids::kPreviousMove, ids::kLastPosition,
                           ids::kFirstPosition, ids::kPreviousGame, ids::kNextGame}) {
        Do(step);
        ExpectFollowed("command " + std::to_string(step));
    }
    shell.OnNotationLink(5);
    ExpectFollowed("a click in the panel");

    platform.selection = 8;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    for (int waited = 0; waited < 10000 && LinkOf(platform.notation, "cxd5", true) < 0; ++waited) {
        platform.RunPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    shell.OnNotationLink(LinkOf(platform.notation, "exd5", true));
    ExpectFollowed("a variation's move", LinkOf(platform.notation, "exd5", true));
    Do(ids::kNextMove);
    ExpectFollowed("a step in a variation", LinkOf(platform.notation, "cxd5", true));
    Do(ids::kPreviousMove);
    Do(ids::kPreviousMove);
    ExpectFollowed("back to the main line");

    // A sorted table's row; a click on the panel before it follows the new game is dropped.
    shell.OnGamesTableHeaderClicked(kColumnWhite);
    shell.OnGamesTableRowChosen(2);
    shell.OnNotationLink(3);
    EXPECT_EQ(player.MoveIndex(), 0u);
    ExpectFollowed("a row of the sorted table");
    shell.OnGamesTableSearchChanged("anderssen");
    shell.OnGamesTableRowChosen(1); // as Enter in the search field
    ExpectFollowed("Enter in the search field");

    Do(ids::kFirstAnimationDuration);
    Do(ids::kFirstPauseDuration);
    Do(ids::kPlayPause);
    ASSERT_TRUE(TakeMovesUntil([&] { return player.MoveIndex() >= 3; }));
    Do(ids::kPlayPause);
    ASSERT_TRUE(TakeMovesUntil([&] { return !player.PlayerRunning(); }));
    ExpectFollowed("playback");

    Do(ids::kCloseAllGames);
    platform.RunPosted();
    EXPECT_EQ(platform.title, "Tavrin");
    EXPECT_EQ(platform.notation, EmptyNotation()) << "Open a PGN file (Ctrl+O) or drop one here";
    EXPECT_EQ(platform.notationCurrent, -1);
    EXPECT_EQ(platform.tableRow, -1);
    EXPECT_EQ(heard.game, -1);
}
