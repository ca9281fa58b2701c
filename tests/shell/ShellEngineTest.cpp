#include "ShellFixture.h"
#include "chess/LegalMoves.h"
#include "chess/SanWriter.h"
#include "engine/EngineSettings.h"
#include "pgn/FenParser.h"
#include "resources/CommandIds.h"

#include <filesystem>
#include <fstream>

namespace {

// The fake engine started in `mode` through a script of its own, as a user's engine path.
std::string FakeEngine(const std::string& mode, const std::string& delay = "0") {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavrin-shell-uci-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / (mode + "-" + delay);
    std::ofstream(path) << "#!/bin/sh\nexec bash '" FAKE_ENGINE "' " << mode << ' ' << delay
                        << '\n';
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path.string();
}

// Every move text of the engine's lines, in order.
std::vector<std::string> LineMoves(const CNotationText& text) {
    std::vector<std::string> moves;
    for (const CNotationBlock& block : text.blocks) {
        for (const CNotationRun& run : block.cells.front()) {
            if (run.style == ENotationStyle::kMove) {
                moves.push_back(run.text);
            }
        }
    }
    return moves;
}

} // namespace

class ShellEngine : public ShellFixture {
protected:
    CFakeEngineWindow& Engine() { return platform.engine; }
    // Runs the event loop's part until `done` holds, at most 30 s.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int waited = 0; waited < 30000 && !done(); waited += 5) {
            platform.RunPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    }
    void UseEngine(const std::string& path, int lines = 1) {
        Engine().engineAnswer = CEngineChoice{path, 1, 16, lines};
        ASSERT_TRUE(shell.OnCommand(ids::kEngineSettings, 0));
    }
    void SwitchAnalysis() { ASSERT_TRUE(shell.OnCommand(ids::kEngineAnalysis, 0)); }
    bool AnalysisOn() { return platform.checked.count(ids::kEngineAnalysis) != 0; }
};

// Each fault of the engine is told once in the status line and switches analysis off; the
// window goes on, and the next switch-on with a sound engine shows lines again. The chosen
// engine is kept in the settings.
TEST_F(ShellEngine, EachFaultOfTheFakeEngineIsToldAndTheNextSwitchOnWorks) {
    const std::string missing = "/nonexistent/engine";
    const struct {
        std::string path;
        std::string message;
    } faults[] = {
        {missing, "CUciEngine::Start(): The engine /nonexistent/engine cannot be started (No such "
                  "file). Install Debian's package stockfish (sudo apt install stockfish) or "
                  "choose a UCI engine in the Engine settings."},
        {FakeEngine("slow", "7"),
         "CUciEngine::Start(): The engine @ did not answer uci within 5 s and was stopped."},
        {FakeEngine("noready"), "CUciEngine::WaitFor(): The engine @ did not answer isready "
                                "within 5 s and was stopped."},
        {FakeEngine("crash"), "CUciEngine::ReadLine(): The engine @ crashed (signal 11)."},
        {FakeEngine("nostop"), "CLiveAnalysis::Analyse(): The engine @ did not stop its search "
                               "within 5 s and was stopped."},
        {FakeEngine("garbage"), "CLiveAnalysis::Analyse(): The engine @ sent a line that does "
                                "not read: \"info depth x score cp 5\""},
    };
    shell.LoadPGNFile("samples/famous_games.pgn");
    FinishLoads();
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.path);
        UseEngine(fault.path);
        EXPECT_EQ(platform.settings["engine/path"], fault.path);
        Engine().statuses.clear();
        SwitchAnalysis();
        EXPECT_TRUE(Engine().barShown);
        if (fault.path.find("nostop") != std::string::npos) {
            // It searches; the next position asks it to stop.
            ASSERT_TRUE(PumpUntil([&] { return !Engine().barText.empty(); }));
            ASSERT_TRUE(shell.OnCommand(ids::kNextMove, 0));
        }
        std::string expected = fault.message;
        if (const std::size_t at = expected.find('@'); at != std::string::npos) {
            expected.replace(at, 1, fault.path);
        }
        ASSERT_TRUE(PumpUntil([&] {
            return std::find(Engine().statuses.begin(), Engine().statuses.end(), expected) !=
                   Engine().statuses.end();
        }));
        if (fault.path.find("nostop") != std::string::npos) {
            ASSERT_TRUE(shell.OnCommand(ids::kFirstPosition, 0)); // the fake scores it 0
        }
        if (fault.path.find("garbage") != std::string::npos) {
            // A garbled line is a warning: analysis goes on with the lines that read.
            EXPECT_TRUE(PumpUntil([&] { return Engine().barText == "0.00"; }));
            EXPECT_TRUE(AnalysisOn());
            SwitchAnalysis();
        } else {
            EXPECT_TRUE(PumpUntil([&] { return !AnalysisOn(); }));
            EXPECT_FALSE(Engine().barShown);
            EXPECT_FALSE(scene.arrow);
        }
        UseEngine(FakeEngine("ok"));
        SwitchAnalysis();
        EXPECT_TRUE(PumpUntil([&] { return !Engine().lines.blocks.empty(); }));
        EXPECT_EQ(Engine().barText, "0.00"); // the fake scores the start by its 0 moves
        SwitchAnalysis();
        EXPECT_FALSE(Engine().linesShown);
        EXPECT_TRUE(Engine().lines.blocks.empty());
    }
}

