#include "gametable/GameTable.h"

#include "common/SearchFolding.h"
#include "gametable/GameFilter.h"
#include "openings/ListOpenings.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include <gtest/gtest.h>

namespace {

// One game's tags in the table's column order, its result and its half-moves.
struct CRow {
    std::string white, black, event, site, date, round;
    int result = ResultNone;
    std::uint32_t halfMoves = 0;
};

std::shared_ptr<const CGameBatch> Batch(const std::string& path, const std::vector<CRow>& rows) {
    auto file = std::make_shared<CSourceFile>();
    file->path = path;
    auto batch = std::make_shared<CGameBatch>(file, 1000);
    for (const CRow& row : rows) {
        const std::vector<CMove> moves(row.halfMoves, CMove{4, 1, 4, 3});
        CParsedGame game;
        game.tags = {row.event, row.site, row.date, row.round, row.white, row.black, ""};
        game.result = row.result;
        game.moves = moves;
        batch->Add(game);
    }
    return batch;
}

std::shared_ptr<const CGameListSnapshot>
List(const std::vector<std::shared_ptr<const CGameBatch>>& batches,
     const CGameListSnapshot& before = CGameListSnapshot()) {
    return std::make_shared<const CGameListSnapshot>(before, batches);
}

// Müller three ways: UTF-8, Windows-1252 and without the accent.
const std::vector<CRow> kGames = {
    {"Kasparov, Garry", "Karpov, Anatoly", "World Ch", "Moscow", "1985.10.15", "16", 0, 80},
    {"M\xC3\xBCller, Hans", "Tal, Mikhail", "Linares", "Linares ESP", "1985.??.??", "3", 2, 41},
    {"M\xFCller, Karl", "Kasparov, Garry", "Olympiad", "Dubai", "????.??.??", "?", 1, 0},
    {"Muller, Ivan", "Petrosian", "?", "Linares", "", "2", 3, 79},
    {"Karpov, Anatoly", "Kasparov, Garry", "World Ch", "Moscow", "1984.09.10", "10", 2, 50},
    {"Tal, Mikhail", "Botvinnik", "World Ch", "Moscow", "1960.03.15", "6", 0, 81},
};

std::vector<std::size_t> Shown(const CGameTable& table) {
    std::vector<std::size_t> games;
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        games.push_back(table.GameAt(row));
    }
    return games;
}

class GameTableTest : public ::testing::Test {
protected:
    GameTableTest() { table.SetGames(List({Batch("/db/a.pgn", kGames)})); }
    CGameTable table;
};

TEST(SearchFoldingTest, FoldsCaseAndAccentsOfBothEncodings) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"M\xC3\xBCLLER", "muller"}, {"M\xFCller", "muller"}, {"Mu\xCC\x88ller", "muller"},
        {"Mueller", "mueller"}, {"\xC5\x81ukasz Stra\xC3\x9F" "e", "lukasz strasse"},
        {"\x8A" "a\x9A" "a \xC6", "sasa ae"}, {"a\tb\xC2\xA0" "c", "a b c"},
        {"\xD0\x92\xD0\x9E\xD0\x9B", "\xD0\xB2\xD0\xBE\xD0\xBB"}};
    // clang-format on
    for (const auto& [bytes, folded] : cases) {
        EXPECT_EQ(FoldForSearch(bytes), folded) << bytes;
    }
}

