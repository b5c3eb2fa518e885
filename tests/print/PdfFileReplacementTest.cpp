#include "print/PdfFileReplacement.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "platform/OwnTemporaryFile.h"
#include "print/Printing_View.h"
#include "support/FullFolder.h"
#include "support/ReadOnlyFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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

TEST(PdfFileReplacement, AFullDiskOrAReadOnlyFolderSaysWhyAndLeavesTheEarlierFile)
{
    FullFolder disk;
    // The print itself goes to the temporary folder: a file-size limit would cut it short too.
    if (!disk.isTmpfs())
        GTEST_SKIP() << "cannot mount a small tmpfs (needs root)";
    const QString path = disk.filePath(QStringLiteral("cards.pdf"));
    write(path, "an earlier print");
    disk.fill(4096);
    {
        PdfFileReplacement file(path);
        ASSERT_TRUE(file.prepare());
        ASSERT_TRUE(busyJob().printToPdf(file.partialPath()));
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.errorString(), disk.expectedReason());
    }
    EXPECT_EQ(contents(path), QByteArray("an earlier print"));

    ReadOnlyFolder readOnly;
    if (readOnly.path().isEmpty())
        GTEST_SKIP() << "no folder here refuses writes";
    PdfFileReplacement refused(readOnly.filePath(QStringLiteral("cards.pdf")));
    EXPECT_FALSE(refused.prepare());
    // A read-only mount where the test may mount one, else a folder without write permission.
    EXPECT_TRUE(refused.errorString() == qt_error_string(EROFS) || refused.errorString() == qt_error_string(EACCES))
        << refused.errorString().toStdString();
}

TEST(PdfFileReplacement, AReadOnlyFileIsRefusedBeforeThePrintAndTheTemporaryFileIsRecognisable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cards.pdf"));
    write(path, "an earlier print");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    PdfFileReplacement refused(path);
    EXPECT_FALSE(refused.prepare());
    EXPECT_EQ(refused.errorString(), QStringLiteral("Permission denied"));
    EXPECT_EQ(contents(path), QByteArray("an earlier print"));

    // A print killed on the way leaves a file that a later start knows as the program's own.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    PdfFileReplacement file(path);
    ASSERT_TRUE(file.prepare());
    EXPECT_TRUE(isOwnTemporaryName(QFileInfo(file.partialPath()).fileName())) << file.partialPath().toStdString();
}
