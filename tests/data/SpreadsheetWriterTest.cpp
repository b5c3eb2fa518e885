#include "XlsxTestSupport.h"

#include "common/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "support/TempResources.h"
#include "support/Patience.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace xlsxtest;

namespace {

class WriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx"),
            Resource_File(QStringLiteral("Template.xlsx"))));
    }

    // The parts of a written workbook, unpacked with our own wrapper.
    QByteArray part(const QString& workbook, const QString& name)
    {
        const QString folder = tmp.filePath(QStringLiteral("unpacked"));
        QDir(folder).removeRecursively();
        EXPECT_TRUE(SSZipArchive::unzipFileAtPath(workbook, folder));
        return fileBytes(folder + QLatin1Char('/') + name);
    }

    // Every cell as openpyxl sees it: [[value, data type], ...] per row.
    QJsonArray openpyxlCells(const QString& workbook)
    {
        const QString out = runPython(QStringLiteral(R"(import sys, json, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(json.dumps([[[c.value, c.data_type] for c in r] for r in ws.iter_rows()]))
)"),
            { workbook });
        return QJsonDocument::fromJson(out.toUtf8()).array();
    }

    TempResources resources;
    QTemporaryDir tmp;
    QString book = tmp.filePath(QStringLiteral("series.xlsx"));
};

SheetTable column(const QStringList& values)
{
    SheetTable table;
    for (const QString& value : values)
        table.append(QStringList { value });
    return table;
}

} // namespace

TEST_F(WriterTest, SeriesExportReadsBackCellForCellInAnotherProgram)
{
    SKIP_WITHOUT_OPENPYXL();
    const QStringList values = { QStringLiteral("Batch Value"), QStringLiteral("00123"), QStringLiteral("42"),
        QStringLiteral("3.25"), QStringLiteral("-7"), QStringLiteral("Ann & Bob"), QStringLiteral("<tag>"),
        QStringLiteral("=1+2"), QStringLiteral("1,5"), QStringLiteral(" padded "), QStringLiteral("Ünïcode ✓"),
        QString(), QStringLiteral("Batch Value") };
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, column(values), false))
        << SpreadsheetWriter::lastError().toStdString();

    const QJsonArray cells = openpyxlCells(book);
    ASSERT_EQ(cells.size(), values.size());
    // "00123" stays text: as a number it would lose its zeros.
    const QSet<int> numbers = { 2, 3, 4 };
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].toStdString());
        const QJsonArray cell = cells[i].toArray()[0].toArray();
        if (numbers.contains(i)) {
            EXPECT_EQ(cell[1].toString(), QStringLiteral("n"));
            EXPECT_EQ(cell[0].toDouble(), values[i].toDouble());
        } else {
            // Text cells, the formula-looking one too: never evaluated, never a number.
            EXPECT_EQ(cell[1].toString(), QStringLiteral("s"));
            EXPECT_EQ(cell[0].toString(), values[i]);
        }
    }
}

TEST_F(WriterTest, WrittenWorkbookReadsBackUnchangedThroughOurReader)
{
    SheetTable table = { { QStringLiteral("Name"), QStringLiteral("Code"), QStringLiteral("Note") },
        { QStringLiteral("Ann"), QStringLiteral("007"), QStringLiteral("a < b && c > d") },
        { QStringLiteral("Bob"), QStringLiteral("1e3"), QStringLiteral("tab\there") },
        // Numbers a workbook would show otherwise are kept as written.
        { QStringLiteral("2.50"), QStringLiteral("0.30000000000000004"), QStringLiteral("0.5") } };
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, table, true));
    SpreadsheetWriter::ReadWorkbook(book, true);
    Excel_Sheet_Number = 1;
    EXPECT_EQ(SpreadsheetWriter::ReadData_only_column(), SheetTable { table[0] });
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(book, false), table);
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), QStringList { QStringLiteral("Sheet1") });
}

TEST_F(WriterTest, PartsDescribeTheTable)
{
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book,
        column({ QStringLiteral("Batch Value"), QStringLiteral("same"), QStringLiteral("same"), QStringLiteral("9") }),
        false));
    const QByteArray sheet = part(book, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_TRUE(sheet.contains("<dimension ref=\"A1:A4\"/>"));
    EXPECT_TRUE(sheet.contains("<selection activeCell=\"A4\" sqref=\"A4\"/>"));
    EXPECT_TRUE(sheet.contains("<c r=\"A4\">"));
    EXPECT_TRUE(sheet.contains("<c r=\"A3\" t=\"s\">"));
    const QByteArray strings = part(book, QStringLiteral("xl/sharedStrings.xml"));
    // Equal texts are not merged.
    EXPECT_TRUE(strings.contains("count=\"3\" uniqueCount=\"3\""));
    EXPECT_TRUE(strings.contains("<t>Batch Value</t>"));
    EXPECT_EQ(strings.count("<t>same</t>"), 2);

    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, column({ QStringLiteral("1"), QStringLiteral("2") }), false));
    EXPECT_FALSE(part(book, QStringLiteral("xl/sharedStrings.xml")).contains("count="));
}

