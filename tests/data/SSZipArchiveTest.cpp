#include "XlsxTestSupport.h"

#include "data/SSZipArchive.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <zlib.h>

using namespace xlsxtest;

namespace {

class ZipTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return tmp.filePath(name); }
    QString makeFolder(const QString& name) const
    {
        QDir().mkpath(path(name));
        return path(name);
    }
    QStringList filesUnder(const QString& folder) const
    {
        QStringList found;
        const QDir root(folder);
        for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name))
            found.append(root.relativeFilePath(info.filePath()));
        return found;
    }
    QTemporaryDir tmp;
};

} // namespace

TEST_F(ZipTest, PackedFolderUnpacksWithItsLayoutAndAnotherToolReadsIt)
{
    const QString source = makeFolder(QStringLiteral("src/book"));
    QDir().mkpath(source + QStringLiteral("/xl/worksheets"));
    QDir().mkpath(source + QStringLiteral("/empty/inner"));
    writeBytes(source + QStringLiteral("/xl/worksheets/sheet1.xml"), QByteArray(100000, 'x'));
    writeBytes(source + QStringLiteral("/top.txt"), "top");
    writeBytes(source + QStringLiteral("/Grüße.txt"), "umlaut");

    // A trailing slash names the same folder.
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(path(QStringLiteral("a.zip")), source + QStringLiteral("/")));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("a.zip")), makeFolder(QStringLiteral("out"))));
    EXPECT_EQ(fileBytes(path(QStringLiteral("out/book/xl/worksheets/sheet1.xml"))), QByteArray(100000, 'x'));
    EXPECT_EQ(fileBytes(path(QStringLiteral("out/book/top.txt"))), QByteArray("top"));
    EXPECT_EQ(fileBytes(path(QStringLiteral("out/book/Grüße.txt"))), QByteArray("umlaut"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("out/book/empty/inner"))).isDir());

    if (openpyxlPython().isEmpty())
        return;
    const QString names = runPython(QStringLiteral("import sys, zipfile\n"
                                                   "z = zipfile.ZipFile(sys.argv[1])\n"
                                                   "assert z.testzip() is None\n"
                                                   "print('|'.join(sorted(z.namelist())))"),
        { path(QStringLiteral("a.zip")) });
    EXPECT_EQ(names.trimmed(),
        QStringLiteral("book/Grüße.txt|book/empty/inner/|book/top.txt|"
                       "book/xl/worksheets/sheet1.xml"));
}

TEST_F(ZipTest, FolderHoldingOnlyAnEmptyFolderGivesOneEntry)
{
    QDir().mkpath(path(QStringLiteral("pack/sub")));
    ASSERT_TRUE(
        SSZipArchive::createZipFileAtPath(path(QStringLiteral("e.zip")), QStringList { path(QStringLiteral("pack")) }));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("e.zip")), makeFolder(QStringLiteral("out"))));
    EXPECT_EQ(filesUnder(path(QStringLiteral("out"))), QStringList { QStringLiteral("pack") });
    EXPECT_EQ(filesUnder(path(QStringLiteral("out/pack"))), QStringList { QStringLiteral("sub") });
}

TEST_F(ZipTest, UnreadablePathIsLeftOutAndReported)
{
    writeBytes(path(QStringLiteral("real.txt")), "real");
    EXPECT_FALSE(SSZipArchive::createZipFileAtPath(path(QStringLiteral("p.zip")),
        QStringList { path(QStringLiteral("missing.txt")), path(QStringLiteral("real.txt")) }));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("p.zip")), makeFolder(QStringLiteral("out"))));
    EXPECT_EQ(filesUnder(path(QStringLiteral("out"))), QStringList { QStringLiteral("real.txt") });
}

TEST_F(ZipTest, BackslashNamesAndFolderEntriesUnpackAsFolders)
{
    writeArchive(path(QStringLiteral("b.zip")),
        { { QStringLiteral("dir\\sub\\file.txt"), "data" }, { QStringLiteral("only/folder/"), QByteArray("") } });
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("b.zip")), makeFolder(QStringLiteral("out"))));
    EXPECT_EQ(fileBytes(path(QStringLiteral("out/dir/sub/file.txt"))), QByteArray("data"));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("out/only/folder"))).isDir());
    EXPECT_TRUE(QDir(path(QStringLiteral("out/only/folder"))).isEmpty());
}

TEST_F(ZipTest, OverwriteFlagDecidesWhetherExistingFilesAreReplaced)
{
    writeArchive(path(QStringLiteral("o.zip")), { { QStringLiteral("f.txt"), "new" } });
    const QString out = makeFolder(QStringLiteral("out"));
    writeBytes(out + QStringLiteral("/f.txt"), "old");
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("o.zip")), out, false, QString(), nullptr));
    EXPECT_EQ(fileBytes(out + QStringLiteral("/f.txt")), QByteArray("old"));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("o.zip")), out, true, QString(), nullptr));
    EXPECT_EQ(fileBytes(out + QStringLiteral("/f.txt")), QByteArray("new"));
}

