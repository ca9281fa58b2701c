#pragma once

#include <QDockWidget>

class CQtGamesTableModel;
class IGamesTableContent;
class IShellEvents;
class QLabel;
class QLineEdit;
class QTableView;

// The games table's dock below the GL window: a search field, the count of the rows shown, and
// the table over the content. Header clicks, search texts, chosen rows and the dock's close
// button go to the event sink; the shell decides the order and the rows. Enter chooses the
// selected row, or the first when none is; Esc in the search field clears it; Up and Down there
// move through the table; text typed in the table goes to the search field.
class CQtGamesTableDock final : public QDockWidget {
public:
    explicit CQtGamesTableDock(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    void SetContent(const IGamesTableContent& content);
    // Reads the rows, the columns shown and the sort anew.
    void RowsChanged();
    void SetCount(const QString& text);
    // Selects `row` and scrolls it into view; -1 (or a row not shown) selects none.
    void SelectRow(int row);
    void FocusTable();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ChooseSelectedRow();

    CQtGamesTableModel* model;
    QLineEdit* searchField;
    QLabel* count;
    QTableView* table;
    IShellEvents* eventSink = nullptr;
};
