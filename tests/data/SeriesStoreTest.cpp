#include "XlsxTestSupport.h"

#include "common/Globals.h"
#include "data/SeriesKeptLines.h"
#include "data/SeriesOfLength.h"
#include "data/SeriesStore.h"
#include "support/FullFolder.h"
#include "support/PeakMemory.h"
#include "support/SeriesReference.h"
#include "support/TempResources.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <sys/stat.h>

using namespace xlsxtest;

namespace {

class SeriesStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(Data_Folder_Path)); }

    void store(const QString& name, const QByteArray& bytes) { writeBytes(seriesFilePath(name), bytes); }
    QByteArray stored(const QString& name) { return fileBytes(seriesFilePath(name)); }
    // Every file under the resources folder, relative to it.
    QStringList allFiles()
    {
        QStringList files;
        const QDir root(resources.path());
        for (const QFileInfo& info :
            QDir(resources.path()).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (info.isDir())
                for (const QFileInfo& inner : QDir(info.filePath()).entryInfoList(QDir::Files | QDir::Hidden))
                    files.append(root.relativeFilePath(inner.filePath()));
            else
                files.append(root.relativeFilePath(info.filePath()));
        }
        files.sort();
        return files;
    }

    TempResources resources;
};

TEST_F(SeriesStoreTest, ReadRuleTrimsLinesAndKeepsBlankOnesAsEmptyValues)
{
    EXPECT_EQ(parseSeriesText("a\r\n\r\nb"), (QStringList { "a", "", "b" }));
    // Only the final line end starts no line; blank lines before it are values.
    EXPECT_EQ(parseSeriesText("\xEF\xBB\xBF  one \n\ttwo\n\n\n"), (QStringList { "one", "two", "", "" }));
    EXPECT_EQ(parseSeriesText("\nfirst was empty\n"), (QStringList { "", "first was empty" }));
    EXPECT_EQ(parseSeriesText("\n"), (QStringList { "" }));
    EXPECT_EQ(parseSeriesText("a\rb\n"), (QStringList { "a", "b" }));
    EXPECT_TRUE(parseSeriesText("").isEmpty());
    EXPECT_TRUE(parseSeriesText("good\n\xC3\x28\n").isEmpty());
    EXPECT_FALSE(parseSeriesBytes("good\n\xC3\x28\n").has_value());
    EXPECT_EQ(parseSeriesText("caf\xC3\xA9\n"), (QStringList { QStringLiteral("café") }));
}

TEST_F(SeriesStoreTest, FirstValueFollowsTheReadRuleAndRefusesWhatARunRefuses)
{
    store(QStringLiteral("Guests"), "\xEF\xBB\xBF Ann \r\nBob\n");
    EXPECT_EQ(firstSeriesValue(QStringLiteral("Guests")), QStringLiteral("Ann"));
    store(QStringLiteral("Gap"), "\nBob\n");
    EXPECT_EQ(firstSeriesValue(QStringLiteral("Gap")), QString());
    EXPECT_EQ(firstSeriesValue(QStringLiteral("Missing")), QString());
    EXPECT_EQ(firstSeriesValue(QStringLiteral("../Guests")), QString());

    // Not text: refused by a run, which says why, and by the first card where it reads that far.
    using namespace std::string_view_literals;
    const std::tuple<std::string_view, const char*, bool> notText[] = {
        { "J\0u\0r\0g\0e\0n\0\n\0B\0o\0b\0\n\0"sv, "line 1 holds a NUL character", true },
        { "Ann\nB\0b\n"sv, "line 2 holds a NUL character", false },
        { "\xFF\xFE\x41\0n\0n\0\n\0B\0o\0b\0\n\0!"sv, "an odd number of bytes", true },
    };
    for (const auto& [bytes, why, headToo] : notText) {
        store(QStringLiteral("NotText"), QByteArray(bytes.data(), qsizetype(bytes.size())));
        QString reason;
        EXPECT_FALSE(readSeriesFile(QStringLiteral("NotText"), &reason));
        EXPECT_TRUE(reason.contains(QLatin1String(why))) << reason.toStdString();
        EXPECT_EQ(readSeriesHead(QStringLiteral("NotText")).has_value(), !headToo) << why;
    }
}