TEST_F(WriterTest, ColumnNamesRunPastZ)
{
    QStringList wide;
    for (int i = 0; i < 27; ++i)
        wide.append(QStringLiteral("c%1").arg(i));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, SheetTable { wide }, false));
    EXPECT_TRUE(part(book, QStringLiteral("xl/worksheets/sheet1.xml")).contains("<dimension ref=\"A1:AA1\"/>"));
    wide.removeLast();
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, SheetTable { wide }, false));
    EXPECT_TRUE(part(book, QStringLiteral("xl/worksheets/sheet1.xml")).contains("<dimension ref=\"A1:Z1\"/>"));
}

TEST_F(WriterTest, NumbersAreRecognisedTheSameInEveryLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool written = SpreadsheetWriter::WriteWorkbook(
        book, SheetTable { { QStringLiteral("1,5"), QStringLiteral("1.5") } }, false);
    QLocale::setDefault(saved);
    ASSERT_TRUE(written);
    const QByteArray sheet = part(book, QStringLiteral("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("<c r=\"A1\" t=\"s\">"));
    EXPECT_TRUE(sheet.contains("<v>1.5</v>"));
}

TEST_F(WriterTest, FailuresAreReportedAndLeaveNoWorkbook)
{
    // A target folder that does not exist.
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(
        tmp.filePath(QStringLiteral("missing/x.xlsx")), column({ QStringLiteral("v") }), false));
    EXPECT_FALSE(SpreadsheetWriter::lastError().isEmpty());

    // No template: an earlier workbook at the path stays as it was.
    writeBytes(book, "earlier");
    QFile::remove(Resource_File(QStringLiteral("Template.xlsx")));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(book, column({ QStringLiteral("v") }), false));
    EXPECT_TRUE(SpreadsheetWriter::lastError().contains(QStringLiteral("Template.xlsx")));
    EXPECT_EQ(fileBytes(book), QByteArray("earlier"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no partial file is left";
}

TEST_F(WriterTest, ValueLongerThanACellIsRefusedBeforeAnythingIsWritten)
{
    const QString longest(32767, u'x');
    EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(book, column({ QStringLiteral("Batch Value"), longest }), false));
    EXPECT_EQ(part(book, QStringLiteral("xl/sharedStrings.xml")).count(longest.toLatin1()), 1);

    // The work folder keeps what the last write put there: a refusal must not touch it either.
    const QString workSheet = SpreadsheetWriter::workFolder() + QStringLiteral("/xl/worksheets/sheet1.xml");
    const QByteArray before = fileBytes(workSheet);
    ASSERT_FALSE(before.isEmpty());
    const QString other = tmp.filePath(QStringLiteral("long.xlsx"));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(
        other, column({ QStringLiteral("Batch Value"), QStringLiteral("a"), QString(40000, u'y') }), false));
    EXPECT_EQ(SpreadsheetWriter::lastError(),
        QStringLiteral(
            "row 3 of the workbook cannot be written: its value has 40000 characters, and a workbook cell holds "
            "at most 32767"));
    EXPECT_FALSE(QFileInfo::exists(other));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("series.xlsx") });
    EXPECT_EQ(fileBytes(workSheet), before);
}

TEST_F(WriterTest, ShippedTemplateIsWhatItsGeneratorMakes)
{
    SKIP_WITHOUT_OPENPYXL();
    const QString generated = tmp.filePath(QStringLiteral("generated.xlsx"));
    runPython(
        QStringLiteral("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], run_name='__main__')"),
        { QStringLiteral(GALAVITE_SOURCE_DIR "/tests/data/make_template_xlsx.py"), generated });
    const QString parts = QStringLiteral("import sys, zipfile\n"
                                         "z = zipfile.ZipFile(sys.argv[1])\n"
                                         "print([(n, z.read(n)) for n in z.namelist()])");
    EXPECT_EQ(runPython(parts, { generated }),
        runPython(parts, { QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx") }));
}

TEST_F(WriterTest, LibreOfficeOpensTheWorkbookWithoutRepair)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book,
        SheetTable { { QStringLiteral("Batch Value"), QStringLiteral("n") },
            { QStringLiteral("a & b"), QStringLiteral("007") } },
        false));
    QProcess convert;
    convert.start(office,
        { QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("csv"),
            QStringLiteral("--outdir"), tmp.path(), book });
    ASSERT_TRUE(patience::finished(convert));
    EXPECT_EQ(fileBytes(tmp.filePath(QStringLiteral("series.csv"))).trimmed(), QByteArray("Batch Value,n\na & b,7"));
}

TEST_F(WriterTest, CarriageReturnsAndLiteralEscapesSurviveBothReaders)
{
    const QStringList values = { QStringLiteral("cr\r\nlf"), QStringLiteral("_x0041_"), QStringLiteral("end\r"),
        QStringLiteral("_x004_ _X0041_ x0041_"), QStringLiteral("a_x005F_b_x00e9_") };
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, column(values), false));

    SpreadsheetWriter::ReadWorkbook(book, true);
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(book, false), column(values));

    SKIP_WITHOUT_OPENPYXL();
    const QJsonArray cells = openpyxlCells(book);
    ASSERT_EQ(cells.size(), values.size());
    // openpyxl does not decode two escapes in a row (the last value); the others it reads.
    for (int i = 0; i + 1 < values.size(); ++i)
        EXPECT_EQ(cells[i].toArray()[0].toArray()[0].toString(), values[i]);
}
