#include "EngineEvents.h"
#include "SpawnedProcess.h"
#include "engine/GameAnalysis.h"
#include "pgn/FenParser.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using testutil::CEngineEvents;
using testutil::LinesOf;
using testutil::Steps;

// Debian's stockfish: a mate in two is reported as #2 with the mating move first, and fifty
// positions stepped through as keys repeat end with the last position's lines only.
TEST(RealEngine, ReportsTheMateInTwoAndFollowsFiftyQuickSteps) {
    CTestProcessFactory factory;
    CEngineEvents events;
    CLiveAnalysis live(factory, events.Sink());
    CEngineSettings settings = CEngineSettings::Defaults();
    settings.lines = 2;
    live.SetSettings(settings);
    live.SwitchOn();
    const CEnginePosition mate{
        ParseFen("r1bq2r1/b4pk1/p1pp1p2/1p2pP2/1P2P1PB/3P4/1PPQ2P1/R3K2R w KQ - 0 1"), {}};
    live.Analyse(1, mate);
    CEngineEvent found;
    ASSERT_TRUE(events.WaitFor(
        [](const CEngineEvent& e) {
            return LinesOf(1)(e) && e.lines[0].score.kind == CEngineScore::EKind::Mate;
        },
        found));
    EXPECT_EQ(found.lines[0].score.Text(), "#2");
    EXPECT_EQ(found.lines[0].pv.at(0), (CMove{3, 1, 7, 5})); // Qh6+, Kxh6, Bxf6#

    for (int step = 1; step <= 50; ++step) {
        live.Analyse(100 + static_cast<std::uint64_t>(step), Steps(step));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    ASSERT_TRUE(events.WaitFor(LinesOf(150), found));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::uint64_t latest = 0;
    for (const CEngineEvent& e : events.All()) {
        EXPECT_NE(e.kind, CEngineEvent::EKind::Error) << e.text;
        if (e.kind == CEngineEvent::EKind::Lines) {
            EXPECT_GE(e.positionId, latest);
            latest = e.positionId;
        }
    }
    EXPECT_EQ(latest, 150u);
}

// The fool's mate analysed at a fixed budget: g4 is a blunder, and the game ends mated.
TEST(RealEngine, WholeGameAnalysisMarksTheBlunder) {
    CTestProcessFactory factory;
    CGameAnalysisResult result;
    std::atomic<bool> done{false};
    CAnalysisBudget budget;
    budget.nodes = 20000;
    const CEnginePosition game{CPosition::Initial(),
                               {{5, 1, 5, 2}, {4, 6, 4, 4}, {6, 1, 6, 3}, {3, 7, 7, 3}}};
    CGameAnalysisJob job(factory, CEngineSettings::Defaults(), budget, game,
                         {nullptr, [&](const CGameAnalysisResult& r) {
                              result = r;
                              done = true;
                          }});
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(result.error, "");
    ASSERT_EQ(result.moves.size(), 4u);
    EXPECT_EQ(result.moves[2].mark, EMoveMark::Blunder);
    EXPECT_EQ(result.positions[4].score.Text(), "#-0");
    EXPECT_EQ(result.sides[White].blunders, 1);
    EXPECT_EQ(SummaryText(Black, result.sides[Black]),
              "Black: 0 inaccuracies, 0 mistakes, 0 blunders, average loss 0.000");
}
