#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/PropertiesInspector.h"
#include "library/BackgroundGallery.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "model/SKTImage.h"

#include <QTabWidget>
#include <QTest>

namespace {

TEST_F(MainWindowTest, ImageLibraryToolPlacesTheChosenClipArt)
{
    SKTWindowController& main = start();
    QString title;
    otherModal = chooseInLibrary(1, &title);
    main.selectTool(SKTWindowController::ImageLibraryTool);
    EXPECT_EQ(title, QStringLiteral("Image Library"));
    const auto& front = main.Get_Front_Controls_Array();
    ASSERT_EQ(front.size(), 1);
    auto image = std::dynamic_pointer_cast<SKTImage>(front[0]);
    ASSERT_TRUE(image);
    // The second picture of the first category.
    EXPECT_TRUE(image->_file_path.contains(QStringLiteral("/LibraryImage/")));
    EXPECT_EQ(image->_file_path, lib_window_sel_file);
    EXPECT_EQ(main.Selected_Control_Tool(), 0);

    // Cancelled: nothing more is placed.
    otherModal = chooseInLibrary(-1);
    main.selectTool(SKTWindowController::ImageLibraryTool);
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 1u);
}

TEST_F(MainWindowTest, BackgroundCommandDressesTheShownSide)
{
    SKTWindowController& main = start();
    QString title;
    otherModal = chooseInLibrary(0, &title);
    main.Select_back_side();
    main.Card_Bckgrnd_Clicked();
    EXPECT_EQ(title, QStringLiteral("Background Image Library"));
    EXPECT_EQ(main.Back_card_Prop->Card_BG_Image_Path, lib_window_sel_file);
    EXPECT_EQ(main.Back_card_Prop->Card_fill_style, QStringLiteral("I"));
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image_Path.isEmpty());
    EXPECT_EQ(main.sett_tab->currentWidget(), main.inspector().card_bkgd_tab);

    otherModal = chooseInLibrary(-1);
    main.Select_front_side();
    main.Card_Image_Library_Btn();
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image_Path.isEmpty());
}

TEST_F(MainWindowTest, GalleryShowsTheShippedBackgroundsAndDressesTheFront)
{
    SKTWindowController& main = start();
    ASSERT_GE(main.imageBrowser->pictures()->rowCount(), 8);
    main.Select_back_side();
    main.imageBrowser->setCurrentIndex(main.imageBrowser->model()->index(2, 0));
    EXPECT_TRUE(main.Front_card_Prop->Card_BG_Image_Path.isEmpty()); // moving through the strip only looks
    QTest::keyClick(main.imageBrowser, Qt::Key_Return);
    const QString chosen = main.imageBrowser->pictures()->images()[2].path;
    EXPECT_EQ(main.imageBrowser->selected_image, chosen);
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, chosen);
    EXPECT_FALSE(main.Front_card_Prop->Card_BG_Image.isNull());
    EXPECT_TRUE(main.Back_card_Prop->Card_BG_Image_Path.isEmpty());
}

} // namespace