TEST_F(SeriesStoreTest, ReadingAndWritingNeverChangeTheNumberOfValues)
{
    // A workbook column with empty cells, as the import writes it.
    const QStringList column { "", "Ann", "", "", "Bob", "" };
    ASSERT_TRUE(writeSeriesFile(seriesFilePath("S"), column, true));
    EXPECT_EQ(stored("S"), QByteArray("\nAnn\n\n\nBob\n\n"));
    EXPECT_EQ(readSeriesValues("S"), column);
    // Saved again from what was read: the same file.
    ASSERT_TRUE(writeSeriesFile(seriesFilePath("S"), readSeriesValues("S"), true));
    EXPECT_EQ(readSeriesValues("S"), column);
    // Trimmed, and a line break inside a value never splits it over two rows.
    ASSERT_TRUE(writeSeriesFile(seriesFilePath("T"), { " a ", "two\r\nlines", "x\ny" }, true));
    EXPECT_EQ(stored("T"), QByteArray("a\ntwo lines\nx y\n"));
    ASSERT_TRUE(exportSeriesText(seriesFilePath("U"), { " x", "y" }));
    EXPECT_EQ(stored("U"), QByteArray(" x\ny\n"));
}

TEST_F(SeriesStoreTest, OnlyPlainFilesAreRead)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(seriesFilePath("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(readSeriesFile("pipe").has_value());
    EXPECT_EQ(firstSeriesValue("pipe"), QString());
    ASSERT_TRUE(QDir().mkpath(seriesFilePath("folder")));
    EXPECT_FALSE(readSeriesFile("folder").has_value());
}

TEST_F(SeriesStoreTest, NamesAreListedSortedWithoutExtension)
{
    store("pear", "1\n");
    store("Apple", "1\n");
    store("fig", "1\n");
    ASSERT_TRUE(QDir(Data_Folder_Path).mkdir("folder.txt"));
    EXPECT_EQ(seriesNames(), (QStringList { "Apple", "fig", "pear" }));
}

TEST_F(SeriesStoreTest, NameCleaningAndUnsafeNames)
{
    EXPECT_EQ(cleanSeriesName(QStringLiteral("/abc/")), QStringLiteral("abc"));
    for (const QString& bad : { QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../x"),
             QStringLiteral("a/b"), QStringLiteral("a") + QChar(0), QStringLiteral("a\nb") })
        EXPECT_FALSE(isSeriesNameSafe(bad)) << bad.toStdString();
    const QStringList before = allFiles();
    for (const QString& typed : { QStringLiteral("../x"), QStringLiteral(" /../ "), QStringLiteral("a/b") }) {
        SeriesSaveRequest request { typed, QString(), { "v" }, {}, [] { return true; } };
        EXPECT_EQ(saveSeries(request), SeriesSaveResult::Failed);
    }
    EXPECT_EQ(allFiles(), before);
    EXPECT_FALSE(deleteSeries(QStringLiteral("..")));
    // A name starting with ":" is a file of the series folder like any other.
    SeriesSaveRequest colon { QStringLiteral(":Guests"), QString(), { "v" }, {}, [] { return true; } };
    EXPECT_EQ(saveSeries(colon), SeriesSaveResult::Saved);
    EXPECT_TRUE(QFileInfo(Data_Folder_Path + QStringLiteral("/:Guests.txt")).isFile());
    EXPECT_EQ(seriesNames(), QStringList { QStringLiteral(":Guests") });
}

// The decision table of saving an opened series under a typed name.
TEST_F(SeriesStoreTest, SaveRenamesReplacesAndRewrites)
{
    int asked = 0;
    bool answer = true;
    QStringList bound;
    const auto save = [&](const QString& typed, const QString& old, QStringList values) {
        SeriesSaveRequest request { typed, old, values, [&](const QString& n) { return bound.contains(n); },
            [&] {
                ++asked;
                return answer;
            } };
        return saveSeries(request);
    };
    store("abc", "old\n");
    store("other", "o\n");

    // Unchanged name: rewritten without a question.
    EXPECT_EQ(save("abc", "abc", { "1" }), SeriesSaveResult::Saved);
    EXPECT_EQ(stored("abc"), "1\n");
    EXPECT_EQ(asked, 0);

    // Another existing series: asked; No changes nothing, Yes rewrites it and keeps abc.
    answer = false;
    EXPECT_EQ(save("other", "abc", { "2" }), SeriesSaveResult::Declined);
    EXPECT_EQ(stored("other"), "o\n");
    answer = true;
    EXPECT_EQ(save("other", "abc", { "2" }), SeriesSaveResult::Saved);
    EXPECT_EQ(stored("other"), "2\n");
    EXPECT_EQ(stored("abc"), "1\n");
    EXPECT_EQ(asked, 2);

    // A free name: a rename; the old file goes only after the new one is written.
    EXPECT_EQ(save("/fresh/", "abc", { "3" }), SeriesSaveResult::Saved);
    EXPECT_EQ(stored("fresh"), "3\n");
    EXPECT_FALSE(seriesExists("abc"));

    // Bound series are neither renamed nor replaced.
    bound = { "fresh", "other" };
    EXPECT_EQ(save("moved", "fresh", { "4" }), SeriesSaveResult::RenameInUse);
    EXPECT_EQ(save("other", "fresh", { "4" }), SeriesSaveResult::InUse);
    EXPECT_FALSE(seriesExists("moved"));
    EXPECT_EQ(stored("other"), "2\n");
    EXPECT_EQ(save("fresh", "fresh", { "5" }), SeriesSaveResult::Saved);
    EXPECT_EQ(stored("fresh"), "5\n");
    EXPECT_EQ(asked, 2);
}

TEST_F(SeriesStoreTest, FailedSaveLeavesEveryFileAsItWas)
{
    store("abc", "old\n");
    // A folder in the target's place cannot be replaced by a file; the rename keeps abc.
    ASSERT_TRUE(QDir(Data_Folder_Path).mkdir("blocked.txt"));
    SeriesSaveRequest request { "blocked", "abc", { "new" }, {}, [] { return true; } };
    EXPECT_EQ(saveSeries(request), SeriesSaveResult::Failed);
    EXPECT_EQ(stored("abc"), "old\n");
    EXPECT_TRUE(seriesExists("abc"));
}

TEST_F(SeriesStoreTest, WorkbookExportReadBackByOpenpyxl)
{
    SKIP_WITHOUT_OPENPYXL();
    ASSERT_TRUE(QFile::copy(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx"),
        Resource_File(QStringLiteral("Template.xlsx"))));
    const QString path = QDir(resources.path()).filePath("out.xlsx");
    const QStringList values { "007", "Ann Lee", "12", "1234567890123456789", "=1+2", "0.5" };
    ASSERT_TRUE(exportSeriesWorkbook(path, values));
    const QString out = runPython(QStringLiteral(R"(import sys, json, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(json.dumps([[c.value for c in row] for row in ws.iter_rows()]))
)"),
        { path });
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8()).array();
    ASSERT_EQ(rows.size(), values.size() + 1);
    EXPECT_EQ(rows.at(0).toArray().at(0).toString(), QStringLiteral("Batch Value"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rows.at(i + 1).toArray().at(0).toVariant().toString(), values.at(i)) << i;
    EXPECT_EQ(rows.at(6).toArray().at(0).toDouble(), 0.5);
}

} // namespace

