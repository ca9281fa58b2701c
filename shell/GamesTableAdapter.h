#pragma once

#include "platform/GamesTableContent.h"

class CGameTable;

// The games table as the window reads it: the rows and columns of a CGameTable, whose column
// numbers are those of EGameColumn. The File column shows only while the games come from more
// than one file.
class CGamesTableContent final : public IGamesTableContent {
public:
    explicit CGamesTableContent(const CGameTable& table) : table(table) {}

    int RowCount() const override;
    int ColumnCount() const override;
    std::string HeaderText(int column) const override;
    int ColumnCharacters(int column) const override;
    bool ColumnShown(int column) const override;
    // Empty for a cell outside the table.
    std::string CellText(int row, int column) const override;
    int SortColumn() const override;
    bool SortDescending() const override;

private:
    const CGameTable& table;
};
