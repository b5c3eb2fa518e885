#include "ImportTestSupport.h"

#include "data/BoundWorkbook.h"
#include "data/Data_From_Excel.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "imports/SpreadsheetViewer.h"
#include "series/SeriesListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <cstdio>

namespace {

class ImportExcelTest : public ImportWindowTest
{
protected:
    void SetUp() override
    {
        ImportWindowTest::SetUp();
        Data_From_Excel_Window = &table;
    }
    void TearDown() override { Data_From_Excel_Window = nullptr; }

    // Opens the workbook in a mode, checks the given sheet columns and presses OK, after
    // `beforeOk` when given.
    int import(const QString& mode, const QString& path, const QList<int>& checked, bool header, int sheet = 0,
        const std::function<void()>& beforeOk = {})
    {
        Import_Excel window;
        window.open_mode = mode;
        scripted->modalHandler = [&](QDialog& dialog) {
            if (&dialog != &window)
                return 0;
            SheetChooser& chooser = *window.chooser;
            if (sheet > 0)
                chooser.chooseSheet(sheet);
            for (int column : checked)
                chooser.columns().setData(
                    chooser.columns().index(column, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
            chooser.contains_header->setChecked(header);
            if (beforeOk)
                beforeOk();
            window.OKPressed();
            return window.result();
        };
        return window.Open_excel_Wnd(path);
    }

    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < table.ColList.size(); ++c)
            cells.append(table.value(r, c));
        return cells;
    }

    Data_From_Excel table;
};

} // namespace

TEST_F(ImportExcelTest, ColumnsListTheSheetsTitlesWithBlankOnesNamedAndTheSheetsInWorkbookOrder)
{
    Import_Excel window;
    const QString path = guests();
    scripted->modalHandler = [&](QDialog&) {
        const SheetChooser& chooser = *window.chooser;
        EXPECT_EQ(chooser.file_path->text(), path);
        EXPECT_TRUE(chooser.contains_header->isChecked());
        EXPECT_EQ(chooser.Sheet_ComboBox->count(), 2);
        EXPECT_EQ(chooser.Sheet_ComboBox->itemText(1), QStringLiteral("Tables"));
        QStringList titles;
        for (const auto& entry : window.chooser->columns().entries())
            titles.append(entry.title);
        EXPECT_EQ(titles, QStringList({ "Name", "Untitled Column 2", "City" }));
        window.chooser->chooseSheet(1);
        EXPECT_EQ(window.chooser->columns().entries().front().title, QStringLiteral("Table"));
        window.OKPressed();
        return window.result();
    };
    EXPECT_EQ(window.Open_excel_Wnd(path), 0);
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("No column is selected."));
}

TEST_F(ImportExcelTest, FirstAndThirdColumnsBecomeTheTableWithAndWithoutHeader)
{
    const QString path = guests();
    EXPECT_EQ(import(QStringLiteral("E"), path, { 0, 2 }, true), 1);
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "Name", "City" }));
    EXPECT_EQ(table.ColList.at(2).identifier, QStringLiteral("Column2"));
    ASSERT_EQ(table.ListData.size(), 3);
    EXPECT_EQ(row(0), QStringList({ "1", "Ann", "Oslo" }));
    EXPECT_EQ(row(1), QStringList({ "2", "Bob", "" }));

    SpreadsheetViewer viewer(table);
    scripted->modalHandler = [&](QDialog&) {
        EXPECT_EQ(viewer.column_count->text(), QStringLiteral("3"));
        EXPECT_EQ(viewer.rows_count->text(), QStringLiteral("3"));
        EXPECT_EQ(viewer.ColList->model()->data(viewer.ColList->model()->index(2, 2)).toString(), "Rome");
        return 1;
    };
    EXPECT_EQ(viewer.Open_Wnd(), 1);

    // Without the header the title row is row 1 too; a blank title stays blank in the table.
    EXPECT_EQ(import(QStringLiteral("E"), path, { 1 }, false), 1);
    EXPECT_EQ(table.columnTitles(), QStringList({ "#", "" }));
    ASSERT_EQ(table.ListData.size(), 4);
    EXPECT_EQ(row(0), QStringList({ "1", "" }));
    EXPECT_EQ(row(1), QStringList({ "2", "t1" }));
}