TEST_F(SeriesStoreTest, OnAFullDiskSavingAndExportingFailWithTheReasonAndKeepTheOldFiles)
{
    FullFolder disk;
    ASSERT_TRUE(QDir(Data_Folder_Path).removeRecursively());
    ASSERT_TRUE(QFile::link(disk.path(), Data_Folder_Path));
    store("guests", "Ada\nGrace\n");
    ASSERT_TRUE(QFile::copy(QStringLiteral(GALAVITE_SOURCE_DIR "/resources/Template.xlsx"),
        Resource_File(QStringLiteral("Template.xlsx"))));
    const QString workbook = disk.filePath(QStringLiteral("guests.xlsx"));
    ASSERT_TRUE(exportSeriesWorkbook(workbook, { "Ada", "Grace" }));
    const QByteArray oldWorkbook = fileBytes(workbook);
    disk.fill();

    const QStringList values(3000, QStringLiteral("a longer value than before"));
    SeriesSaveRequest request { QStringLiteral("guests"), QStringLiteral("guests"), values, {}, [] { return true; } };
    QString reason;
    EXPECT_EQ(saveSeries(request, nullptr, &reason), SeriesSaveResult::Failed);
    EXPECT_EQ(reason, disk.expectedReason());
    EXPECT_EQ(stored("guests"), QByteArray("Ada\nGrace\n"));

    EXPECT_FALSE(exportSeriesText(seriesFilePath(QStringLiteral("guests")), values, &reason));
    EXPECT_EQ(stored("guests"), QByteArray("Ada\nGrace\n"));
    EXPECT_FALSE(exportSeriesWorkbook(workbook, values, &reason));
    EXPECT_TRUE(reason.contains(disk.expectedReason())) << reason.toStdString();
    EXPECT_EQ(fileBytes(workbook), oldWorkbook);
}

