#include "LibraryTestSupport.h"

#include "common/Globals.h"
#include "library/Image_Library.h"
#include "library/PictureBrowser.h"
#include "library/PictureBrowserModel.h"
#include "support/ScriptedDialogService.h"
#include "support/TempResources.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList shownNames(const Image_Library& library)
{
    QStringList names;
    for (const MyImageObject& item : library.imageBrowser->pictures()->images())
        names.append(item.image_Name);
    return names;
}

class ImageLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialogs->modalHandler = [this](QDialog& dialog) {
            dialog.setResult(0);
            dialog.show();
            if (during)
                during();
            dialog.hide();
            return dialog.result();
        };
    }

    QString library(const QString& category) const { return Resource_File(QStringLiteral("LibraryImage/") + category); }

    TempResources resources;
    ScriptedDialogs dialogs;
    Image_Library window;
    std::function<void()> during;
};

TEST_F(ImageLibraryTest, ListsEveryShippedCategory)
{
    const QString saved = Resource_Path;
    Resource_Path = QStringLiteral(GALAVITE_SOURCE_DIR "/resources");
    QStringList categories;
    int smallest = 1000;
    during = [&] {
        for (int i = 0; i < window.cat_cmbo_bx->count(); ++i) {
            window.cat_cmbo_bx->setCurrentIndex(i);
            categories.append(window.cat_cmbo_bx->currentText());
            smallest = std::min(smallest, int(window.imageBrowser->pictures()->rowCount()));
        }
    };
    window.Open_Library_Window();
    Resource_Path = saved;
    EXPECT_EQ(categories, QStringList({ "Flowers", "Hearts", "Party", "Stars" }));
    EXPECT_GE(smallest, 5);
}

TEST_F(ImageLibraryTest, CategoriesAreCapitalisedAndShowOnlyPngAndJpg)
{
    for (const char* name : { "a.PNG", "b.jpg", "c.jpeg", "d.gif" })
        writePicture(library(QStringLiteral("party HATS")), QString::fromLatin1(name));
    writePicture(library(QStringLiteral("FLOWERS")), QStringLiteral("rose.png"));
    writePicture(library(QStringLiteral(":stars")), QStringLiteral("star.png"));
    during = [&] {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Image Library"));
        EXPECT_TRUE(window.cat_cmbo_bx->isVisible());
        ASSERT_EQ(window.cat_cmbo_bx->count(), 3);
        // A folder whose name starts with ":" is one like any other, not a path into the program.
        EXPECT_EQ(shownNames(window), QStringList({ "star.png" }));
        window.cat_cmbo_bx->setCurrentIndex(1);
        EXPECT_EQ(window.cat_cmbo_bx->currentText(), QStringLiteral("Flowers"));
        EXPECT_EQ(shownNames(window), QStringList({ "rose.png" }));
        window.cat_cmbo_bx->setCurrentIndex(2);
        EXPECT_EQ(window.cat_cmbo_bx->currentText(), QStringLiteral("Party Hats"));
        EXPECT_EQ(shownNames(window), QStringList({ "a.PNG", "b.jpg" }));
    };
    window.Open_Library_Window();
}

TEST_F(ImageLibraryTest, OkNeedsAnExistingPictureAndCancelForgetsIt)
{
    writePicture(library(QStringLiteral("Stars")), QStringLiteral("gold.png"));
    writePicture(library(QStringLiteral("Stars")), QStringLiteral("silver.png"));
    const QString gold = QDir(library(QStringLiteral("Stars"))).filePath(QStringLiteral("gold.png"));
    during = [&] {
        window.OK_Clicked();
        EXPECT_TRUE(window.isVisible());
        const QRect first = window.imageBrowser->visualRect(window.imageBrowser->pictures()->index(0));
        QTest::mouseClick(window.imageBrowser->viewport(), Qt::LeftButton, {}, first.center());
        EXPECT_EQ(window.selected_image, gold);
        // A click on empty space leaves the choice as it was.
        QTest::mouseClick(window.imageBrowser->viewport(), Qt::LeftButton, {},
            window.imageBrowser->viewport()->rect().bottomRight() - QPoint(4, 4));
        EXPECT_EQ(window.selected_image, gold);
        window.OK_Clicked();
    };
    EXPECT_EQ(window.Open_Library_Window(), 1);
    EXPECT_EQ(window.selected_image, gold);
    EXPECT_EQ(dialogs->messages(), std::vector<QString>({ QStringLiteral("\nPlease select image.") }));

    // The remembered picture was deleted meanwhile: OK asks again; Cancel forgets it.
    QFile::remove(gold);
    during = [&] {
        window.OK_Clicked();
        EXPECT_TRUE(window.isVisible());
        window.Cancel_Clicked();
    };
    EXPECT_EQ(window.Open_Library_Window(), 0);
    EXPECT_TRUE(window.selected_image.isEmpty());
    EXPECT_EQ(dialogs->messages().size(), 2u);
}

TEST_F(ImageLibraryTest, BackgroundModeHidesTheCategoriesAndForgetsClipArt)
{
    writePicture(library(QStringLiteral("Stars")), QStringLiteral("gold.png"));
    writePicture(Resource_File(QStringLiteral("Background")), QStringLiteral("sky.jpg"));
    during = [&] { window.imageBrowser->selectRow(0); };
    window.Open_Library_Window();
    ASSERT_FALSE(window.selected_image.isEmpty());

    window.control_or_BG = QStringLiteral("B");
    during = [&] {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Background Image Library"));
        EXPECT_FALSE(window.cat_cmbo_bx->isVisible());
        EXPECT_FALSE(window.category_label->isVisible());
        EXPECT_EQ(shownNames(window), QStringList({ "sky.jpg" }));
        // Clip art chosen before is no answer to a question for a background.
        window.OK_Clicked();
        EXPECT_TRUE(window.isVisible());
    };
    EXPECT_EQ(window.Open_Library_Window(), 0);
}

TEST_F(ImageLibraryTest, NoCategoriesLeaveAnEmptyLibrary)
{
    QDir().mkpath(Resource_File(QStringLiteral("LibraryImage")));
    during = [&] {
        EXPECT_EQ(window.cat_cmbo_bx->count(), 0);
        EXPECT_EQ(window.imageBrowser->pictures()->rowCount(), 0);
    };
    window.Open_Library_Window();
}

} // namespace
