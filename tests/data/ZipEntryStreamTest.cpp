#include "XlsxTestSupport.h"

#include "data/ZipEntryStream.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace xlsxtest;

namespace {

// Text that packs somewhat, as a sheet does, but not into a few bytes.
QByteArray sheetLikeBytes(int size)
{
    QByteArray bytes;
    QRandomGenerator random(7);
    while (bytes.size() < size)
        bytes += "<c r=\"A" + QByteArray::number(random.bounded(100000)) + "\"><v>"
            + QByteArray::number(random.generate()) + "</v></c>";
    bytes.truncate(size);
    return bytes;
}

// The entry read through the stream in pieces of at most step bytes; the last count returned
// (0 at a whole end, -1 on a failure) in last.
QByteArray readInSteps(const ZipReader& zip, const ZipReader::Entry& entry, qint64 limit, qint64 step, qint64& last)
{
    ZipEntryStream stream(zip, entry, limit);
    QByteArray bytes;
    QByteArray piece(step, '\0');
    while ((last = stream.read(piece.data(), step)) > 0)
        bytes.append(piece.constData(), last);
    return bytes;
}

// The archive's central directory record of the entry, for damaging it.
qsizetype centralRecord(const QByteArray& archive, const QByteArray& name)
{
    return archive.lastIndexOf("PK\x01\x02", archive.lastIndexOf(name));
}

} // namespace

TEST(ZipEntryStream, PiecesOfAnySizeGiveTheEntryWholeAndEndOnlyWhenItChecksOut)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("a.zip"));
    const QByteArray data = sheetLikeBytes(700 * 1024);
    writeArchive(path, { { QStringLiteral("part.xml"), data }, { QStringLiteral("empty.xml"), QByteArray("") } });
    ZipReader zip(path);
    ASSERT_TRUE(zip.open());
    const ZipReader::Entry* part = zip.find(QStringLiteral("part.xml"));
    ASSERT_NE(part, nullptr);
    for (const qint64 step : { qint64(1), qint64(7), qint64(4096), qint64(1) << 20 }) {
        SCOPED_TRACE(step);
        qint64 last = -2;
        const QByteArray read = readInSteps(zip, *part, qint64(1) << 30, step, last);
        EXPECT_EQ(last, 0);
        EXPECT_TRUE(read == data);
    }
    qint64 last = -2;
    EXPECT_TRUE(readInSteps(zip, *zip.find(QStringLiteral("empty.xml")), 100, 5, last).isEmpty());
    EXPECT_EQ(last, 0);

    // No more than the limit is handed on.
    ZipEntryStream limited(zip, *part, 100000);
    QByteArray piece(4096, '\0');
    qint64 handed = 0;
    qint64 count = 0;
    while ((count = limited.read(piece.data(), piece.size())) > 0)
        handed += count;
    EXPECT_EQ(count, -1);
    EXPECT_EQ(limited.status(), ZipReader::Status::TooLarge);
    EXPECT_LE(handed, 100000);
}

TEST(ZipEntryStream, DamageIsReportedAtTheEndAndNeverAsAWholeEntry)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("a.zip"));
    const QByteArray data = sheetLikeBytes(300 * 1024);
    writeArchive(path, { { QStringLiteral("part.xml"), data } });
    const QByteArray whole = fileBytes(path);

    // A wrong check sum, a stated size smaller and larger than the data, packed data cut short.
    const qsizetype record = centralRecord(whole, "part.xml");
    ASSERT_GT(record, 0);
    QList<QByteArray> damaged(4, whole);
    damaged[0][record + 16] = char(damaged[0][record + 16] ^ 0x5a);
    damaged[1][record + 24] = char(damaged[1][record + 24] - 1);
    damaged[2][record + 26] = char(damaged[2][record + 26] + 1);
    damaged[3].remove(100, 5000);
    damaged[3].insert(100, QByteArray(5000, '\0'));
    for (int i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        writeBytes(path, damaged[i]);
        ZipReader zip(path);
        ASSERT_TRUE(zip.open());
        ZipEntryStream stream(zip, zip.entries().front(), qint64(1) << 30);
        QByteArray piece(64 * 1024, '\0');
        qint64 count = 0;
        while ((count = stream.read(piece.data(), piece.size())) > 0) { }
        EXPECT_EQ(count, -1);
        EXPECT_EQ(stream.status(), ZipReader::Status::Damaged);
        // Once failed, it stays failed.
        EXPECT_EQ(stream.read(piece.data(), piece.size()), -1);
    }
}
