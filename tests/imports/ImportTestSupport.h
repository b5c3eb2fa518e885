#pragma once

#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "data/XlsxTestSupport.h"
#include "imports/ImportHost.h"
#include "series/BatchWizard.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <gtest/gtest.h>

// The main window as the import windows and the series editor see it.
class FakeImportHost : public ImportHost, public BatchWizardHost
{
public:
    bool Check_Batch_File_In_Use_Validation(const QString& name) const override
    {
        return seriesExists(name) && bound.contains(name);
    }
    void Open_Import_Wizard(int, int) override { }

    QSet<QString> bound;
};

class ImportWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_OPENPYXL();
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    }

    // A workbook written by openpyxl: sheets in order, each a name and rows of cells
    // (None for an empty cell is written as null).
    QString workbook(const QString& file, const QJsonArray& sheets)
    {
        const QString path = QDir(resources.path()).filePath(file);
        const char* script = "import json, sys, openpyxl\n"
                             "wb = openpyxl.Workbook()\n"
                             "wb.remove(wb.active)\n"
                             "for name, rows in json.loads(sys.argv[2]):\n"
                             "    ws = wb.create_sheet(name)\n"
                             "    for row in rows:\n"
                             "        ws.append(row)\n"
                             "wb.save(sys.argv[1])\n";
        xlsxtest::runPython(QString::fromLatin1(script),
            { path, QString::fromUtf8(QJsonDocument(sheets).toJson(QJsonDocument::Compact)) });
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

    static void store(const QString& name, const QByteArray& bytes)
    {
        QFile file(seriesFilePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray stored(const QString& name)
    {
        QFile file(seriesFilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TempResources resources;
    ScriptedDialogs scripted;
    FakeImportHost host;
};
