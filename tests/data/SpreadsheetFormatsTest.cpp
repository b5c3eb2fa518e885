// Cells show what the workbook shows: dates, times, booleans and numbers in their formats.
#include "XlsxTestSupport.h"

#include "common/FileHelpers.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>

using namespace xlsxtest;

namespace {

class FormatsTest : public ::testing::Test
{
protected:
    void SetUp() override { Delete_File(SpreadsheetWriter::workFolder()); }

    SheetTable read(const QString& path)
    {
        SpreadsheetWriter::ReadWorkbook(path, true);
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadData_only_column();
        return SpreadsheetWriter::ReadWorkbook(QString(), false);
    }

    // A one-sheet workbook whose styles part is the given one.
    void writeStyled(const QByteArray& rows, const QByteArray& styles, const QByteArray& strings = {})
    {
        writeWorkbook(book, { { "S", "sheet1.xml", sheetXml(rows) } }, strings);
        replaceEntry(book, QStringLiteral("xl/styles.xml"), styles);
    }

    QTemporaryDir tmp;
    QString book = tmp.filePath(QStringLiteral("book.xlsx"));
    ScriptedDialogs dialogs;
};

QByteArray stylesXml(const QByteArray& numFmts, const QByteArray& xfs)
{
    return QByteArray("<?xml version=\"1.0\"?><styleSheet xmlns=\"") + mainNs() + "\"><numFmts>" + numFmts
        + "</numFmts><cellXfs>" + xfs + "</cellXfs></styleSheet>";
}

} // namespace

