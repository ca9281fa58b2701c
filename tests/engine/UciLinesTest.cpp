#include "engine/EnginePosition.h"
#include "engine/MoveJudgement.h"
#include "engine/UciInfo.h"
#include "pgn/FenParser.h"

#include <random>

#include <gtest/gtest.h>

// Scores read from the side to move, written as the bar and [%eval] write them, read back.
TEST(UciLines, ScoresReadFromEitherSideAndReadBackFromTheirTexts) {
    EXPECT_EQ(CEngineScore::FromEngine(false, 45, Black).Text(), "-0.45");
    EXPECT_EQ(CEngineScore::FromEngine(true, 3, Black).Text(), "#-3");
    EXPECT_EQ(CEngineScore::FromEngine(true, -2, Black).Text(), "#2");
    EXPECT_EQ(CEngineScore::FromEngine(false, 7, White).Text(true), "0.07");
    std::mt19937 rng(5);
    for (int i = 0; i < 2000; ++i) {
        const int value = static_cast<int>(rng() % 6001) - 3000;
        const CEngineScore score = CEngineScore::FromEngine(i % 5 == 0, value, White);
        CEngineScore read;
        ASSERT_TRUE(ParseEvalText(score.Text(i % 2 == 0), read)) << score.Text();
        EXPECT_EQ(read, score) << score.Text();
        EXPECT_NEAR(WinChance(score),
                    -WinChance(CEngineScore::FromEngine(i % 5 == 0, value, Black)), 1e-12);
    }
    CEngineScore read;
    EXPECT_TRUE(ParseEvalText("0.125", read) && read.value == 13);
    EXPECT_FALSE(ParseEvalText("#1.5", read) || ParseEvalText("+", read) ||
                 ParseEvalText("1.", read));
    EXPECT_NEAR(WinChance(CEngineScore::FromEngine(false, 100, White)), 0.18205, 1e-5);
}

// Stockfish's lines for either side to move: bounds, mates, castling as the king's step, a
// capturing promotion; a pv cut at its first move that is not legal; lines that do not read.
TEST(UciLines, InfoLinesGiveTheirFieldsAndLegalMovesOnly) {
    const CPosition black = ParseFen("r3k2r/6P1/8/8/8/8/8/4K3 b kq - 0 1");
    CEngineLine line;
    ASSERT_EQ(ParseInfoLine("info depth 18 seldepth 24 multipv 2 score cp 35 upperbound nodes "
                            "914 nps 2011 hashfull 3 time 455 pv e8c8 g7h8q d8h8 e1d2 zz",
                            black, line),
              EInfoLine::Line);
    EXPECT_EQ(line.multiPv, 2);
    EXPECT_EQ(line.score.Text(), "-0.35");
    EXPECT_TRUE(line.upperBound);
    EXPECT_EQ(line.nps, 2011);
    EXPECT_EQ(line.timeMs, 455);
    EXPECT_EQ(line.pv,
              (std::vector<CMove>{{4, 7, 0, 7}, {6, 6, 7, 11}, {3, 7, 7, 7}, {4, 0, 3, 1}}));
    EXPECT_EQ(UciMoveText(black, line.pv[0]), "e8c8");
    ASSERT_EQ(ParseInfoLine("info depth 3 score mate -2 pv e8d7", black, line), EInfoLine::Line);
    EXPECT_EQ(line.score.Text(), "#2");
    EXPECT_EQ(ParseInfoLine("info depth 3 currmove e8g8 currmovenumber 1", black, line),
              EInfoLine::Other);
    EXPECT_EQ(ParseInfoLine("info string NNUE evaluation enabled", black, line), EInfoLine::Other);
    for (const char* garbled : {"info depth x score cp 5", "info score cp", "info score wdl 1 2",
                                "info depth 3 score cp 7 pv e1e2", "info multipv 0 score cp 1"}) {
        EXPECT_EQ(ParseInfoLine(garbled, black, line), EInfoLine::Garbled) << garbled;
    }
    CMove best;
    bool hasMove = true;
    EXPECT_TRUE(ParseBestMove("bestmove (none)", black, best, hasMove) && !hasMove);
    EXPECT_TRUE(ParseBestMove("bestmove e8c8 ponder g7h8q", black, best, hasMove) && hasMove);
    EXPECT_EQ(best, (CMove{4, 7, 0, 7}));
}

// A loss of winning chance of 0.1, 0.2 and 0.3 marks a move; the engine's own move costs
// nothing, whoever plays it.
TEST(UciLines, MovesAreJudgedByTheWinningChanceTheyCost) {
    const auto at = [](int cp) {
        CPositionAnalysis analysis;
        analysis.score.value = cp;
        return analysis;
    };
    const std::vector<CMove> moves(6, CMove{4, 1, 4, 3});
    std::vector<CPositionAnalysis> positions = {at(0),   at(-60), at(-60), at(60),
                                                at(280), at(120), at(400)};
    positions[5].bestLine = {moves[5]};
    const std::vector<CMoveJudgement> judged = JudgeMoves(CPosition::Initial(), moves, positions);
    const EMoveMark expected[] = {EMoveMark::Inaccuracy, EMoveMark::None,    EMoveMark::None,
                                  EMoveMark::Blunder,    EMoveMark::Mistake, EMoveMark::None};
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(judged[k].mark, expected[k]) << k;
    }
    EXPECT_EQ(SummaryText(White, Summarise(judged)[White]),
              "White: 1 inaccuracy, 1 mistake, 0 blunders, average loss 0.122");
    EXPECT_EQ(Summarise(judged)[Black].blunders, 1);
}
