#include "series/SeriesListModel.h"

#include <algorithm>

SeriesListModel::SeriesListModel(const QString& title, QObject* parent)
    : QAbstractTableModel(parent)
    , title_(title)
{ }

int SeriesListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(texts_.size());
}

int SeriesListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant SeriesListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= texts_.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return texts_.at(index.row());
}

QVariant SeriesListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(title_) : QVariant();
    return section + 1;
}

void SeriesListModel::setTexts(const QStringList& texts)
{
    beginResetModel();
    texts_ = texts;
    endResetModel();
}

void SeriesListModel::append(const QStringList& texts)
{
    if (texts.isEmpty())
        return;
    beginInsertRows({}, int(texts_.size()), int(texts_.size() + texts.size() - 1));
    texts_.append(texts);
    endInsertRows();
}

bool SeriesListModel::replace(int row, const QString& text)
{
    if (row < 0 || row >= texts_.size())
        return false;
    texts_[row] = text;
    emit dataChanged(index(row, 0), index(row, 0));
    return true;
}

void SeriesListModel::removeRowSet(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Runs of neighbouring rows go in one step, from the end so earlier indexes stay valid.
    for (qsizetype end = rows.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && rows.at(start - 1) == rows.at(start) - 1)
            --start;
        const int first = rows.at(start);
        const int last = rows.at(end - 1);
        if (first >= 0 && last < texts_.size()) {
            beginRemoveRows({}, first, last);
            texts_.remove(first, last - first + 1);
            endRemoveRows();
        }
        end = start;
    }
}