// Debian's stockfish through the window: a set-up mate in two shows #2 on the bar and the
// mating move's squares as the arrow; fifty quick steps end with the last position's lines.
TEST_F(ShellEngine, TheRealEngineShowsTheMateAndFollowsQuickSteps) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("tavrin-mate-" + std::to_string(getpid()) + ".pgn");
    std::ofstream(file) << "[SetUp \"1\"]\n[FEN \"r1bq2r1/b4pk1/p1pp1p2/1p2pP2/1P2P1PB/3P4/"
                           "1PPQ2P1/R3K2R w KQ - 0 1\"]\n\n*\n";
    UseEngine(CEngineSettings::kDefaultPath, 2);
    shell.LoadPGNFile(file.string());
    FinishLoads();
    SwitchAnalysis();
    ASSERT_TRUE(PumpUntil([&] { return Engine().barText == "#2"; })) << Engine().barText;
    EXPECT_EQ(scene.arrow, (CBoardArrow{3, 1, 7, 5})); // Qd2-h6+
    EXPECT_EQ(LineMoves(Engine().lines).at(0), "Qh6+");
    EXPECT_GT(Engine().barShare, 0.99);
    // A click on the line's first move shows the position after it and analyses that; any
    // command returns to the position it was clicked from.
    shell.OnEngineLineLink(0);
    platform.RunPosted();
    EXPECT_EQ(chessSet.Board().GetField(7, 5).Piece().type, Queen);
    ASSERT_TRUE(PumpUntil([&] { return Engine().barText == "#1"; })) << Engine().barText;
    ASSERT_TRUE(shell.OnCommand(ids::kDisplayFps, 0));
    EXPECT_TRUE(chessSet.Board().GetField(7, 5).IsEmpty());
    ASSERT_TRUE(PumpUntil([&] { return Engine().barText == "#2"; })) << Engine().barText;

    shell.LoadPGNFile("samples/famous_games.pgn"); // listed after the mate
    FinishLoads();
    ASSERT_TRUE(shell.OnCommand(ids::kNextGame, 0));
    const CChessGameData game = player.GetGameData(static_cast<int>(player.GameIndex()));
    for (int step = 0; step < 50; ++step) {
        ASSERT_TRUE(shell.OnCommand(step < 35 ? ids::kNextMove : ids::kPreviousMove, 0));
        platform.RunPosted();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int shown = std::min(35, game.MovesCount()) - 15;
    ASSERT_EQ(player.MoveIndex(), static_cast<unsigned>(shown));
    CPosition last = StartPosition(game.GetStart());
    for (int i = 0; i < shown; ++i) {
        last.Play(game.GetMove(i));
    }
    ASSERT_TRUE(PumpUntil([&] { return !LineMoves(Engine().lines).empty(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    platform.RunPosted();
    // The first move of every line is a legal move of the last position, numbered as its own.
    const std::vector<CMove> legal = LegalMoves(last);
    for (const CNotationBlock& block : Engine().lines.blocks) {
        const std::vector<CNotationRun>& runs = block.cells.front();
        ASSERT_GE(runs.size(), 4u);
        EXPECT_EQ(runs[2].text, std::to_string(shown / 2 + 1) + (shown % 2 ? "... " : ". "));
        EXPECT_TRUE(std::any_of(legal.begin(), legal.end(), [&](const CMove& move) {
            return WriteSan(last.board, move) == runs[3].text;
        })) << runs[3].text;
    }
    EXPECT_TRUE(AnalysisOn());
    std::filesystem::remove(file);
}

// The graph is drawn from the file's evals at once; a run of the real engine redraws it from
// its scores, marks the blunder in the notation and on the graph, and the game saved with the
// analysis reads back with the same moves and evaluations.
TEST_F(ShellEngine, AnalysedGameIsGraphedMarkedAndSavedSoThatItReadsBack) {
    shell.LoadPGNFile("tests/fixtures/pgn/trap_with_evals_and_a_blunder.pgn");
    FinishLoads();
    ASSERT_TRUE(PumpUntil([&] { return !Engine().graph.points.empty(); }));
    ASSERT_EQ(Engine().graph.points.size(), 15u);
    EXPECT_FALSE(Engine().graph.points[0].known);
    EXPECT_DOUBLE_EQ(Engine().graph.points[7].pawns, 1.5);
    EXPECT_DOUBLE_EQ(Engine().graph.points[9].pawns, -8.0);  // -8.2 clipped
    EXPECT_DOUBLE_EQ(Engine().graph.points[14].pawns, -8.0); // mated: at the edge

    UseEngine(CEngineSettings::kDefaultPath);
    Engine().budget = CGameAnalysisChoice{200000, 0};
    ASSERT_TRUE(shell.OnCommand(ids::kAnalyseGame, 0));
    EXPECT_TRUE(Engine().progressShown);
    ASSERT_TRUE(PumpUntil([&] { return !Engine().progressShown; }));
    EXPECT_EQ(Engine().statuses.back(), "The game is analysed.");
    const CEvalGraph analysed = Engine().graph;
    ASSERT_EQ(analysed.points.size(), 15u);
    EXPECT_TRUE(analysed.points[0].known);
    EXPECT_EQ(analysed.points[7].mark, 3) << "4. Nxe5 walks into Qg5";
    EXPECT_EQ(analysed.summary.rfind("White: ", 0), 0u) << analysed.summary;
    std::string notation;
    for (const CNotationBlock& block : platform.notation.blocks) {
        for (const auto& cell : block.cells) {
            for (const CNotationRun& run : cell) {
                notation += run.style == ENotationStyle::kMark ? "<" + run.text + ">" : run.text;
            }
        }
    }
    EXPECT_NE(notation.find("Nxe5 <?"
                            "?>"),
              std::string::npos)
        << notation;

    const std::filesystem::path saved = std::filesystem::temp_directory_path() /
                                        ("tavrin-analysed-" + std::to_string(getpid()) + ".pgn");
    platform.saveAnswer = saved.string();
    ASSERT_TRUE(shell.OnCommand(ids::kSaveAnalysedGame, 0));
    const CChessGameData original = player.GetGameData(0);
    shell.LoadPGNFile(saved.string());
    FinishLoads();
    ASSERT_TRUE(shell.OnCommand(ids::kNextGame, 0));
    platform.RunPosted(); // the graph waits for the saved game's annotations
    const CChessGameData reread = player.GetGameData(1);
    ASSERT_EQ(reread.MovesCount(), original.MovesCount());
    for (int i = 0; i < original.MovesCount(); ++i) {
        EXPECT_EQ(reread.GetMove(i), original.GetMove(i)) << i;
    }
    // The file's evals are the scores after each move; the start has none.
    ASSERT_TRUE(PumpUntil(
        [&] { return !Engine().graph.points.empty() && !Engine().graph.points[0].known; }));
    for (std::size_t ply = 1; ply < analysed.points.size(); ++ply) {
        EXPECT_DOUBLE_EQ(Engine().graph.points[ply].pawns, analysed.points[ply].pawns) << ply;
    }
    std::filesystem::remove(saved);
}
