#include "print/PdfFileReplacement.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "print/Printing_View.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A tmpfs of a few hundred kilobytes mounted for the test's length (needs root).
class SmallFilesystem
{
public:
    SmallFilesystem()
    {
        mounted_ = dir_.isValid()
            && QProcess::execute(QStringLiteral("mount"),
                   { QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=256k"),
                       QStringLiteral("tmpfs"), dir_.path() })
                == 0;
    }
    ~SmallFilesystem()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), { dir_.path() });
    }
    bool mounted() const { return mounted_; }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Leaves about room bytes free.
    void fillLeaving(qint64 room)
    {
        QFile filler(path(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
        filler.close();
        filler.resize(std::max<qint64>(0, filler.size() - room));
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// Five sheets of cards drawn with many shapes, so the PDF needs far more than a few kilobytes.
Printing_View busyJob()
{
    const QSizeF size(200, 100);
    const Picture card = Picture::record(size, [&](QPainter& p) {
        for (int i = 0; i < 400; ++i)
            p.fillRect(QRectF(i % 20 * 10, i / 20 * 5, 9, 4), QColor::fromHsv(i % 360, 200, 200));
    });
    return Printing_View(twoByTwoOnA4(size, 20), [card](int) { return PrintCellCards { card, {} }; });
}

} // namespace

TEST(PdfFileReplacement, AWholePdfReplacesTheFileAndNothingIsLeftBeside)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cards.pdf"));
    write(path, "an earlier print");
    {
        PdfFileReplacement file(path);
        ASSERT_TRUE(file.prepare());
        EXPECT_TRUE(file.partialPath().endsWith(QStringLiteral(".pdf")));
        ASSERT_TRUE(busyJob().printToPdf(file.partialPath()));
        EXPECT_EQ(contents(path), QByteArray("an earlier print")) << "replaced before it was whole";
        ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
    }
    EXPECT_EQ(PdfTools::pageCount(path), 5);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("cards.pdf") });
}

TEST(PdfFileReplacement, APrintCutShortByAFullDiskLeavesTheEarlierFile)
{
    SmallFilesystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs (needs root)";
    const QString path = disk.path(QStringLiteral("cards.pdf"));
    write(path, "an earlier print");
    disk.fillLeaving(16 * 1024);
    {
        PdfFileReplacement file(path);
        ASSERT_TRUE(file.prepare());
        busyJob().printToPdf(file.partialPath());
        EXPECT_FALSE(file.commit());
        EXPECT_TRUE(file.errorString().contains(QStringLiteral("No space left on device"))) << file.errorString().toStdString();
    }
    EXPECT_EQ(contents(path), QByteArray("an earlier print"));
    EXPECT_EQ(QDir(disk.path({})).entryList(QDir::Files | QDir::Hidden).size(), 2) << "the partial file is removed";

    // A folder that takes no new file says why before anything prints.
    disk.fillLeaving(0);
    QFile::remove(disk.path(QStringLiteral("filler")));
    ASSERT_EQ(QProcess::execute(QStringLiteral("mount"),
                  { QStringLiteral("-o"), QStringLiteral("remount,ro"), disk.path({}) }),
        0);
    PdfFileReplacement readOnly(path);
    EXPECT_FALSE(readOnly.prepare());
    EXPECT_FALSE(readOnly.errorString().isEmpty());
    EXPECT_EQ(contents(path), QByteArray("an earlier print"));
}
