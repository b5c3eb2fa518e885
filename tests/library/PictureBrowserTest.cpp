#include "LibraryTestSupport.h"

#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "library/PictureFolder.h"
#include "library/ThumbnailLoader.h"
#include "support/Patience.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QStringList order(const PictureBrowserModel& model)
{
    QStringList result;
    for (const MyImageObject& item : model.images())
        result.append(item.image_Name);
    return result;
}

void fillWithNumbers(PictureBrowserModel& model, int count)
{
    QList<MyImageObject> items;
    for (int i = 0; i < count; ++i)
        items.append({ QStringLiteral("/p/%1.png").arg(i), QString::number(i), QString::number(i) });
    model.setItems(items);
}

TEST(PictureBrowserModel, MovesSelectedItemsAsOneBlock)
{
    PictureBrowserModel model;
    fillWithNumbers(model, 5);
    EXPECT_EQ(model.moveItemsAtIndexes({ 1, 0 }, 3), 1);
    EXPECT_EQ(order(model), QStringList({ "2", "0", "1", "3", "4" }));

    fillWithNumbers(model, 5);
    model.moveItemsAtIndexes({ 3, 4 }, 0);
    EXPECT_EQ(order(model), QStringList({ "3", "4", "0", "1", "2" }));

    fillWithNumbers(model, 5);
    model.moveItemsAtIndexes({ 0, 4 }, 5); // to the end
    EXPECT_EQ(order(model), QStringList({ "1", "2", "3", "0", "4" }));

    fillWithNumbers(model, 5);
    model.moveItemsAtIndexes({ 2, 9, -1 }, 42); // rows and destination outside are bounded
    EXPECT_EQ(order(model), QStringList({ "0", "1", "3", "4", "2" }));
}

TEST(PictureBrowserModel, AddsOnlyNonEmptyTrimmedPathsAndRemovesWithoutDeleting)
{
    QTemporaryDir dir;
    writePicture(dir.path(), QStringLiteral("a.png"));
    PictureBrowserModel model;
    EXPECT_FALSE(model.addImageWithPath(QStringLiteral(" \n\t"), QStringLiteral("x"), QStringLiteral("x")));
    const QString path = dir.filePath(QStringLiteral("a.png"));
    EXPECT_TRUE(model.addImageWithPath(
        QStringLiteral("  ") + path + QStringLiteral("\n"), QStringLiteral("a.png"), QStringLiteral("a.png")));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.images()[0].path, path);
    model.removeItemsAtIndexes({ 0, 0, 7 });
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(PictureBrowserModel, ThumbnailsAreReadOffTheGuiThreadWhenFirstShown)
{
    QTemporaryDir dir;
    writePicture(dir.path(), QStringLiteral("big.jpg"), QSize(1011, 639));
    writePicture(dir.path(), QStringLiteral("broken.png"));
    QFile::remove(dir.filePath(QStringLiteral("broken.png")));
    QFile broken(dir.filePath(QStringLiteral("broken.png")));
    broken.open(QIODevice::WriteOnly);
    broken.write("garbage");
    broken.close();
    PictureBrowserModel model;
    model.setItems(pictureItemsInFolder(dir.path()));
    ASSERT_EQ(model.rowCount(), 2);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    // The first request answers at once with nothing rather than decoding on this thread.
    EXPECT_FALSE(model.data(model.index(0), Qt::DecorationRole).isValid());
    model.data(model.index(1), Qt::DecorationRole);
    patience::eventually([&model] { return model.hasThumbnail(0) && model.hasThumbnail(1); });
    ASSERT_TRUE(model.hasThumbnail(0));
    const QIcon icon = model.data(model.index(0), Qt::DecorationRole).value<QIcon>();
    ASSERT_FALSE(icon.isNull());
    // Decoded at the thumbnail bound, keeping the picture's proportions.
    const QSize size = icon.availableSizes().value(0);
    EXPECT_EQ(size.width(), 256);
    EXPECT_NEAR(size.height(), 256 * 639 / 1011, 1);
    EXPECT_TRUE(model.data(model.index(1), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(changed.count(), 2);
}

TEST(PictureBrowserModel, ResultsForReplacedItemsAreDropped)
{
    QTemporaryDir dir;
    writePicture(dir.path(), QStringLiteral("a.png"));
    PictureBrowserModel model;
    model.setItems(pictureItemsInFolder(dir.path()));
    model.data(model.index(0), Qt::DecorationRole);
    model.setItems({});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QTest::qWait(200);
    EXPECT_EQ(changed.count(), 0);
}

TEST(PictureBrowser, DeleteKeyRemovesTheSelectionAndClicksReportThePicture)
{
    QTemporaryDir dir;
    for (const char* name : { "a.png", "b.png", "c.png" })
        writePicture(dir.path(), QString::fromLatin1(name));
    PictureBrowser browser;
    browser.resize(600, 300);
    browser.pictures()->setItems(pictureItemsInFolder(dir.path()));
    browser.show();
    QSignalSpy selected(&browser, &PictureBrowser::imageBrowserSelectionDidChange);
    QSignalSpy clicked(&browser, &PictureBrowser::pictureClicked);
    const QRect second = browser.visualRect(browser.pictures()->index(1));
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toString(), dir.filePath(QStringLiteral("b.png")));
    ASSERT_GE(selected.count(), 1);
    EXPECT_EQ(selected.last()[0].toString(), dir.filePath(QStringLiteral("b.png")));

    // Clicking on empty space empties the selection without reporting a picture.
    const int reported = int(selected.count());
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, QPoint(590, 290));
    EXPECT_TRUE(browser.firstSelectedPath().isEmpty());
    EXPECT_EQ(selected.count(), reported);

    browser.selectRow(1);
    QTest::keyClick(&browser, Qt::Key_Delete);
    EXPECT_EQ(order(*browser.pictures()), QStringList({ "a.png", "c.png" }));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("b.png"))));
}

TEST(PictureBrowser, ZoomSetsTheThumbnailSize)
{
    PictureBrowser browser;
    browser.setZoomValue(0.0);
    const int small = browser.iconSize().width();
    browser.setZoomValue(1.0);
    EXPECT_GT(browser.iconSize().width(), small * 4);
    browser.setZoomValue(7.0);
    EXPECT_EQ(browser.zoomValue(), 1.0);
}

} // namespace
