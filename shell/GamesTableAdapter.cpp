#include "shell/GamesTableAdapter.h"

#include "gametable/GameTable.h"

#include <array>

namespace {

// Wide enough for most names, events and sites of a database; the user widens the others.
constexpr std::array<int, kGameColumns> kColumnCharacters = {7, 22, 22, 7, 12, 24, 18, 6, 6, 22};

bool IsColumn(int column) {
    return column >= 0 && column < kGameColumns;
}

} // namespace

int CGamesTableContent::RowCount() const {
    return static_cast<int>(table.RowCount());
}

int CGamesTableContent::ColumnCount() const {
    return kGameColumns;
}

std::string CGamesTableContent::HeaderText(int column) const {
    return IsColumn(column) ? std::string(GameColumnTitle(static_cast<EGameColumn>(column)))
                            : std::string();
}

int CGamesTableContent::ColumnCharacters(int column) const {
    return IsColumn(column) ? kColumnCharacters[static_cast<std::size_t>(column)] : 0;
}

bool CGamesTableContent::ColumnShown(int column) const {
    return IsColumn(column) && (column != kColumnFile || table.FileColumnShown());
}

std::string CGamesTableContent::CellText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= table.RowCount() || !IsColumn(column)) {
        return {};
    }
    return table.CellText(static_cast<std::size_t>(row), static_cast<EGameColumn>(column));
}

int CGamesTableContent::SortColumn() const {
    const std::optional<EGameColumn> column = table.SortColumn();
    return column ? static_cast<int>(*column) : -1;
}

bool CGamesTableContent::SortDescending() const {
    return table.SortDescending();
}
