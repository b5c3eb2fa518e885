#include "XlsxTestSupport.h"

#include "common/FileHelpers.h"
#include "data/BoundWorkbook.h"
#include "data/SpreadsheetWriter.h"
#include "support/ScriptedDialogService.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

using namespace xlsxtest;

namespace {

class ReaderTest : public ::testing::Test
{
protected:
    void SetUp() override { Delete_File(SpreadsheetWriter::workFolder()); }

    // The import windows' order: open, choose the sheet, titles, then rows.
    void open(const QString& path, int sheet = 1)
    {
        SpreadsheetWriter::ReadWorkbook(path, true);
        Excel_Sheet_Number = sheet;
    }
    SheetTable rows() { return SpreadsheetWriter::ReadWorkbook(QString(), false); }
    SheetTable titles() { return SpreadsheetWriter::ReadData_only_column(); }

    // A one-sheet workbook with the given rows, read whole.
    SheetTable readSheet(const QByteArray& rowsXml, const QByteArray& dimension, const QByteArray& strings = {})
    {
        writeWorkbook(book, { { "S", "sheet1.xml", sheetXml(rowsXml, dimension) } }, strings);
        open(book);
        titles();
        return rows();
    }

    QTemporaryDir tmp;
    QString book = tmp.filePath(QStringLiteral("book.xlsx"));
    ScriptedDialogs dialogs;
};

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList list;
    for (const char* cell : cells)
        list.append(QString::fromUtf8(cell));
    return list;
}

} // namespace

TEST_F(ReaderTest, WorkFolderIsPrivateToTheProcess)
{
    const QString work = SpreadsheetWriter::workFolder();
    EXPECT_TRUE(work.endsWith(QStringLiteral("/ziptmp")));
    const QFileInfo parent(QFileInfo(work).path());
    EXPECT_TRUE(parent.path().startsWith(QStandardPaths::writableLocation(QStandardPaths::TempLocation)));
    EXPECT_EQ(parent.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
        QFile::Permissions());
}

