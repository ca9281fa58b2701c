#include "ShellFixture.h"
#include "gametable/GameTableColumn.h"
#include "resources/CommandIds.h"

namespace {

constexpr const char* kSamples = "samples/famous_games.pgn";
constexpr const char* kCastling = "tests/fixtures/pgn/castling_and_promotion.pgn";

} // namespace

class ShellGamesTable : public ShellFixture {
protected:
    void Load(const char* path) {
        shell.LoadPGNFile(path);
        FinishLoads();
    }
    std::string Shown() const { return std::to_string(player.GameIndex() + 1); }
};

TEST_F(ShellGamesTable, ChoosingInTheTableOrTheListMovesTheOther) {
    Load(kSamples);
    EXPECT_EQ(platform.tableCount, "8 of 8 games");
    EXPECT_EQ(platform.tableRow, 0);
    shell.OnCommand(ids::kPlayPauseButton, 0);
    shell.OnGamesTableRowChosen(4);
    platform.RunPosted();
    EXPECT_FALSE(shell.Playing());
    EXPECT_EQ(player.GameIndex(), 4u);
    EXPECT_EQ(platform.selection, 4);
    EXPECT_EQ(platform.title, "Tavrin - " + platform.gameList[4]);
    EXPECT_EQ(platform.tableRow, 4);

    shell.OnGamesTableSearchChanged("ANDERSSEN");
    EXPECT_EQ(platform.tableCount, "2 of 8 games");
    EXPECT_EQ(platform.tableRow, -1) << "the game on show is filtered out";
    platform.selection = 2;
    shell.OnCommand(ids::kGameList, ids::kSelectionChanged);
    platform.RunPosted();
    EXPECT_EQ(platform.tableRow, 1);
    shell.OnGamesTableRowChosen(0);
    platform.RunPosted();
    EXPECT_EQ(platform.selection, 1);
    EXPECT_EQ(platform.tableRow, 0);
    shell.OnGamesTableRowChosen(2);
    shell.OnGamesTableHeaderClicked(kGameColumns);
    EXPECT_EQ(player.GameIndex(), 1u) << "a row or column beyond the table changes nothing";
}

// Page Down walks the rows of a filtered, sorted table one by one and stops at the last; Page
// Up walks back.
TEST_F(ShellGamesTable, PageUpAndDownFollowTheRowsUnderAFilterAndASort) {
    Load(kSamples);
    shell.OnGamesTableSearchChanged("an");
    shell.OnGamesTableHeaderClicked(kColumnBlack);
    shell.OnGamesTableHeaderClicked(kColumnBlack);
    EXPECT_EQ(platform.table->SortColumn(), kColumnBlack);
    EXPECT_TRUE(platform.table->SortDescending());
    std::vector<std::string> rows = platform.TableColumn(kColumnNumber);
    ASSERT_GT(rows.size(), 2u);
    ASSERT_LT(rows.size(), 8u);

    shell.OnGamesTableRowChosen(0);
    std::vector<std::string> visited = {Shown()};
    for (std::size_t step = 0; step < rows.size(); ++step) {
        shell.OnCommand(ids::kNextGame, 0);
        visited.push_back(Shown());
    }
    platform.RunPosted();
    EXPECT_EQ(platform.tableRow, static_cast<int>(rows.size()) - 1);
    rows.push_back(rows.back());
    EXPECT_EQ(visited, rows);
    for (std::size_t step = 1; step < rows.size(); ++step) {
        shell.OnCommand(ids::kPreviousGame, 0);
    }
    EXPECT_EQ(Shown(), rows.front());
}

TEST_F(ShellGamesTable, TheTableFollowsEachLoadAndClosingAllGames) {
    shell.OnGamesTableSearchChanged("promotes");
    Load(kSamples);
    EXPECT_EQ(platform.tableCount, "No games match");
    EXPECT_FALSE(platform.table->ColumnShown(kColumnFile));
    Load(kCastling);
    EXPECT_EQ(platform.tableCount, "2 of 10 games");
    EXPECT_EQ(platform.TableColumn(kColumnNumber), (std::vector<std::string>{"9", "10"}));
    EXPECT_TRUE(platform.table->ColumnShown(kColumnFile));
    EXPECT_EQ(platform.TableColumn(kColumnFile)[0], "castling_and_promotion.pgn");

    shell.OnCommand(ids::kCloseAllGames, 0);
    EXPECT_EQ(platform.tableCount, "0 of 0 games");
    EXPECT_FALSE(platform.table->ColumnShown(kColumnFile));
}

// Ctrl+G leaves the focus with the table; the mark follows a dock its own button closed.
TEST_F(ShellGamesTable, TheViewMenuShowsHidesAndFocusesTheTable) {
    EXPECT_FALSE(platform.tableShown);
    shell.OnCommand(ids::kGamesTable, 0);
    EXPECT_TRUE(platform.tableShown);
    EXPECT_EQ(platform.checked.count(ids::kGamesTable), 1u);
    shell.OnGamesTableClosed();
    EXPECT_EQ(platform.checked.count(ids::kGamesTable), 0u);
    platform.tableShown = false;

    const int focusBefore = platform.focusRequests;
    shell.OnCommand(ids::kFocusGamesTable, 0);
    EXPECT_TRUE(platform.tableShown);
    EXPECT_TRUE(platform.tableFocused);
    EXPECT_EQ(platform.checked.count(ids::kGamesTable), 1u);
    EXPECT_EQ(platform.focusRequests, focusBefore);
    shell.OnCommand(ids::kGamesTable, 0);
    EXPECT_FALSE(platform.tableShown);
}
