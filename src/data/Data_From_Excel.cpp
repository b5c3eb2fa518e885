#include "data/Data_From_Excel.h"

#include "common/Logging.h"

Data_From_Excel* Data_From_Excel_Window = nullptr;
bool Excel_Binding_Use = false;
QString Excel_Source_Path;

namespace {
const QString rowNumberKey = QStringLiteral("Extension");
}

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
        ColList.append({ QStringLiteral("Column%1").arg(i), titles.at(i), 100.0 });
}

QString Data_From_Excel::Get_First_Value_Of_Excel_Binding(int column) const
{
    if (ListData.empty() || !ListData.front().isDict()) {
        Show_NSLog_Message(QStringLiteral("The spreadsheet table has no rows."));
        return {};
    }
    const QString key = column > 0 ? QStringLiteral("Column%1").arg(column) : rowNumberKey;
    const PlistValue* value = ListData.front().toDict().find(key);
    return value ? value->toString() : QString();
}
