#include "print/Print_Wnd.h"

#include "platform/DialogService.h"
#include "print/PrintGridMemory.h"
#include "print/Sample_Preview.h"
#include "widgets/WidgetHelpers.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace PrintLayout;

namespace {

constexpr int unboundTotalMaximum = 999999;

QString millimetres(float points)
{
    return QString::asprintf("%0.2f", double(Points_to_MM_Convert(points)));
}

// Sets a field without running its handler.
template <class Field, class Value> void quietly(Field* field, Value value)
{
    const QSignalBlocker blocker(field);
    field->setValue(value);
}

} // namespace

bool Print_Wnd::Open_Print_Wnd(PrintHost& host)
{
    host_ = &host;
    batch_ = host.Check_Series_Or_Excel_Use_or_not();
    seriesFound_ = batch_.Use_Data_Sheet_Values;
    spreadsheetFound_ = batch_.Use_Excel_Binding_Values;
    if (batch_.inUse() && batch_.Total_Batch_Excel_Card <= 0) {
        dialogs().showMessage(QStringLiteral("List is empty."));
        return false;
    }
    loading = true;
    {
        const QSignalBlocker sides(frontSide), alignment(print_alignment);
        frontSide->setChecked(true);
        print_alignment->setCurrentIndex(0);
    }
    // A one-sided card has no back to print.
    bothSides->setEnabled(host.twoSidedCard());
    backSide->setEnabled(host.twoSidedCard());
    print_alignment->setEnabled(false);
    settings_.Print_Card_Side = sideFront;
    settings_.Print_Card_Algn = backBelow;
    {
        const QSignalBlocker autoCentre(Auto_Center_chk_bx), outlines(Show_Margins);
        Auto_Center_chk_bx->setChecked(false);
        Show_Margins->setChecked(true);
    }
    settings_.auto_center_flag = false;
    settings_.Show_margin_rect = true;
    settings_.Print_Row = settings_.Print_Col = settings_.Total_Label = 1;

    // Both sides are rendered whatever side is chosen, so a later choice finds its picture.
    snapshot_ = host.cardSnapshot();
    designSerial_ = host.designSerial();
    designFile_ = host.designFile();
    back_image = SKTRenderingView::image_From_Card_Graphics(snapshot_.back, false, snapshot_.backBase());
    front_image = SKTRenderingView::image_From_Card_Graphics(snapshot_.front, false, snapshot_.frontBase());

    {
        const QSignalBlocker series(print_with_batch_chk), sheet(print_with_excel_chk);
        print_with_batch_chk->setEnabled(batch_.Use_Data_Sheet_Values);
        print_with_batch_chk->setChecked(batch_.Use_Data_Sheet_Values);
        print_with_excel_chk->setEnabled(batch_.Use_Excel_Binding_Values);
        print_with_excel_chk->setChecked(batch_.Use_Excel_Binding_Values);
    }
    if (batch_.inUse()) {
        settings_.Total_Label = batch_.Total_Batch_Excel_Card;
        showTotal(settings_.Total_Label, settings_.Total_Label);
    } else {
        showTotal(1, unboundTotalMaximum);
    }

    settings_.label_width = float(front_image.size().width());
    settings_.label_hight = float(front_image.size().height());
    quietly(width_Text, Points_to_MM_Convert(settings_.label_width));
    quietly(height_Text, Points_to_MM_Convert(settings_.label_hight));
    quietly(Row_Text, 1);
    quietly(Col_Text, 1);
    askedRows_ = askedColumns_ = 1;
    // The gaps start at 0, as their fields show.
    quietly(horz_mar_Text, 0.0);
    quietly(vert_mar_Text, 0.0);
    settings_.horz_mar = settings_.vert_mar = 0;
    SetObjEnabled(align_Gp_Bx, true);
    horz_mar_Text->setEnabled(true);
    vert_mar_Text->setEnabled(true);
    settings_.label_align_val = 1;
    alignmentButtons->button(1)->setChecked(true);
    onlySheets_chk->setChecked(false);
    firstSheet_Text->setEnabled(false);
    lastSheet_Text->setEnabled(false);
    firstSheet_Text->setValue(1);
    lastSheet_Text->setValue(1);

    {
        const QSignalBlocker printers(Printer_ComboBox);
        Printer_ComboBox->clear();
        Printer_ComboBox->addItems(QPrinterInfo::availablePrinterNames());
        Printer_ComboBox->addItem(pdfFileEntry());
        const QString preferred = QPrinterInfo::defaultPrinterName();
        Printer_ComboBox->setCurrentIndex(std::max(0, Printer_ComboBox->findText(preferred)));
    }
    printerChosen(Printer_ComboBox->currentIndex());
    loading = false;
    if (const std::optional<QSize> asked = gridAskedBefore()) {
        askedColumns_ = asked->width();
        askedRows_ = asked->height();
        // A grid asked before the design was saved, or under its old name, is its file's now.
        rememberGrid();
        Check_Max_Cell_Value();
    } else {
        Refresh_Preview();
    }
    width_Text->setFocus();
    dialogs().runModal(*this);
    hide();
    host_ = nullptr;
    return true;
}

