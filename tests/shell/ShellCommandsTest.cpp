#include "ShellFixture.h"
#include "messages/LoadMessages.h"
#include "resources/CommandIds.h"
#include "resources/MainMenu.h"
#include "resources/StringTable.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr const char* kTwoGames = "tests/fixtures/pgn/two_games_one_dropped.pgn";
constexpr const char* kCastling = "tests/fixtures/pgn/castling_and_promotion.pgn";
constexpr int kControls[] = {ids::kStopButton, ids::kPlayPauseButton, ids::kGameList};

std::string WriteTemp(const std::string& name, const std::string& content) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

using ShellCommands = ShellFixture;

// Every command of the menu is handled and gives the focus back to the main window; the
// default durations are marked; the controls wait for a game.
TEST_F(ShellCommands, StartsWithDefaultDurationsAndHandlesEveryCommandOfTheMenu) {
    EXPECT_EQ(platform.title, "Tavrin");
    EXPECT_TRUE(platform.shown);
    EXPECT_EQ(platform.checked,
              (std::set<int>{ids::kFirstAnimationDuration + 3, ids::kFirstPauseDuration + 3,
                             ids::kNotationPanel, ids::kLastMoveTint, ids::kCheckTint,
                             ids::kCoordinates, ids::kDefaultView}));
    EXPECT_EQ(player.AnimationDuration(), 600u);
    EXPECT_EQ(player.PauseDuration(), 1000u);
    EXPECT_EQ(platform.controlText[ids::kStopButton], "<");
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
    for (int id : kControls) {
        EXPECT_FALSE(platform.enabled.at(id)) << id;
    }
    EXPECT_TRUE(platform.surface.expose) << "a covered view must be drawn again";

    platform.dialogAnswers.clear(); // Load meets a cancelled dialog
    std::set<int> commands;
    for (const mainmenu::CMenuCommand& command : mainmenu::Commands(platform.menus)) {
        commands.insert(command.item->id);
    }
    std::set<int> expected;
    for (int id = ids::kAbout; id <= ids::kPlayerView; ++id) {
        if (id != 40013 && (id < 40035 || id > 40039)) {
            expected.insert(id);
        }
    }
    expected.insert({ids::kExportVideo, ids::kEngineAnalysis, ids::kEngineSettings,
                     ids::kAnalyseGame, ids::kSaveAnalysedGame, ids::kOpeningExplorer, ids::kQuit,
                     ids::kKeyboardShortcuts, ids::kCopyFen, ids::kCopyPgn, ids::kPaste});
    EXPECT_EQ(commands, expected);
    for (int id : commands) {
        // a box, a wait for a picture, the focus on the games table, a box, the end, boxes
        if (id != ids::kAbout && id != ids::kSavePicture && id != ids::kFocusGamesTable &&
            id != ids::kExportVideo && id != ids::kQuit && id != ids::kKeyboardShortcuts &&
            id != ids::kPaste) {
            const int focusBefore = platform.focusRequests;
            EXPECT_TRUE(shell.OnCommand(id, 0)) << id;
            EXPECT_EQ(platform.focusRequests, focusBefore + 1) << id;
        }
    }
    for (int id : {ids::kStopButton, ids::kPlayPauseButton, ids::kCancelLoad}) {
        EXPECT_TRUE(shell.OnCommand(id, 0)) << id;
    }
    for (int code : {1, 9, 10}) {
        EXPECT_TRUE(shell.OnCommand(ids::kGameList, code)) << code;
    }
    const int focusBefore = platform.focusRequests;
    for (int code : {0, 3, 4, 7}) {
        EXPECT_FALSE(shell.OnCommand(ids::kGameList, code)) << code;
    }
    for (int id : {40013, 40035, 39999, 1004, 0}) {
        EXPECT_FALSE(shell.OnCommand(id, 0)) << id;
    }
    EXPECT_EQ(platform.focusRequests, focusBefore);
    EXPECT_TRUE(platform.boxes.empty()) << "nothing loaded, nothing to report";
}

TEST_F(ShellCommands, DurationItemsSetThePlayerAndMoveTheirGroupsMark) {
    const unsigned animation[] = {100, 200, 400, 600, 800, 1000, 1250, 1500, 2000, 3000, 5000};
    const unsigned pause[] = {0, 250, 500, 1000, 2000, 3000, 5000, 7000, 10000, 15000, 30000};
    for (int i = 0; i < 11; ++i) {
        shell.OnCommand(ids::kFirstAnimationDuration + i, 0);
        EXPECT_EQ(player.AnimationDuration(), animation[i]);
        shell.OnCommand(ids::kFirstPauseDuration + i, 0);
        EXPECT_EQ(player.PauseDuration(), pause[i]);
        EXPECT_EQ(platform.checked,
                  (std::set<int>{ids::kFirstAnimationDuration + i, ids::kFirstPauseDuration + i,
                                 ids::kNotationPanel, ids::kLastMoveTint, ids::kCheckTint,
                                 ids::kCoordinates, ids::kDefaultView}));
    }
}

