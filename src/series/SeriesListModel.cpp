#include "series/SeriesListModel.h"

#include "data/SeriesStore.h"
#include "platform/SizeText.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

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
    if (!index.isValid() || index.row() >= texts_.size())
        return {};
    if (isTooLong(index.row())) {
        switch (role) {
        case Qt::DisplayRole:
            return tr("(too long to show)");
        case Qt::ToolTipRole:
            return tr("This value is longer than the %1 a value can hold: it is not shown, cards show nothing for "
                      "it, and saving the series keeps it as it is.")
                .arg(sizeText(maxSeriesValueBytes));
        case Qt::FontRole: {
            QFont font;
            font.setItalic(true);
            return font;
        }
        case Qt::ForegroundRole:
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        default:
            return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
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

void SeriesListModel::setTexts(const QStringList& texts, const QList<int>& tooLong)
{
    beginResetModel();
    texts_ = texts;
    tooLong_.clear();
    tooLong_.reserve(tooLong.size());
    for (const int row : tooLong)
        if (row >= 0 && row < texts_.size())
            tooLong_.append({ row, row });
    endResetModel();
}

bool SeriesListModel::isTooLong(int row) const
{
    const auto at = std::lower_bound(tooLong_.cbegin(), tooLong_.cend(), row,
        [](const std::pair<int, qint64>& kept, int r) { return kept.first < r; });
    return at != tooLong_.cend() && at->first == row;
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
    tooLong_.removeIf([row](const std::pair<int, qint64>& kept) { return kept.first == row; });
    emit dataChanged(index(row, 0), index(row, 0));
    return true;
}

void SeriesListModel::removeRowSet(QList<int> rows)
{
    rows.removeIf([this](int row) { return row < 0 || row >= texts_.size(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Rows too long to show keep their lines, moved up past the rows removed above them.
    QList<std::pair<int, qint64>> kept;
    for (const auto& [row, line] : tooLong_) {
        const auto above = std::lower_bound(rows.cbegin(), rows.cend(), row);
        if (above == rows.cend() || *above != row)
            kept.append({ row - int(above - rows.cbegin()), line });
    }
    // Runs of neighbouring rows go in one step, from the end so earlier indexes stay valid.
    for (qsizetype end = rows.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && rows.at(start - 1) == rows.at(start) - 1)
            --start;
        const int first = rows.at(start);
        const int last = rows.at(end - 1);
        beginRemoveRows({}, first, last);
        texts_.remove(first, last - first + 1);
        endRemoveRows();
        end = start;
    }
    tooLong_ = std::move(kept);
}
