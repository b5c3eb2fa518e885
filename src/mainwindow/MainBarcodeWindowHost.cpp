#include "mainwindow/MainBarcodeWindowHost.h"

#include "data/Data_From_Excel.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "mainwindow/SKTWindowController.h"

QStringList MainBarcodeWindowHost::Get_datasheet_File_Name_Array() const
{
    return window_.Get_datasheet_File_Name_Array();
}

QString MainBarcodeWindowHost::Get_First_Value_Of_Dataset(const QString& seriesName) const
{
    return window_.Get_First_Value_Of_Dataset(seriesName);
}

QStringList MainBarcodeWindowHost::excelColumnTitles() const
{
    return Data_From_Excel_Window ? Data_From_Excel_Window->columnTitles() : QStringList();
}

QString MainBarcodeWindowHost::Get_First_Value_Of_Excel_Binding(int column) const
{
    return window_.Get_First_Value_Of_Excel_Binding(column);
}

std::optional<QString> MainBarcodeWindowHost::valueOnFirstCard(const SKTGraphic& barcode)
{
    return window_.valueOnFirstCard(barcode);
}

QString MainBarcodeWindowHost::goneColumnOf(const SKTGraphic& barcode)
{
    return window_.goneColumnOf(barcode);
}

void MainBarcodeWindowHost::View_Data_Series(const QString& seriesName)
{
    window_.View_batch_Series_Button(QStringLiteral("Series"), seriesName);
}

void MainBarcodeWindowHost::Open_Long_sms_Dialog(const QString& title, const QString& text)
{
    Cutom_Msg_Title = title;
    Cutom_Msg_Val = text;
    Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog();
}
