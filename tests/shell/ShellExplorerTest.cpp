#include "ShellFixture.h"
#include "gametable/GameTableColumn.h"
#include "resources/CommandIds.h"

namespace {

constexpr const char* kSamples = "samples/famous_games.pgn";

} // namespace

class ShellExplorer : public ShellFixture {
protected:
    // The explorer's moves as "SAN games".
    std::vector<std::string> Moves() const {
        std::vector<std::string> rows;
        for (int row = 0; row < platform.explorer->RowCount(); ++row) {
            const CExplorerRow move = platform.explorer->Row(row);
            rows.push_back(move.san + ' ' + std::to_string(move.games));
        }
        return rows;
    }
    // Runs the posted tasks until the index is ready, or the position is found past it.
    void WaitForIndex() {
        const auto busy = [this] {
            const std::string status = platform.explorer->StatusText();
            return status.starts_with("indexing…") || status == "searching…";
        };
        for (int waited = 0; waited < 20000 && busy(); ++waited) {
            platform.RunPosted();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_FALSE(busy());
    }
    void Command(int id) {
        shell.OnCommand(id, 0);
        platform.RunPosted();
    }
};

// The games' openings in the table: shown, searched (a term may lie in the name alone) and
// sorted by ECO code, unnamed games last.
TEST_F(ShellExplorer, TheGamesTableShowsSearchesAndSortsTheOpenings) {
    shell.LoadPGNFile(kSamples);
    FinishLoads();
    const std::vector<std::string> openings = platform.TableColumn(kColumnOpening);
    ASSERT_EQ(openings.size(), 8u);
    EXPECT_EQ(openings[0].substr(0, 4), "C41 ") << "Philidor Defense, as the file's ECO says";
    shell.OnGamesTableSearchChanged("king's gambit anderssen");
    EXPECT_EQ(platform.tableCount, "1 of 8 games");
    EXPECT_EQ(platform.TableColumn(kColumnBlack), std::vector<std::string>{"Kieseritzky, Lionel"});
    shell.OnGamesTableSearchChanged("");
    shell.OnGamesTableHeaderClicked(kColumnOpening);
    std::vector<std::string> sorted = platform.TableColumn(kColumnOpening);
    std::vector<std::string> expected = openings;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
}

// The dock indexes the list only once shown; it follows the steps, a click on a move plays it
// (in another game when the one on show went elsewhere), and "Games with this position"
// filters the table to the games reaching the position, each chosen at that ply.
TEST_F(ShellExplorer, TheExplorerFollowsThePositionPlaysMovesAndFiltersTheTable) {
    shell.LoadPGNFile(kSamples);
    FinishLoads();
    EXPECT_FALSE(platform.explorerShown) << "hidden by default";
    EXPECT_TRUE(Moves().empty()) << "no index while hidden";
    Command(ids::kOpeningExplorer);
    EXPECT_TRUE(platform.explorerShown);
    WaitForIndex();
    EXPECT_EQ(Moves(), (std::vector<std::string>{"e4 4", "d4 3", "Nf3 1"}));
    EXPECT_EQ(platform.explorer->StatusText(), "8 games: white 63%, draw 0%, black 38%");
    EXPECT_EQ(platform.notationOpening, "");

    Command(ids::kNextMove);
    EXPECT_EQ(Moves(), std::vector<std::string>{"e5 4"});
    EXPECT_EQ(platform.notationOpening.substr(0, 4), "B00 ");

    Command(ids::kFirstPosition);
    shell.OnExplorerMoveChosen(1); // d4: the first game to play it is the fourth
    platform.RunPosted();
    EXPECT_EQ(player.GameIndex(), 3u);
    EXPECT_EQ(player.MoveIndex(), 1u);
    EXPECT_EQ(platform.selection, 3);
    EXPECT_EQ(Moves(), (std::vector<std::string>{"Nf6 1", "e6 1", "f5 1"})) << "it follows";

    Command(ids::kGamesWithPosition);
    EXPECT_EQ(platform.tableCount, "3 of 8 games");
    EXPECT_TRUE(platform.explorer->FilteringByPosition());
    shell.OnGamesTableRowChosen(2);
    platform.RunPosted();
    EXPECT_EQ(player.GameIndex(), 7u);
    EXPECT_EQ(player.MoveIndex(), 1u) << "shown at the ply where it reaches the position";
    Command(ids::kGamesWithPosition);
    EXPECT_EQ(platform.tableCount, "8 of 8 games");
    Command(ids::kLastPosition); // past the index: the games are replayed on a worker
    WaitForIndex();
    EXPECT_EQ(platform.explorer->StatusText(), "1 game: white 0%, draw 0%, black 100%");
    Command(ids::kGamesWithPosition);
    EXPECT_EQ(platform.tableCount, "1 of 8 games");
    Command(ids::kGamesWithPosition);

    shell.OnGamesTableSearchChanged("Anderssen");
    Command(ids::kFirstPosition);
    Command(ids::kExplorerOnlyFound);
    EXPECT_EQ(Moves(), std::vector<std::string>{"e4 2"});

    Command(ids::kCloseAllGames);
    EXPECT_TRUE(Moves().empty());
    EXPECT_EQ(platform.explorer->StatusText(), "No games listed");
    Command(ids::kOpeningExplorer);
    EXPECT_FALSE(platform.explorerShown);
}
