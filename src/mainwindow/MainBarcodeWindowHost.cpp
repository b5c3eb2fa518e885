#include "mainwindow/MainBarcodeWindowHost.h"

#include "common/Globals.h"
#include "common/Logging.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/DialogService.h"

#include <QDir>
#include <QFile>

QStringList MainBarcodeWindowHost::Get_datasheet_File_Name_Array() const
{
    return window_.Get_datasheet_File_Name_Array();
}

// Until the series store arrives: a series file holds one value per line.
QString MainBarcodeWindowHost::Get_First_Value_Of_Dataset(const QString& seriesName) const
{
    QFile file(QDir(Data_Folder_Path).filePath(seriesName + QLatin1Char('.') + batch_file_EXT));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(64 * 1024)).trimmed();
}

QStringList MainBarcodeWindowHost::excelColumnTitles() const
{
    return Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList();
}

QString MainBarcodeWindowHost::Get_First_Value_Of_Excel_Binding(int column) const
{
    return Data_From_Excel_Window ? Data_From_Excel_Window->Get_First_Value_Of_Excel_Binding(column) : QString();
}

// The series viewer comes with the series windows.
void MainBarcodeWindowHost::View_Data_Series(const QString& seriesName)
{
    Show_NSLog_Message(QStringLiteral("Series viewer not available for %1").arg(seriesName));
}

void MainBarcodeWindowHost::Open_Long_sms_Dialog(const QString& title, const QString& text)
{
    dialogs().showMessage(title + QStringLiteral("\n\n") + text);
}
