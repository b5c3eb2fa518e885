// Resolution, data source and the help buttons.
#include "barcodewindow/Barcode_Gen.h"

#include "barcodes/BarcodeOptionItems.h"
#include "barcodewindow/BarcodeHelpTexts.h"
#include "barcodewindow/BarcodeWindowHost.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

void Barcode_Gen::dpiChoiceChanged()
{
    const bool custom = DPI_ComboBox->currentText() == QLatin1String("Custom");
    if (auto* form = qobject_cast<QFormLayout*>(dpi_tab_item->layout()))
        form->setRowVisible(dpi_Stepper, custom);
    if (!loading_)
        readControls();
}

void Barcode_Gen::dataSourceChanged()
{
    const int source = Data_source_type->currentIndex();
    QStringList items;
    if (source == 1) {
        items = host_.Get_datasheet_File_Name_Array();
        if (items.isEmpty()) {
            Show_MessageBox(tr("Please create batch processing series first."));
            Data_source_type->setCurrentIndex(shownDataSource_);
            return;
        }
    } else if (source == 2) {
        items = host_.excelColumnTitles();
    }
    shownDataSource_ = source;
    settings_.data_source_type = source;
    Batch_Series->clear();
    Batch_Series->addItems(items);
    Batch_Series->setPlaceholderText(source == 2 ? goneColumn_ : QString());
    Batch_Series->setEnabled(source != 0);
    view_series_btn->setEnabled(source == 1);
    dataText->setReadOnly(source != 0);
    dataText_2D->setReadOnly(source != 0);
    if (source == 1 && !settings_.batch_list_name.isEmpty())
        Batch_Series->setCurrentIndex(Batch_Series->findText(settings_.batch_list_name));
    else if (source == 2)
        Batch_Series->setCurrentIndex(
            SKTGraphic::excelColumnToStartAt(settings_.excel_col_title, settings_.excel_col_indx, items,
                [this](int column) { return !host_.Get_First_Value_Of_Excel_Binding(column).isEmpty(); }));
    else
        Batch_Series->setCurrentIndex(-1);
    if (Batch_Series->currentIndex() >= 0) {
        batchSeriesChosen();
        return;
    }
    // No column chosen gives no value: none of another source's stays shown.
    if (source == 2)
        setValueText(QString());
    goButtonActionPerformed();
}

void Barcode_Gen::batchSeriesChosen()
{
    const QString name = Trim_Str(Batch_Series->currentText());
    const int index = Batch_Series->currentIndex();
    if (name.isEmpty())
        return;
    QString value;
    if (settings_.data_source_type == 2) {
        settings_.excel_col_indx = index;
        settings_.excel_col_title = Batch_Series->itemText(index);
        value = host_.Get_First_Value_Of_Excel_Binding(index);
    } else {
        settings_.batch_list_name = name;
        settings_.batch_list_index = index;
        value = host_.Get_First_Value_Of_Dataset(name);
    }
    setValueText(value);
    goButtonActionPerformed();
}

void Barcode_Gen::setValueText(const QString& value)
{
    const QSignalBlocker blocker(dataText_2D);
    if (settings_.isTwoDimensional())
        dataText_2D->setPlainText(value);
    else
        dataText->setText(value);
}

void Barcode_Gen::View_batch_Series_Button()
{
    const QString name = Trim_Str(Batch_Series->currentText());
    if (name.isEmpty()) {
        Show_MessageBox(tr("Please select the series."));
        return;
    }
    host_.View_Data_Series(name);
}

void Barcode_Gen::showHelp()
{
    if (const BarcodeHelpText* help = barcodeHelpText(sender()->objectName()))
        host_.Open_Long_sms_Dialog(QString::fromLatin1(help->title), QString::fromLatin1(help->text));
}

// A text dropped on a PDF417 symbol becomes its value.
void Barcode_Gen::textDropped(const QString& text)
{
    setValueText(text);
    goButtonActionPerformed();
    if (previewPicture().isNull())
        Show_MessageBox(tr("Unable to perform %1 operation.").arg(QStringLiteral("drop")));
}