TEST_F(ReaderTest, WorkbookFromAnotherProgramReadsCellForCell)
{
    SKIP_WITHOUT_OPENPYXL();
    runPython(QStringLiteral(R"(import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'People'
ws.append(['Name', 'Age', None, 'Note'])
ws.append(['Ann', 42, 3.5, 'x & <y>'])
ws.append([])
ws.append(['Bob', True, datetime.datetime(2024, 1, 15), '  spaced  '])
ws.append(['Ünïcode ✓', -7, None, 'line1\nline2'])
second = wb.create_sheet('Second')
second.append(['Name', 'Other'])
second.append(['Ann', None])
wb.save(sys.argv[1])
)"),
        { book });
    open(book);
    EXPECT_EQ(
        SpreadsheetWriter::Read_Sheet_Name(), (QStringList { QStringLiteral("People"), QStringLiteral("Second") }));
    EXPECT_EQ(titles(), SheetTable { row({ "Name", "Age", "Untitled Column 3", "Note" }) });
    EXPECT_EQ(Excel_Sheet_Columns, 4);
    // Row 3 is absent from the sheet data, so it does not appear.
    EXPECT_EQ(rows(),
        (SheetTable { row({ "Name", "Age", "", "Note" }), row({ "Ann", "42", "3.5", "x & <y>" }),
            row({ "Bob", "TRUE", "2024-01-15 0:00:00", "  spaced  " }),
            row({ "Ünïcode ✓", "-7", "", "line1\nline2" }) }));

    // The second sheet shares the strings and takes its own column count.
    Excel_Sheet_Number = 2;
    EXPECT_EQ(titles(), SheetTable { row({ "Name", "Other" }) });
    EXPECT_EQ(Excel_Sheet_Columns, 2);
    EXPECT_EQ(rows(), (SheetTable { row({ "Name", "Other" }), row({ "Ann", "" }) }));
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(ReaderTest, RichTextStringsAreWholeAndLaterIndexesStayRight)
{
    const QByteArray strings
        = sharedStringsXml("<si><t>zero</t></si>"
                           "<si><r><rPr><b/></rPr><t>bo</t></r><r><t xml:space=\"preserve\">ld </t></r>"
                           "<rPh sb=\"0\" eb=\"1\"><t>hint</t></rPh></si>"
                           "<si><t>two</t></si>");
    EXPECT_EQ(readSheet("<row><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                        "<c r=\"C1\" t=\"s\"><v>2</v></c></row>",
                  "A1:C1", strings),
        SheetTable { row({ "zero", "bold ", "two" }) });
}

TEST_F(ReaderTest, CellsGiveTheirShownValues)
{
    EXPECT_EQ(readSheet("<row><c r=\"A1\"><f>1+1</f><v>2</v></c>"
                        "<c r=\"B1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c>"
                        "<c r=\"C1\" t=\"inlineStr\"><is><t>inline</t></is></c>"
                        "<c r=\"D1\" t=\"b\"><v>0</v></c>"
                        "<c r=\"E1\" t=\"e\"><v>#DIV/0!</v></c>"
                        "<c r=\"F1\" s=\"3\"/></row>",
                  "A1:F1"),
        SheetTable { row({ "2", "ab", "inline", "FALSE", "#DIV/0!", "" }) });
}

TEST_F(ReaderTest, SheetWithoutUsedRangeOrCellReferencesIsStillRead)
{
    const SheetTable table = readSheet("<row><c><v>1</v></c><c><v>2</v></c></row>"
                                       "<row><c r=\"C2\"><v>3</v></c><c><v>4</v></c></row>",
        QByteArray());
    EXPECT_EQ(Excel_Sheet_Columns, 4);
    EXPECT_EQ(table, (SheetTable { row({ "1", "2", "", "" }), row({ "", "", "3", "4" }) }));
}

TEST_F(ReaderTest, ColumnsBeyondZZAreNumberedRight)
{
    const SheetTable table = readSheet("<row><c r=\"ZZ1\"><v>702</v></c><c r=\"AAB1\"><v>704</v></c></row>", "A1:AAB1");
    ASSERT_EQ(table.size(), 1);
    ASSERT_EQ(table[0].size(), 704);
    EXPECT_EQ(table[0][701], QStringLiteral("702"));
    EXPECT_EQ(table[0][703], QStringLiteral("704"));
}

TEST_F(ReaderTest, CellsBeyondTheUsedRangeWidenTheTableInsteadOfBeingLost)
{
    EXPECT_EQ(readSheet("<row><c r=\"A1\"><v>1</v></c></row><row><c r=\"C2\"><v>3</v></c></row>", "A1:A1"),
        (SheetTable { row({ "1", "", "" }), row({ "", "", "3" }) }));
    EXPECT_EQ(Excel_Sheet_Columns, 3);
}

TEST_F(ReaderTest, SheetNumberFollowsTheWorkbookNotTheFileNames)
{
    writeWorkbook(book,
        { { "First", "sheet2.xml", sheetXml("<row><c r=\"A1\" t=\"inlineStr\"><is><t>first</t></is></c></row>") },
            { "Second", "sheet1.xml", sheetXml("<row><c r=\"A1\" t=\"inlineStr\"><is><t>second</t></is></c></row>") } },
        {});
    open(book);
    EXPECT_EQ(
        SpreadsheetWriter::Read_Sheet_Name(), (QStringList { QStringLiteral("First"), QStringLiteral("Second") }));
    EXPECT_EQ(titles(), SheetTable { row({ "first" }) });
    Excel_Sheet_Number = 2;
    EXPECT_EQ(rows(), SheetTable { row({ "second" }) });
}

// Rows that came with a design, whose sheet is not saved, are read again from the sheet that
// holds them, though another sheet now has more of their column titles. The rows read are then
// as read for every file with the same bytes, whatever its time or folder, and for no other.
TEST_F(ReaderTest, RowsReadAgainComeFromTheSheetThatHoldsThemAndGoWithTheirBytes)
{
    const auto cells = [](std::initializer_list<const char*> texts, int row) {
        QByteArray xml = "<row>";
        char column = 'A';
        for (const char* text : texts)
            xml += QByteArray("<c r=\"") + column++ + QByteArray::number(row) + "\" t=\"inlineStr\"><is><t>" + text
                + "</t></is></c>";
        return xml + "</row>";
    };
    // The first sheet's Number column retitled and its Photo column deleted.
    writeWorkbook(book,
        { { "A-M", "sheet1.xml",
              sheetXml(cells({ "Name", "Member No", "Email" }, 1)
                  + cells({ "Ann Archer", "C001", "ann@example.org" }, 2)
                  + cells({ "Bob Baker", "C002", "bob@example.org" }, 3)) },
            { "N-Z", "sheet2.xml",
                sheetXml(cells({ "Name", "Number", "Email", "Photo" }, 1)
                    + cells({ "Nina Nolan", "C201", "nina@example.org", "m201.png" }, 2)) } },
        {});
    Data_From_Excel table;
    ASSERT_TRUE(table.replaceFromSheet(
        { { "Name", "Number", "Email", "Photo" }, { "Ann Archer", "C001", "ann@example.org", "m001.png" },
            { "Bob Baker", "C002", "bob@example.org", "m002.png" } },
        { 0, 1, 2, 3 }, true));
    table.source = {};

    const BoundWorkbook::Reading reading = BoundWorkbook::readAgain(book, table);
    ASSERT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
    EXPECT_EQ(reading.table.source.sheet, 1);
    ASSERT_EQ(reading.table.ListData.size(), 2);
    EXPECT_EQ(reading.table.value(1, 3), QStringLiteral("bob@example.org"));
    EXPECT_EQ(reading.goneColumns, QStringList({ "Number", "Photo" }));

    using BoundWorkbook::State;
    const Data_From_Excel::Source read = reading.table.source;
    ASSERT_TRUE(read.content.isKnown());
    EXPECT_EQ(BoundWorkbook::compare(book, read).state, State::AsRead);
    // Touched: told by its bytes, which are given to be kept.
    const timespec later[2] = { { 0, UTIME_OMIT }, { time(nullptr) + 3600, 0 } };
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(book).constData(), later, 0), 0);
    const BoundWorkbook::Comparison touched = BoundWorkbook::compare(book, read);
    EXPECT_EQ(touched.state, State::AsRead);
    EXPECT_NE(touched.identity, read.identity);
    EXPECT_EQ(touched.content, read.content);
    // Copied into another folder, and the copy given one changed byte of the same size.
    QByteArray bytes = fileBytes(book);
    const QString copy = tmp.filePath(QStringLiteral("elsewhere/book.xlsx"));
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("elsewhere")));
    writeBytes(copy, bytes);
    EXPECT_EQ(BoundWorkbook::compare(copy, read).state, State::AsRead);
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
    writeBytes(copy, bytes);
    EXPECT_EQ(BoundWorkbook::compare(copy, read).state, State::Changed);
    // A comparison stopped cannot tell, and the rows may differ.
    std::atomic<bool> stop { true };
    EXPECT_EQ(BoundWorkbook::compare(book, { {}, {}, read.content }, &stop).state, State::Changed);
    // Rows of an older design file, which knows only when it was written.
    const QDateTime written = QFileInfo(book).lastModified();
    EXPECT_EQ(BoundWorkbook::compare(book, { {}, written.addSecs(-60), {} }).state, State::Changed);
    const BoundWorkbook::Comparison older = BoundWorkbook::compare(book, { {}, written, {} });
    EXPECT_EQ(older.state, State::AsRead);
    EXPECT_EQ(older.content, read.content);
    EXPECT_EQ(BoundWorkbook::compare(tmp.filePath(QStringLiteral("gone.xlsx")), read).state, State::Missing);
}

