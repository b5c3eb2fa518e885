#pragma once

#include "data/XlsxTestSupport.h"
#include "imports/ImportHost.h"
#include "series/SeriesTestSupport.h"

#include <QJsonArray>
#include <QJsonObject>

// The main window as the import windows see it: the same series are bound as for the series
// windows' host.
class FakeImportHost : public ImportHost
{
public:
    explicit FakeImportHost(const FakeSeriesHost& series)
        : series_(series)
    { }
    bool Check_Batch_File_In_Use_Validation(const QString& name) const override
    {
        return series_.Check_Batch_File_In_Use_Validation(name);
    }

private:
    const FakeSeriesHost& series_;
};

class ImportWindowTest : public SeriesWindowTest
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_OPENPYXL();
        SeriesWindowTest::SetUp();
    }

    // A workbook written by openpyxl: sheets in order, each a name and rows of cells
    // (None for an empty cell is written as null).
    QString workbook(const QString& file, const QJsonArray& sheets)
    {
        const QString path = QDir(resources.path()).filePath(file);
        xlsxtest::writeSheetsWorkbook(path, sheets);
        return path;
    }

    // Three columns, a blank title in the second, empty cells; a second sheet of one column.
    QString guests()
    {
        return workbook(QStringLiteral("guests.xlsx"),
            QJsonArray {
                QJsonArray { "Guests",
                    QJsonArray { QJsonArray { "Name", QJsonValue(), "City" }, QJsonArray { "Ann", "t1", " Oslo " },
                        QJsonArray { "Bob", QJsonValue(), QJsonValue() }, QJsonArray { "Cy", "t3", "Rome" } } },
                QJsonArray { "Tables", QJsonArray { QJsonArray { "Table" }, QJsonArray { "T-9" } } } });
    }

    FakeImportHost importHost { host };
};
