// What the person designing sees: every edit shows on the side shown, objects stay findable,
// the selection clears, keys reach the object, and the text editor and card-size chooser tell
// the truth about the object and the card.
#include "ObjectPagesFixture.h"

#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SWCenteringClipView.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/DataSourcePage.h"
#include "inspector/TextEditingPage.h"
#include "library/BackgroundGallery.h"
#include "library/PictureBrowserModel.h"
#include "model/CardGlobals.h"
#include "model/LaidOutText.h"
#include "platform/StyledText.h"
#include "render/SKTRenderingView.h"
#include "wizards/CardSizeFields.h"
#include "wizards/Card_Wizard.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

void clickButton(SKTWindowController& main, const QString& name)
{
    auto* button = main.findChild<QToolButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
}

// Pixels of the image inside the rectangle that are not white.
int markedPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white))
                ++count;
        }
    }
    return count;
}

QRect onScreen(const SKTGraphicView& canvas, const QRectF& cardRect)
{
    const double f = canvas.zoomFactor();
    return QRectF(cardRect.topLeft() * f, cardRect.size() * f).toAlignedRect();
}

} // namespace

class DesignSessionTest : public ObjectPagesTest
{
protected:
    SKTWindowController& startActive()
    {
        SKTWindowController& main = startShown();
        QApplication::setActiveWindow(&main);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        last_ctrl_X = last_ctrl_Y = 10.0f;
        return main;
    }

    QWidget* typingInto() { return QApplication::focusWidget(); }
};

TEST_F(DesignSessionTest, TheScratchSideShowsAndEditsTheSideBeingDesigned)
{
    SKTWindowController& main = startActive();
    SKTGraphicView* scratch = main.canvasOfSide(SKTDocument::Side::Temp);
    clickButton(main, QStringLiteral("Temp_Side_btn"));
    ASSERT_TRUE(scratch->isVisible());
    const QImage before = scratch->grab().toImage();

    clickButton(main, QStringLiteral("Tool_3"));
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 1);
    const SKTGraphicPtr rectangle = main.Get_Front_Controls_Array().front();
    // The same object, live, in the scratch list and on the scratch canvas.
    EXPECT_EQ(main.Get_Temp_Controls_Array(), main.Get_Front_Controls_Array());
    EXPECT_EQ(scratch->selectedGraphic(), rectangle);
    QApplication::processEvents();
    const QRect drawn = onScreen(*scratch, rectangle->bounds());
    EXPECT_EQ(markedPixels(before, drawn), 0);
    EXPECT_GT(markedPixels(scratch->grab().toImage(), drawn), 0);

    // Commands act on what is selected there; undo is the front's.
    clickButton(main, QStringLiteral("Tool_4"));
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 2);
    main.Select_All_Clicked();
    EXPECT_EQ(scratch->selectedGraphics().size(), 2);
    main.Delete_Clicked();
    EXPECT_TRUE(main.Get_Front_Controls_Array().isEmpty());
    EXPECT_TRUE(main.Get_Temp_Controls_Array().isEmpty());
    main.document().undoManager().checkpoint();
    main.Undo_Clicked();
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 2);
    EXPECT_EQ(main.Get_Temp_Controls_Array(), main.Get_Front_Controls_Array());

    // What was made there is saved with the front.
    const QString path = folder.filePath(QStringLiteral("scratch.dcard"));
    dialogs->fileAnswers = { path };
    main.SaveAs_Btn_Clicked();
    main.Select_front_side();
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 2);
    EXPECT_TRUE(main.Get_Back_Controls_Array().isEmpty());
}