// A run's read of a series is bounded by the count of values its size honestly holds and by
// the length of a value: a longer line becomes an empty row named as too long, never kept.
TEST_F(SeriesStoreTest, ARunsReadIsBoundedByTheCountOfValuesAndTheLengthOfAValue)
{
    const QByteArray longest(maxSeriesValueBytes, 'x');
    store(QStringLiteral("Edges"),
        "\xEF\xBB\xBF" + longest + "x\nSecond\r\n" + longest + "\r\n\n" + longest + "y\r\nThird\n" + longest + 'z');
    const std::optional<SeriesRows> edges = readSeriesFile(QStringLiteral("Edges"));
    ASSERT_TRUE(edges);
    EXPECT_EQ(edges->values, (QStringList { "", "Second", QString::fromLatin1(longest), "", "", "Third", "" }));
    EXPECT_EQ(edges->tooLong, (QList<int> { 0, 4, 6 }));

    // A series of one 100 MB line costs a run no more than a value, and the rows after it keep
    // theirs; the long line is not even decoded.
    {
        QFile file(seriesFilePath(QStringLiteral("Huge")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block = "\xC3\x28" + QByteArray((1 << 20) - 2, 'x');
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(file.write(block), block.size());
        file.write("\nSecond\n\nThird");
    }
    const MeasuredRun huge = runMeasured([] {
        const std::optional<SeriesRows> rows = readSeriesFile(QStringLiteral("Huge"));
        return rows ? rows->values.join(u'|').toStdString() + " " + std::to_string(rows->tooLong.value(0, -1))
                    : std::string("refused");
    });
    EXPECT_EQ(huge.result, "|Second||Third 0");
    EXPECT_GE(huge.peakMegabytes, 0); // measured
    EXPECT_LT(huge.peakMegabytes, 16);

    store(QStringLiteral("Blank"), QByteArray(10'000'000, '\n'));
    const MeasuredRun run = runMeasured([] {
        QString reason;
        return readSeriesFile(QStringLiteral("Blank"), &reason) ? std::string("read") : reason.toStdString();
    });
    EXPECT_NE(run.result.find(QStringLiteral(
                  "\"%1\" holds 10000000 values, more than this program reads from a file of its size: at most "
                  "5592405 values of their length.")
                                  .arg(seriesFilePath(QStringLiteral("Blank")))
                                  .toStdString()),
        std::string::npos)
        << run.result;
    EXPECT_GE(run.peakMegabytes, 0); // measured
    EXPECT_LT(run.peakMegabytes, 200);

    // A full sheet's column of short values, as the import writes it, reads back.
    QStringList numbers;
    for (int i = 0; i < 1'048'576; ++i)
        numbers.append(QString::number(1'000'000 + i));
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("Numbers")), numbers, false));
    EXPECT_EQ(readSeriesFile(QStringLiteral("Numbers")).value_or(SeriesRows()).values, numbers);
}