void Print_Wnd::printerChosen(int)
{
    const PrintSettings before = settings_;
    applyChosenPrinter();
    Set_values_From_Printer();
    // Another paper or other margins: gaps and counts fitted to the old ones would misplace
    // the grid, as a change of page setup would.
    if (settings_.paper != before.paper || settings_.Left_Mar != before.Left_Mar || settings_.Rite_Mar != before.Rite_Mar
        || settings_.Top_Mar != before.Top_Mar || settings_.Bot_Mar != before.Bot_Mar)
        Check_Max_Cell_Value();
}

void Print_Wnd::applyChosenPrinter()
{
    // A file named by an earlier print to PDF would turn a printer's job into that file again.
    // Qt takes an empty name as "native output", so the name goes first.
    printInfo->setOutputFileName(QString());
    const QString chosen = Printer_ComboBox->currentText();
    if (chosen == pdfFileEntry()) {
        if (printInfo->outputFormat() != QPrinter::PdfFormat)
            printInfo->setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    if (printInfo->outputFormat() != QPrinter::NativeFormat)
        printInfo->setOutputFormat(QPrinter::NativeFormat);
    if (printInfo->printerName() != chosen)
        printInfo->setPrinterName(chosen);
}

void Print_Wnd::Set_values_From_Printer()
{
    const QPageLayout layout = printInfo->pageLayout();
    const QRectF paper = layout.fullRectPoints();
    // Every print leaves the printer in full-page mode, whose printable area is the whole
    // paper: the margins are read as the printer keeps them, whatever the mode.
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    Paper_id->setText(layout.pageSize().name());
    settings_.paper = paper.size();
    Size_id->setText(
        QStringLiteral("%1 x %2").arg(millimetres(float(paper.width())), millimetres(float(paper.height()))));
    {
        const QSignalBlocker orientation(Orient_ComboBox);
        Orient_ComboBox->setCurrentIndex(layout.orientation() == QPageLayout::Portrait ? 0 : 1);
    }
    settings_.Left_Mar = float(margins.left());
    settings_.Rite_Mar = float(margins.right());
    settings_.Top_Mar = float(margins.top());
    settings_.Bot_Mar = float(margins.bottom());
    l_mar_id->setText(millimetres(settings_.Left_Mar));
    r_mar_id->setText(millimetres(settings_.Rite_Mar));
    t_mar_id->setText(millimetres(settings_.Top_Mar));
    b_mar_id->setText(millimetres(settings_.Bot_Mar));
    Refresh_Preview();
}

void Print_Wnd::orientationChosen(int index)
{
    printInfo->setPageOrientation(index == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    refitToPrinter();
}

void Print_Wnd::pagesetup()
{
    QPageSetupDialog setup(printInfo.get(), this);
    if (dialogs().runModal(setup) != QDialog::Accepted)
        return;
    refitToPrinter();
}

void Print_Wnd::refitToPrinter()
{
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void Print_Wnd::Check_Max_Cell_Value()
{
    if (loading)
        return;
    const FitRequest request { float(width_Text->value()), float(height_Text->value()), float(horz_mar_Text->value()),
        float(vert_mar_Text->value()), askedColumns_, askedRows_ };
    const FitResult fit = PrintLayout::Check_Max_Cell_Value(settings_, request);
    // The fields show the grid that prints; what was asked comes back once it fits again.
    quietly(Col_Text, fit.columns);
    quietly(Row_Text, fit.rows);
    if (!batch_.inUse()) {
        settings_.Total_Label = settings_.cellsPerSheet();
        quietly(Total_Text, settings_.Total_Label);
    }
    Refresh_Preview();
}

void Print_Wnd::gridCountTyped()
{
    if (loading)
        return;
    askedRows_ = Row_Text->value();
    askedColumns_ = Col_Text->value();
    Check_Max_Cell_Value();
    // A typed count that does not fit is cut to what fits, as the field then shows.
    askedRows_ = settings_.Print_Row;
    askedColumns_ = settings_.Print_Col;
    rememberGrid();
}

void Print_Wnd::rememberGrid()
{
    const QSize asked(askedColumns_, askedRows_);
    gridBySerial_[designSerial_] = asked;
    if (!designFile_.isEmpty())
        PrintGridMemory::remember(designFile_, asked);
}

std::optional<QSize> Print_Wnd::gridAskedBefore() const
{
    const auto open = gridBySerial_.find(designSerial_);
    if (open != gridBySerial_.end())
        return open->second;
    return designFile_.isEmpty() ? std::nullopt : PrintGridMemory::gridFor(designFile_);
}

QString Print_Wnd::designName() const
{
    return snapshot_.frontSettings ? snapshot_.frontSettings->Card_Name : QString();
}

void Print_Wnd::Refresh_Preview()
{
    if (loading)
        return;
    PrintView->showSettings(settings_, front_image.size());
    Print_sclview->verticalScrollBar()->setValue(0);
}

void Print_Wnd::card_side_CellClick()
{
    settings_.Print_Card_Side = bothSides->isChecked() ? sideBoth : frontSide->isChecked() ? sideFront : sideBack;
    print_alignment->setEnabled(settings_.bothSides());
    Check_Max_Cell_Value();
}

void Print_Wnd::alignmentChosen(int position)
{
    settings_.label_align_val = position;
    Refresh_Preview();
}

void Print_Wnd::Auto_Center_Checked()
{
    settings_.auto_center_flag = Auto_Center_chk_bx->isChecked();
    const bool typedGaps = !settings_.auto_center_flag;
    horz_mar_Text->setEnabled(typedGaps);
    vert_mar_Text->setEnabled(typedGaps);
    SetObjEnabled(align_Gp_Bx, typedGaps);
    Check_Max_Cell_Value();
}

void Print_Wnd::Verify_Card_Count()
{
    if (!host_)
        return;
    // A tick recounts the sources found at opening; it does not read them again.
    const bool series = seriesFound_ && print_with_batch_chk->isChecked();
    const bool sheet = spreadsheetFound_ && print_with_excel_chk->isChecked();
    batch_ = host_->Get_total_Card_count(series, sheet);
}

void Print_Wnd::Print_With_Batch_Changed()
{
    Verify_Card_Count();
    settings_.Total_Label = batch_.inUse() ? batch_.Total_Batch_Excel_Card : 1;
    showTotal(settings_.Total_Label, batch_.inUse() ? settings_.Total_Label : unboundTotalMaximum);
}

void Print_Wnd::showTotal(int total, int maximum)
{
    const QSignalBlocker blocker(Total_Text);
    Total_Text->setMaximum(maximum);
    Total_Text->setValue(total);
}
