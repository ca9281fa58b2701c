#include "QtGamesTableModel.h"

#include "platform/GamesTableContent.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CQtGamesTableModel::SetContent(const IGamesTableContent* newContent) {
    beginResetModel();
    content = newContent;
    endResetModel();
}

void CQtGamesTableModel::Reset() {
    beginResetModel();
    endResetModel();
}

int CQtGamesTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || content == nullptr ? 0 : content->RowCount();
}

int CQtGamesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || content == nullptr ? 0 : content->ColumnCount();
}

// A cell's tool tip is its text, for the ones cut by their column's width.
QVariant CQtGamesTableModel::data(const QModelIndex& index, int role) const {
    if (content == nullptr || !index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    return FromUtf8(content->CellText(index.row(), index.column()));
}

QVariant CQtGamesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (content == nullptr || orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return FromUtf8(content->HeaderText(section));
}