TEST_F(ImportExcelTest, CancelOrASheetWithoutRowsKeepsTheTable)
{
    const QString path = workbook(QStringLiteral("empty.xlsx"),
        QJsonArray { QJsonArray { "Full", QJsonArray { QJsonArray { "A" }, QJsonArray { "1" } } },
            QJsonArray { "Empty", QJsonArray {} } });
    import(QStringLiteral("E"), path, { 0 }, true);
    ASSERT_EQ(table.ListData.size(), 1);

    Import_Excel window;
    window.open_mode = QStringLiteral("E");
    scripted->modalHandler = [](QDialog&) { return 0; };
    window.Open_excel_Wnd(path);
    EXPECT_EQ(table.ListData.size(), 1);

    // The empty sheet keeps the first sheet's columns; OK then finds no rows.
    import(QStringLiteral("E"), path, { 0 }, true, 1);
    EXPECT_TRUE(scripted->messages().back().endsWith(QStringLiteral(".\n\nThe sheet \"Empty\" holds no cells.")));
    EXPECT_EQ(table.value(0, 1), QStringLiteral("1"));
}

// Another program saves a new version over the workbook while the window is open. Renamed over
// it: the rows, size, digest and identity are all of the file opened, so the next look at the
// path finds it changed and reading it again takes the new rows. Rewritten in place: no rows.
TEST_F(ImportExcelTest, AWorkbookReplacedWhileTheWindowIsOpenIsNotTakenAsTheOneRead)
{
    const QString path = guests();
    const QString newer = workbook(QStringLiteral("newer.xlsx"),
        xlsxtest::listOf(QJsonArray {
            "Guests", QJsonArray { QJsonArray { "Name", "Code", "City" }, QJsonArray { "Zed", "t9", "Paris" } } }));
    const QByteArray newerBytes = xlsxtest::fileBytes(newer);
    const auto renameOver
        = [&] { ASSERT_EQ(std::rename(QFile::encodeName(newer).constData(), QFile::encodeName(path).constData()), 0); };
    EXPECT_EQ(import(QStringLiteral("E"), path, { 0, 2 }, true, 0, renameOver), 1);
    ASSERT_EQ(table.ListData.size(), 3);
    EXPECT_EQ(row(0), QStringList({ "1", "Ann", "Oslo" }));
    EXPECT_EQ(BoundWorkbook::compare(path, table.source).state, BoundWorkbook::State::Changed);
    const BoundWorkbook::Reading again = BoundWorkbook::readAgain(path, table);
    ASSERT_TRUE(again.error.isEmpty()) << again.error.toStdString();
    ASSERT_EQ(again.table.ListData.size(), 1);
    EXPECT_EQ(again.table.value(0, 2), QStringLiteral("Paris"));
    EXPECT_EQ(BoundWorkbook::compare(path, again.table.source).state, BoundWorkbook::State::AsRead);

    const QString older = guests();
    const auto rewriteInPlace = [&] { xlsxtest::writeBytes(older, newerBytes); };
    EXPECT_EQ(import(QStringLiteral("E"), older, { 0 }, true, 0, rewriteInPlace), 1);
    EXPECT_TRUE(scripted->messages().back().startsWith(QStringLiteral("\"%1\": The workbook was changed").arg(older)))
        << scripted->messages().back().toStdString();
    EXPECT_EQ(table.value(0, 2), QStringLiteral("Oslo"));
}

TEST_F(ImportExcelTest, ValuesModeAddsTheCheckedCellsRowByRowEmptyOnesIncluded)
{
    BatchWizard editor(host);
    import(QStringLiteral("D"), guests(), { 1, 2 }, true);
    EXPECT_EQ(editor.ListData_value().texts(), QStringList({ "t1", "Oslo", "", "", "t3", "Rome" }));
}