TEST_F(ReaderTest, TitlesFillEmptyCellsWithUntitledColumns)
{
    writeWorkbook(book,
        { { "S", "sheet1.xml",
              sheetXml("<row r=\"12\"><c r=\"L12\" t=\"inlineStr\"><is><t>B</t></is></c></row>", "K12:AB30") },
            { "T", "sheet2.xml", sheetXml("<row/><row><c r=\"A2\"><v>5</v></c></row>", "A1:C2") },
            { "Empty", "sheet3.xml", sheetXml("", "A1") } },
        {});
    open(book);
    // A used range right of column Z and below row 9 counts like any other.
    const SheetTable first = titles();
    EXPECT_EQ(Excel_Sheet_Columns, 28);
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0][10], QStringLiteral("Untitled Column 11"));
    EXPECT_EQ(first[0][11], QStringLiteral("B"));
    EXPECT_EQ(first[0][27], QStringLiteral("Untitled Column 28"));

    Excel_Sheet_Number = 2;
    EXPECT_EQ(titles(), SheetTable { row({ "Untitled Column 1", "Untitled Column 2", "Untitled Column 3" }) });
    EXPECT_EQ(rows(), (SheetTable { row({ "", "", "" }), row({ "5", "", "" }) }));

    Excel_Sheet_Number = 3;
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().isEmpty());
}