// The editor opens a series as a run reads it and writes every line too long to be a value back
// as it was, from the file it read: the first line's byte-order mark is not part of it, a file
// renamed over the series meanwhile changes nothing kept, and one rewritten in place is noticed
// and leaves the stored series as it was.
TEST_F(SeriesStoreTest, AnEditedSeriesWritesItsLinesTooLongToBeAValueBackAsTheyWere)
{
    const QByteArray first(maxSeriesValueBytes + 1, 'x');
    const QByteArray third = QByteArray(300 * 1024, 'y') + "\xC3\x28 and not UTF-8 \r";
    store(QStringLiteral("Long"), "\xEF\xBB\xBF" + first + "\nBob\n" + third + "\nCy");
    std::optional<EditedSeries> series = openSeriesForEditing(QStringLiteral("Long"));
    ASSERT_TRUE(series);
    EXPECT_EQ(series->rows.values, (QStringList { "", "Bob", "", "Cy" }));
    EXPECT_EQ(series->rows.tooLong, (QList<int> { 0, 2 }));
    ASSERT_TRUE(series->keptLines);

    // Another program puts a new file in its place: what was opened is what is kept.
    QProcess replace;
    replace.start(QStringLiteral("sh"),
        { QStringLiteral("-c"), QStringLiteral("printf 'other\\n' > \"$0.new\" && mv \"$0.new\" \"$0\""),
            seriesFilePath(QStringLiteral("Long")) });
    ASSERT_TRUE(replace.waitForFinished());
    ASSERT_EQ(replace.exitCode(), 0);
    // Bob deleted, Dee added after the rows kept.
    SeriesSaveRequest request { QStringLiteral("Long"), QStringLiteral("Long"), { "", "", " Cy ", "Dee" }, {}, {},
        { series->keptLines, { { 0, 0 }, { 1, 2 } } } };
    ASSERT_EQ(saveSeries(request), SeriesSaveResult::Saved);
    // Its line end, "\r\n", is written as every line's is.
    EXPECT_EQ(stored(QStringLiteral("Long")), first + '\n' + third.chopped(1) + "\nCy\nDee\n");

    // Written again from the same file, a kept row first asked for after a later one.
    const QString copy = QDir(resources.path()).filePath(QStringLiteral("copy.txt"));
    ASSERT_TRUE(exportSeriesText(copy, { "", "" }, nullptr, { series->keptLines, { { 0, 2 }, { 1, 0 } } }));
    EXPECT_EQ(fileBytes(copy), third.chopped(1) + '\n' + first + '\n');

    // A file rewritten in place under the editor: nothing is written from it.
    store(QStringLiteral("Held"), "Ann\n" + first + "\n");
    series = openSeriesForEditing(QStringLiteral("Held"));
    ASSERT_TRUE(series && series->keptLines);
    QFile inPlace(seriesFilePath(QStringLiteral("Held")));
    ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite));
    ASSERT_TRUE(inPlace.seek(4));
    ASSERT_EQ(inPlace.write("\n"), 1);
    inPlace.close();
    const QByteArray rewritten = stored(QStringLiteral("Held"));
    request = { QStringLiteral("Held"), QStringLiteral("Held"), { "Ann", "" }, {}, {},
        { series->keptLines, { { 1, 1 } } } };
    QString reason;
    EXPECT_EQ(saveSeries(request, nullptr, &reason), SeriesSaveResult::Failed);
    EXPECT_EQ(reason,
        QStringLiteral("\"%1\" was changed by another program since the series was opened, so its line 2, too long to "
                       "show, cannot be kept")
            .arg(seriesFilePath(QStringLiteral("Held"))));
    EXPECT_EQ(stored(QStringLiteral("Held")), rewritten);

    // A series without such lines holds no file open.
    store(QStringLiteral("Short"), "Ann\nBob\n");
    series = openSeriesForEditing(QStringLiteral("Short"));
    ASSERT_TRUE(series);
    EXPECT_EQ(series->rows.values, (QStringList { "Ann", "Bob" }));
    EXPECT_FALSE(series->keptLines);
    EXPECT_FALSE(openSeriesForEditing(QStringLiteral("Missing")));
}

// The series a run's rows may be compared with are told by their count of lines, counted no
// further than one past the run's rows, by the same rule as the values are read.
TEST_F(SeriesStoreTest, SeriesOfARunsLengthAreFoundByCountingTheirLines)
{
    const std::pair<QByteArray, qint64> counted[] = { { "", 0 }, { "\n", 1 }, { "a\nb\nc\n", 3 }, { "a\nb\nc", 3 },
        { "a\n\n\n", 3 }, { "a\r\nb\r\n", 2 }, { "\xEF\xBB\xBFone\ntwo", 2 } };
    for (const auto& [bytes, rows] : counted) {
        store(QStringLiteral("Counted"), bytes);
        EXPECT_EQ(countSeriesRows(QStringLiteral("Counted"), 10), rows) << bytes.toStdString();
        EXPECT_EQ(parseSeriesText(bytes).size(), rows) << bytes.toStdString();
    }
    // A long series is counted to one past the rows asked about, not to its end.
    store(QStringLiteral("Long"), QByteArray(3'000'000, '\n'));
    EXPECT_EQ(countSeriesRows(QStringLiteral("Long"), 4), 5);
    EXPECT_EQ(countSeriesRows(QStringLiteral("Long"), 3'000'000), 3'000'000);
    EXPECT_EQ(countSeriesRows(QStringLiteral("Missing"), 4), -1);
    EXPECT_EQ(countSeriesRows(QStringLiteral("../escape"), 4), -1);

    store(QStringLiteral("Emails"), "ann@x.org\nbob@x.org\ncyd@x.org\n");
    store(QStringLiteral("Bound"), "Ann\nBob\nCyd\n");
    store(QStringLiteral("Four"), "1\n2\n3\n4\n");
    store(QStringLiteral("Two"), "1\n2\n");
    store(QStringLiteral("NotText"), "1\n\xC3\x28\n3\n");
    ASSERT_TRUE(QFile::remove(seriesFilePath(QStringLiteral("Counted"))));
    EXPECT_EQ(seriesOfLength(3, { QStringLiteral("Bound") }),
        (QList<QStringList> { { "ann@x.org", "bob@x.org", "cyd@x.org" } }));
}
