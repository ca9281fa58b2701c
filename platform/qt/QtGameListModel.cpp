#include "QtGameListModel.h"

void CQtGameListModel::Reset(int newCount, std::function<std::string(int index)> newTitle) {
    beginResetModel();
    count = newCount;
    title = std::move(newTitle);
    endResetModel();
}

int CQtGameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count;
}

QVariant CQtGameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count || !title ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const std::string text = title(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