TEST_F(ReaderTest, DamagedSheetsFailWithAReasonAndNoRows)
{
    const QByteArray strings = sharedStringsXml("<si><t>only</t></si>");
    const QList<QByteArray> damaged = {
        "<row><c r=\"A1\" t=\"s\"><v>1</v></c></row>", // names no shared string
        "<row><c r=\"A1\" t=\"s\"><v>-1</v></c></row>", // neither does this
        "<row><c r=\"A1\" t=\"s\"><v>x</v></c></row>", // not an index
        "<row><c r=\"1A\"><v>1</v></c></row>", // no column letters
        "<row><c r=\"XFE1\"><v>1</v></c></row>", // beyond the widest sheet
        "<row><c r=\"A1\"><v>&bogus;</v></c></row>", // undeclared entity
        "<row><c r=\"A1\"><v>1</v></c></row><row><c>", // cut off
    };
    for (const QByteArray& rowsXml : damaged) {
        SCOPED_TRACE(rowsXml.toStdString());
        QByteArray xml = sheetXml(rowsXml, "A1:A1");
        if (rowsXml.endsWith("<c>"))
            xml = xml.left(xml.indexOf("<c>") + 3);
        writeWorkbook(book, { { "S", "sheet1.xml", xml } }, strings);
        open(book);
        EXPECT_TRUE(rows().isEmpty());
        EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("xl/worksheets/sheet1.xml")))
            << SpreadsheetWriter::lastError().toStdString();
    }
}

