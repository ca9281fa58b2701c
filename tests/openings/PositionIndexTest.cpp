// The explorer's figures and the position filter, from the index and from the scan, against a
// plain reference that replays every game to its end.

#include "openings/PositionIndex.h"

#include "SampleGames.h"
#include "chess/SanWriter.h"
#include "common/LoadProgress.h"
#include "openings/PositionScanner.h"
#include "openings/SanLine.h"

#include <map>
#include <random>

#include <gtest/gtest.h>

namespace {

struct CVisit {
    std::uint32_t game;
    std::uint16_t ply;
    CPackedMove next;
};

// Each game's first visit of the position at a ply up to `maxPly`.
std::vector<CVisit> ReferenceVisits(const CGameListSnapshot& games, CPositionKey key,
                                    std::size_t maxPly, const CGameSubset* subset) {
    std::vector<CVisit> visits;
    for (std::uint32_t g = 0; g < games.Size(); ++g) {
        const CStoredGame& game = games.Game(g);
        CKeyedPosition position = CKeyedPosition::Start(game.Tag(kStart));
        for (std::uint32_t ply = 0; ply <= game.moveCount && ply <= maxPly; ++ply) {
            if (position.Key() == key) {
                if (subset == nullptr || subset->Contains(g)) {
                    visits.push_back({g, static_cast<std::uint16_t>(ply),
                                      ply < game.moveCount ? game.moves[ply] : kNoMove});
                }
                break;
            }
            if (ply < game.moveCount) {
                position.Play(UnpackMove(game.moves[ply]));
            }
        }
    }
    return visits;
}

void ExpectFigures(const CExplorerCounts& counts, const std::vector<CVisit>& visits,
                   const CGameListSnapshot& games, const CKeyedPosition& position) {
    struct CSums {
        std::uint32_t results[4] = {};
        std::uint64_t elo = 0;
        std::uint32_t rated = 0;
        std::int16_t year = 0;
    };
    std::map<CPackedMove, CSums> moves;
    std::uint32_t results[4] = {};
    for (const CVisit& visit : visits) {
        const CGameFacts facts = CGameFacts::Of(games.Game(visit.game));
        ++results[facts.result];
        if (visit.next == kNoMove) {
            continue;
        }
        CSums& sums = moves[visit.next];
        ++sums.results[facts.result];
        for (const std::uint16_t elo : {facts.whiteElo, facts.blackElo}) {
            sums.elo += elo;
            sums.rated += elo != 0 ? 1 : 0;
        }
        sums.year = std::max(sums.year, facts.year);
    }
    EXPECT_EQ(counts.games, visits.size());
    EXPECT_EQ(counts.white, results[ResultWhiteWon]);
    EXPECT_EQ(counts.draw, results[ResultDraw]);
    EXPECT_EQ(counts.black, results[ResultBlackWon]);
    ASSERT_EQ(counts.moves.size(), moves.size());
    for (std::size_t i = 0; i < counts.moves.size(); ++i) {
        const CExplorerMove& row = counts.moves[i];
        const CSums& sums = moves[PackMove(row.move)];
        EXPECT_EQ(row.san, WriteSan(position.Board(), row.move));
        EXPECT_EQ(row.white, sums.results[ResultWhiteWon]);
        EXPECT_EQ(row.draw, sums.results[ResultDraw]);
        EXPECT_EQ(row.black, sums.results[ResultBlackWon]);
        EXPECT_EQ(row.games, row.white + row.draw + row.black + sums.results[ResultNone]);
        EXPECT_EQ(row.averageElo, sums.rated ? (sums.elo + sums.rated / 2) / sums.rated : 0);
        EXPECT_EQ(row.lastYear, sums.year);
        if (i > 0) {
            const CExplorerMove& before = counts.moves[i - 1];
            EXPECT_TRUE(before.games > row.games ||
                        (before.games == row.games && before.san <= row.san));
        }
    }
}

} // namespace