// Both marks follow their scene flags; smooth edges are off at start on the fake surface,
// which (like a software renderer) is not hardware-accelerated, and on for a hardware one.
TEST_F(ShellCommands, DisplayFpsAndSmoothEdgesToggleTheMarkAndTheSceneTogether) {
    EXPECT_FALSE(scene.smoothEdges.load());
    for (bool expected : {true, false, true}) {
        shell.OnCommand(ids::kDisplayFps, 0);
        shell.OnCommand(ids::kSmoothEdges, 0);
        EXPECT_EQ(platform.checked.count(ids::kDisplayFps) == 1, expected);
        EXPECT_EQ(scene.showFps.load(), expected);
        EXPECT_EQ(platform.checked.count(ids::kSmoothEdges) == 1, expected);
        EXPECT_EQ(scene.smoothEdges.load(), expected);
        EXPECT_EQ(shell.SmoothEdgesShown(), expected);
    }
    CFakeShellPlatform hardware;
    hardware.surface.hardware = true;
    CChessSet otherSet;
    CFakeScene otherScene(otherSet);
    CGamePlayer otherPlayer(otherScene, otherSet);
    CShell other(hardware, otherScene, otherPlayer);
    other.CreateWindows();
    EXPECT_EQ(hardware.checked.count(ids::kSmoothEdges), 1u);
    EXPECT_TRUE(otherScene.smoothEdges.load());
}

// The shortcuts box names every key of the menus, those of submenus included.
TEST_F(ShellCommands, AboutAndKeyboardShortcutsShowTheirBoxes) {
    shell.OnCommand(ids::kAbout, 0);
    shell.OnCommand(ids::kKeyboardShortcuts, 0);
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.boxes[0].kind, EMessageBoxKind::Information);
    EXPECT_EQ(platform.boxes[0].caption, "About");
    EXPECT_EQ(platform.boxes[0].text, std::string(strings::kAboutText));
    EXPECT_EQ(platform.boxes[1].caption, "Keyboard shortcuts");
    for (const char* line : {"Ctrl+O\tOpen...\n", "Ctrl+Q\tQuit\n", "Ctrl+C\tCopy position (FEN)",
                             "Ctrl+V\t", "Right\tNext move\n", "Ctrl+G\tFind a game\n",
                             "F1\tKeyboard shortcuts\n", "Esc\t", "F\tFlip board\n"}) {
        EXPECT_NE(platform.boxes[1].text.find(line), std::string::npos) << line;
    }
}

// The games are listed behind those already there, the first one is chosen and the controls
// come on; a cancelled dialog changes nothing.
TEST_F(ShellCommands, LoadListsTheGamesChoosesTheFirstAndEnablesTheControls) {
    platform.dialogAnswers = {kCastling, kCastling, ""};
    shell.OnCommand(ids::kLoadPgnFile, 0);
    FinishLoads();
    EXPECT_EQ(platform.dialogFilters,
              (std::vector<std::string>{"PGN Files (*.pgn *.pgn.zst *.pgn.gz *.pgn.bz2 *.zip)",
                                        "All files (*)"}));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(platform.gameList, player.GamesTitles());
    EXPECT_EQ(platform.selection, 0);
    EXPECT_EQ(platform.droppedWidth, 600);
    for (int id : kControls) {
        EXPECT_TRUE(platform.enabled.at(id)) << id;
    }
    EXPECT_EQ(player.GameIndex(), 0u);
    EXPECT_EQ(player.MoveIndex(), 0u);
    const std::size_t first = platform.gameList.size();
    for (int i = 0; i < 2; ++i) {
        shell.OnCommand(ids::kLoadPgnFile, 0);
        FinishLoads();
        EXPECT_EQ(platform.gameList.size(), 2 * first);
    }
    EXPECT_EQ(platform.dialogsShown, 3);
    ASSERT_EQ(platform.recentFiles.size(), 1u) << "Open Recent names each file once";
    EXPECT_EQ(platform.recentFiles[0], std::filesystem::absolute(kCastling).string());
    shell.OnCommand(ids::kFirstRecentFile, 0);
    FinishLoads();
    EXPECT_EQ(platform.gameList.size(), 3 * first);
}