TEST_F(DesignSessionTest, AnEmptiedTextIsOutlinedOnTheCanvasAndLeftOutOfTheExport)
{
    SKTWindowController& main = startActive();
    clickButton(main, QStringLiteral("Tool_2"));
    SKTGraphicView* front = main.currentCanvas();
    const SKTGraphicPtr text = front->selectedGraphic();
    ASSERT_TRUE(text);
    // The editor has the focus with the new text selected: Delete empties it.
    QTest::keyClick(typingInto(), Qt::Key_Delete);
    ASSERT_TRUE(text->Text_contents()->string.isEmpty());
    ASSERT_TRUE(text->drawsNothing());

    main.Show_RHS_Properties(nullptr);
    front->deselectAll();
    QApplication::processEvents();
    const QImage canvas = front->grab().toImage();
    const QRect box = onScreen(*front, text->bounds());
    const QRect leftEdge(box.left(), box.top(), 2, box.height());
    EXPECT_GT(markedPixels(canvas, leftEdge), box.height() / 4);

    // Found and selected by a click on it, so it can be deleted.
    QTest::mouseClick(front, Qt::LeftButton, {}, box.center());
    EXPECT_EQ(front->selectedGraphic(), text);

    const QImage exported
        = SKTRenderingView::image_From_Card_Graphics({ text }, false, CardSideBase {}).toImage(72, Qt::white);
    const QImage empty = SKTRenderingView::image_From_Card_Graphics({}, false, CardSideBase {}).toImage(72, Qt::white);
    EXPECT_EQ(exported, empty);
}

TEST_F(DesignSessionTest, EscapeAClickBesideTheCardOrAClickAfterSelectAllClearTheSelection)
{
    SKTWindowController& main = startActive();
    const SKTGraphicPtr first = place(3);
    const SKTGraphicPtr second = place(4);
    SKTGraphicView* front = main.currentCanvas();

    // After Select All a click on one object picks it alone; a drag would move them all.
    main.Select_All_Clicked();
    // A point of the first that the second, placed over it, leaves free.
    const QPointF firstAlone = first->bounds().topLeft() + QPointF(5, 5);
    ASSERT_FALSE(second->drawingBounds().contains(firstAlone));
    QTest::mouseClick(front, Qt::LeftButton, {}, front->widgetPointFromCard(firstAlone).toPoint());
    EXPECT_EQ(front->selectedGraphics(), SKTDocument::Graphics { first });

    main.Select_All_Clicked();
    QTest::keyClick(front, Qt::Key_Escape);
    EXPECT_TRUE(front->selectedGraphics().isEmpty());
    EXPECT_EQ(main.currentGraphic(), nullptr);

    main.Select_All_Clicked();
    auto* scroll = qobject_cast<SKTZoomingScrollView*>(front->parentWidget()->parentWidget());
    ASSERT_NE(scroll, nullptr);
    QWidget* backdrop = scroll->viewport();
    const QPoint beside(3, 3);
    ASSERT_FALSE(front->geometry().contains(beside));
    QTest::mouseClick(backdrop, Qt::LeftButton, {}, beside);
    EXPECT_TRUE(front->selectedGraphics().isEmpty());
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 2);
}

TEST_F(DesignSessionTest, ArrowKeysAfterAToolClickMoveTheObjectAndLeaveTheBackground)
{
    SKTWindowController& main = startActive();
    BackgroundGallery& gallery = *main.imageBrowser;
    ASSERT_GE(gallery.pictures()->rowCount(), 3);
    gallery.setFocus();
    gallery.setCurrentIndex(gallery.model()->index(0, 0));
    const QString backgroundBefore = main.Front_card_Prop->Card_BG_Image_Path;

    // Moving through the strip only looks.
    QTest::keyClick(&gallery, Qt::Key_Right);
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, backgroundBefore);

    clickButton(main, QStringLiteral("Tool_10"));
    const SKTGraphicPtr barcode = main.currentCanvas()->selectedGraphic();
    ASSERT_TRUE(barcode);
    const QPointF placedAt = barcode->bounds().topLeft();
    for (int press = 0; press < 3; ++press)
        QTest::keyClick(typingInto(), Qt::Key_Right);
    EXPECT_EQ(barcode->bounds().topLeft(), placedAt + QPointF(3, 0));
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, backgroundBefore);

    // Enter on a picture applies it.
    gallery.setFocus();
    QTest::keyClick(&gallery, Qt::Key_Return);
    const QString current = gallery.currentIndex().data(PictureBrowserModel::PathRole).toString();
    EXPECT_FALSE(current.isEmpty());
    EXPECT_EQ(main.Front_card_Prop->Card_BG_Image_Path, current);
}

