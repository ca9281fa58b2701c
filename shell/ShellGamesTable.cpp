#include "gametable/SearchKeysJob.h"
#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

// Everything here runs on the interface thread; a filter or a sort of a database of 145,000
// games takes well under 100 ms there (bench/game_table_bench), so none needs a worker. Only the
// search keys of a grown list do (CSearchKeysJob).

namespace {

// Whether the table was shown at the end of the last run.
constexpr const char* kShownSetting = "view/gamesTable";

} // namespace

void CShell::CreateGamesTable() {
    platform.SetGamesTableContent(gamesTableContent);
    platform.SetGamesTableCount(gameTable.CountText());
    ShowGamesTable(platform.ReadSetting(kShownSetting, "0") == "1");
}

bool CShell::HandleGamesTableCommand(int id) {
    switch (id) {
    case ids::kGamesTable:
        ShowGamesTable(!gamesTableShown);
        return true;
    case ids::kFocusGamesTable:
        ShowGamesTable(true);
        platform.FocusGamesTable();
        return true;
    default:
        return false;
    }
}

void CShell::ShowGamesTable(bool shown) {
    gamesTableShown = shown;
    platform.ShowGamesTable(shown);
    platform.SetMenuItemChecked(ids::kGamesTable, shown);
    platform.WriteSetting(kShownSetting, shown ? "1" : "0");
}

void CShell::OnGamesTableClosed() {
    gamesTableShown = false;
    platform.SetMenuItemChecked(ids::kGamesTable, false);
    platform.WriteSetting(kShownSetting, "0");
}

void CShell::OnGamesTableHeaderClicked(int column) {
    if (column < 0 || column >= kGameColumns) {
        return;
    }
    gameTable.ToggleSort(static_cast<EGameColumn>(column));
    RefreshGamesTable();
}

void CShell::OnGamesTableSearchChanged(const std::string& text) {
    gameTable.SetFilter(text);
    RefreshGamesTable();
}

void CShell::OnGamesTableRowChosen(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= gameTable.RowCount()) {
        return;
    }
    ChooseGame(static_cast<int>(gameTable.GameAt(static_cast<std::size_t>(row))));
}

void CShell::ChooseGame(int index) {
    StopPlayback();
    if (index < 0 || index >= listedGames) {
        return;
    }
    player.SelectGame(static_cast<unsigned>(index));
    platform.SetGameListSelection(index);
    UpdateTitle();
}

// A table that has not yet followed a load does not hold its games: they come in the list's
// order, after the table's own.
std::optional<std::size_t> CShell::NeighbourGame(int step) const {
    const std::size_t game = player.GameIndex();
    if (gameTable.OwnOrder() && game < gameTable.GameCount()) {
        return gameTable.NeighbourGame(game, step);
    }
    const std::ptrdiff_t next = static_cast<std::ptrdiff_t>(game) + step;
    if (next < 0 || next >= listedGames) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(next);
}

// One job at a time: the list that changed while it ran is followed when it ends.
void CShell::FollowGameList() {
    std::shared_ptr<const CGameListSnapshot> games = player.Games();
    if (games == gameTable.Games()) {
        return;
    }
    if (games->Size() == 0) {
        gameTable.SetGames(std::move(games));
        RefreshGamesTable();
        return;
    }
    if (keysJob != nullptr) {
        return;
    }
    keysJob = std::make_unique<CSearchKeysJob>(games, gameTable.SearchKeys(), [this] {
        platform.PostToInterfaceThread([this] { FinishSearchKeys(); });
    });
}

// Keys of a list that is no longer the player's are dropped.
void CShell::FinishSearchKeys() {
    if (keysJob == nullptr) {
        return;
    }
    keysJob->Join();
    const std::unique_ptr<CSearchKeysJob> ended = std::move(keysJob);
    if (ended->List() == player.Games()) {
        gameTable.SetGames(ended->List(), ended->Keys());
        RefreshGamesTable();
    }
    FollowGameList();
}

void CShell::RefreshGamesTable() {
    platform.GamesTableRowsChanged();
    platform.SetGamesTableCount(gameTable.CountText());
    SelectGameInTable();
}

void CShell::SelectGameInTable() {
    const std::optional<std::size_t> row =
        listedGames > 0 ? gameTable.RowOf(player.GameIndex()) : std::nullopt;
    platform.SelectGamesTableRow(row ? static_cast<int>(*row) : -1);
}
