// Which objects take which row's value, and how many cards a batch makes.
#include "jobs/DataBinding.h"
#include "JobsTestSupport.h"
#include "common/Globals.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataBindingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Data_Folder_Path;
        Data_Folder_Path = folder_.path();
    }
    void TearDown() override
    {
        Data_Folder_Path = saved_;
        RowApplication::setBarcodeGenerator({});
    }

    void writeSeries(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(folder_.path()).filePath(name + QStringLiteral(".txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeSeries(const QString& name, int count)
    {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += name.toUtf8() + QByteArray::number(i) + '\n';
        writeSeries(name, bytes);
    }

    template <typename Kind> static SKTGraphicPtr boundTo(const QString& series)
    {
        SKTGraphicPtr object = SKTGraphic::create<Kind>();
        object->data_source_type = DataBinding::seriesSource;
        object->batch_list_name = series;
        return object;
    }
    template <typename Kind> static SKTGraphicPtr boundToColumn(int column)
    {
        SKTGraphicPtr object = SKTGraphic::create<Kind>();
        object->data_source_type = DataBinding::spreadsheetSource;
        object->excel_col_indx = column;
        return object;
    }
    static QString textOf(const SKTGraphicPtr& object) { return object->Text_contents()->string; }

    static SpreadsheetRows sheet(int rows)
    {
        SpreadsheetRows table;
        for (int r = 1; r <= rows; ++r)
            table << QStringList { QString::number(r), QStringLiteral("cell %1").arg(r) };
        return table;
    }

    QTemporaryDir folder_;
    QString saved_;
};

} // namespace

TEST_F(DataBindingTest, TheLongestSeriesGivesTheRowsAndShorterOnesRunOutAsEmpty)
{
    writeSeries(QStringLiteral("five"), 5);
    writeSeries(QStringLiteral("eight"), 8);
    const SKTGraphicPtr shortText = boundTo<SKTText>(QStringLiteral("five"));
    const SKTGraphicPtr longText = boundTo<SKTText>(QStringLiteral("eight"));
    const SKTGraphicPtr image = boundTo<SKTImage>(QStringLiteral("five"));
    const QList<SKTGraphicPtr> front { shortText, longText, image };

    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {});
    EXPECT_TRUE(binding.Use_Data_Sheet_Values);
    EXPECT_FALSE(binding.Use_Excel_Binding_Values);
    EXPECT_EQ(binding.Data_table_rows, 8);
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 8);

    binding.Assign_Batch_Values_To_Control(front, 4);
    EXPECT_EQ(textOf(shortText), QStringLiteral("five5"));
    EXPECT_EQ(textOf(longText), QStringLiteral("eight5"));
    binding.Assign_Batch_Values_To_Control(front, 5);
    EXPECT_EQ(textOf(shortText), QString());
    EXPECT_EQ(textOf(longText), QStringLiteral("eight6"));
    EXPECT_EQ(image->FilePath(), QString());
}

TEST_F(DataBindingTest, SeriesAndSpreadsheetTogetherGiveTheLargerCount)
{
    writeSeries(QStringLiteral("four"), 4);
    const SKTGraphicPtr series = boundTo<SKTText>(QStringLiteral("four"));
    const SKTGraphicPtr cell = boundToColumn<SKTText>(1);
    const SKTGraphicPtr number = boundToColumn<SKTText>(0);
    const QList<SKTGraphicPtr> front { series, cell, number };

    DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, true, sheet(10));
    EXPECT_EQ(binding.Data_table_rows, 4);
    EXPECT_EQ(binding.Excel_table_rows, 10);
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 10);
    binding.Assign_Batch_Values_To_Control(front, 4);
    EXPECT_EQ(textOf(series), QString());
    EXPECT_EQ(textOf(cell), QStringLiteral("cell 5"));
    EXPECT_EQ(textOf(number), QStringLiteral("5"));

    // A window that turns the spreadsheet rows off recounts; those objects keep their text.
    binding.Use_Excel_Binding_Values = false;
    binding.Get_total_Card_count();
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 4);
    binding.Assign_Batch_Values_To_Control(front, 0);
    EXPECT_EQ(textOf(series), QStringLiteral("four1"));
    EXPECT_EQ(textOf(cell), QStringLiteral("cell 5"));
    // A row beyond the table or a column it does not have gives "".
    EXPECT_EQ(binding.Get_sel_row_col_value_of_Excel(10, 1), QString());
    EXPECT_EQ(binding.Get_sel_row_col_value_of_Excel(0, 7), QString());
}

