#pragma once

#include "jobs/CardExport.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;

// The export sheet: the image format, its resolution, which sides, both sides in one
// picture, and whether the series and spreadsheet rows make one card each.
class ExportWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ExportWindow(QWidget* parent = nullptr);

    // The choices an export starts from: the format of the last export (the first format
    // before any), the first resolution, the side shown (the front on a one-sided card), no
    // combined picture; the row boxes enabled and on exactly when those rows are in use; the
    // sides that hold the back only on a two-sided card.
    void reset(bool seriesInUse, bool spreadsheetInUse, bool twoSided = true, bool backShown = false);
    // Keeps the chosen format, for the next export (and the next start of the program).
    void rememberFormat() const;
    // Chooses the format of an extension as settings() gives it ("png", ...); another changes nothing.
    void selectFormat(const QString& extension);

    CardExportSettings settings() const;
    bool useSeriesRows() const;
    bool useSpreadsheetRows() const;

    // The side choice: "BOTH" opens the combined picture, one side closes it.
    void export_card_side_CellClick();

    QComboBox* fileFormatPopup;
    QComboBox* saveDPIText;
    QButtonGroup* matrix_export_card_side;
    QCheckBox* export_combined_image_chk;
    QCheckBox* Export_with_batch_chk;
    QCheckBox* Export_with_excel_chk;

private:
    QString export_card_side = QStringLiteral("F");
};
