#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The columns of the chosen sheet, one entry per sheet column in column order: a check box
// ("State"), the trimmed title ("Extension") and, where series are made, the series name the
// column becomes ("Header", editable). Each entry keeps the index of its sheet column.
class SheetColumnsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        State,
        Extension,
        Header,
        ColumnCount
    };
    struct Entry
    {
        bool state = false;
        QString title;
        QString header;
        int sheetColumn = 0;
    };

    explicit SheetColumnsModel(QObject* parent = nullptr);

    // One unchecked entry per title; a blank title is listed as "Untitled Column %d" with
    // its column number, so that every sheet column keeps an entry of its own.
    void setTitles(const QStringList& firstRow);
    void clear();
    void setAllChecked(bool checked);

    const QList<Entry>& entries() const { return entries_; }
    // The sheet indexes of the checked entries, ascending.
    QList<int> checkedColumns() const;
    bool Check_For_One_Extension_Selection() const { return !checkedColumns().isEmpty(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<Entry> entries_;
};
