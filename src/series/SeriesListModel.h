#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// One column of texts for the series tables: series names or the values of one series.
// Appending inserts rows at the end, so adding values one at a time never reloads the table.
class SeriesListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SeriesListModel(const QString& title, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QStringList& texts() const { return texts_; }
    int count() const { return int(texts_.size()); }
    QString text(int row) const { return row >= 0 && row < texts_.size() ? texts_.at(row) : QString(); }

    void setTexts(const QStringList& texts);
    void append(const QStringList& texts);
    // False for a row outside the list.
    bool replace(int row, const QString& text);
    // Removes the given rows (any order, duplicates allowed).
    void removeRowSet(QList<int> rows);

private:
    QString title_;
    QStringList texts_;
};
