#pragma once

#include "barcodewindow/BarcodeWindowHost.h"

class SKTWindowController;

// The main window's side of the barcode window: series names and values, the spreadsheet
// table, the series viewer and the message dialog.
class MainBarcodeWindowHost : public BarcodeWindowHost
{
public:
    explicit MainBarcodeWindowHost(SKTWindowController& window)
        : window_(window)
    { }

    QStringList Get_datasheet_File_Name_Array() const override;
    QString Get_First_Value_Of_Dataset(const QString& seriesName) const override;
    QStringList excelColumnTitles() const override;
    QString Get_First_Value_Of_Excel_Binding(int column) const override;
    std::optional<QString> valueOnFirstCard(const SKTGraphic& barcode) override;
    QString goneColumnOf(const SKTGraphic& barcode) override;
    void View_Data_Series(const QString& seriesName) override;
    void Open_Long_sms_Dialog(const QString& title, const QString& text) override;

private:
    SKTWindowController& window_;
};
