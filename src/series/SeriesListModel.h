#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <utility>

// One column of texts for the series tables: series names or the values of one series.
// Appending inserts rows at the end, so adding values one at a time never reloads the table.
// A row may stand for a line of the series file too long to be a value: its text is empty, it
// shows as too long, and it keeps its line's number in the file for saving.
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

    // tooLong: the rows (ascending) standing for their lines of the file read, as SeriesRows gives them.
    void setTexts(const QStringList& texts, const QList<int>& tooLong = {});
    void append(const QStringList& texts);
    // False for a row outside the list. A row too long to show takes the text as its value.
    bool replace(int row, const QString& text);
    // Removes the given rows (any order, duplicates allowed).
    void removeRowSet(QList<int> rows);

    bool isTooLong(int row) const;
    // The rows too long to show, each with its line's number in the file read, rows ascending.
    const QList<std::pair<int, qint64>>& tooLongRows() const { return tooLong_; }

private:
    QString title_;
    QStringList texts_;
    QList<std::pair<int, qint64>> tooLong_;
};
