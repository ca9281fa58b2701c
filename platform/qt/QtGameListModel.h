#pragma once

#include <QAbstractListModel>
#include <functional>
#include <string>

// The entries of the game list, asked for by the list as it shows them: a list of any length is
// filled in one step and holds no text of its own.
class CQtGameListModel final : public QAbstractListModel {
public:
    explicit CQtGameListModel(QObject* parent) : QAbstractListModel(parent) {}

    // Replaces all entries; `title` gives the UTF-8 text of entry i < count.
    void Reset(int count, std::function<std::string(int index)> title);

    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int count = 0;
    std::function<std::string(int index)> title;
};