// Random positions of random games (the samples and fixtures read three times over, so that
// positions are shared), over all games and over every third: an index to ply 40 built on three
// threads, one to ply 6 on one thread, and the scan, which has no last ply.
TEST(PositionIndexTest, FiguresAndFiltersAgreeWithReplayingEveryGame) {
    const auto games = testutil::SampleGames(3);
    std::vector<std::uint32_t> thirds;
    for (std::uint32_t g = 0; g < games->Size(); g += 3) {
        thirds.push_back(g);
    }
    const CGameSubset subset(thirds, games->Size());
    const auto deep = CPositionIndex::Build(*games, {40, 3});
    const auto shallow = CPositionIndex::Build(*games, {6, 1});
    // The start, a position a fixture's game visits twice (its knights go out and back), then
    // random ones.
    std::vector<std::pair<std::string, CKeyedPosition>> positions = {{"start", {}}};
    ReadSanLine("1. d4 d5", positions.emplace_back("1. d4 d5", CKeyedPosition()).second);
    std::mt19937 random(29);
    while (positions.size() < 150) {
        const CStoredGame& game = games->Game(random() % games->Size());
        const std::uint32_t ply = random() % (game.moveCount + 1);
        CKeyedPosition position = CKeyedPosition::Start(game.Tag(kStart));
        for (std::uint32_t i = 0; i < ply; ++i) {
            position.Play(UnpackMove(game.moves[i]));
        }
        positions.emplace_back(GameTitle(game) + " ply " + std::to_string(ply), position);
    }
    for (const auto& [name, position] : positions) {
        SCOPED_TRACE(name);
        for (const CGameSubset* part : {static_cast<const CGameSubset*>(nullptr), &subset}) {
            for (const auto& index : {deep, shallow}) {
                const auto visits = ReferenceVisits(*games, position.Key(), index->MaxPly(), part);
                ExpectFigures(index->Explore(position, part), visits, *games, position);
                std::vector<CGameVisit> expected;
                for (const CVisit& visit : visits) {
                    expected.push_back({visit.game, visit.ply});
                }
                EXPECT_EQ(index->GamesReaching(position.Key(), part), expected);
            }
            CPositionScanner scanner(position);
            scanner.Add(*games, part);
            ExpectFigures(scanner.Result(), ReferenceVisits(*games, position.Key(), 9999, part),
                          *games, position);
        }
    }
    EXPECT_EQ(deep->GameCount(), games->Size());
    EXPECT_LE(deep->MemoryBytes(), deep->PositionCount() * 16);

    CLoadProgress cancelled;
    cancelled.cancelled = true;
    EXPECT_EQ(CPositionIndex::Build(*games, {}, &cancelled), nullptr);
}

// Ratings as files write them, and years of full and partial dates.
TEST(PositionIndexTest, RatingsAndYearsOfTheGames) {
    CPGNReader reader;
    reader.LoadText("[Event \"a\"]\n[Date \"1999.05.01\"]\n[WhiteElo \"2700\"]\n"
                    "[BlackElo \"2500\"]\n\n1. e4 e5 1-0\n\n"
                    "[Event \"b\"]\n[Date \"2003.??.??\"]\n[WhiteElo \"-\"]\n"
                    "[BlackElo \" 2400 \"]\n\n1. e4 c5 0-1\n\n"
                    "[Event \"c\"]\n[Date \"????.??.??\"]\n[WhiteElo \"4096\"]\n"
                    "[BlackElo \"2750?\"]\n\n1. e4 e5 1/2-1/2\n\n"
                    "[Event \"d\"]\n[Date \"2010\"]\n[WhiteElo \"4095\"]\n[BlackElo \"1\"]\n\n"
                    "1. d4 *\n");
    const auto index = CPositionIndex::Build(*reader.Games());
    const CExplorerCounts start = index->Explore(CKeyedPosition());
    EXPECT_EQ(start.games, 4u);
    ASSERT_EQ(start.moves.size(), 2u);
    EXPECT_EQ(start.moves[0].san, "e4");
    EXPECT_EQ(start.moves[0].averageElo, 2533); // 2700, 2500 and 2400
    EXPECT_EQ(start.moves[0].lastYear, 2003);
    EXPECT_EQ(start.moves[1].san, "d4");
    EXPECT_EQ(start.moves[1].averageElo, 2048); // 4095 and 1
    EXPECT_EQ(start.moves[1].lastYear, 2010);
    CKeyedPosition e4;
    ReadSanLine("1. e4", e4);
    const CExplorerCounts replies = index->Explore(e4);
    ASSERT_EQ(replies.moves.size(), 2u);
    EXPECT_EQ(replies.moves[0].san, "e5");
    EXPECT_EQ(replies.moves[0].averageElo, 2600);
    EXPECT_EQ(replies.moves[0].lastYear, 1999);
    EXPECT_EQ(replies.moves[1].averageElo, 2400);
}