TEST_F(ImportExcelTest, ClosingTheWindowByOkOrCancelFreesTheWorkbooksStyles)
{
    const QString path = guests();
    const SpreadsheetWriter& reader = SpreadsheetWriter::instance();
    bool read = false;
    const auto cancel = [&](QDialog&) {
        read = !reader.styles().isEmpty();
        return 0;
    };
    Import_Excel values;
    scripted->modalHandler = cancel;
    values.Open_excel_Wnd(path);
    EXPECT_TRUE(read);
    EXPECT_TRUE(reader.styles().isEmpty());

    read = false;
    Import_Excel_DataSheet columns(importHost);
    columns.Open_excel_Wnd(path);
    EXPECT_TRUE(read);
    EXPECT_TRUE(reader.styles().isEmpty());

    import(QStringLiteral("E"), path, { 0 }, true);
    EXPECT_EQ(table.ListData.size(), 3);
    EXPECT_TRUE(reader.styles().isEmpty());
}

TEST_F(ImportExcelTest, AWorkbookThatCannotBeOpenedOrReadIsReportedWithItsReason)
{
    const QString path = QDir(resources.path()).filePath(QStringLiteral("broken.xlsx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a zip");
    file.close();
    bool shown = false;
    scripted->modalHandler = [&](QDialog&) {
        shown = true;
        return 1;
    };
    Import_Excel window;
    EXPECT_EQ(window.Open_excel_Wnd(path), SheetChooser::workbookRefused);
    Import_Excel_DataSheet columns(importHost);
    EXPECT_EQ(columns.Open_excel_Wnd(path), SheetChooser::workbookRefused);
    xlsxtest::writeBytes(path, {}); // a file of no bytes is said to be empty
    EXPECT_EQ(columns.Open_excel_Wnd(path), SheetChooser::workbookRefused);
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("\nThe workbook cannot be opened: \"%1\" is empty: the file holds no bytes.").arg(path));
    EXPECT_FALSE(shown);
    ASSERT_EQ(scripted->messages().size(), 3u);
    for (const QString& message : scripted->messages())
        EXPECT_TRUE(message.contains(QStringLiteral("cannot be opened"))) << message.toStdString();

    // A workbook whose sheets cannot be read lists no column, and OK says why.
    const auto row = [](const QByteArray& cells) { return xlsxtest::sheetXml("<row>" + cells + "</row>"); };
    const QByteArray entity = "<!DOCTYPE w [<!ENTITY e SYSTEM \"/etc/passwd\">]><worksheet";
    const std::pair<QByteArray, const char*> unreadable[] = { { row("<c t=\"s\"><v>5</v></c>"), "string 5 " },
        { row("<c t=\"s\"><v>-1</v></c>"), "string -1 " }, { row("<c t=\"s\"><v>x</v></c>"), "string x " },
        { row("<c t=\"s\"><v>99999999999999999999</v></c>"), "string 9999" },
        { row("<c r=\"1A\"/>"), "reference \"1A\"" },
        { row("<c t=\"str\"><v>&e;</v></c>").replace("<worksheet", entity), "type declaration" },
        { row("<c t=\"str\"><v>" + QByteArray(5'000'000, 'x') + "</v></c>"), "more than 32767 characters" },
        { xlsxtest::sheetXml(""), "There is no column.\n\nThe sheet \"S\" holds no cells." } };
    // The window says why before OK too, under the empty list.
    QString noted;
    scripted->modalHandler = [&columns, &noted](QDialog&) {
        noted.clear();
        for (const QLabel* label : columns.findChildren<QLabel*>())
            if (label->isVisibleTo(&columns) && label->wordWrap())
                noted += label->text();
        columns.OKPressed();
        return 0;
    };
    for (const auto& [xml, told] : unreadable) {
        xlsxtest::writeWorkbook(path, { { "S", "sheet1.xml", xml } }, xlsxtest::sharedStringsXml("<si><t>A</t></si>"));
        EXPECT_EQ(columns.Open_excel_Wnd(path), 0);
        EXPECT_TRUE(scripted->messages().back().contains(QLatin1String(told))) << told;
        EXPECT_EQ(noted, scripted->messages().back().remove(QStringLiteral("There is no column.\n\n")));
    }
    xlsxtest::replaceEntry(path, QStringLiteral("xl/workbook.xml"), "<!DOCTYPE workbook><workbook/>");
    EXPECT_EQ(columns.Open_excel_Wnd(path), 0);
    EXPECT_TRUE(scripted->messages().back().contains(QStringLiteral("workbook.xml")));
}

