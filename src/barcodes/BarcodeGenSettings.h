#pragma once

#include "barcodes/BarcodeSettings.h"

#include <QColor>
#include <QFont>
#include <QString>

// Everything one barcode generation needs, as a plain value: the barcode fields a card object
// stores (same names, same units: lengths in centimetres, bar width in mils) and the few
// window choices that objects do not store. The barcode window edits a copy of it; a batch
// worker loads one per bound object and generates every row from it, touching no window.
struct BarcodeGenSettings
{
    BarcodeGenSettings();

    int linear_or_2d = 0; // 0 linear, 1 two-dimensional
    int barcode_font_index = 0; // index into BarcodeSymbologyTitles
    QString linear_font_val = QStringLiteral("0123");
    QString two_d_font_val = QStringLiteral("0123");
    QString header_val = QStringLiteral("HEADER");
    QString footer_val = QStringLiteral("FOOTER");
    // Check-box states, 1 = ticked: hide header, hide footer, hide caption, caption on top.
    int show_hide_hdr = 0;
    int show_hide_ftr = 0;
    int show_hide_val = 0;
    int show_val_on_top = 0;
    int align_hdr_index = 1; // into BarcodeAlignmentItems
    int align_ftr_index = 1;
    float linear_height_val = 0.6f; // bar height in the unit
    float linear_width_val = 20.0f; // bar width in mils
    int qr_size_val = 60; // QR edge in points
    int qr_version_index = 0; // 0 automatic, n version n
    int qr_ec_index = 0; // into QRLevelItems
    int pdf_hgt_val = 20; // PDF417 size in points
    int pdf_wdt_val = 100;
    int pdf_ec_val = 2;
    int dm_module_val = 2; // Data Matrix points per module
    int dm_format_index = 0; // into DataMatrixFormatItems
    int dm_encoding_index = 0; // into DataMatrixEncodingItems
    float hdr_margin_val = 0.1f; // margins in the unit
    float ftr_margin_val = 0.1f;
    float val_margin_val = 0.1f;
    float TB_marging_val = 0.1f;
    float LR_margin_val = 0.1f;
    QFont value_font_val;
    QFont header_font_val;
    QFont footer_font_val;
    QColor barcode_hdr_clr_val = Qt::black;
    QColor barcode_ftr_clr_val = Qt::black;
    QColor barcode_val_clr_val = Qt::black;
    QColor barcode_back_clr_val = Qt::white;
    QColor barcode_clr_val = Qt::black;
    int dpi_val_index = 0; // into BarcodeDpiItems
    QString dpi_custom_val = QStringLiteral("600");

    // Where a batch run takes the value from: 0 typed, 1 a series, 2 a spreadsheet column.
    int data_source_type = 0;
    QString batch_list_name;
    int batch_list_index = 0;
    int excel_col_indx = 0;
    QString excel_col_title; // the column's title when bound: rows from elsewhere follow it

    int kerning_value_state = 0; // 1 = spread a single caption over the bars

    // Window choices that card objects do not keep.
    int QR_Enc_Mode_Val = 0; // recorded only
    int Measument_Unit_Is = 1; // 0 inches, 1 centimetres, 2 millimetres

    QString symbologyTitle() const;
    bool isTwoDimensional() const { return linear_or_2d != 0; }
    // The value the window shows for the mode.
    QString value() const { return isTwoDimensional() ? two_d_font_val : linear_font_val; }
    // Whether the value caption is printed (the hide-caption box is not ticked).
    bool Get_Print_State() const { return show_hide_val != 1; }
    bool printsHeader() const { return show_hide_hdr != 1; }
    bool printsFooter() const { return show_hide_ftr != 1; }
    // Whether the spread-caption choice applies: the UPC and EAN kinds place their own digits.
    bool kerningAllowed() const;
    // Dots per inch of two-dimensional symbols; the custom value is clamped to a sane range.
    int USED_DPI_VALUE() const;

    // A length in the settings' unit, in points.
    float toPoints(float length) const;

    // What the painter reads: fonts, colours, alignment words, caption placement, and the
    // margins in points (zero for a hidden part, as the sizing counts them).
    BarcodeSettings renderSettings() const;
};
