#pragma once

#include <string>

// What the games table shows, read cell by cell as rows come into view, so that a table of any
// length is shown without an item per row. Columns keep their numbers (0 .. ColumnCount() - 1,
// in the order shown) whether they are shown or not. Texts are UTF-8. Read on the interface
// thread only.
class IGamesTableContent {
public:
    virtual ~IGamesTableContent() = default;

    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string HeaderText(int column) const = 0;
    // How wide the column starts, in characters of its text.
    virtual int ColumnCharacters(int column) const = 0;
    virtual bool ColumnShown(int column) const = 0;
    // row < RowCount(), column < ColumnCount().
    virtual std::string CellText(int row, int column) const = 0;
    // The column the rows are sorted by, or -1 when they are in the list's order.
    virtual int SortColumn() const = 0;
    virtual bool SortDescending() const = 0;
};