// Every term must match, each in any of White, Black, Event, Site, Date or Round; typed and
// erased character by character, a filter narrows and widens as a fresh one would.
TEST_F(GameTableTest, FilterKeepsGamesThatHoldEveryTerm) {
    // clang-format off
    const std::pair<std::string, std::vector<std::size_t>> cases[] = {
        {"", {0, 1, 2, 3, 4, 5}}, {"kasparov", {0, 2, 4}}, {"KARPOV  kasparov", {0, 4}},
        {"linares", {1, 3}}, {"1985", {0, 1}}, {"muller", {1, 2, 3}}, {"M\xC3\x9CLLER", {1, 2, 3}},
        {"m\xFCller linares", {1, 3}}, {"16", {0}}, {"ch moscow 198", {0, 4}}, {"tal 1960", {5}},
        {"garry,", {}}, {"zzz", {}}};
    // clang-format on
    for (const auto& [text, games] : cases) {
        table.SetFilter(text);
        EXPECT_EQ(Shown(table), games) << text;
        EXPECT_EQ(table.CountText(), games.empty() ? std::string("No games match")
                                                   : std::to_string(games.size()) + " of 6 games")
            << text;
    }
    const std::string name = "kasparov 1985.10 x";
    for (std::size_t step = 0; step <= 2 * name.size(); ++step) {
        const std::string text =
            name.substr(0, step <= name.size() ? step : 2 * name.size() - step);
        table.SetFilter(text);
        CGameTable fresh;
        fresh.SetGames(table.Games());
        fresh.SetFilter(text);
        EXPECT_EQ(Shown(table), Shown(fresh)) << text;
    }
}

TEST_F(GameTableTest, CellsShowUtf8TextsAndFullMoves) {
    const std::map<EGameColumn, std::string> cells = {
        {kColumnNumber, "3"},   {kColumnWhite, "M\xC3\xBCller, Karl"},
        {kColumnResult, "0-1"}, {kColumnDate, "????.??.??"},
        {kColumnMoves, "0"},    {kColumnFile, "a.pgn"}};
    for (const auto& [column, text] : cells) {
        EXPECT_EQ(table.CellText(2, column), text) << GameColumnTitle(column);
    }
    EXPECT_EQ(table.CellText(3, kColumnMoves), "40");
    EXPECT_EQ(table.CellText(5, kColumnMoves), "41");
}

// Names of a file in a DOS code page show, and are found, as the letters they are.
TEST(GameTableCodePageTest, NamesOfADosFileShowAndAreFoundWithOrWithoutAccents) {
    CPGNReader reader;
    reader.Load("tests/fixtures/pgn/cp437-names.pgn");
    CGameTable table;
    table.SetGames(reader.Games());
    EXPECT_EQ(table.CellText(0, kColumnWhite), "Lepp\xC3\xA4l\xC3\xA4, Matti");
    for (const char* search : {"leppala", "LEPP\xC3\x84L\xC3\x84", "zurich", "ekstr\xC3\xB6m"}) {
        table.SetFilter(search);
        EXPECT_EQ(table.CountText(), "1 of 2 games") << search;
    }
}

// Against a stable sort on the texts shown, folded, or their numbers.
TEST_F(GameTableTest, SortsEachColumnBothWaysWithTiesInListOrder) {
    const std::map<std::string, int> resultRank = {
        {"1-0", 0}, {"1/2-1/2", 1}, {"0-1", 2}, {"*", 3}};
    for (const EGameColumn column : {kColumnNumber, kColumnWhite, kColumnBlack, kColumnResult,
                                     kColumnEvent, kColumnSite, kColumnMoves}) {
        const auto key = [&](std::size_t game) -> std::pair<long, std::string> {
            const std::string text = GameCellText(*table.Games(), game, column);
            if (column == kColumnNumber || column == kColumnMoves) {
                return {std::stol(text), ""};
            }
            return {column == kColumnResult ? resultRank.at(text) : 0, FoldForSearch(text)};
        };
        table.SetFilter("");
        std::vector<std::size_t> expected(kGames.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        table.ToggleSort(column);
        EXPECT_EQ(Shown(table), expected) << GameColumnTitle(column);
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](std::size_t a, std::size_t b) { return key(b) < key(a); });
        table.ToggleSort(column);
        EXPECT_TRUE(table.SortDescending());
        EXPECT_EQ(Shown(table), expected) << GameColumnTitle(column);
    }
    table.SortBy(kColumnRound, false);
    EXPECT_EQ(Shown(table), (std::vector<std::size_t>{3, 1, 5, 4, 0, 2}));
}

