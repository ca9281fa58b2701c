#include "QtExplorerDock.h"

#include "platform/ExplorerContent.h"
#include "platform/ShellEvents.h"
#include "resources/CommandIds.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 3;

// The share of White wins, draws and Black wins as one bar of three parts, white, grey and
// black, with the percentages written on the parts wide enough for them.
class CShareBarDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QList<QVariant> counts = index.data(CQtExplorerModel::kCountsRole).toList();
        double total = 0;
        for (const QVariant& count : counts) {
            total += count.toDouble();
        }
        if (counts.size() != 3 || total <= 0) {
            return;
        }
        const QRectF bar = QRectF(option.rect).adjusted(2, 3, -2, -3);
        static const QColor fills[3] = {QColor(0xf2, 0xf2, 0xf2), QColor(0x9a, 0x9a, 0x9a),
                                        QColor(0x30, 0x30, 0x30)};
        static const QColor inks[3] = {Qt::black, Qt::black, Qt::white};
        painter->save();
        painter->setPen(Qt::NoPen);
        double left = bar.left();
        for (int part = 0; part < 3; ++part) {
            const double share = counts[part].toDouble() / total;
            const QRectF piece(left, bar.top(), bar.width() * share, bar.height());
            painter->setBrush(fills[part]);
            painter->drawRect(piece);
            const QString text = QString::number(qRound(share * 100)) + QLatin1Char('%');
            if (piece.width() > option.fontMetrics.horizontalAdvance(text) + 4) {
                painter->setPen(inks[part]);
                painter->drawText(piece, Qt::AlignCenter, text);
                painter->setPen(Qt::NoPen);
            }
            left += piece.width();
        }
        painter->setPen(QColor(0x60, 0x60, 0x60));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(bar);
        painter->restore();
    }
};

} // namespace

void CQtExplorerModel::SetContent(const IExplorerContent* shown) {
    beginResetModel();
    content = shown;
    endResetModel();
}

void CQtExplorerModel::Reset() {
    beginResetModel();
    endResetModel();
}

int CQtExplorerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || content == nullptr ? 0 : content->RowCount();
}

int CQtExplorerModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CQtExplorerModel::data(const QModelIndex& index, int role) const {
    if (content == nullptr || !index.isValid() || index.row() >= content->RowCount()) {
        return {};
    }
    const CExplorerRow row = content->Row(index.row());
    if (role == kCountsRole && index.column() == kShare) {
        return QList<QVariant>{row.white, row.draw, row.black};
    }
    if (role == Qt::TextAlignmentRole && index.column() != kMove) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case kMove:
        return QString::fromStdString(row.san);
    case kGames:
        return QLocale().toString(row.games);
    case kElo:
        return row.averageElo > 0 ? QVariant(row.averageElo) : QVariant();
    case kYear:
        return row.lastYear > 0 ? QVariant(row.lastYear) : QVariant();
    default:
        return {};
    }
}

QVariant CQtExplorerModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const titles[kColumns] = {"Move", "Games", "Results", "Av. Elo", "Last"};
    return section >= 0 && section < kColumns ? QString::fromLatin1(titles[section]) : QVariant();
}

CQtExplorerDock::CQtExplorerDock(QWidget* parent)
    : QDockWidget(QStringLiteral("Opening explorer"), parent), model(new CQtExplorerModel(this)),
      status(new QLabel(this)), onlyFound(new QCheckBox(QStringLiteral("Only games found"), this)),
      withPosition(new QPushButton(QStringLiteral("Games with this position"), this)),
      table(new QTableView(this)) {
    setObjectName(QStringLiteral("OpeningExplorer"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    status->setObjectName(QStringLiteral("ExplorerStatus"));
    status->setWordWrap(true);
    withPosition->setCheckable(true);
    table->setModel(model);
    table->setItemDelegateForColumn(CQtExplorerModel::kShare, new CShareBarDelegate(table));
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    const int character = table->fontMetrics().averageCharWidth();
    const int widths[CQtExplorerModel::kColumns] = {6, 7, 20, 6, 5};
    for (int column = 0; column < CQtExplorerModel::kColumns; ++column) {
        table->setColumnWidth(column, widths[column] * character + 10);
    }
    table->horizontalHeader()->setSectionResizeMode(CQtExplorerModel::kShare, QHeaderView::Stretch);

    connect(table, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (eventSink != nullptr && index.isValid()) {
            eventSink->OnExplorerMoveChosen(index.row());
        }
    });
    connect(onlyFound, &QCheckBox::clicked, this, [this] {
        if (eventSink != nullptr) {
            eventSink->OnCommand(ids::kExplorerOnlyFound, 0);
        }
    });
    connect(withPosition, &QPushButton::clicked, this, [this] {
        if (eventSink != nullptr) {
            eventSink->OnCommand(ids::kGamesWithPosition, 0);
        }
    });

    auto* body = new QWidget(this);
    auto* controls = new QHBoxLayout;
    controls->addWidget(onlyFound);
    controls->addStretch(1);
    controls->addWidget(withPosition);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(status);
    layout->addLayout(controls);
    layout->addWidget(table, 1);
    setWidget(body);
    Changed();
}

void CQtExplorerDock::SetContent(const IExplorerContent* content) {
    model->SetContent(content);
    Changed();
}

void CQtExplorerDock::Changed() {
    model->Reset();
    const IExplorerContent* content = model->Content();
    status->setText(content != nullptr ? QString::fromStdString(content->StatusText()) : QString());
    onlyFound->setChecked(content != nullptr && content->OnlyFound());
    withPosition->setEnabled(content != nullptr && content->CanFilterByPosition());
    withPosition->setChecked(content != nullptr && content->FilteringByPosition());
}

void CQtExplorerDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (eventSink != nullptr) {
        eventSink->OnExplorerClosed();
    }
}