TEST_F(ZipTest, EntryDateBecomesTheFilesModificationDate)
{
    if (openpyxlPython().isEmpty())
        GTEST_SKIP() << "no python3";
    runPython(QStringLiteral("import sys, zipfile\n"
                             "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                             "    z.writestr(zipfile.ZipInfo('dated.txt', (2001, 2, 3, 4, 5, 6)), 'x')\n"),
        { path(QStringLiteral("d.zip")) });
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("d.zip")), makeFolder(QStringLiteral("out"))));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("out/dated.txt"))).lastModified(),
        QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::LocalTime));
}

TEST_F(ZipTest, ArchivesThatCannotBeOpenedReportTheirCode)
{
    ZipError error;
    writeBytes(path(QStringLiteral("not.zip")), "this is plain text, not an archive");
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(
        path(QStringLiteral("not.zip")), makeFolder(QStringLiteral("o1")), true, QString(), &error));
    EXPECT_EQ(error.code, SSZipArchive::CannotOpenArchive);
    EXPECT_EQ(error.domain, QStringLiteral("SSZipArchiveErrorDomain"));
    EXPECT_EQ(error.message, QStringLiteral("failed to open zip file"));

    writeArchive(path(QStringLiteral("empty.zip")), {});
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(
        path(QStringLiteral("empty.zip")), makeFolder(QStringLiteral("o2")), true, QString(), &error));
    // This minizip already refuses to open an archive without entries.
    EXPECT_TRUE(error.code == SSZipArchive::NoFirstEntry || error.code == SSZipArchive::CannotOpenArchive);
}

TEST_F(ZipTest, EntriesLeadingOutsideTheDestinationRefuseTheWholeArchive)
{
    const QString outside = path(QStringLiteral("outside.txt"));
    const QStringList hostile = { QStringLiteral("../outside.txt"), QStringLiteral("a/../../outside.txt"),
        QStringLiteral("..\\outside.txt"), outside };
    for (const QString& name : hostile) {
        SCOPED_TRACE(name.toStdString());
        writeArchive(path(QStringLiteral("slip.zip")), { { QStringLiteral("first.txt"), "ok" }, { name, "evil" } });
        const QString out = makeFolder(QStringLiteral("out/dest"));
        ZipError error;
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("slip.zip")), out, true, QString(), &error));
        EXPECT_EQ(error.code, SSZipArchive::UnsafeEntryName);
        EXPECT_TRUE(error.message.contains(QStringLiteral("unsafe entry name")));
        EXPECT_FALSE(QFileInfo::exists(outside));
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("out/outside.txt"))));
        EXPECT_TRUE(QDir(out).isEmpty()) << "nothing is unpacked from a refused archive";
    }
}

TEST_F(ZipTest, DamagedEntryFailsWithoutLeavingATruncatedFile)
{
    QByteArray content;
    for (int i = 0; i < 20000; ++i)
        content += QByteArray::number(i * 7919 % 10007) + ',';
    writeArchive(path(QStringLiteral("c.zip")), { { QStringLiteral("part.xml"), content } });
    QByteArray archive = fileBytes(path(QStringLiteral("c.zip")));
    // Local header (30 bytes) and the name, then the compressed data: spoil some of it.
    for (int i = 0; i < 16; ++i)
        archive[30 + 8 + 100 + i] = char(archive[30 + 8 + 100 + i] ^ 0x5a);
    writeBytes(path(QStringLiteral("c.zip")), archive);

    const QString out = makeFolder(QStringLiteral("out"));
    ZipError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("c.zip")), out, true, QString(), &error));
    EXPECT_EQ(error.code, SSZipArchive::DamagedEntry);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/part.xml")));
}

TEST_F(ZipTest, TruncatedArchiveFails)
{
    writeArchive(path(QStringLiteral("t.zip")),
        { { QStringLiteral("a.txt"), QByteArray(5000, 'a') }, { QStringLiteral("b.txt"), QByteArray(5000, 'b') } });
    const QByteArray whole = fileBytes(path(QStringLiteral("t.zip")));
    writeBytes(path(QStringLiteral("t.zip")), whole.left(whole.size() / 2));
    const QString out = makeFolder(QStringLiteral("out"));
    ZipError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("t.zip")), out, true, QString(), &error));
    EXPECT_FALSE(error.message.isEmpty());
    EXPECT_TRUE(QDir(out).isEmpty());
}

TEST_F(ZipTest, ContractViolationsFailInsteadOfCrashing)
{
    SSZipArchive archive(path(QStringLiteral("x.zip")));
    EXPECT_FALSE(archive.writeFile(QStringLiteral("a"), tmp.path()));
    EXPECT_FALSE(archive.writeData("bytes", QStringLiteral("a")));
    EXPECT_FALSE(archive.close());
    ASSERT_TRUE(archive.open());
    EXPECT_FALSE(archive.open());
    EXPECT_TRUE(archive.close());
}