// Full dates, then partial ones by their known parts, then unknown ones; descending keeps the
// groups.
TEST(GameTableDateTest, UnknownAndPartialDatesGoAfterFullDates) {
    const std::vector<std::string> dates = {"1985.??.??", "",           "1985.10.15", "????.??.??",
                                            "1985.10.??", "1984.12.31", "1985.??.??", "1986"};
    std::vector<CRow> rows;
    for (const std::string& date : dates) {
        rows.push_back({"w", "b", "e", "s", date, "1", ResultNone, 0});
    }
    CGameTable table;
    table.SetGames(List({Batch("", rows)}));
    table.SortBy(kColumnDate, false);
    EXPECT_EQ(Shown(table), (std::vector<std::size_t>{5, 2, 4, 0, 6, 7, 1, 3}));
    table.SortBy(kColumnDate, true);
    EXPECT_EQ(Shown(table), (std::vector<std::size_t>{2, 5, 7, 0, 6, 4, 1, 3}));
}

// Under a sort by White and the filter "kasparov" the rows are Karpov (4), Kasparov (0) and
// Müller, Karl (2); Müller, Hans (1) is hidden between 0 and 2.
TEST_F(GameTableTest, RowsGamesAndNeighboursFollowTheTablesOrder) {
    EXPECT_FALSE(table.OwnOrder());
    EXPECT_EQ(table.NeighbourGame(2, 1, 6), 3u);
    EXPECT_EQ(table.NeighbourGame(0, -1, 6), std::nullopt);
    EXPECT_EQ(table.NeighbourGame(5, 1, 6), std::nullopt);

    table.SortBy(kColumnWhite, false);
    table.SetFilter("kasparov");
    EXPECT_TRUE(table.OwnOrder());
    ASSERT_EQ(Shown(table), (std::vector<std::size_t>{4, 0, 2}));
    const std::vector<std::optional<std::size_t>> rowOf = {1, std::nullopt, 2, std::nullopt,
                                                           0, std::nullopt};
    for (std::size_t game = 0; game < rowOf.size(); ++game) {
        EXPECT_EQ(table.RowOf(game), rowOf[game]) << game;
    }
    EXPECT_EQ(table.RowOf(6), std::nullopt);
    // From the last row, back from the first, and from a hidden game to its neighbours.
    const std::vector<std::tuple<std::size_t, int, std::optional<std::size_t>>> steps = {
        {2, 1, std::nullopt}, {4, -1, std::nullopt}, {1, 1, 2}, {1, -1, 0}};
    for (const auto& [game, step, neighbour] : steps) {
        EXPECT_EQ(table.NeighbourGame(game, step, 6), neighbour) << game << " " << step;
    }
    // Games of a load the table has yet to follow go in the list's order.
    EXPECT_EQ(table.NeighbourGame(6, 1, 8), 7u);
    EXPECT_EQ(table.NeighbourGame(7, 1, 8), std::nullopt);
}