// Each reason a file cannot be read is shown with the file's name and the reader's message;
// the list stays, and a file without one readable game leaves the controls off.
TEST_F(ShellCommands, AFailedLoadOfAnyKindShowsTheReasonAndKeepsTheList) {
    const std::string pipe = testing::TempDir() + "pipe.pgn";
    std::remove(pipe.c_str());
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string utf16 = WriteTemp("utf16.pgn", std::string("\xFF\xFE[\0E\0v\0", 8));
    const std::string noTags = WriteTemp("no_tag_pairs.pgn", "1. e4 e5 2. Nf3 *\n");
    const struct {
        std::string path;
        std::string reason;
        std::string details;
    } failures[] = {
        {"tests/fixtures/pgn/no_such_file.pgn", ": No such file or directory",
         "AFileReader::LoadFile(): Cannot determine file size!"},
        {"tests/fixtures/pgn", ": Is a directory",
         "AFileReader::LoadFile(): Cannot open file for reading!"},
        {pipe, ": not a regular file", "AFileReader::LoadFile(): Not a regular file!"},
        {utf16, ": UTF-16 text: save the file as UTF-8", "CPGNReader::Read(): The text is UTF-16!"},
        {noTags, " is not a PGN file: no game found in it",
         "CPGNReader::ParseData(): Cannot find any \"Event\" tag pair!"},
    };
    for (const bool listed : {false, true}) {
        for (const auto& failure : failures) {
            platform.boxes.clear();
            platform.dialogAnswers = {failure.path};
            shell.OnCommand(ids::kLoadPgnFile, 0);
            FinishLoads();
            ASSERT_EQ(platform.boxes.size(), 1u) << failure.path;
            EXPECT_EQ(platform.boxes[0].kind, EMessageBoxKind::Error);
            EXPECT_EQ(platform.boxes[0].caption, "Error");
            EXPECT_EQ(platform.boxes[0].text,
                      "PGN file not valid!\n" + failure.path + failure.reason);
            EXPECT_EQ(platform.boxes[0].details, failure.details);
            EXPECT_EQ(platform.gameList.size(), listed ? 2u : 0u);
            EXPECT_EQ(player.GameIndex(), listed ? 1u : 0u) << "a refused file changes nothing";
            EXPECT_EQ(player.MoveIndex(), listed ? 2u : 0u);
            EXPECT_EQ(platform.enabled.at(ids::kPlayPauseButton), listed);
        }
        shell.LoadPGNFile(kCastling);
        FinishLoads();
        ChooseGameAndSteps(1, 2);
    }
    shell.OnCommand(ids::kCloseAllGames, 0);
    shell.LoadPGNFile(WriteTemp("only_bad_game.pgn", "[Event \"E\"]\n[Result \"*\"]\n\n1. e5 *\n"));
    FinishLoads();
    EXPECT_TRUE(platform.gameList.empty());
    for (int id : kControls) {
        EXPECT_FALSE(platform.enabled.at(id)) << id;
    }
    shell.OnCommand(ids::kPlayPauseButton, 0);
    EXPECT_FALSE(player.PlayerRunning());
    shell.OnCommand(ids::kStopButton, 0); // nothing to rewind: no exception
}

