#include "QtGamesTableDock.h"

#include "QtGamesTableModel.h"
#include "platform/GamesTableContent.h"
#include "platform/ShellEvents.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int kMargin = 3;
constexpr int kCellPadding = 12;
constexpr int kMaxColumnCharacters = 40;
constexpr int kShownRows = 16;
// Rows measured when the columns are sized to their content: a list of any length sizes at once.
constexpr int kMeasuredRows = 200;
const char* const kHeaderSetting = "gamesTable/header";

QSettings UserSettings() {
    return QSettings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
}

// Esc clears the text (an empty field lets Esc through to the window); Up and Down move
// through the table.
class CSearchField final : public QLineEdit {
public:
    explicit CSearchField(QWidget* parent) : QLineEdit(parent) {}
    void SetTable(QTableView* view) { table = view; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
            clear();
            event->accept();
        } else if (table != nullptr &&
                   (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
            QApplication::sendEvent(table, event);
        } else {
            QLineEdit::keyPressEvent(event);
        }
    }

private:
    QTableView* table = nullptr;
};

// Whether the key types text rather than commanding.
bool TypesText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

// Enter chooses; printable text goes on in the search field, ahead of the window's one-key
// shortcuts (F flips the board) so that typing a name never triggers them.
class CGamesTableView final : public QTableView {
public:
    CGamesTableView(QWidget* parent, QLineEdit& searchField, std::function<void()> choose)
        : QTableView(parent), searchField(searchField), choose(std::move(choose)) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            TypesText(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QTableView::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            choose();
            event->accept();
        } else if (event->key() == Qt::Key_Escape && !searchField.text().isEmpty()) {
            // As in the field: Esc clears the search; an empty one lets Esc through.
            searchField.clear();
            event->accept();
        } else if (TypesText(*event)) {
            searchField.setFocus(Qt::OtherFocusReason);
            searchField.end(false);
            searchField.insert(text);
            event->accept();
        } else {
            QTableView::keyPressEvent(event);
        }
    }

private:
    QLineEdit& searchField;
    std::function<void()> choose;
};

} // namespace

CQtGamesTableDock::CQtGamesTableDock(QWidget* parent)
    : QDockWidget(QStringLiteral("Games"), parent), model(new CQtGamesTableModel(this)),
      searchField(nullptr), count(new QLabel(this)), table(nullptr) {
    setObjectName(QStringLiteral("GamesTable"));
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::BottomDockWidgetArea);
    count->setObjectName(QStringLiteral("GamesCount"));

    auto* body = new QWidget(this);
    auto* field = new CSearchField(body);
    searchField = field;
    searchField->setPlaceholderText(
        QStringLiteral("Search White, Black, Event, Site, Date, Round, Opening"));
    searchField->setClearButtonEnabled(true);
    table = new CGamesTableView(body, *searchField, [this] { ChooseSelectedRow(); });
    field->SetTable(table);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->setAlternatingRowColors(true);
    table->setTabKeyNavigation(false);
    // Rows of one height are never measured: a table of any length opens and scrolls at once.
    QHeaderView* rows = table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(table->fontMetrics().height() + 4);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    header->setSectionsMovable(true);
    header->setResizeContentsPrecision(kMeasuredRows);
    saveHeader = new QTimer(this);
    saveHeader->setSingleShot(true);
    saveHeader->setInterval(500);
    connect(saveHeader, &QTimer::timeout, this, [this] {
        UserSettings().setValue(QLatin1String(kHeaderSetting),
                                table->horizontalHeader()->saveState());
    });
    const auto changed = [this] {
        if (columnsSized) {
            saveHeader->start();
        }
    };
    connect(header, &QHeaderView::sectionResized, this, changed);
    connect(header, &QHeaderView::sectionMoved, this, changed);

    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (eventSink != nullptr) {
            eventSink->OnGamesTableHeaderClicked(column);
        }
    });
    connect(searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (eventSink != nullptr) {
            eventSink->OnGamesTableSearchChanged(text.toStdString());
        }
    });
    connect(searchField, &QLineEdit::returnPressed, this, [this] { ChooseSelectedRow(); });
    connect(table, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (eventSink != nullptr && index.isValid()) {
            eventSink->OnGamesTableRowChosen(index.row());
        }
    });

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchField, 1);
    searchRow->addSpacing(kMargin * 2);
    searchRow->addWidget(count);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addLayout(searchRow);
    layout->addWidget(table, 1);
    setWidget(body);
}

void CQtGamesTableDock::DetachContent() {
    model->SetContent(nullptr);
}

void CQtGamesTableDock::SetContent(const IGamesTableContent& content) {
    model->SetContent(&content);
    const int character = table->fontMetrics().averageCharWidth();
    for (int column = 0; column < content.ColumnCount(); ++column) {
        table->setColumnWidth(column, content.ColumnCharacters(column) * character + kCellPadding);
    }
    const QByteArray kept = UserSettings().value(QLatin1String(kHeaderSetting)).toByteArray();
    columnsSized = !kept.isEmpty() && table->horizontalHeader()->restoreState(kept);
    RowsChanged();
}

void CQtGamesTableDock::SizeColumnsToContent() {
    const int widest = table->fontMetrics().averageCharWidth() * kMaxColumnCharacters;
    for (int column = 0; column < model->columnCount({}); ++column) {
        if (!table->isColumnHidden(column)) {
            table->resizeColumnToContents(column);
            table->setColumnWidth(column,
                                  std::min(table->columnWidth(column) + kCellPadding / 2, widest));
        }
    }
    columnsSized = true;
}

void CQtGamesTableDock::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (heightSet || window == nullptr) {
        return;
    }
    heightSet = true;
    const int rows = table->verticalHeader()->defaultSectionSize() * kShownRows;
    const int height = rows + table->horizontalHeader()->sizeHint().height() +
                       searchField->sizeHint().height() + 4 * kMargin;
    window->resizeDocks({this}, {std::min(height, window->height() / 2)}, Qt::Vertical);
}

void CQtGamesTableDock::RowsChanged() {
    model->Reset();
    const IGamesTableContent* content = model->Content();
    if (content == nullptr) {
        return;
    }
    for (int column = 0; column < content->ColumnCount(); ++column) {
        table->setColumnHidden(column, !content->ColumnShown(column));
    }
    table->horizontalHeader()->setSortIndicator(content->SortColumn(), content->SortDescending()
                                                                           ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder);
    if (!columnsSized && model->rowCount({}) > 0) {
        SizeColumnsToContent();
    }
}

void CQtGamesTableDock::SetCount(const QString& text) {
    count->setText(text);
}

// The view stays scrolled sideways as the user left it.
void CQtGamesTableDock::SelectRow(int row) {
    if (row < 0 || row >= model->rowCount({})) {
        table->selectionModel()->clear();
        return;
    }
    const QModelIndex index = model->index(row, 0);
    const int across = table->horizontalScrollBar()->value();
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    table->scrollTo(index);
    table->horizontalScrollBar()->setValue(across);
}

void CQtGamesTableDock::FocusTable() {
    show();
    table->setFocus(Qt::ShortcutFocusReason);
}

void CQtGamesTableDock::ChooseSelectedRow() {
    const QModelIndex current = table->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    if (eventSink != nullptr && row < model->rowCount({})) {
        eventSink->OnGamesTableRowChosen(row);
    }
}

void CQtGamesTableDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (eventSink != nullptr) {
        eventSink->OnGamesTableClosed();
    }
}
