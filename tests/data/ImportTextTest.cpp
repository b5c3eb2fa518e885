#include "data/ImportText.h"
#include "support/PeakMemory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

} // namespace

TEST(ImportTextDecoding, MarkDecidesThenStrictUtf8ThenWindows1252)
{
    EXPECT_EQ(decodeImportText(QByteArray("\xEF\xBB\xBFZo\xC3\xAB")), QStringLiteral("Zoë"));
    EXPECT_EQ(decodeImportText(QByteArray("\xFF\xFEZ\0o\0\xEB\0", 8)), QStringLiteral("Zoë"));
    EXPECT_EQ(decodeImportText(QByteArray("\xFE\xFF\0Z\0o\0\xEB", 8)), QStringLiteral("Zoë"));
    EXPECT_EQ(decodeImportText(QByteArray("\xFF\xFE\0\0Z\0\0\0", 8)), QStringLiteral("Z"));
    EXPECT_EQ(decodeImportText(QByteArray("caf\xC3\xA9")), QStringLiteral("café"));
    // Not UTF-8: Windows-1252, where 0x80 is the euro sign and 0x93/0x94 curly quotes.
    EXPECT_EQ(decodeImportText(QByteArray("caf\xE9 \x80 \x93x\x94")), QStringLiteral("café € “x”"));
    EXPECT_FALSE(decodeImportText(QByteArray("a\0b", 3)).has_value());
}