namespace {

// A raw deflate stream of megabytes MB of zeros: one flushed block repeated, so that making
// a gigabyte costs a few kilobytes of work.
QByteArray deflatedZeros(int megabytes)
{
    z_stream stream {};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    QByteArray zeros(1 << 20, '\0');
    QByteArray block(1 << 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(zeros.data());
    stream.avail_in = uInt(zeros.size());
    stream.next_out = reinterpret_cast<Bytef*>(block.data());
    stream.avail_out = uInt(block.size());
    deflate(&stream, Z_FULL_FLUSH);
    block.resize(block.size() - stream.avail_out);
    QByteArray end(64, '\0');
    stream.next_out = reinterpret_cast<Bytef*>(end.data());
    stream.avail_out = uInt(end.size());
    deflate(&stream, Z_FINISH);
    end.resize(end.size() - stream.avail_out);
    deflateEnd(&stream);
    return block.repeated(megabytes) + end;
}

} // namespace

TEST_F(ZipTest, UnpackingStopsAtTheLimitOnTheBytesActuallyWritten)
{
    // A few hundred kilobytes of archive: its limit is the floor.
    const int megabytes = int(SSZipArchive::minUnpackLimit >> 20) + 1;
    const QByteArray data = deflatedZeros(megabytes);
    zipFile zip = zipOpen64(QFile::encodeName(path(QStringLiteral("bomb.zip"))).constData(), APPEND_STATUS_CREATE);
    ASSERT_TRUE(zip);
    const zip_fileinfo info {};
    ASSERT_EQ(
        zipOpenNewFileInZip2_64(zip, "zeros.bin", &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 1, 1), ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())), ZIP_OK);
    ASSERT_EQ(zipCloseFileInZipRaw64(zip, ZPOS64_T(megabytes) << 20, 0), ZIP_OK);
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);

    const QString out = makeFolder(QStringLiteral("out"));
    ZipError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("bomb.zip")), out, true, QString(), &error));
    EXPECT_EQ(error.code, SSZipArchive::ArchiveTooLarge);
    EXPECT_TRUE(QDir(out).isEmpty());
}

TEST_F(ZipTest, StreamingZip64FormUnpacksWithAndWithoutDescriptors)
{
    if (openpyxlPython().isEmpty())
        GTEST_SKIP() << "no python3";
    for (const char* descriptors : { "True", "False" }) {
        SCOPED_TRACE(descriptors);
        const QString archive = path(QStringLiteral("s.zip"));
        runPython(streamingZip64Python()
                + QStringLiteral(R"(
import sys
entries = [('a/one.txt', b'first entry'), ('b/two.xml', b'<x>' * 20000), ('empty.txt', b'')]
open(sys.argv[1], 'wb').write(streaming_zip64(entries, %1))
)")
                      .arg(QLatin1String(descriptors)),
            { archive });
        const QString out = makeFolder(QStringLiteral("out"));
        ZipError error;
        ASSERT_TRUE(SSZipArchive::unzipFileAtPath(archive, out, true, QString(), &error))
            << error.message.toStdString();
        EXPECT_EQ(fileBytes(out + QStringLiteral("/a/one.txt")), QByteArray("first entry"));
        EXPECT_EQ(fileBytes(out + QStringLiteral("/b/two.xml")), QByteArray("<x>").repeated(20000));
        EXPECT_TRUE(QFileInfo(out + QStringLiteral("/empty.txt")).isFile());

        // A byte of the data altered after the check sum was taken.
        QByteArray bytes = fileBytes(archive);
        const qsizetype second = bytes.indexOf("b/two.xml") + 9 + 20;
        bytes[second + 10] = char(bytes[second + 10] ^ 0x20);
        writeBytes(archive, bytes);
        QDir(out).removeRecursively();
        makeFolder(QStringLiteral("out"));
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(archive, out, true, QString(), &error));
        EXPECT_EQ(error.code, SSZipArchive::DamagedEntry);
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/b/two.xml")));
        QDir(out).removeRecursively();
    }
}

TEST_F(ZipTest, Zip64MarkerWithoutItsExtraFieldIsRefused)
{
    if (openpyxlPython().isEmpty())
        GTEST_SKIP() << "no python3";
    // A central record that states the ZIP64 marker as its size but carries no ZIP64 field.
    runPython(QStringLiteral(R"(import sys, zipfile
zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED).writestr('part.xml', 'original text')
data = bytearray(open(sys.argv[1], 'rb').read())
central = data.find(b'PK\x01\x02')
data[central + 24:central + 28] = b'\xff\xff\xff\xff'
open(sys.argv[1], 'wb').write(data)
)"),
        { path(QStringLiteral("s.zip")) });
    const QString out = makeFolder(QStringLiteral("out"));
    ZipError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path(QStringLiteral("s.zip")), out, true, QString(), &error));
    EXPECT_EQ(error.code, SSZipArchive::CannotOpenArchive);
    EXPECT_TRUE(QDir(out).isEmpty());
}