TEST_F(ImportExcelTest, ASheetTooLargeToReadIsReportedWithItsReason)
{
    // Ten million cells from about a megabyte: the table would take hundreds of times the
    // workbook's size in memory.
    const QString path = QDir(resources.path()).filePath(QStringLiteral("bomb.xlsx"));
    xlsxtest::runPython(QStringLiteral(R"(import sys, zipfile
NS = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED, compresslevel=1)
z.writestr('xl/workbook.xml', '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>' % (NS, REL))
z.writestr('xl/_rels/workbook.xml.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/></Relationships>' % REL)
with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
    f.write(('<worksheet xmlns="%s"><sheetData>' % NS).encode())
    row = b'<row>' + b'<c><v>1</v></c>' * 10 + b'</row>'
    for _ in range(1000): f.write(row * 1000)
    f.write(b'</sheetData></worksheet>')
z.close()
)"),
        { path });
    import(QStringLiteral("E"), path, { 0 }, true);
    ASSERT_FALSE(scripted->messages().empty());
    EXPECT_TRUE(scripted->messages().back().startsWith(
        QStringLiteral("The workbook cannot be read: xl/worksheets/sheet1.xml is too large to read")))
        << scripted->messages().back().toStdString();
    EXPECT_TRUE(table.ListData.isEmpty());
}

TEST_F(ImportExcelTest, DatesTimesBooleansAndNumbersShowAsTheWorkbookShowsThem)
{
    const QString path = QDir(resources.path()).filePath(QStringLiteral("formats.xlsx"));
    xlsxtest::runPython(QStringLiteral(R"(import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append([datetime.date(2024, 3, 5), 'Time', 'Flag', 'Share'])
ws.append([datetime.date(2024, 3, 6), datetime.time(9, 30), True, 1 / 3])
ws.append([datetime.datetime(2024, 3, 7, 18, 5), datetime.time(21, 30), False, 0.1 + 0.2])
ws['B2'].number_format = 'h:mm'
ws['B3'].number_format = 'h:mm AM/PM'
ws['A3'].number_format = 'dddd d mmmm yyyy'
wb.save(sys.argv[1])
)"),
        { path });
    Import_Excel window;
    window.open_mode = QStringLiteral("E");
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog != &window)
            return 0;
        QStringList titles;
        for (const auto& entry : window.chooser->columns().entries())
            titles.append(entry.title);
        // A title that is a date in the workbook is that date here.
        EXPECT_EQ(titles, QStringList({ "2024-03-05", "Time", "Flag", "Share" }));
        for (int column = 0; column < 4; ++column)
            window.chooser->columns().setData(
                window.chooser->columns().index(column, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
        window.OKPressed();
        return window.result();
    };
    ASSERT_EQ(window.Open_excel_Wnd(path), 1);
    EXPECT_EQ(row(0), QStringList({ "1", "2024-03-06", "9:30", "TRUE", "0.333333333333333" }));
    EXPECT_EQ(row(1), QStringList({ "2", "Thursday 7 March 2024", "9:30 PM", "FALSE", "0.3" }));

    SpreadsheetViewer viewer(table);
    scripted->modalHandler = [&](QDialog&) {
        const QAbstractItemModel& shown = *viewer.ColList->model();
        EXPECT_EQ(shown.headerData(1, Qt::Horizontal).toString(), QStringLiteral("2024-03-05"));
        EXPECT_EQ(shown.data(shown.index(0, 1)).toString(), QStringLiteral("2024-03-06"));
        EXPECT_EQ(shown.data(shown.index(1, 2)).toString(), QStringLiteral("9:30 PM"));
        EXPECT_EQ(shown.data(shown.index(0, 3)).toString(), QStringLiteral("TRUE"));
        EXPECT_EQ(shown.data(shown.index(1, 4)).toString(), QStringLiteral("0.3"));
        return 1;
    };
    EXPECT_EQ(viewer.Open_Wnd(), 1);
}
