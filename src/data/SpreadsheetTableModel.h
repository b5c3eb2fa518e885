#pragma once

#include <QAbstractTableModel>

class Data_From_Excel;

// The spreadsheet table for views: one view row per table row, the row-number column first.
// Cells of the spreadsheet columns are editable; the row number is not.
class SpreadsheetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SpreadsheetTableModel(Data_From_Excel& table, QObject* parent = nullptr);

    // Tells the views that the table was replaced as a whole.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Data_From_Excel& table_;
};