TEST(ImportTextCsv, RecordsEndAtAnyLineEndAndQuotesAreHonoured)
{
    EXPECT_EQ(csvValues(QStringLiteral("a,b\r\nc,d\ne,f\rg")), QStringList({ "a", "b", "c", "d", "e", "f", "g" }));
    // A line without a comma is one value; cells are trimmed; an empty cell is an empty value,
    // so the values after it keep their rows; only the final line end makes no record.
    EXPECT_EQ(csvValues(QStringLiteral("only\n , x ,,\n\n")), QStringList({ "only", "", "x", "", "", "" }));
    EXPECT_EQ(csvValues(QStringLiteral("Ann,1\r\n,2\r\nCyd,\r\n")), QStringList({ "Ann", "1", "", "2", "Cyd", "" }));
    EXPECT_TRUE(csvValues(QStringLiteral("\r\n")).isEmpty());
    // Quoted cells keep commas, doubled quotes and line breaks.
    EXPECT_EQ(csvValues(QStringLiteral("\"Smith, Ann\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",z")),
        QStringList({ "Smith, Ann", "say \"hi\"", "two\r\nlines", "z" }));
    // A quote inside an unquoted cell is text; an unterminated quote runs to the end.
    EXPECT_EQ(csvValues(QStringLiteral("5\" disk,\"open")), QStringList({ "5\" disk", "open" }));
    // Backslashes and braces stay.
    EXPECT_EQ(csvValues(QStringLiteral("C:\\img\\a.png,{x}")), QStringList({ "C:\\img\\a.png", "{x}" }));
}

TEST(ImportTextLines, EveryLineEndSplitsAndBlankLinesHoldTheirRows)
{
    EXPECT_EQ(lineValues(QStringLiteral(" a \r\n\r\nb\rc\n NSFont = x \nd\n")),
        QStringList({ "a", "", "b", "c", "NSFont = x", "d" }));
    EXPECT_EQ(lineValues(QStringLiteral("\nx\n\n")), QStringList({ "", "x", "" }));
}

TEST(ImportTextFiles, ExtensionInAnyCaseDecidesTheKind)
{
    QTemporaryDir dir;
    const QByteArray csv("x,y\nz\n");
    EXPECT_EQ(readTextFileValues(writeFile(dir, "a.Csv", csv)).values, QStringList({ "x", "y", "z" }));
    EXPECT_EQ(readTextFileValues(writeFile(dir, "a.txt", csv)).values, QStringList({ "x,y", "z" }));
    const TextFileValues rtf = readTextFileValues(writeFile(dir, "b.rtf", "{\\rtf1 one\\par two}"));
    EXPECT_TRUE(rtf.read);
    EXPECT_EQ(rtf.values, QStringList({ "one", "two" }));
}

TEST(ImportTextFiles, UnreadableUndecodableAndEmptyFilesAreRefused)
{
    QTemporaryDir dir;
    const TextFileValues missing = readTextFileValues(dir.filePath("none.txt"));
    EXPECT_FALSE(missing.read);
    EXPECT_EQ(missing.message, QStringLiteral("Please select a valid file."));
    EXPECT_EQ(readTextFileValues(dir.path()).message, QStringLiteral("Please select a valid file."));
    const QString corrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
    const QString empty = QStringLiteral("The selected file is empty.");
    EXPECT_EQ(readTextFileValues(writeFile(dir, "e.txt", " \n\n")).message, empty);
    EXPECT_EQ(readTextFileValues(writeFile(dir, "e.csv", "")).message, empty);
    EXPECT_EQ(readTextFileValues(writeFile(dir, "commas.csv", " , ,\r\n,")).message, empty);
    EXPECT_EQ(readTextFileValues(writeFile(dir, "e.rtf", "")).message, empty);
    EXPECT_EQ(readTextFileValues(writeFile(dir, "blank.rtf", "{\\rtf1 }")).message, empty);
    EXPECT_TRUE(readTextFileValues(writeFile(dir, "bin.txt", QByteArray("\x01\0\x02", 3))).message.startsWith(corrupt));
    const QByteArray utf16WithMark = QByteArray::fromHex("fffe41000d004200"); // A CR B
    EXPECT_EQ(readTextFileValues(writeFile(dir, "bom.txt", utf16WithMark)).values, QStringList({ "A", "B" }));
    EXPECT_EQ(readTextFileValues(writeFile(dir, "bad.rtf", "{\\rtf1 open")).message, corrupt);
    EXPECT_EQ(readTextFileValues(writeFile(dir, "plain.rtf", "not rtf")).message, corrupt);
}

TEST(ImportImageFolder, OnlyImageFilesDirectlyInTheFolderSortedByName)
{
    QTemporaryDir dir;
    for (const char* name : { "b.JPG", "a.png", "c.Jfif", "d.tiff", "notes.txt", "e.jpeg.bak", "f.GIF" })
        writeFile(dir, name, "x");
    QDir(dir.path()).mkdir("x.png");
    writeFile(dir, "x.png/inner.png", "x");
    const QString f = dir.path() + QLatin1Char('/');
    EXPECT_EQ(imageFilesInFolder(dir.path()),
        QStringList({ f + "a.png", f + "b.JPG", f + "c.Jfif", f + "d.tiff", f + "f.GIF" }));
    EXPECT_TRUE(imageFilesInFolder(dir.filePath("missing")).isEmpty());
}

TEST(ImportTextFiles, BareSeparatorsAreRefusedByTheirCountWithinBoundedMemory)
{
    QTemporaryDir dir;
    constexpr int separators = 10'000'000;
    const QString commas = writeFile(dir, QStringLiteral("commas.csv"), QByteArray(separators, ','));
    const QString lines = writeFile(dir, QStringLiteral("lines.txt"), QByteArray(separators, '\n'));
    for (const auto& [path, count] : { std::pair { commas, separators + 1 }, std::pair { lines, separators } }) {
        const MeasuredRun run = runMeasured([&file = path] {
            const TextFileValues read = readTextFileValues(file);
            return (read.read ? QStringLiteral("read") : read.message).toStdString();
        });
        EXPECT_NE(run.result.find(
                      QStringLiteral("\"%1\" holds %2 values, more than this").arg(path).arg(count).toStdString()),
            std::string::npos)
            << run.result;
        EXPECT_GE(run.peakMegabytes, 0); // measured
        EXPECT_LT(run.peakMegabytes, 200);
    }

    // A million short values, as a full sheet's column gives, still read.
    QByteArray numbers;
    for (int i = 0; i < 1'048'576; ++i)
        numbers += QByteArray::number(1'000'000 + i) + '\n';
    const TextFileValues read = readTextFileValues(writeFile(dir, QStringLiteral("numbers.txt"), numbers));
    EXPECT_TRUE(read.read) << read.message.toStdString();
    EXPECT_EQ(read.values.size(), 1'048'576);
}