// Line ends of every kind editors write, and UTF-16 with its byte-order mark in either order.
TEST_F(DataBindingTest, SeriesLinesAreTrimmedAndTheFinalLineEndMakesNoRow)
{
    const QString lines = QStringLiteral("  Ann Lée \n\nBob\n");
    const auto utf16 = [&lines](QStringConverter::Encoding encoding, const char* mark) {
        return QByteArray(mark, 2) + QStringEncoder(encoding)(QString(lines).replace(u'\n', QStringLiteral("\r\n")));
    };
    const std::pair<QString, QByteArray> files[] = { { QStringLiteral("unix"), lines.toUtf8() },
        { QStringLiteral("windows"), QString(lines).replace(u'\n', QStringLiteral("\r\n")).toUtf8() },
        { QStringLiteral("older"), QString(lines).replace(u'\n', u'\r').toUtf8() },
        { QStringLiteral("utf16le"), utf16(QStringConverter::Utf16LE, "\xFF\xFE") },
        { QStringLiteral("utf16be"), utf16(QStringConverter::Utf16BE, "\xFE\xFF") } };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        writeSeries(name, bytes);
        const SKTGraphicPtr text = boundTo<SKTText>(name);
        const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ text }, {}, false, {});
        // The trailing line end makes no row; the blank line inside does.
        EXPECT_EQ(binding.Total_Batch_Excel_Card, 3);
        EXPECT_TRUE(binding.objectsWithoutSource().isEmpty());
        const QStringList expected { QStringLiteral("Ann Lée"), QString(), QStringLiteral("Bob") };
        for (int row = 0; row < 3; ++row) {
            binding.Assign_Batch_Values_To_Control({ text }, row);
            EXPECT_EQ(textOf(text), expected[row]) << row;
        }
    }
}

// A column imported with empty cells: row k's value lands on card k, the empty ones included.
TEST_F(DataBindingTest, BlankLinesAreRowsSoEveryValueKeepsItsCard)
{
    writeSeries(QStringLiteral("gaps"), "\nBob\n\n\nEve\n\n");
    const SKTGraphicPtr text = boundTo<SKTText>(QStringLiteral("gaps"));
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ text }, {}, false, {});
    const QStringList expected { "", "Bob", "", "", "Eve", "" };
    ASSERT_EQ(binding.Total_Batch_Excel_Card, expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        binding.Assign_Batch_Values_To_Control({ text }, row);
        EXPECT_EQ(textOf(text), expected[row]) << row;
    }
}

TEST_F(DataBindingTest, SeriesThatCannotBeReadBindNothing)
{
    writeSeries(QStringLiteral("latin1"), "caf\xe9\n");
    for (const QString& name : { QStringLiteral("latin1"), QStringLiteral("missing"), QStringLiteral("../escape") }) {
        const SKTGraphicPtr text = boundTo<SKTText>(name);
        text->Text_contents()->setString(QStringLiteral("typed"));
        const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ text }, {}, false, {});
        EXPECT_FALSE(binding.Use_Data_Sheet_Values) << name.toStdString();
        EXPECT_EQ(binding.Total_Batch_Excel_Card, 0);
        binding.Assign_Batch_Values_To_Control({ text }, 0);
        EXPECT_EQ(textOf(text), QStringLiteral("typed"));
    }
    // Not guessed at, but named before a run with what is wrong.
    const DataBinding latin1
        = DataBinding::Check_Series_Or_Excel_Use_or_not({ boundTo<SKTText>(QStringLiteral("latin1")) }, {}, false, {});
    ASSERT_EQ(latin1.objectsWithoutSource().size(), 1);
    EXPECT_TRUE(latin1.objectsWithoutSource().front().contains(
        QStringLiteral("series \"latin1\" cannot be read: \"%1\" is not text in UTF-8 or UTF-16: line 1 is not UTF-8")
            .arg(QDir(folder_.path()).filePath(QStringLiteral("latin1.txt")))))
        << latin1.objectsWithoutSource().front().toStdString();
}

TEST_F(DataBindingTest, TheSeriesIsFoundByNameWhateverItsStoredIndex)
{
    writeSeries(QStringLiteral("alpha"), 2);
    writeSeries(QStringLiteral("beta"), 3);
    // Bound when "beta" was first in the listing; the listing has changed since.
    const SKTGraphicPtr text = boundTo<SKTText>(QStringLiteral("beta"));
    text->batch_list_index = 0;
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ text }, {}, false, {});
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 3);
    binding.Assign_Batch_Values_To_Control({ text }, 0);
    EXPECT_EQ(textOf(text), QStringLiteral("beta1"));
}

