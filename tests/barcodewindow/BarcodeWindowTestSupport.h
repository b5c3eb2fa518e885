#pragma once

#include "barcodewindow/BarcodeWindowHost.h"

#include <QMap>

// A host with series and spreadsheet columns of its own, that remembers what it was asked.
class FakeBarcodeHost : public BarcodeWindowHost
{
public:
    QStringList Get_datasheet_File_Name_Array() const override { return series.keys(); }
    QString Get_First_Value_Of_Dataset(const QString& name) const override { return series.value(name); }
    QStringList excelColumnTitles() const override { return columns; }
    QString Get_First_Value_Of_Excel_Binding(int column) const override { return firstRow.value(column); }
    std::optional<QString> valueOnFirstCard(const SKTGraphic& barcode) override
    {
        if (barcode.data_source_type != 1 || !series.contains(barcode.batch_list_name))
            return std::nullopt;
        return series.value(barcode.batch_list_name);
    }
    QString goneColumnOf(const SKTGraphic&) override { return goneColumn; }
    void View_Data_Series(const QString& name) override { viewed << name; }
    void Open_Long_sms_Dialog(const QString& title, const QString& text) override { help << title + "|" + text; }

    QMap<QString, QString> series; // name -> first value
    QStringList columns;
    QStringList firstRow;
    QString goneColumn; // the canvas's note for every object
    QStringList viewed;
    QStringList help;
};
