#include "imports/SheetColumnsModel.h"

#include "common/StringHelpers.h"

SheetColumnsModel::SheetColumnsModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

void SheetColumnsModel::setTitles(const QStringList& firstRow)
{
    beginResetModel();
    entries_.clear();
    for (int i = 0; i < firstRow.size(); ++i) {
        QString title = Trim_Str(firstRow.at(i));
        if (title.isEmpty())
            title = QStringLiteral("Untitled Column %1").arg(i + 1);
        entries_.append({ false, title, title, i });
    }
    endResetModel();
}

void SheetColumnsModel::clear()
{
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void SheetColumnsModel::setAllChecked(bool checked)
{
    for (Entry& entry : entries_)
        entry.state = checked;
    if (!entries_.isEmpty())
        emit dataChanged(index(0, State), index(int(entries_.size()) - 1, State), { Qt::CheckStateRole });
}

QList<int> SheetColumnsModel::checkedColumns() const
{
    QList<int> columns;
    for (const Entry& entry : entries_)
        if (entry.state)
            columns.append(entry.sheetColumn);
    return columns;
}

int SheetColumnsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int SheetColumnsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SheetColumnsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const Entry& entry = entries_.at(index.row());
    if (index.column() == State)
        return role == Qt::CheckStateRole ? QVariant(entry.state ? Qt::Checked : Qt::Unchecked) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return index.column() == Extension ? entry.title : entry.header;
}

bool SheetColumnsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= entries_.size())
        return false;
    Entry& entry = entries_[index.row()];
    if (index.column() == State && role == Qt::CheckStateRole)
        entry.state = value.toInt() == Qt::Checked;
    else if (index.column() == Header && role == Qt::EditRole)
        entry.header = value.toString();
    else
        return false;
    emit dataChanged(index, index);
    return true;
}

QVariant SheetColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case State:
        return tr("Import");
    case Extension:
        return tr("Column");
    case Header:
        return tr("Series Name");
    default:
        return {};
    }
}

Qt::ItemFlags SheetColumnsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == State)
        flags |= Qt::ItemIsUserCheckable;
    else if (index.column() == Header)
        flags |= Qt::ItemIsEditable;
    return flags;
}
