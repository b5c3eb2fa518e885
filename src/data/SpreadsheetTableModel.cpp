#include "data/SpreadsheetTableModel.h"

#include "data/Data_From_Excel.h"

SpreadsheetTableModel::SpreadsheetTableModel(Data_From_Excel& table, QObject* parent)
    : QAbstractTableModel(parent)
    , table_(table)
{ }

void SpreadsheetTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int SpreadsheetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.ListData.size());
}

int SpreadsheetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.ColList.size());
}

QVariant SpreadsheetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return table_.value(index.row(), index.column());
}

bool SpreadsheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0)
        return false;
    if (!table_.setValue(index.row(), index.column(), value.toString()))
        return false;
    emit dataChanged(index, index, { Qt::DisplayRole, Qt::EditRole });
    return true;
}

QVariant SpreadsheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= table_.ColList.size())
        return {};
    if (role == Qt::DisplayRole)
        return table_.ColList.at(section).title;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags SpreadsheetTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() > 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}
