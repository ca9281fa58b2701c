#include "shell/GamesTableAdapter.h"

#include "platform/ShellPlatform.h"
#include "resources/CommandIds.h"

#include <array>

namespace {

// Wide enough for most names, events and sites of a database; the user widens the others.
constexpr std::array<int, kGameColumns> kColumnCharacters = {7,  22, 22, 7,  12, 24,
                                                             18, 6,  6,  22, 40};
// Whether the table was shown at the end of the last run.
constexpr const char* kShownSetting = "view/gamesTable";

bool IsColumn(int column) {
    return column >= 0 && column < kGameColumns;
}

} // namespace

CGamesTableAdapter::CGamesTableAdapter(IShellPlatform& platform)
    : platform(platform),
      feed(table, [this] { this->platform.PostToInterfaceThread([this] { FinishKeys(); }); }) {
}

void CGamesTableAdapter::Create() {
    platform.SetGamesTableContent(*this);
    platform.SetGamesTableCount(table.CountText());
    Show(platform.ReadSetting(kShownSetting, "0") == "1");
}

void CGamesTableAdapter::Shutdown() {
    platform.DetachGamesTableContent(); // the window outlives the shell, which owns the content
    feed.Stop();
}

bool CGamesTableAdapter::HandleCommand(int id) {
    switch (id) {
    case ids::kGamesTable:
        Show(!shown);
        return true;
    case ids::kFocusGamesTable:
        Show(true);
        platform.FocusGamesTable();
        return true;
    default:
        return false;
    }
}

void CGamesTableAdapter::Show(bool on) {
    shown = on;
    platform.ShowGamesTable(on);
    platform.SetMenuItemChecked(ids::kGamesTable, on);
    platform.WriteSetting(kShownSetting, on ? "1" : "0");
}

void CGamesTableAdapter::OnClosed() {
    shown = false;
    platform.SetMenuItemChecked(ids::kGamesTable, false);
    platform.WriteSetting(kShownSetting, "0");
}

void CGamesTableAdapter::OnHeaderClicked(int column) {
    if (!IsColumn(column)) {
        return;
    }
    table.ToggleSort(static_cast<EGameColumn>(column));
    Refresh();
}

void CGamesTableAdapter::OnSearchChanged(const std::string& text) {
    table.SetFilter(text);
    Refresh();
    if (onSearchChanged) {
        onSearchChanged();
    }
}

void CGamesTableAdapter::FilterByPosition(std::optional<std::vector<CGameVisit>> visits) {
    table.SetPositionFilter(std::move(visits));
    Refresh();
}

std::optional<std::size_t> CGamesTableAdapter::GameAtRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= table.RowCount()) {
        return std::nullopt;
    }
    return table.GameAt(static_cast<std::size_t>(row));
}

std::optional<std::size_t> CGamesTableAdapter::NeighbourGame(std::size_t game, int step,
                                                             std::size_t listed) const {
    return table.NeighbourGame(game, step, listed);
}

void CGamesTableAdapter::Follow(std::shared_ptr<const CGameListSnapshot> list,
                                std::shared_ptr<const CListOpenings> openings) {
    table.SetOpenings(std::move(openings));
    FilterByPosition(std::nullopt);
    if (feed.Follow(std::move(list))) {
        Refresh();
    }
}

void CGamesTableAdapter::FinishKeys() {
    if (feed.Collect()) {
        Refresh();
    }
}

void CGamesTableAdapter::OnShowChanged(const CShowNotice& notice) {
    gameOnShow = notice.game;
    SelectShownGame();
}

void CGamesTableAdapter::Refresh() {
    platform.GamesTableRowsChanged();
    platform.SetGamesTableCount(table.CountText());
    SelectShownGame();
}

void CGamesTableAdapter::SelectShownGame() {
    const std::optional<std::size_t> row =
        gameOnShow >= 0 ? table.RowOf(static_cast<std::size_t>(gameOnShow)) : std::nullopt;
    platform.SelectGamesTableRow(row ? static_cast<int>(*row) : -1);
}

int CGamesTableAdapter::RowCount() const {
    return static_cast<int>(table.RowCount());
}

int CGamesTableAdapter::ColumnCount() const {
    return kGameColumns;
}

std::string CGamesTableAdapter::HeaderText(int column) const {
    return IsColumn(column) ? std::string(GameColumnTitle(static_cast<EGameColumn>(column)))
                            : std::string();
}

int CGamesTableAdapter::ColumnCharacters(int column) const {
    return IsColumn(column) ? kColumnCharacters[static_cast<std::size_t>(column)] : 0;
}

bool CGamesTableAdapter::ColumnShown(int column) const {
    return IsColumn(column) && (column != kColumnFile || table.FileColumnShown());
}

std::string CGamesTableAdapter::CellText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= table.RowCount() || !IsColumn(column)) {
        return {};
    }
    return table.CellText(static_cast<std::size_t>(row), static_cast<EGameColumn>(column));
}

int CGamesTableAdapter::SortColumn() const {
    const std::optional<EGameColumn> column = table.SortColumn();
    return column ? static_cast<int>(*column) : -1;
}

bool CGamesTableAdapter::SortDescending() const {
    return table.SortDescending();
}