TEST_F(DesignSessionTest, ANewTextGrowsAsItIsTypedUpToTheCardUntilItIsSized)
{
    SKTWindowController& main = startActive();
    clickButton(main, QStringLiteral("Tool_2"));
    const SKTGraphicPtr text = main.currentCanvas()->selectedGraphic();
    ASSERT_TRUE(text);
    const QRectF placed = text->bounds();
    QTest::keyClicks(typingInto(), QStringLiteral("Hello World Badge"));
    ASSERT_EQ(text->Text_contents()->string, QStringLiteral("Hello World Badge"));
    const QFont font = *text->text_ctrl_font;
    const LaidOutText oneLine(QStringLiteral("Hello World Badge"), font, 0.0, 1.0e6, Qt::AlignLeft | Qt::AlignAbsolute);
    EXPECT_GE(text->bounds().width(), oneLine.usedWidth());
    EXPECT_EQ(text->bounds().topLeft(), placed.topLeft());
    EXPECT_EQ(text->bounds().height(), placed.height());

    // Longer than the card is wide: it wraps within the card and grows downwards.
    const double cardWidth = main.frontCanvasBounds().width();
    QTest::keyClicks(typingInto(), QStringLiteral(" of the Annual Regional Conference of Card Designers"));
    EXPECT_LE(text->bounds().right(), cardWidth);
    EXPECT_GT(text->bounds().height(), placed.height());
    const LaidOutText wrapped(
        text->Text_contents()->string, font, 0.0, text->bounds().width(), Qt::AlignLeft | Qt::AlignAbsolute);
    EXPECT_LE(wrapped.height(), text->bounds().height());

    // Sized by the user, it keeps that size.
    const QRectF sized(text->bounds().topLeft(), QSizeF(60, 40));
    text->setBounds(sized);
    QTest::keyClicks(typingInto(), QStringLiteral(" and friends"));
    EXPECT_EQ(text->bounds(), sized);
}

TEST_F(DesignSessionTest, TheTextEditorStopsAtTwoHundredFiftyCharactersAndSaysSo)
{
    SKTWindowController& main = startActive();
    clickButton(main, QStringLiteral("Tool_2"));
    const SKTGraphicPtr text = main.currentCanvas()->selectedGraphic();
    TextEditingPage& page = *main.inspector().text_edtng_tab;
    QPlainTextEdit& editor = *page.Text_value_Edit;

    editor.insertPlainText(QString(10050, QLatin1Char('a')));
    EXPECT_EQ(text->Text_contents()->string, QString(250, QLatin1Char('a')));
    EXPECT_EQ(page.textLengthLabel->text(), QStringLiteral("250 / 250"));
    QTest::keyClicks(&editor, QStringLiteral("b"));
    EXPECT_EQ(text->Text_contents()->string, QString(250, QLatin1Char('a')));

    // Typed or pasted in the middle: what goes past the limit is cut from the insert, and
    // the text around it stays.
    editor.setPlainText(QString(248, QLatin1Char('a')));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(10);
    editor.setTextCursor(cursor);
    editor.insertPlainText(QStringLiteral("xyz"));
    const QString expected = QString(10, QLatin1Char('a')) + QStringLiteral("xy") + QString(238, QLatin1Char('a'));
    EXPECT_EQ(text->Text_contents()->string, expected);
    EXPECT_EQ(editor.textCursor().position(), 12);

    editor.setPlainText(QStringLiteral("Name"));
    EXPECT_EQ(page.textLengthLabel->text(), QStringLiteral("4 / 250"));
}