// A table that follows a growing list shows what a fresh table over the whole list shows.
TEST_F(GameTableTest, FollowsAppendedGamesAndAnEmptiedList) {
    const std::vector<CRow> more = {
        {"Kasparov, Garry", "Short", "PCA", "London", "1993.09.07", "1", 0, 60},
        {"Anand", "Kasparov, Garry", "PCA", "New York", "1995.??.??", "10", 1, 30},
        {"Short", "Timman", "Cand", "El Escorial", "1993.01.??", "13", 2, 44},
    };
    table.SortBy(kColumnDate, true);
    table.SetFilter("kasparov");
    EXPECT_FALSE(table.FileColumnShown());
    const auto grown = List({Batch("/db/b.pgn", more)}, *table.Games());
    table.SetGames(grown);
    CGameTable fresh;
    fresh.SetGames(grown);
    fresh.SortBy(kColumnDate, true);
    fresh.SetFilter("kasparov");
    EXPECT_EQ(Shown(table), Shown(fresh));
    EXPECT_EQ(table.CountText(), "5 of 9 games");
    table.SetFilter("kasparov garry"); // narrows what "kasparov" kept, across both batches
    fresh.SetFilter("kasparov garry");
    EXPECT_EQ(Shown(table), Shown(fresh));
    table.SetFilter("kasparov");
    EXPECT_TRUE(table.FileColumnShown());
    EXPECT_EQ(table.CellText(0, kColumnFile), "b.pgn");

    const std::shared_ptr<const CGameSearchKeys> grownKeys = table.SearchKeys();
    table.SetGames(List({}));
    EXPECT_EQ(table.CountText(), "0 of 0 games");
    // As many games as before, in new batches: keys made from the old ones must not be reused.
    const auto other = List({Batch("/db/b.pgn", more), Batch("/db/b.pgn", kGames)});
    table.SetGames(other, std::make_shared<const CGameSearchKeys>(other, grownKeys.get()));
    CGameTable again;
    again.SetGames(other);
    again.SortBy(kColumnDate, true);
    again.SetFilter("kasparov");
    EXPECT_EQ(Shown(table), Shown(again));
    EXPECT_FALSE(table.FileColumnShown());
}

} // namespace

// Against a plain reference (each term in the game's folded tags or in its opening's text),
// searches typed a character at a time, so that each narrows the one before, over the samples'
// games with their openings.
TEST(GameTableOpeningsTest, SearchesFindTermsInTagsOrOpeningsAsAPlainScanDoes) {
    CPGNReader reader;
    reader.Load("samples/famous_games.pgn");
    reader.Load("samples/annotated_games.pgn");
    const std::shared_ptr<const CGameListSnapshot> list = reader.Games();
    const std::shared_ptr<const COpeningBook> book = InstalledOpeningBook();
    ASSERT_NE(book, nullptr);
    const auto marks = std::make_shared<const CListOpenings>(
        book, nullptr, EntriesOf(*ClassifyGames(*book, list->Batches())));
    CGameTable table;
    table.SetOpenings(marks);
    table.SetGames(list);
    for (const char* query : {"gambit anderssen", "c4 defense", "king's indian fischer",
                              "indian 195", "king's gambit accepted", "a defense", "caro"}) {
        const std::vector<std::string> terms = SearchTerms(query);
        std::vector<std::size_t> expected;
        for (std::size_t game = 0; game < list->Size(); ++game) {
            std::string text = FoldForSearch(marks->Text(game));
            for (int field = 0; field < kSearchFields; ++field) {
                text += "\n";
                text += table.SearchKeys()->Field(game, static_cast<ESearchField>(field));
            }
            if (std::all_of(terms.begin(), terms.end(), [&text](const std::string& term) {
                    return text.find(term) != std::string::npos;
                })) {
                expected.push_back(game);
            }
        }
        const std::string typed = query;
        for (std::size_t length = 1; length <= typed.size(); ++length) {
            table.SetFilter(typed.substr(0, length));
        }
        EXPECT_EQ(Shown(table), expected) << query;
    }
}