// Rows from another sheet, with the columns in another order: an object bound with its
// column's title takes that column wherever it now is, one bound twice over a shared title
// keeps its own, one from before titles were kept keeps its place, and one whose title the
// rows lack gets nothing on any card and is named by that title, never given another column.
TEST_F(DataBindingTest, ColumnsAreFoundByTheTitleTheyWereBoundTo)
{
    const QStringList titles { "#", "Room", "Name", "Code", "Name" };
    const SpreadsheetRows people { { "1", "R7", "Dee Fox", "P-201", "Dee F." },
        { "2", "R8", "Eve Ng", "P-202", "Eve N." } };
    const auto bound = [](int place, const QString& title) {
        SKTGraphicPtr object = SKTGraphic::create<SKTText>();
        object->data_source_type = DataBinding::spreadsheetSource;
        object->Set_Excel_binding_Column(place, title);
        return object;
    };
    const SKTGraphicPtr code = bound(2, QStringLiteral("Code")); // "Code" was the 2nd column of the first sheet
    const SKTGraphicPtr secondName = bound(4, QStringLiteral("Name"));
    const SKTGraphicPtr older = bound(2, QString());
    const SKTGraphicPtr photo = bound(3, QStringLiteral("Photo"));
    const QList<SKTGraphicPtr> front { code, secondName, older, photo };

    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, people, titles);
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 2);
    EXPECT_EQ(binding.objectsWithoutSource(),
        QStringList { QStringLiteral("Text on the front: spreadsheet column \"Photo\" does not exist") });
    // Only the columns that are there are weighed against each other.
    QList<int> lengths;
    for (const DataBinding::SourceLength& length : binding.sourceLengths())
        lengths << length.column;
    EXPECT_EQ(lengths, QList<int>({ 3, 4, 2 }));
    binding.Assign_Batch_Values_To_Control(front, 1);
    EXPECT_EQ(textOf(code), QStringLiteral("P-202"));
    EXPECT_EQ(textOf(secondName), QStringLiteral("Eve N."));
    EXPECT_EQ(textOf(older), QStringLiteral("Eve Ng"));
    EXPECT_EQ(textOf(photo), QString());
    EXPECT_EQ(binding.columnLabelOf(*photo), QStringLiteral("\"Photo\""));

    // Without titles to look in, every binding keeps its place.
    EXPECT_EQ(photo->excelColumnIn({}), 3);
    EXPECT_EQ(SKTGraphic::excelColumnOf(QStringLiteral(" Code "), 0, titles), 3);
}

TEST_F(DataBindingTest, TheBackCountsOnlyOnATwoSidedCard)
{
    writeSeries(QStringLiteral("front"), 2);
    writeSeries(QStringLiteral("back"), 6);
    const QList<SKTGraphicPtr> front { boundTo<SKTText>(QStringLiteral("front")) };
    const QList<SKTGraphicPtr> back { boundTo<SKTText>(QStringLiteral("back")), boundToColumn<SKTText>(1) };

    const DataBinding oneSided = DataBinding::Check_Series_Or_Excel_Use_or_not(front, back, false, sheet(9));
    EXPECT_EQ(oneSided.Total_Batch_Excel_Card, 2);
    EXPECT_FALSE(oneSided.Use_Excel_Binding_Values);

    const DataBinding twoSided = DataBinding::Check_Series_Or_Excel_Use_or_not(front, back, true, sheet(9));
    EXPECT_EQ(twoSided.Total_Batch_Excel_Card, 9);
    // Sides asked for in any order each take the row they are given.
    twoSided.Assign_Batch_Values_To_Control(back, 5);
    twoSided.Assign_Batch_Values_To_Control(front, 1);
    EXPECT_EQ(textOf(back[0]), QStringLiteral("back6"));
    EXPECT_EQ(textOf(back[1]), QStringLiteral("cell 6"));
    EXPECT_EQ(textOf(front[0]), QStringLiteral("front2"));
}

TEST_F(DataBindingTest, OnlyTextsImagesAndBarcodesTakeRowValues)
{
    writeSeries(QStringLiteral("names"), 3);
    const QList<SKTGraphicPtr> others { boundTo<SKTSignature>(QStringLiteral("names")),
        boundTo<Shape_Control>(QStringLiteral("names")), boundTo<SKTLine>(QStringLiteral("names")) };
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(others, {}, false, sheet(4));
    EXPECT_FALSE(binding.inUse());
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 0);
}

TEST_F(DataBindingTest, EachBarcodeIsMadeOnceWithItsOwnSettingsAndThenServesEveryRow)
{
    writeSeries(QStringLiteral("ids"), 3);
    const SKTGraphicPtr first = boundTo<SKTBarcode>(QStringLiteral("ids"));
    const SKTGraphicPtr second = boundTo<SKTBarcode>(QStringLiteral("ids"));
    first->header_val = QStringLiteral("first");
    second->header_val = QStringLiteral("second");
    QStringList made;
    QStringList drawn;
    RowApplication::setBarcodeGenerator([&](const SKTGraphic& barcode) -> RowApplication::BarcodeMaker {
        made << barcode.header_val;
        return [&drawn, header = barcode.header_val](const QString& value) {
            drawn << header + QLatin1Char(':') + value;
            return Picture::record(QSizeF(10, 10), [](QPainter&) {});
        };
    });
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not({ first, second }, {}, false, {});
    const BoundSide side({ first, second }, binding, CardEdge(QRectF(0, 0, 243, 153), 0), QStringLiteral("front"));
    for (int row = 0; row < 3; ++row)
        side.apply(row);
    EXPECT_EQ(made, QStringList({ QStringLiteral("first"), QStringLiteral("second") }));
    EXPECT_EQ(drawn,
        QStringList({ QStringLiteral("first:ids1"), QStringLiteral("second:ids1"), QStringLiteral("first:ids2"),
            QStringLiteral("second:ids2"), QStringLiteral("first:ids3"), QStringLiteral("second:ids3") }));
}
