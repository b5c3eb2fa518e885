#pragma once

#include "canvas/GraphicKind.h"
#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "profiles/User_Profile_Class.h"
#include "profilewindows/ProfileDialogHost.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

// The main window as the dialogs see it: three records, the sides' objects and a count of
// the windows asked for.
class FakeProfileHost : public ProfileDialogHost
{
public:
    User_Profile_Class& profileRecord(Record record) override { return records[int(record)]; }
    QList<SKTGraphicPtr> sideGraphics(bool back) const override { return back ? backSide : frontSide; }
    QImage sidePicture(const QList<SKTGraphicPtr>& graphics) const override
    {
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(graphics.isEmpty() ? Qt::white : Qt::blue);
        return picture;
    }
    QList<SKTGraphicPtr> previewOnScratchSide() override
    {
        ++previews;
        return frontSide;
    }
    void Batch_Series_Button() override { ++seriesManagerRuns; }
    void Delete_Excel_File_Temp_Folder() override { ++unpackFolderRemovals; }
    int Check_And_Validate_File_Path(const QString& path) override { return QFile::exists(path) ? 0 : 1; }
    void importWorkbookColumns(const QString&) override
    {
        if (importRows)
            importRows();
    }
    void setLibrarySelectedImage(const QString& path) override { librarySelectedImage = path; }
    void viewWorkbook() override { }

    User_Profile_Class records[3];
    QList<SKTGraphicPtr> frontSide, backSide;
    std::function<void()> importRows;
    int previews = 0, seriesManagerRuns = 0, unpackFolderRemovals = 0;
    QString librarySelectedImage = QStringLiteral("unchanged");
};

// A series store and a spreadsheet table of two rows for a test's length.
class ProfileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeSeries(QStringLiteral("Names"), "Ann\nBob\n");
        writeSeries(QStringLiteral("Titles"), "Engineer\nDesigner\n");
        previousTable_ = Data_From_Excel_Window;
        Data_From_Excel_Window = &table;
        table.rebuildColumnsFromTitles({ "#", "Company", "Town" });
        // Alerts are shown only while a main window exists.
        previousMainWindow_ = Main_App_wnd;
        Main_App_wnd = reinterpret_cast<SKTWindowController*>(&host);
        previousPath_ = Excel_Source_Path;
        previousUse_ = Excel_Binding_Use;
    }

    void TearDown() override
    {
        Data_From_Excel_Window = previousTable_;
        Main_App_wnd = previousMainWindow_;
        Excel_Source_Path = previousPath_;
        Excel_Binding_Use = previousUse_;
    }

    void writeSeries(const QString& name, const QByteArray& text)
    {
        QDir().mkpath(Data_Folder_Path);
        QFile file(Data_Folder_Path + QLatin1Char('/') + name + QStringLiteral(".txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.fileName().toStdString();
        file.write(text);
    }

    void addRows()
    {
        for (int row = 1; row <= 2; ++row) {
            PlistDict dict;
            dict.insert(QStringLiteral("Extension"), QString::number(row));
            dict.insert(QStringLiteral("Column1"), QStringLiteral("Acme %1").arg(row));
            dict.insert(QStringLiteral("Column2"), QStringLiteral("Town %1").arg(row));
            table.ListData.push_back(PlistValue(dict));
        }
    }

    static SKTGraphicPtr profileObject(GraphicKind kind, const QString& id, const QString& value, int source = 0,
        int index = 0, const QString& series = QString())
    {
        SKTGraphicPtr graphic = createGraphicOfKind(kind);
        graphic->control_ID = id;
        graphic->Text_Value = value;
        graphic->Set_Ctrl_Is_Visible(true);
        graphic->Set_Data_source_type(source);
        graphic->Set_Batch_List_Index(source == 1 ? index : 0);
        graphic->Set_Batch_List_Name(source == 1 ? series : QString());
        graphic->Set_Excel_binding_Index(source == 2 ? index : 0);
        return graphic;
    }

    TempResources resources;
    ScriptedDialogs dialogs;
    FakeProfileHost host;
    Data_From_Excel table;

private:
    Data_From_Excel* previousTable_ = nullptr;
    SKTWindowController* previousMainWindow_ = nullptr;
    QString previousPath_;
    bool previousUse_ = false;
};