// More distinct tag values than one tag table holds: the batch starts another table, each game
// keeps its own tags, and sorts and searches rank and match texts across the tables.
TEST(GameTableManyValuesTest, TagsSortsAndSearchesSpanTagTables) {
    std::vector<CRow> rows;
    std::mt19937 random(31);
    for (int i = 0; i < 16000; ++i) {
        const auto n = [&random] { return std::to_string(random() % 30000); };
        rows.push_back({"W" + n(), "B" + n(), "E" + std::to_string(i), "S" + n(),
                        std::to_string(1000 + random() % 1000) + ".0" + std::to_string(1 + i % 9) +
                            ".1" + std::to_string(i % 10),
                        n(), static_cast<int>(random() % 4), static_cast<std::uint32_t>(i % 7)});
    }
    const std::vector<CRow> again(rows.begin(), rows.begin() + 50);
    const auto list = List({Batch("/db/a.pgn", rows), Batch("/db/b.pgn", again)});
    std::set<const CTagTable*> tables;
    for (std::size_t g = 0; g < rows.size(); ++g) {
        const CStoredGame& game = list->Game(g);
        tables.insert(&game.TagTable());
        ASSERT_EQ(game.Tag(kWhite), rows[g].white);
        ASSERT_EQ(game.Tag(kSite), rows[g].site);
        ASSERT_EQ(game.Tag(kDate), rows[g].date);
        ASSERT_EQ(game.moveCount, rows[g].halfMoves);
    }
    EXPECT_EQ(tables.size(), 2u);
    CGameTable table;
    table.SetGames(list);
    for (const EGameColumn column : {kColumnWhite, kColumnRound, kColumnDate, kColumnEvent}) {
        for (const bool descending : {false, true}) {
            table.SortBy(column, descending);
            const std::vector<std::size_t> shown = Shown(table);
            for (std::size_t row = 1; row < shown.size(); ++row) {
                const std::string a = FoldForSearch(GameCellText(*list, shown[row - 1], column));
                const std::string b = FoldForSearch(GameCellText(*list, shown[row], column));
                const bool numeric = column == kColumnRound;
                const auto key = [numeric](const std::string& text) {
                    return numeric ? std::make_pair(std::stol(text), std::string())
                                   : std::make_pair(0L, text);
                };
                ASSERT_TRUE(descending ? key(b) <= key(a) : key(a) <= key(b)) << a << " " << b;
                if (key(a) == key(b)) {
                    ASSERT_LT(shown[row - 1], shown[row]);
                }
            }
        }
    }
    // 70 terms: more than one search pass; every term in one game of each table.
    std::string terms = rows[3].white + " " + rows[3].black;
    for (int t = 0; t < 68; ++t) {
        terms += " " + rows[3].white.substr(0, 2);
    }
    table.SetFilter(terms);
    const std::vector<std::size_t> found = Shown(table);
    EXPECT_TRUE(std::find(found.begin(), found.end(), 3u) != found.end());
    for (const std::size_t game : found) {
        const std::string key = FoldForSearch(list->Game(game).Tag(kWhite)) + "\n" +
                                FoldForSearch(list->Game(game).Tag(kBlack));
        EXPECT_NE(key.find(FoldForSearch(rows[3].white)), std::string::npos);
    }
    table.SetFilter(rows[15999].event + " " + rows[15999].white);
    EXPECT_EQ(Shown(table), std::vector<std::size_t>{15999});
}

