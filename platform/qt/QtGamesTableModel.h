#pragma once

#include <QAbstractTableModel>

class IGamesTableContent;

// The games table's rows as Qt's views ask for them: every cell is read from the content when it
// is shown, so the model holds no row, no text and no item of its own.
class CQtGamesTableModel final : public QAbstractTableModel {
public:
    explicit CQtGamesTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    // Shows `content`, which stays in use until the next call; null shows nothing.
    void SetContent(const IGamesTableContent* content);
    const IGamesTableContent* Content() const noexcept { return content; }
    // The content changed: the views read it anew.
    void Reset();

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const IGamesTableContent* content = nullptr;
};