TEST_F(ShellCommands, DroppedGamesAreCountedAndTheFirstFiveListed) {
    shell.LoadPGNFile(kTwoGames);
    FinishLoads();
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].kind, EMessageBoxKind::Warning);
    EXPECT_EQ(platform.boxes[0].caption, "Warning");
    EXPECT_EQ(platform.boxes[0].text,
              "1 of the 2 games in tests/fixtures/pgn/two_games_one_dropped.pgn could not be read "
              "and is left out:\n"
              "Game 2, Berzina, Anna \u2013 Ozols, Janis (line 11): skipped, a move cannot be "
              "played in its position");
    EXPECT_EQ(platform.boxes[0].details,
              "Game 2: CPGNReader::FindNKSrcField(): There is no piece to make the move!");
    EXPECT_EQ(platform.gameList.size(), 1u);
    EXPECT_EQ(platform.status, "1 game added from two_games_one_dropped.pgn, 1 dropped");

    CLoadReport report;
    report.gameTexts = 9;
    for (int i = 1; i < 9; ++i) {
        report.dropped.push_back({i, "M" + std::to_string(i), 0, 0, {}, {}});
    }
    // Windows-1252 bytes become UTF-8.
    report.dropped[0] = {
        1, "CPGNReader::ParseGame(): Variant not supported!", 0, 120, "Smith", "Caf\xE9"};
    report.dropped[1].message = std::string(300, 'x'); // cut at 200 characters
    const CPlainMessage plain = DroppedGamesText("x.pgn", report);
    const std::string unread = ": skipped, it could not be read\n";
    EXPECT_EQ(plain.text, "8 of the 9 games in x.pgn could not be read and are left out:\nGame 2, "
                          "Smith \u2013 Caf\xC3\xA9 (line 120): skipped, chess variants are not "
                          "supported\nGame 3" +
                              unread + "Game 4" + unread + "Game 5" + unread + "Game 6" + unread +
                              "... and 3 more.");
    EXPECT_EQ(plain.details.substr(0, 277), "Game 2: CPGNReader::ParseGame(): Variant not "
                                            "supported!\nGame 3: " +
                                                std::string(199, 'x') + "\xE2\x80\xA6\nGame 4: M3");
    EXPECT_EQ(DroppedGamesText("x.pgn", CLoadReport{}).text, "");

    CLoadReport archive;
    archive.stops = {"a.pgn: CZipArchive::Read(): damaged"};
    archive.skipped = {{"README", "not a PGN file"}, {"b.pgn", "encrypted"}};
    EXPECT_EQ(DroppedGamesText("x.zip", archive).text,
              "Reading x.zip stopped early; the games before that point are listed:\n"
              "a.pgn: CZipArchive::Read(): damaged\n\n"
              "2 entries of x.zip were skipped:\nREADME: not a PGN file\nb.pgn: encrypted");
}

// Off -> play -> pause -> (play refused while the thread still runs) -> play -> stop, and the
// end of a game brings the play glyph back through the interface thread.
TEST_F(ShellCommands, PlayPauseAndStopFollowTheirStateMachine) {
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    shell.OnCommand(ids::kFirstAnimationDuration, 0); // 100 ms
    shell.OnCommand(ids::kFirstPauseDuration, 0);     // 0 ms
    shell.OnCommand(ids::kPlayPauseButton, 0);
    EXPECT_TRUE(shell.Playing());
    EXPECT_TRUE(player.PlayerRunning());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], ";");

    shell.OnCommand(ids::kPlayPauseButton, 0);
    EXPECT_FALSE(shell.Playing());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
    if (player.PlayerRunning()) {
        shell.OnCommand(ids::kPlayPauseButton, 0);
        EXPECT_FALSE(shell.Playing()) << "play is refused while the paused thread runs";
    }
    ASSERT_TRUE(TakeMovesUntil([&] { return !player.PlayerRunning(); }));
    EXPECT_GT(player.MoveIndex(), 0u);

    shell.OnCommand(ids::kPlayPauseButton, 0);
    EXPECT_TRUE(shell.Playing());
    shell.OnCommand(ids::kStopButton, 0);
    EXPECT_FALSE(shell.Playing());
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
    EXPECT_EQ(player.MoveIndex(), 0u);

    // Played to its end: the player clears the flag and the glyph follows once posted.
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(TakeMovesUntil([&] { return !player.PlayerRunning(); }));
    EXPECT_EQ(player.MoveIndex(), static_cast<unsigned>(player.GetGameData(0).MovesCount()));
    EXPECT_FALSE(shell.Playing());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], ";");
    platform.RunPosted();
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
}

TEST_F(ShellCommands, AChoiceInTheListStopsPlaybackALoadKeepsThePlaceOnShow) {
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(player.PlayerRunning());
    platform.selection = 1;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    EXPECT_FALSE(shell.Playing());
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(player.GameIndex(), 1u);
    EXPECT_EQ(player.MoveIndex(), 0u);

    shell.OnCommand(ids::kNextMove, 0);
    shell.OnCommand(ids::kPlayPauseButton, 0);
    ASSERT_TRUE(player.PlayerRunning());
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    EXPECT_FALSE(shell.Playing());
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(platform.controlText[ids::kPlayPauseButton], "4");
    EXPECT_EQ(player.GameIndex(), 1u) << "the game on show stays";
    EXPECT_GE(player.MoveIndex(), 1u) << "and its move";
    EXPECT_EQ(platform.selection, 1);
    EXPECT_EQ(platform.status, "2 games added from castling_and_promotion.pgn");
    EXPECT_TRUE(platform.offerShow);
    shell.OnCommand(ids::kShowAddedGames, 0);
    EXPECT_EQ(player.GameIndex(), 2u) << "Show: the first new game";
    EXPECT_EQ(player.MoveIndex(), 0u);

    // Nothing on show: the new file's first game is chosen, and nothing is offered.
    shell.OnCommand(ids::kCloseAllGames, 0);
    shell.LoadPGNFile(kTwoGames);
    FinishLoads();
    EXPECT_EQ(platform.selection, 0);
    EXPECT_EQ(player.GameIndex(), 0u);
    EXPECT_FALSE(platform.offerShow);
}

