// A card bound to a workbook prints and exports what the workbook shows, not its stored numbers.
#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "common/FileHelpers.h"
#include "data/Data_From_Excel.h"
#include "data/SpreadsheetWriter.h"
#include "data/XlsxTestSupport.h"
#include "jobs/DataBinding.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "render/SKTRenderingView.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QRectF cardFrame(0, 0, 243, 154);

// A text object bound to a column of the spreadsheet table, on its own line of the card.
SKTGraphicPtr boundText(int column)
{
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("placeholder");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;
    text->txt_clr = QColor(Qt::black);
    text->setBounds({ 10, 10 + 28.0 * (column - 1), 223, 24 });
    text->data_source_type = DataBinding::spreadsheetSource;
    text->excel_col_indx = column;
    return text;
}

} // namespace

TEST(PrintedWorkbookValuesTest, DatesTimesBooleansAndFractionsPrintAndExportAsTheWorkbookShowsThem)
{
    SKIP_WITHOUT_OPENPYXL();
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's pdfinfo, pdftoppm and pdftotext are not installed";
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("guests.xlsx"));
    xlsxtest::runPython(QStringLiteral(R"(import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append(['Day', 'Time', 'Came', 'Share', 'Stamp'])
ws.append([datetime.date(2024, 3, 5), datetime.time(9, 30), True, 1 / 3, datetime.datetime(2024, 3, 5, 21, 30)])
ws['A2'].number_format = 'd mmmm yyyy'
ws['B2'].number_format = 'h:mm'
ws['E2'].number_format = 'dd/mm/yy h:mm AM/PM'
wb.save(sys.argv[1])
)"),
        { book });
    ScriptedDialogs dialogs;
    Delete_File(SpreadsheetWriter::workFolder());
    SpreadsheetWriter::ReadWorkbook(book, true);
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    Data_From_Excel table;
    ASSERT_TRUE(table.replaceFromSheet(SpreadsheetWriter::ReadWorkbook(QString(), false), { 0, 1, 2, 3, 4 }, true));
    SpreadsheetRows rows;
    for (int r = 0; r < table.ListData.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.ColList.size(); ++c)
            cells << table.value(r, c);
        rows << cells;
    }

    QList<SKTGraphicPtr> front;
    for (int column = 1; column <= 5; ++column)
        front << boundText(column);
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, rows);
    ASSERT_EQ(binding.Total_Batch_Excel_Card, 1);
    ASSERT_TRUE(BoundSide(front, binding, CardEdge(cardFrame, 0), QStringLiteral("front")).apply(0).picturesMade);
    // What an exported card draws.
    const QStringList shown = { QStringLiteral("5 March 2024"), QStringLiteral("9:30"), QStringLiteral("TRUE"),
        QStringLiteral("0.333333333333333"), QStringLiteral("05/03/24 9:30 PM") };
    for (int i = 0; i < front.size(); ++i)
        EXPECT_EQ(front[i]->Text_contents()->string, shown[i]);

    const Picture card
        = SKTRenderingView::image_From_Card_Graphics(front, false, { Card_Property::create(), 0, cardFrame });
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf"));
    const Printing_View job(twoByTwoOnA4(cardFrame.size(), 1), [&card](int) { return PrintCellCards { card, {} }; });
    ASSERT_TRUE(job.printToPdf(pdf));
    const QString printed = PdfTools::text(pdf, 1);
    for (const QString& text : shown)
        EXPECT_TRUE(printed.contains(text)) << text.toStdString() << " not in " << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("45356")));
}
