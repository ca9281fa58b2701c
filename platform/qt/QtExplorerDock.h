#pragma once

#include <QAbstractTableModel>
#include <QDockWidget>

class IExplorerContent;
class IShellEvents;
class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

// The explorer's moves as Qt's views ask for them, read from the content when shown: SAN,
// games, the share bar (its data is the row's three counts), average Elo and last year.
class CQtExplorerModel final : public QAbstractTableModel {
public:
    enum EColumn : int { kMove, kGames, kShare, kElo, kYear, kColumns };
    // The role under which the share column gives its white, draw and black counts.
    static constexpr int kCountsRole = Qt::UserRole + 1;

    explicit CQtExplorerModel(QObject* parent) : QAbstractTableModel(parent) {}
    void SetContent(const IExplorerContent* shown);
    const IExplorerContent* Content() const noexcept { return content; }
    void Reset();

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const IExplorerContent* content = nullptr;
};

// The opening explorer's dock: a status line, "Only games found", "Games with this position",
// and the moves played next. A click on a move, the two controls and the close button go to
// the event sink.
class CQtExplorerDock final : public QDockWidget {
public:
    explicit CQtExplorerDock(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    void SetContent(const IExplorerContent* content);
    // Reads the rows, the status and the controls' states anew.
    void Changed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CQtExplorerModel* model;
    QLabel* status;
    QCheckBox* onlyFound;
    QPushButton* withPosition;
    QTableView* table;
    IShellEvents* eventSink = nullptr;
};
