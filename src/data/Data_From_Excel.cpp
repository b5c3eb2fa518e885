#include "data/Data_From_Excel.h"

#include "common/Logging.h"
#include "common/StringHelpers.h"

Data_From_Excel* Data_From_Excel_Window = nullptr;
bool Excel_Binding_Use = false;
QString Excel_Source_Path;

namespace {
const QString rowNumberKey = QStringLiteral("Extension");

QString columnKey(int column)
{
    return column > 0 ? QStringLiteral("Column%1").arg(column) : rowNumberKey;
}
} // namespace

Data_From_Excel::Data_From_Excel()
{
    ColList.append({ rowNumberKey, QStringLiteral("#"), 100.0 });
}

QStringList Data_From_Excel::columnTitles() const
{
    QStringList titles;
    titles.reserve(ColList.size());
    for (const Column& column : ColList)
        titles.append(column.title);
    return titles;
}

void Data_From_Excel::rebuildColumnsFromTitles(const QStringList& titles)
{
    if (titles.isEmpty())
        return;
    ColList.resize(1);
    for (int i = 1; i < titles.size(); ++i)
        ColList.append({ columnKey(i), titles.at(i), 100.0 });
}

QString Data_From_Excel::Get_First_Value_Of_Excel_Binding(int column) const
{
    if (ListData.empty() || !ListData.front().isDict()) {
        Show_NSLog_Message(QStringLiteral("The spreadsheet table has no rows."));
        return {};
    }
    return value(0, column);
}

QString Data_From_Excel::value(int row, int column) const
{
    if (row < 0 || row >= ListData.size() || column < 0)
        return {};
    const PlistValue* cell = ListData.at(row).toDict().find(columnKey(column));
    return cell ? cell->toString() : QString();
}

bool Data_From_Excel::setValue(int row, int column, const QString& text)
{
    if (row < 0 || row >= ListData.size() || column < 0 || column >= ColList.size()) {
        Show_NSLog_Message(
            QStringLiteral("Invalid parameter: no spreadsheet cell at row %1, column %2.").arg(row).arg(column));
        return false;
    }
    ListData[row].dict().insert(columnKey(column), text);
    return true;
}

PlistDict Data_From_Excel::emptyRow(int cellCount) const
{
    PlistDict row;
    row.insert(rowNumberKey, QString());
    for (int i = 1; i <= cellCount; ++i)
        row.insert(columnKey(i), QString());
    return row;
}

void Data_From_Excel::Create_List_By_Array(const QStringList& cells, int count)
{
    PlistDict row = emptyRow(count);
    row.insert(rowNumberKey, QString::number(ListData.size() + 1));
    for (int i = 0; i < count && i < cells.size(); ++i)
        row.insert(columnKey(i + 1), Trim_Str(cells.at(i)));
    ListData.append(PlistValue(std::move(row)));
}

bool Data_From_Excel::replaceFromSheet(const SheetTable& sheet, const QList<int>& columns, bool hasHeader)
{
    if (sheet.isEmpty())
        return false;
    QList<Column> newColumns { ColList.front() };
    for (int k = 0; k < columns.size(); ++k)
        newColumns.append({ columnKey(k + 1), Trim_Str(sheet.front().value(columns.at(k))), 100.0 });
    // Every row shares the key list and index of one template row; only the values are its own.
    const PlistDict keys = emptyRow(int(columns.size()));
    Rows rows;
    rows.reserve(sheet.size());
    for (qsizetype r = hasHeader ? 1 : 0; r < sheet.size(); ++r) {
        const QStringList& cells = sheet.at(r);
        PlistDict row = keys;
        row.insert(rowNumberKey, QString::number(rows.size() + 1));
        for (int k = 0; k < columns.size(); ++k)
            row.insert(columnKey(k + 1), Trim_Str(cells.value(columns.at(k))));
        rows.append(PlistValue(std::move(row)));
    }
    ColList = std::move(newColumns);
    ListData = std::move(rows);
    return true;
}
