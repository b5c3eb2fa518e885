#include "MainWindowFixture.h"

#include "common/Globals.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/PropertiesInspector.h"
#include "library/BackgroundGallery.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "model/SKTImage.h"

#include <QAction>
#include <QApplication>
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

// Every way the strip applies a picture is one undo step of the front that marks the design
// changed; the clicks of a double-click are not steps of their own.
TEST_F(MainWindowTest, StripChangesAreUndoStepsThatMarkTheDesignChanged)
{
    SKTWindowController& main = start();
    main.show();
    QApplication::processEvents();
    BackgroundGallery& strip = *main.imageBrowser;
    ASSERT_GE(strip.pictures()->rowCount(), 4);
    const auto pathAt = [&](int row) { return strip.pictures()->images()[row].path; };
    const auto centreOf = [&](int row) { return strip.visualRect(strip.model()->index(row, 0)).center(); };
    const auto undoSteps = [&] {
        int steps = 0;
        for (UndoManager& undo = main.document().undoManager(); undo.canUndo(); undo.undo())
            ++steps;
        return steps;
    };
    Card_Property& front = *main.Front_card_Prop;
    const bool fillBefore = front.Card_fill_chk;
    const QString styleBefore = front.Card_fill_style;
    ASSERT_FALSE(main.isWindowModified());

    strip.scrollTo(strip.model()->index(1, 0));
    QTest::mouseClick(strip.viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(1));
    EXPECT_TRUE(main.isWindowModified());
    EXPECT_TRUE(main.action(QStringLiteral("Undo_btn"))->isEnabled());
    EXPECT_EQ(main.action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Card Background"));

    strip.setCurrentIndex(strip.model()->index(2, 0));
    QTest::keyClick(&strip, Qt::Key_Return);
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(2));

    // Chosen while the back is shown: the front comes forward with its new picture.
    main.Select_back_side();
    strip.scrollTo(strip.model()->index(3, 0));
    // A double-click: the first click's press and release, then the second press.
    QTest::mouseClick(strip.viewport(), Qt::LeftButton, {}, centreOf(3));
    QTest::mouseDClick(strip.viewport(), Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(main.currentCanvas(), main.canvasOfSide(SKTDocument::Side::Front));
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(3));
    EXPECT_TRUE(main.Back_card_Prop->Card_BG_Image_Path.isEmpty());

    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(2));
    EXPECT_EQ(main.inspector().card_bkgd_tab->Card_Image_path->text(), pathAt(2));
    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(1));
    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_TRUE(front.Card_BG_Image_Path.isEmpty());
    EXPECT_TRUE(front.Card_BG_Image.isNull());
    EXPECT_EQ(front.Card_fill_chk, fillBefore);
    EXPECT_EQ(front.Card_fill_style, styleBefore);
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_FALSE(main.action(QStringLiteral("Undo_btn"))->isEnabled());

    main.action(QStringLiteral("Redo_btn"))->trigger();
    EXPECT_EQ(front.Card_BG_Image_Path, pathAt(1));
    EXPECT_FALSE(front.Card_BG_Image.isNull());
    EXPECT_TRUE(main.isWindowModified());
    EXPECT_EQ(undoSteps(), 1);
}

// A strip change is a change New must ask about: Cancel keeps the picture.
TEST_F(MainWindowTest, NewAsksBeforeDroppingAStripChange)
{
    SKTWindowController& main = start();
    BackgroundGallery& strip = *main.imageBrowser;
    strip.setCurrentIndex(strip.model()->index(0, 0));
    QTest::keyClick(&strip, Qt::Key_Enter);
    const QString chosen = strip.pictures()->images()[0].path;
    ASSERT_EQ(main.Front_card_Prop->Card_BG_Image_Path, chosen);
    const size_t askedBefore = dialogs->asked().size();
    dialogs->choiceAnswers = { 2 }; // Cancel
    main.action(QStringLiteral("New_Btn"))->trigger();
    ASSERT_EQ(dialogs->asked().size(), askedBefore + 1);
    EXPECT_EQ(dialogs->asked().back().kind, QStringLiteral("choice"));
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, chosen);
}

} // namespace
