#pragma once

#include <QDockWidget>

class CQtGamesTableModel;
class IGamesTableContent;
class IShellEvents;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

// The games table's dock below the GL window: a search field, the count of the rows shown, and
// the table over the content. Header clicks, search texts, chosen rows and the dock's close
// button go to the event sink; the shell decides the order and the rows. Enter chooses the
// selected row, or the first when none is; Esc in the search field clears it; Up and Down there
// move through the table; text typed in the table goes to the search field; Esc in the table
// clears the search too. The columns' widths and order are kept in the user's settings.
class CQtGamesTableDock final : public QDockWidget {
public:
    explicit CQtGamesTableDock(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    void SetContent(const IGamesTableContent& content);
    void DetachContent();
    // Reads the rows, the columns shown and the sort anew.
    void RowsChanged();
    void SetCount(const QString& text);
    // Selects `row` and scrolls it into view; -1 (or a row not shown) selects none.
    void SelectRow(int row);
    void FocusTable();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first time, the dock takes the height of about 16 rows.
    void showEvent(QShowEvent* event) override;

private:
    void ChooseSelectedRow();
    // The columns take the width their first rows' texts need, at most kMaxColumnCharacters.
    void SizeColumnsToContent();

    CQtGamesTableModel* model;
    QLineEdit* searchField;
    QLabel* count;
    QTableView* table;
    IShellEvents* eventSink = nullptr;
    QTimer* saveHeader;        // the columns' widths and order go to the settings when it fires
    bool columnsSized = false; // from the settings, or from the first rows
    bool heightSet = false;
};
