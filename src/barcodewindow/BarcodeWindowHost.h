#pragma once

#include "model/SKTGraphic.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the barcode window asks of the main window: the series and spreadsheet data a barcode
// may be bound to, the series viewer and the message dialog of the help buttons. Every call
// is made on the GUI thread.
class BarcodeWindowHost
{
public:
    virtual ~BarcodeWindowHost() = default;

    // Names of the saved series, in order.
    virtual QStringList Get_datasheet_File_Name_Array() const = 0;
    // The first value of a series ("" when it has none).
    virtual QString Get_First_Value_Of_Dataset(const QString& seriesName) const = 0;
    // The column titles of the imported spreadsheet table, in order.
    virtual QStringList excelColumnTitles() const = 0;
    // The first row's value in a column of that table ("" when there is none).
    virtual QString Get_First_Value_Of_Excel_Binding(int column) const = 0;
    // The value a bound barcode shows on the canvas and on the first card; none when it is not
    // bound or its source gives nothing.
    virtual std::optional<QString> valueOnFirstCard(const SKTGraphic& barcode) = 0;
    // How the canvas names the column a barcode was bound to when the table no longer has it
    // ("" when it is not so bound or the column is there).
    virtual QString goneColumnOf(const SKTGraphic& barcode) = 0;
    // Shows a series in the series viewer (modal).
    virtual void View_Data_Series(const QString& seriesName) = 0;
    // Shows a titled explanation in the program's message dialog (modal).
    virtual void Open_Long_sms_Dialog(const QString& title, const QString& text) = 0;
};
