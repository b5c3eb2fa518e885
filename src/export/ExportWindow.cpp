#include "export/ExportWindow.h"

#include "common/Logging.h"
#include "platform/InterfaceSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Format titles; a file's extension is its format's title in lower case.
const QStringList formats { QStringLiteral("TIFF"), QStringLiteral("PNG"), QStringLiteral("JPEG"),
    QStringLiteral("BMP") };
const QList<int> resolutions { 300, 600, 150, 72 };
const QString lastFormatKey = QStringLiteral("export/format");

} // namespace

ExportWindow::ExportWindow(QWidget* parent)
    : QDialog(parent)
    , fileFormatPopup(new QComboBox(this))
    , saveDPIText(new QComboBox(this))
    , matrix_export_card_side(new QButtonGroup(this))
    , export_combined_image_chk(new QCheckBox(QStringLiteral("Both sides in one image"), this))
    , Export_with_batch_chk(new QCheckBox(QStringLiteral("One card per series row"), this))
    , Export_with_excel_chk(new QCheckBox(QStringLiteral("One card per spreadsheet row"), this))
{
    setWindowTitle(QStringLiteral("Export Card"));
    fileFormatPopup->addItems(formats);
    fileFormatPopup->setToolTip(QStringLiteral("Image file format"));
    for (int dpi : resolutions)
        saveDPIText->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    saveDPIText->setToolTip(QStringLiteral("Resolution of the exported image"));

    auto* sides = new QGroupBox(QStringLiteral("Card side"), this);
    auto* sidesLayout = new QVBoxLayout(sides);
    const QStringList sideTitles { QStringLiteral("&Both sides"), QStringLiteral("&Front"), QStringLiteral("B&ack") };
    for (int row = 0; row < sideTitles.size(); ++row) {
        auto* button = new QRadioButton(sideTitles[row], sides);
        matrix_export_card_side->addButton(button, row);
        sidesLayout->addWidget(button);
    }
    sidesLayout->addWidget(export_combined_image_chk);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("For&mat:"), fileFormatPopup);
    form->addRow(QStringLiteral("&Resolution:"), saveDPIText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sides);
    layout->addWidget(Export_with_batch_chk);
    layout->addWidget(Export_with_excel_chk);
    layout->addWidget(buttons);

    connect(matrix_export_card_side, &QButtonGroup::idClicked, this, &ExportWindow::export_card_side_CellClick);
    reset(false, false);
}

void ExportWindow::reset(bool seriesInUse, bool spreadsheetInUse, bool twoSided, bool backShown)
{
    // A one-sided card has no back to export.
    matrix_export_card_side->button(0)->setEnabled(twoSided);
    matrix_export_card_side->button(2)->setEnabled(twoSided);
    saveDPIText->setCurrentIndex(0);
    // A title the settings file holds that is no format of ours gives the first.
    fileFormatPopup->setCurrentIndex(
        std::max(0, int(formats.indexOf(InterfaceSettings::value(lastFormatKey).toString()))));
    // Every format is written at the chosen resolution, so the choice is open for all.
    saveDPIText->setEnabled(true);
    export_combined_image_chk->setChecked(false);
    matrix_export_card_side->button(twoSided && backShown ? 2 : 1)->setChecked(true);
    export_card_side_CellClick();
    Export_with_batch_chk->setEnabled(seriesInUse);
    Export_with_batch_chk->setChecked(seriesInUse);
    Export_with_excel_chk->setEnabled(spreadsheetInUse);
    Export_with_excel_chk->setChecked(spreadsheetInUse);
    fileFormatPopup->setFocus();
}

void ExportWindow::rememberFormat() const
{
    InterfaceSettings::setValue(lastFormatKey, fileFormatPopup->currentText());
}

void ExportWindow::selectFormat(const QString& extension)
{
    if (const qsizetype row = formats.indexOf(extension.toUpper()); row >= 0)
        fileFormatPopup->setCurrentIndex(int(row));
}

void ExportWindow::export_card_side_CellClick()
{
    const int row = matrix_export_card_side->checkedId();
    export_card_side = row == 0 ? QStringLiteral("BOTH") : row == 1 ? QStringLiteral("F") : QStringLiteral("B");
    export_combined_image_chk->setEnabled(row == 0);
    Show_Debug_Message(export_card_side);
}

CardExportSettings ExportWindow::settings() const
{
    CardExportSettings chosen;
    chosen.extension = fileFormatPopup->currentText().toLower();
    chosen.dpi = saveDPIText->currentData().toDouble();
    chosen.side = export_card_side;
    // The combined picture needs both sides; a box left on for one side means nothing.
    chosen.combined = chosen.bothSides() && export_combined_image_chk->isChecked();
    return chosen;
}

bool ExportWindow::useSeriesRows() const
{
    return Export_with_batch_chk->isEnabled() && Export_with_batch_chk->isChecked();
}

bool ExportWindow::useSpreadsheetRows() const
{
    return Export_with_excel_chk->isEnabled() && Export_with_excel_chk->isChecked();
}