TEST_F(DesignSessionTest, ManualAfterASeriesBindingGivesTheTypedTextBackAlsoAfterReopening)
{
    SKTWindowController& main = startActive();
    const QString savedDataFolder = Data_Folder_Path;
    Data_Folder_Path = folder.filePath(QStringLiteral("DataSet"));
    writeSeries(QStringLiteral("Guests"), "Ann Smith\nBob Jones\n");
    clickButton(main, QStringLiteral("Tool_2"));
    SKTGraphicPtr text = main.currentCanvas()->selectedGraphic();
    QTest::keyClicks(typingInto(), QStringLiteral("Welcome"));
    DataSourcePage& source = *inspector().datasource_tab;
    TextEditingPage& words = *inspector().text_edtng_tab;

    const auto bindToGuests = [&] {
        choose(source.Data_source_type, 1);
        choose(source.Batch_Series, source.Batch_Series->findText(QStringLiteral("Guests")));
        EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann Smith"));
        EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome"));
    };
    bindToGuests();
    choose(source.Data_source_type, 0);
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome"));
    EXPECT_EQ(words.Text_value_Edit->toPlainText(), QStringLiteral("Welcome"));

    bindToGuests();
    const QString path = folder.filePath(QStringLiteral("bound.dcard"));
    dialogs->fileAnswers = { path };
    main.SaveAs_Btn_Clicked();
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 1);
    text = main.Get_Front_Controls_Array().front();
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann Smith"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome")) << "the file keeps what was typed";
    main.currentCanvas()->changeSelectionIndexes({ 0 });
    main.currentCanvas()->setSelectedGraphic(text);
    main.Show_RHS_Properties(text);
    choose(source.Data_source_type, 0);
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome"));
    Data_Folder_Path = savedDataFolder;
}

TEST_F(DesignSessionTest, ChooseSizeOpensAtTheCardsOwnCategoryPresetAndOrientation)
{
    wizardAnswers = { WizardAnswer { true, QStringLiteral("Name Badge"), 2, true } };
    SKTWindowController& main = startShown();
    const CardSettingsPage& page = *main.inspector().card_setting_tab;
    ASSERT_EQ(page.Category_ComboBox->currentText(), QStringLiteral("Name Badge"));
    ASSERT_EQ(page.Preset_ComboBox->currentText(), QStringLiteral("Vertical"));
    const QSizeF cardSize = main.cardSizeInControl();

    QString category, orientation;
    int presetRow = -2;
    QSizeF shown;
    otherModal = [&](QDialog& dialog) {
        auto* chooser = qobject_cast<Card_Wizard*>(&dialog);
        if (!chooser)
            return 0;
        const CardSizeFields& fields = *chooser->fields;
        category = fields.Category_ComboBox->currentText();
        orientation = fields.Preset_ComboBox->currentText();
        const QList<QListWidgetItem*> selected = fields.ColList->selectedItems();
        presetRow = selected.isEmpty() ? -1 : fields.ColList->row(selected.first());
        shown = QSizeF(fields.width_Stepper->value(), fields.height_Stepper->value());
        chooser->CancelClick();
        return 0;
    };
    main.Open_Card_Size_Chooser();
    EXPECT_EQ(category, QStringLiteral("Name Badge"));
    EXPECT_EQ(orientation, QStringLiteral("Vertical"));
    EXPECT_EQ(presetRow, 2);
    EXPECT_NEAR(shown.width(), cardSize.width(), 0.001);
    EXPECT_NEAR(shown.height(), cardSize.height(), 0.001);
}

TEST_F(DesignSessionTest, ZoomedInTheCardHasNoFrameAroundTheVisiblePart)
{
    SKTWindowController& main = startShown();
    main.Front_card_Prop->Card_border_chk = true;
    main.Front_card_Prop->Card_bordr_clr = Qt::black;
    main.Front_card_Prop->Card_bor_Stepper = 2;
    SKTGraphicView* front = main.currentCanvas();
    auto* scroll = qobject_cast<SKTZoomingScrollView*>(front->parentWidget()->parentWidget());
    ASSERT_NE(scroll, nullptr);
    for (double factor : { 8.0, 16.0 }) {
        main.setZoomFactor(factor);
        for (QScrollBar* bar : { scroll->horizontalScrollBar(), scroll->verticalScrollBar() })
            bar->setValue((bar->minimum() + bar->maximum()) / 2);
        QApplication::processEvents();
        const QImage view = scroll->viewport()->grab().toImage();
        // The middle of a blank card: nothing but white, out to the view's edges.
        EXPECT_EQ(markedPixels(view, view.rect()), 0) << factor;
    }
}