TEST_F(FormatsTest, WorkbookFromAnotherProgramShowsItsDatesTimesBooleansAndNumbersAsItDoes)
{
    SKIP_WITHOUT_OPENPYXL();
    // Built-in formats (openpyxl stores "mm-dd-yy", "d-mmm-yy", "h:mm", "h:mm AM/PM", "0.00",
    // "#,##0", "0%" by number) and codes of the workbook's own.
    runPython(QStringLiteral(R"(import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
cells = [
    (datetime.date(2024, 3, 5), None), (datetime.date(2024, 3, 5), 'mm-dd-yy'),
    (datetime.date(2024, 3, 5), 'dddd, mmmm d, yyyy'), (datetime.date(2024, 3, 5), 'd-mmm-yy'),
    (datetime.time(9, 30), None), (datetime.time(9, 30), 'h:mm'), (datetime.time(21, 30), 'h:mm AM/PM'),
    (datetime.datetime(2024, 3, 5, 9, 30), None), (datetime.datetime(2024, 3, 5, 9, 30), 'dd"."mm"."yyyy hh:mm'),
    (datetime.timedelta(hours=36), '[h]:mm'), (45356, '[$-409]yyyy/mm/dd;@'),
    (True, None), (False, None), (1 / 3, None), (0.1 + 0.2, None), (45356, None),
    (2.675, '0.00'), (1234567.5, '#,##0'), (0.256, '0%'), (-1234.5, '#,##0.00;[Red]-#,##0.00'),
]
for column, (value, code) in enumerate(cells, 1):
    cell = ws.cell(row=1, column=column, value=value)
    if code:
        cell.number_format = code
wb.save(sys.argv[1])
)"),
        { book });
    EXPECT_EQ(read(book),
        (SheetTable { QStringList { "2024-03-05", "2024-03-05", "Tuesday, March 5, 2024", "5-Mar-24", "9:30:00", "9:30",
            "9:30 PM", "2024-03-05 9:30:00", "05.03.2024 09:30", "36:00", "2024/03/05", "TRUE", "FALSE",
            "0.333333333333333", "0.3", "45356", "2.68", "1,234,568", "26%", "-1,234.50" } }));
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(FormatsTest, WorkbookCountingFrom1904ShowsTheSameDays)
{
    SKIP_WITHOUT_OPENPYXL();
    runPython(QStringLiteral(R"(import sys, datetime, openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904
wb = openpyxl.Workbook()
wb.epoch = CALENDAR_MAC_1904
ws = wb.active
ws.append([datetime.date(2024, 3, 5), datetime.datetime(1904, 1, 1, 6, 0), datetime.date(1904, 1, 2)])
ws['C1'].number_format = 'yyyy-mm-dd dddd'
wb.save(sys.argv[1])
)"),
        { book });
    EXPECT_EQ(read(book), (SheetTable { QStringList { "2024-03-05", "1904-01-01 6:00:00", "1904-01-02 Saturday" } }));
}

TEST_F(FormatsTest, StylesAreFoundByTheirIndexAndUnstyledWorkbooksShowGeneral)
{
    writeStyled("<row><c r=\"A1\"><v>45356</v></c><c r=\"B1\" s=\"1\"><v>45356</v></c>"
                "<c r=\"C1\" s=\"2\"><v>0.5</v></c><c r=\"D1\" s=\"3\"><v>0.5</v></c>"
                "<c r=\"E1\" s=\"1\" t=\"s\"><v>0</v></c></row>",
        stylesXml("<numFmt numFmtId=\"164\" formatCode=\"d/m/yyyy\"/><numFmt numFmtId=\"20\" formatCode=\"0.0\"/>",
            "<xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"20\"/><xf numFmtId=\"21\"/>"),
        sharedStringsXml("<si><t>2024</t></si>"));
    // A code of the workbook's own replaces the built-in one of its id; a text keeps its text
    // whatever its style.
    EXPECT_EQ(read(book), (SheetTable { QStringList { "45356", "5/3/2024", "0.5", "12:00:00", "2024" } }));

    // Without a styles part every number is General, whatever index its cells name.
    writeWorkbook(
        book, { { "S", "sheet1.xml", sheetXml("<row><c r=\"A1\" s=\"7\"><v>0.30000000000000004</v></c></row>") } }, {});
    EXPECT_EQ(read(book), SheetTable { QStringList { "0.3" } });
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(FormatsTest, DamagedStylesAreReportedAndNoSheetIsReadWithWrongValues)
{
    const QByteArray row = "<row><c r=\"A1\" s=\"1\"><v>45356</v></c></row>";
    const QList<QPair<QByteArray, QByteArray>> damaged = {
        { stylesXml({}, "<xf numFmtId=\"x\"/>"), "number format id \"x\" is not valid" },
        { stylesXml({}, "<xf numFmtId=\"70000\"/>"), "number format id \"70000\" is not valid" },
        { stylesXml("<numFmt numFmtId=\"164\" formatCode=\"" + QByteArray(300, 'y') + "\"/>", "<xf/>"),
            "a number format is longer than 255 characters" },
        { "<!DOCTYPE styleSheet [<!ENTITY a \"b\">]><styleSheet/>", "document type declaration" },
        { stylesXml({}, "<xf numFmtId=\"14\"/>") + "<broken", "xl/styles.xml" },
    };
    for (const auto& [styles, reason] : damaged) {
        SCOPED_TRACE(styles.left(120).toStdString());
        const size_t shown = dialogs->messages().size();
        writeStyled(row, styles);
        EXPECT_TRUE(read(book).isEmpty());
        EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QString::fromUtf8(reason)))
            << SpreadsheetWriter::lastError().toStdString();
        // The reader shows nothing: it runs behind the please-wait sheet.
        EXPECT_EQ(dialogs->messages().size(), shown);
    }

    // A cell naming a style the workbook does not have fails its sheet.
    writeStyled(row, stylesXml({}, "<xf numFmtId=\"14\"/>"));
    EXPECT_TRUE(read(book).isEmpty());
    EXPECT_TRUE(
        SpreadsheetWriter::lastError().endsWith(QStringLiteral("cell style 1 does not exist (the workbook has 1)")));
    writeStyled("<row><c r=\"A1\" s=\"-1\"><v>1</v></c></row>", stylesXml({}, "<xf numFmtId=\"14\"/>"));
    EXPECT_TRUE(read(book).isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().endsWith(QStringLiteral("cell style \"-1\" is not valid")));
}