// Loads run on a worker one after the other; a cancelled load, or one that the window's close
// ends, lists nothing and leaves the game on show as it was; Cancel leaves the queue. Closing the
// window ends the program with code 18.
TEST_F(ShellCommands, LoadsQueueAndACancelOrACloseLeavesEverythingAsItWas) {
    shell.OnFilesDropped({kTwoGames, kCastling}); // as two loads, in order
    EXPECT_TRUE(shell.LoadRunning());
    FinishLoads();
    const std::vector<std::string> listed = platform.gameList;
    EXPECT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1], "Castling and promotion: White promotes - Both castle");
    ASSERT_EQ(platform.boxes.size(), 1u) << "the first file's Warning";

    platform.selection = 1;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    shell.OnCommand(ids::kPlayPauseButton, 0);
    shell.LoadPGNFile(kCastling);
    shell.LoadPGNFile(kTwoGames);
    shell.OnCommand(ids::kCancelLoad, 0); // ends the running load; the file after it loads
    FinishLoads();
    EXPECT_EQ(platform.gameList.size(), listed.size() + 1);
    EXPECT_EQ(platform.boxes.size(), 2u);
    shell.LoadPGNFile(kCastling);
    shell.OnClose();
    FinishLoads();
    EXPECT_EQ(platform.quitCode, 18);
    EXPECT_EQ(platform.gameList.size(), listed.size() + 1);
    EXPECT_EQ(platform.boxes.size(), 2u);
    EXPECT_FALSE(shell.Playing()) << "a load pauses playback where it is";
    EXPECT_EQ(player.GameIndex(), 1u);
    EXPECT_FALSE(platform.progressShown);
}

// A file already listed is loaded again only when the user says so, under any of its paths;
// "Close all games" empties the list and shows the initial position; a huge title is cut. A
// file named on the command line is loaded once the event loop runs.
TEST_F(ShellCommands, ClosingAllGamesAndLoadingAListedFileAgain) {
    shell.OpenAtStart(kCastling);
    EXPECT_TRUE(platform.gameList.empty());
    platform.RunPosted();
    FinishLoads();
    const std::size_t listed = platform.gameList.size();
    EXPECT_EQ(listed, 2u);
    platform.answerYes = false;
    shell.LoadPGNFile(kCastling);
    FinishLoads();
    EXPECT_EQ(platform.gameList.size(), listed);
    platform.answerYes = true;
    shell.LoadPGNFile("tests/../tests/fixtures/pgn/castling_and_promotion.pgn");
    FinishLoads();
    EXPECT_EQ(platform.gameList.size(), 2 * listed);
    ASSERT_EQ(platform.questions.size(), 2u);
    EXPECT_EQ(platform.questions[1],
              "Tavrin: tests/../tests/fixtures/pgn/castling_and_promotion.pgn "
              "is already in the list.\nLoad it again?");

    shell.OnCommand(ids::kPlayPauseButton, 0);
    shell.OnCommand(ids::kCloseAllGames, 0);
    platform.RunPosted();
    EXPECT_TRUE(platform.gameList.empty());
    EXPECT_FALSE(shell.Playing());
    EXPECT_FALSE(player.PlayerRunning());
    EXPECT_EQ(platform.title, "Tavrin");
    EXPECT_FALSE(platform.enabled.at(ids::kPlayPauseButton));
    for (int square = 0; square < 64; ++square) {
        EXPECT_EQ(chessSet.Board().Element(square).IsEmpty(), square % 8 > 1 && square % 8 < 6);
    }

    std::string event;
    for (int i = 0; i < 300; ++i) {
        event += "\xC3\xA9";
    }
    shell.LoadPGNFile(WriteTemp("long_title.pgn", "[Event \"" + event + "\"]\n\n1. e4 *\n"));
    FinishLoads();
    const std::string cut = event.substr(0, 2 * 199) + "\xE2\x80\xA6";
    EXPECT_EQ(platform.gameList, std::vector<std::string>{cut});
    EXPECT_EQ(platform.title, "Tavrin - " + cut);
}