// The radix sort against std::stable_sort: keys within 16 bits, beyond them, in order, reversed.
TEST(GameTableRadixTest, OrdersAsAStableSortDoes) {
    std::mt19937 random(7);
    std::vector<std::uint32_t> order;
    for (const std::uint32_t range : {1u, 300u, 70000u, 0xFFFFFFFFu}) {
        for (int shape = 0; shape < 3; ++shape) {
            std::vector<std::uint32_t> keys(5000);
            for (std::uint32_t& key : keys) {
                key = 100 + static_cast<std::uint32_t>(random() % range);
            }
            if (shape > 0) {
                std::sort(keys.begin(), keys.end());
            }
            if (shape > 1) {
                std::reverse(keys.begin(), keys.end());
            }
            std::vector<std::uint32_t> expected(keys.size());
            std::iota(expected.begin(), expected.end(), 0u);
            std::stable_sort(
                expected.begin(), expected.end(),
                [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
            RadixOrder(keys, order);
            EXPECT_EQ(order, expected) << range << " " << shape;
        }
    }
}

// Enough games to be matched on two threads, across batches, blocks and tag tables: the table's
// search, typed a character at a time and from a later game on, finds what a plain scan does.
TEST(GameTableTwoThreadsTest, SearchesFindWhatAPlainScanFinds) {
    std::mt19937 random(5);
    std::vector<std::shared_ptr<const CGameBatch>> batches;
    for (int b = 0; b < 3; ++b) {
        std::vector<CRow> rows(30000);
        for (CRow& row : rows) {
            const auto n = [&random](unsigned m) { return std::to_string(random() % m); };
            row = {"W" + n(40000), "B" + n(900),
                   "E" + n(50),    "S" + n(7),
                   "19" + n(99),   n(20),
                   ResultNone,     static_cast<std::uint32_t>(random() % 5)};
        }
        batches.push_back(Batch("/db/" + std::to_string(b) + ".pgn", rows));
    }
    const auto list = List(batches);
    CGameTable table;
    table.SetGames(list);
    const CGameSearchKeys& keys = *table.SearchKeys();
    for (const std::string query : {"w12 b1", "s3 e4 19", "w3999", "1", "w1 b8 s e 9 1"}) {
        const std::vector<std::string> terms = SearchTerms(query);
        std::vector<std::uint32_t> expected;
        for (std::size_t game = 0; game < list->Size(); ++game) {
            std::string text;
            for (int field = 0; field < kSearchFields; ++field) {
                text += std::string(keys.Field(game, static_cast<ESearchField>(field))) + "\n";
            }
            if (std::all_of(terms.begin(), terms.end(), [&text](const std::string& term) {
                    return text.find(term) != std::string::npos;
                })) {
                expected.push_back(static_cast<std::uint32_t>(game));
            }
        }
        for (std::size_t length = 1; length <= query.size(); ++length) {
            table.SetFilter(query.substr(0, length));
        }
        ASSERT_NE(table.Matches(), nullptr);
        EXPECT_EQ(*table.Matches(), expected) << query;
        const auto later = std::lower_bound(expected.begin(), expected.end(), 12345u);
        EXPECT_EQ(MatchGames(keys, terms, 12345),
                  std::vector<std::uint32_t>(later, expected.end()));
    }
}

// A game whose text lies beyond what a listed game records is refused, not cut short.
TEST(GameBatchLimitTest, RefusesATextTooLongOrTooFarIn) {
    CGameBatch batch(std::make_shared<CSourceFile>(), 1000);
    CParsedGame game;
    game.textLength = std::uint64_t{1} << 32;
    const std::string message =
        "CPGNReader::ParseGame(): The game's text is too long or too far into the file!";
    try {
        batch.Add(game);
        ADD_FAILURE();
    } catch (const CPGNReaderException& e) {
        EXPECT_EQ(e.GetMessage(), message);
    }
    game.textLength = (std::uint64_t{1} << 32) - 1; // a game of a comment of gigabytes is kept
    batch.Add(game);
    EXPECT_EQ(batch.Game(0).textLength, game.textLength);
    game.textLength = 100;
    game.textOffset = std::uint64_t{1} << 40;
    EXPECT_THROW(batch.Add(game), CPGNReaderException);
    game.textOffset -= 1;
    batch.Add(game);
    EXPECT_EQ(batch.Game(1).textOffset, game.textOffset);
    EXPECT_EQ(batch.Game(1).textLength, 100u);
    // A game larger than a block gets one of its own and still finds its tags.
    const std::vector<CMove> moves(600000, CMove{4, 1, 4, 3});
    game.moves = moves;
    game.tags[kWhite] = "Long";
    batch.Add(game);
    batch.Add(game);
    for (const std::size_t g : {2u, 3u}) {
        EXPECT_EQ(batch.Game(g).Tag(kWhite), "Long");
        EXPECT_EQ(batch.Game(g).moveCount, moves.size());
        EXPECT_EQ(batch.Game(g).moves[moves.size() - 1], PackMove(moves.back()));
    }
}