TEST_F(ReaderTest, EntityBombsAreRefusedWithoutExpansion)
{
    const QByteArray doctype = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                               "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                               "<!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">"
                               "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>\n";
    const QByteArray bombStrings = doctype + "<sst xmlns=\"" + mainNs() + "\"><si><t>&lol3;</t></si></sst>";
    writeWorkbook(
        book, { { "S", "sheet1.xml", sheetXml("<row><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "A1") } }, bombStrings);
    open(book);
    EXPECT_TRUE(SpreadsheetWriter::instance().sharedStrings().isEmpty());
    EXPECT_TRUE(dialogs->messages().empty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("document type declaration")));

    const QByteArray bombSheet = doctype + "<worksheet xmlns=\"" + mainNs()
        + "\"><sheetData><row><c><v>&lol3;</v></c></row></sheetData></worksheet>";
    writeWorkbook(book, { { "S", "sheet1.xml", bombSheet } }, {});
    open(book);
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("document type declaration")));

    // The workbook part itself is not trusted either: the sheet list is empty.
    writeWorkbook(book, { { "S", "sheet1.xml", sheetXml("", "A1") } }, {});
    replaceEntry(book, QStringLiteral("xl/workbook.xml"),
        doctype + "<workbook><sheets><sheet name=\"&lol3;\"/></sheets></workbook>");
    open(book);
    EXPECT_TRUE(SpreadsheetWriter::Read_Sheet_Name().isEmpty());
}

TEST_F(ReaderTest, ArchivesThatCannotBeUnpackedAreReportedAndLeaveNothingBehind)
{
    const QString outside = QFileInfo(SpreadsheetWriter::workFolder()).path() + QStringLiteral("/escaped.xml");
    const QString slip = tmp.filePath(QStringLiteral("slip.xlsx"));
    writeArchive(slip,
        { { QStringLiteral("xl/worksheets/sheet1.xml"), sheetXml("") },
            { QStringLiteral("xl/../../escaped.xml"), "<x/>" } });
    const QString notZip = tmp.filePath(QStringLiteral("text.xlsx"));
    writeBytes(notZip, "Name,Age\nAnn,42\n");
    writeWorkbook(book, { { "S", "sheet1.xml", sheetXml("<row><c><v>1</v></c></row>", "A1") } }, {});
    const QString truncated = tmp.filePath(QStringLiteral("cut.xlsx"));
    const QByteArray whole = fileBytes(book);
    writeBytes(truncated, whole.left(whole.size() - 30));
    // Opening a pipe for reading would wait for a writer that never comes.
    const QString pipe = tmp.filePath(QStringLiteral("pipe.xlsx"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    for (const QString& path : { slip, notZip, truncated, pipe }) {
        SCOPED_TRACE(path.toStdString());
        ScriptedDialogs answers;
        open(path);
        EXPECT_TRUE(answers->messages().empty());
        EXPECT_TRUE(SpreadsheetWriter::lastError().startsWith(QStringLiteral("The workbook cannot be opened: ")))
            << SpreadsheetWriter::lastError().toStdString();
        // A pipe is no damaged workbook, and is not called one.
        EXPECT_EQ(SpreadsheetWriter::lastError() == QStringLiteral("The workbook cannot be opened: it is not a regular file."),
            path == pipe)
            << SpreadsheetWriter::lastError().toStdString();
        EXPECT_FALSE(QFileInfo::exists(outside));
        EXPECT_FALSE(QFileInfo::exists(SpreadsheetWriter::workFolder() + QStringLiteral("/xl")));
        EXPECT_TRUE(titles().isEmpty());
        EXPECT_TRUE(rows().isEmpty());
    }
}

TEST_F(ReaderTest, TinyRowsInAHugeUsedRangeCannotExhaustMemory)
{
    // 700 empty rows at the widest sheet's width would be 11 million cells.
    QByteArray rowsXml;
    for (int i = 0; i < 700; ++i)
        rowsXml += "<row/>";
    EXPECT_TRUE(readSheet(rowsXml, "A1:XFD700").isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("too large")));

    // The same found far into the sheet, while its parsing runs ahead of the table.
    rowsXml.clear();
    for (int i = 0; i < 40000; ++i)
        rowsXml += "<row><c><v>1</v></c></row>";
    EXPECT_TRUE(readSheet(rowsXml, "A1:CV40000").isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("too large")));
}

TEST_F(ReaderTest, SecondWorkbookShowsOnlyItsOwnParts)
{
    const QString first = tmp.filePath(QStringLiteral("a.xlsx"));
    writeWorkbook(first,
        { { "A1", "sheet1.xml", sheetXml("<row><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "A1") },
            { "A2", "sheet2.xml", sheetXml("<row><c r=\"A1\" t=\"inlineStr\"><is><t>a2</t></is></c></row>", "A1") } },
        sharedStringsXml("<si><t>from a</t></si>"));
    open(first);
    ASSERT_EQ(titles(), SheetTable { row({ "from a" }) });

    // The second workbook has one sheet and no shared strings: nothing of the first may show.
    writeWorkbook(book, { { "B1", "sheet1.xml", sheetXml("<row><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "A1") } }, {});
    open(book);
    EXPECT_TRUE(SpreadsheetWriter::instance().sharedStrings().isEmpty());
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), QStringList { QStringLiteral("B1") });
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("shared string 0 does not exist")));
    Excel_Sheet_Number = 2;
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(ReaderTest, EscapedCharactersInTextsAreDecodedOnce)
{
    const QByteArray strings = sharedStringsXml("<si><t>_x005F_x0041_</t></si>"
                                                "<si><r><t>a_x000D_</t></r><r><t>_x000A_b</t></r></si>"
                                                "<si><t>_x00E9_ _x00e9_ _x00G9_ _x0041 _xD83D__xDE00_</t></si>");
    EXPECT_EQ(readSheet("<row><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                        "<c r=\"C1\" t=\"s\"><v>2</v></c>"
                        "<c r=\"D1\" t=\"inlineStr\"><is><t>in_x000D_line</t></is></c>"
                        "<c r=\"E1\" t=\"str\"><f>A1</f><v>_x005F_x0041_</v></c></row>",
                  "A1:E1", strings),
        SheetTable { row({ "_x0041_", "a\r\nb", "é é _x00G9_ _x0041 😀", "in\rline", "_x0041_" }) });
}

TEST_F(ReaderTest, IsoDateCellsShowAsDatesInTheWorkbooksDateSystem)
{
    EXPECT_EQ(readSheet("<row><c r=\"A1\" t=\"d\"><v>2024-01-15</v></c>"
                        "<c r=\"B1\" t=\"d\"><v>2024-01-15T12:00:00Z</v></c>"
                        "<c r=\"C1\" t=\"d\"><v>1900-01-01</v></c><c r=\"D1\" t=\"d\"><v>1900-03-01</v></c>"
                        "<c r=\"E1\" t=\"d\"><v>06:00:00</v></c><c r=\"F1\" t=\"d\"><v>no date</v></c></row>",
                  "A1:F1"),
        SheetTable { row({ "2024-01-15", "2024-01-15 12:00", "1900-01-01", "1900-03-01", "06:00", "no date" }) });

    // A workbook counting from 1904 keeps its dates too.
    writeWorkbook(
        book, { { "S", "sheet1.xml", sheetXml("<row><c r=\"A1\" t=\"d\"><v>1904-01-02</v></c></row>") } }, {});
    QByteArray workbook = entryBytes(book, QStringLiteral("xl/workbook.xml"));
    workbook.replace("<sheets>", "<workbookPr date1904=\"1\"/><sheets>");
    replaceEntry(book, QStringLiteral("xl/workbook.xml"), workbook);
    open(book);
    titles();
    EXPECT_EQ(rows(), SheetTable { row({ "1904-01-02" }) });
}

TEST_F(ReaderTest, EscapesAndIsoDatesReadAsOpenpyxlReadsThem)
{
    SKIP_WITHOUT_OPENPYXL();
    writeWorkbook(book,
        { { "S", "sheet1.xml",
            sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                     "<c r=\"B1\" t=\"d\"><v>2024-01-15T12:30:00</v></c><c r=\"C1\" t=\"d\"><v>1900-02-10</v></c>"
                     "</row>") } },
        sharedStringsXml("<si><t>x_x005F_x0041_y</t></si>"));
    const QString out = runPython(QStringLiteral(R"(import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
a, b, c = next(ws.iter_rows(values_only=True))
print(a); print(b.strftime('%Y-%m-%d %H:%M')); print(c.strftime('%Y-%m-%d'))
)"),
        { book });
    const QStringList lines = out.trimmed().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    open(book);
    titles();
    EXPECT_EQ(rows(), SheetTable { lines });
}

TEST_F(ReaderTest, LargeSheetReadsCellForCellAndDamageAtItsEndFailsTheWholeRead)
{
    // Thousands of rows of every kind of cell: far more rows than are handed between the
    // parsing thread and the table at a time.
    constexpr int rowCount = 6000;
    QByteArray rowsXml;
    SheetTable expected;
    for (int i = 1; i <= rowCount; ++i) {
        const QByteArray n = QByteArray::number(i);
        rowsXml += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" + QByteArray::number(i % 3) + "</v></c>"
            + "<c r=\"B" + n + "\" t=\"inlineStr\"><is><t>in_x0041_" + n + "</t></is></c>" + "<c r=\"C" + n + "\"><v>"
            + n + ".5</v></c>" + (i % 2 ? "<c r=\"E" + n + "\" t=\"d\"><v>1900-03-01</v></c>" : "") + "</row>";
        expected.append({ QStringLiteral("s%1").arg(i % 3), QStringLiteral("inA%1").arg(i),
            QStringLiteral("%1.5").arg(i), QString(), i % 2 ? QStringLiteral("1900-03-01") : QString() });
    }
    const QByteArray strings = sharedStringsXml("<si><t>s0</t></si><si><t>s1</t></si><si><t>s2</t></si>");
    EXPECT_EQ(readSheet(rowsXml, "A1:E6000", strings), expected);
    EXPECT_TRUE(SpreadsheetWriter::lastError().isEmpty());

    // A bad reference in the last row, and a cut-off part: nothing of the rows before is kept.
    for (const QByteArray& tail : { QByteArray("<row><c r=\"XFE1\"><v>1</v></c></row>"), QByteArray("<row><c>") }) {
        SCOPED_TRACE(tail.toStdString());
        QByteArray xml = sheetXml(rowsXml + tail, "A1:E6000");
        if (tail.endsWith("<c>"))
            xml = xml.left(xml.lastIndexOf("<c>") + 3);
        writeWorkbook(book, { { "S", "sheet1.xml", xml } }, strings);
        open(book);
        EXPECT_EQ(titles().size(), 1);
        EXPECT_TRUE(rows().isEmpty());
        EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("xl/worksheets/sheet1.xml")))
            << SpreadsheetWriter::lastError().toStdString();
    }
}

TEST_F(ReaderTest, ReadingWritesNothingAndADamagedPartIsReportedWhenItIsRead)
{
    writeWorkbook(book, { { "S", "sheet1.xml", sheetXml("<row><c r=\"A1\"><v>1</v></c></row>", "A1") } }, {});
    open(book);
    EXPECT_EQ(titles(), SheetTable { row({ "1" }) });
    EXPECT_EQ(rows(), SheetTable { row({ "1" }) });
    const QDir work(SpreadsheetWriter::workFolder());
    EXPECT_TRUE(!work.exists() || work.isEmpty());

    // The sheet's check sum no longer matches its data.
    QByteArray archive = fileBytes(book);
    const qsizetype record = archive.lastIndexOf("PK\x01\x02", archive.lastIndexOf("xl/worksheets/sheet1.xml"));
    ASSERT_GT(record, 0);
    archive[record + 16] = char(archive[record + 16] ^ 0x5a);
    writeBytes(book, archive);
    open(book);
    EXPECT_TRUE(dialogs->messages().empty());
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("damaged entry in zip file")))
        << SpreadsheetWriter::lastError().toStdString();
    EXPECT_EQ(SpreadsheetWriter::lastError().count(QStringLiteral("xl/worksheets/sheet1.xml")), 1)
        << SpreadsheetWriter::lastError().toStdString();
}
