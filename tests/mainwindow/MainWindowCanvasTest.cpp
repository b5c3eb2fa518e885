#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"
#include "model/LaidOutText.h"
#include "model/ModelHooks.h"
#include "support/Patience.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

#include <thread>

namespace {

void clickButton(SKTWindowController& main, const QString& name)
{
    auto* button = main.findChild<QToolButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    button->click();
}

// The widget a person would hit at the canvas point: the canvas must be shown and on top.
QWidget* widgetUnder(SKTWindowController& main, SKTGraphicView& canvas, const QPointF& cardPoint)
{
    const QPoint inWindow = canvas.mapTo(&main, canvas.widgetPointFromCard(cardPoint).toPoint());
    return main.childAt(inWindow);
}

void sendMouse(SKTGraphicView& canvas, QEvent::Type type, const QPointF& cardPoint, Qt::MouseButtons buttons)
{
    const QPointF at = canvas.widgetPointFromCard(cardPoint);
    QMouseEvent event(type, at, canvas.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &event);
}

struct PaintCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class MainWindowCanvasTest : public MainWindowTest
{
protected:
    SKTWindowController& startShown()
    {
        SKTWindowController& main = start();
        main.show();
        QApplication::processEvents();
        last_ctrl_X = last_ctrl_Y = 10.0f;
        return main;
    }
};

TEST_F(MainWindowCanvasTest, ToolButtonPlacesOnTheShownSideAndUndoTakesItAway)
{
    SKTWindowController& main = startShown();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    clickButton(main, QStringLiteral("Tool_3"));
    main.document().undoManager().checkpoint();
    ASSERT_EQ(front->graphics().size(), 1);
    const SKTGraphicPtr made = front->graphics().front();
    EXPECT_EQ(front->selectedGraphics(), SKTDocument::Graphics { made });
    EXPECT_EQ(made->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_EQ(main.Selected_Control_Tool(), SKTWindowController::ArrowTool);
    EXPECT_EQ(widgetUnder(main, *front, { 55, 55 }), front);

    front->undo(); // creation is one step
    EXPECT_TRUE(front->graphics().isEmpty());
    EXPECT_TRUE(front->selectedGraphics().isEmpty());
    front->redo();
    EXPECT_EQ(front->graphics(), SKTDocument::Graphics { made });

    // The back canvas takes the front's place and receives the next object.
    clickButton(main, QStringLiteral("Back_Side_btn"));
    SKTGraphicView* back = main.canvasOfSide(SKTDocument::Side::Back);
    ASSERT_EQ(main.currentCanvas(), back);
    EXPECT_TRUE(back->isVisible());
    EXPECT_FALSE(front->isVisible());
    clickButton(main, QStringLiteral("Tool_4"));
    ASSERT_EQ(back->graphics().size(), 1);
    EXPECT_EQ(back->selectedGraphic(), back->graphics().front());
    EXPECT_EQ(front->graphics().size(), 1);
    EXPECT_EQ(widgetUnder(main, *back, { 75, 75 }), back);
    main.Select_front_side();
}

TEST_F(MainWindowCanvasTest, MouseDragOnTheFrontCanvasMovesTheObject)
{
    SKTWindowController& main = startShown();
    clickButton(main, QStringLiteral("Tool_3"));
    main.document().undoManager().checkpoint();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    ASSERT_EQ(front->graphics().size(), 1);
    const SKTGraphicPtr shape = front->graphics().front();
    ASSERT_EQ(shape->bounds(), QRectF(30, 30, 50, 50));
    ASSERT_EQ(widgetUnder(main, *front, { 55, 55 }), front);

    sendMouse(*front, QEvent::MouseButtonPress, { 55, 55 }, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        sendMouse(*front, QEvent::MouseMove, QPointF(55, 55) + QPointF(20, 10) * (step / 4.0), Qt::LeftButton);
    sendMouse(*front, QEvent::MouseButtonRelease, { 75, 65 }, Qt::NoButton);
    main.document().undoManager().checkpoint();
    EXPECT_EQ(shape->bounds(), QRectF(50, 40, 50, 50));

    front->undo(); // the whole drag is one step
    EXPECT_EQ(shape->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_EQ(front->graphics().size(), 1);
}

// However the selection changes (a click, Select All, the rubber band, undo and redo, paste,
// delete, the program itself), Cut, Copy, Delete and Lock and the panel show it.
TEST_F(MainWindowCanvasTest, CommandsAndPanelFollowEveryChangeOfTheSelection)
{
    SKTWindowController& main = startShown();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    clickButton(main, QStringLiteral("Tool_3"));
    clickButton(main, QStringLiteral("Tool_4"));
    main.document().undoManager().checkpoint();
    ASSERT_EQ(front->graphics().size(), 2);
    const SKTGraphicPtr oval = front->graphics().at(0);
    const SKTGraphicPtr rect = front->graphics().at(1);
    oval->setBounds(QRectF(150, 80, 40, 30));
    rect->setBounds(QRectF(10, 10, 40, 30));
    const auto panelShows = [&](const SKTDocument::Graphics& selected) {
        EXPECT_EQ(front->selectedGraphics(), selected);
        EXPECT_EQ(main.inspector().showsCard(), selected.isEmpty());
        if (!selected.isEmpty())
            EXPECT_TRUE(selected.contains(main.inspector().lastSelectedGraphic()));
        for (const char* name : { "Cut_btn", "Copy_btn", "Delete_btn", "Lock_btn" })
            EXPECT_EQ(main.action(QString::fromLatin1(name))->isEnabled(), !selected.isEmpty()) << name;
    };
    const auto trigger = [&](const char* name) {
        main.action(QString::fromLatin1(name))->trigger();
        main.document().undoManager().checkpoint();
    };

    // A click on the empty card, then Select All.
    sendMouse(*front, QEvent::MouseButtonPress, { 100, 120 }, Qt::LeftButton);
    sendMouse(*front, QEvent::MouseButtonRelease, { 100, 120 }, Qt::NoButton);
    panelShows({});
    trigger("SelectAll_btn");
    panelShows({ oval, rect });

    // The rubber band round the oval.
    sendMouse(*front, QEvent::MouseButtonPress, { 140, 70 }, Qt::LeftButton);
    sendMouse(*front, QEvent::MouseMove, { 200, 120 }, Qt::LeftButton);
    sendMouse(*front, QEvent::MouseButtonRelease, { 200, 120 }, Qt::NoButton);
    panelShows({ oval });

    // Delete, undo and redo.
    trigger("SelectAll_btn");
    trigger("Delete_btn");
    panelShows({});
    trigger("Undo_btn");
    panelShows({ oval, rect });
    trigger("Redo_btn");
    panelShows({});
    trigger("Undo_btn");

    // Paste selects what it pasted.
    front->changeSelectionIndexes({ 1 });
    panelShows({ rect });
    trigger("Copy_btn");
    front->deselectAll();
    trigger("Paste_btn");
    ASSERT_EQ(front->graphics().size(), 3);
    panelShows({ front->graphics().front() });
}

TEST_F(MainWindowCanvasTest, CardSizeAndTheZoomChosenOnOneSideReachAllThree)
{
    SKTWindowController& main = start();
    main.SetDocumentCanvasSize(QSizeF(100.5, 40));
    const auto scrolls = main.findChildren<SKTZoomingScrollView*>();
    ASSERT_EQ(scrolls.size(), 3);
    QComboBox* popUp = scrolls[1]->factorPopUpButton();
    const int twice = popUp->findData(2.0);
    ASSERT_GE(twice, 0);
    popUp->setCurrentIndex(twice);
    emit popUp->activated(twice);
    EXPECT_EQ(main._zoomFactor, 2.0);
    for (auto side : { SKTDocument::Side::Front, SKTDocument::Side::Back, SKTDocument::Side::Temp }) {
        const SKTGraphicView* canvas = main.canvasOfSide(side);
        EXPECT_EQ(canvas->cardSize(), QSizeF(100.5, 40));
        EXPECT_EQ(canvas->size(), QSize(201, 80));
    }
    for (SKTZoomingScrollView* scroll : scrolls)
        EXPECT_EQ(scroll->factorPopUpButton()->currentIndex(), twice);
}

TEST_F(MainWindowCanvasTest, RedrawRequestsFromAWorkerRepaintTheShownSide)
{
    SKTWindowController& main = startShown();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    PaintCounter painted;
    front->installEventFilter(&painted);
    QApplication::processEvents();
    painted.count = 0;

    std::thread worker([] { ModelHooks::Refresh_Canvas(); });
    worker.join();
    EXPECT_EQ(painted.count, 0); // nothing happens off the GUI thread
    EXPECT_TRUE(patience::eventually([&] { return painted.count > 0; }));
}

TEST_F(MainWindowCanvasTest, TheBackSideUndoesItsOwnMovesPixelExactAndLeavesTheFrontAlone)
{
    SKTWindowController& main = startShown();
    clickButton(main, QStringLiteral("Tool_3"));
    clickButton(main, QStringLiteral("Back_Side_btn"));
    // Nothing done on the back yet: Undo has nothing there and leaves the front's object.
    EXPECT_FALSE(main.action(QStringLiteral("Undo_btn"))->isEnabled());
    main.Undo_Clicked();
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);

    clickButton(main, QStringLiteral("Tool_4"));
    main.document().undoManager(SKTDocument::Side::Back).checkpoint();
    SKTGraphicView* back = main.canvasOfSide(SKTDocument::Side::Back);
    ASSERT_EQ(back->graphics().size(), 1);
    const SKTGraphicPtr ellipse = back->graphics().front();
    const QRectF placed = ellipse->bounds();
    main.Show_RHS_Properties(nullptr); // no selection handles in the pictures
    QApplication::processEvents();
    const QImage before = back->grab().toImage();

    const QPointF from = placed.center();
    sendMouse(*back, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        sendMouse(*back, QEvent::MouseMove, from + QPointF(24, 12) * (step / 4.0), Qt::LeftButton);
    sendMouse(*back, QEvent::MouseButtonRelease, from + QPointF(24, 12), Qt::NoButton);
    main.document().undoManager(SKTDocument::Side::Back).checkpoint();
    ASSERT_EQ(ellipse->bounds(), placed.translated(24, 12));
    main.Show_RHS_Properties(nullptr);
    QApplication::processEvents();
    const QImage moved = back->grab().toImage();
    ASSERT_NE(moved, before);
    EXPECT_TRUE(main.action(QStringLiteral("Undo_btn"))->isEnabled());

    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_EQ(ellipse->bounds(), placed);
    main.Show_RHS_Properties(nullptr);
    QApplication::processEvents();
    EXPECT_EQ(back->grab().toImage(), before);
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);

    main.action(QStringLiteral("Redo_btn"))->trigger();
    EXPECT_EQ(ellipse->bounds(), placed.translated(24, 12));
    main.Show_RHS_Properties(nullptr);
    QApplication::processEvents();
    EXPECT_EQ(back->grab().toImage(), moved);

    // Removal and insertion on the back are steps of the back, too.
    main.action(QStringLiteral("Undo_btn"))->trigger();
    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_TRUE(back->graphics().isEmpty());
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);

    // The front's history applies when the front shows.
    clickButton(main, QStringLiteral("Front_Side_btn"));
    EXPECT_TRUE(main.action(QStringLiteral("Undo_btn"))->isEnabled());
    main.action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);
    EXPECT_FALSE(main.isWindowModified());
}

TEST_F(MainWindowCanvasTest, AnArrowKeyNudgeMarksTheDesignModifiedOnEitherSide)
{
    SKTWindowController& main = startShown();
    for (const char* side : { "Front_Side_btn", "Back_Side_btn" }) {
        clickButton(main, QString::fromLatin1(side));
        clickButton(main, QStringLiteral("Tool_3"));
        dialogs->fileAnswers = { folder.filePath(QStringLiteral("nudged.dcard")) };
        main.SaveAs_Btn_Clicked();
        ASSERT_FALSE(main.isWindowModified()) << side;
        SKTGraphicView* canvas = main.currentCanvas();
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Right);
        EXPECT_TRUE(main.isWindowModified()) << side;
        QApplication::processEvents(); // the nudge's step ends with the event-loop turn
        main.action(QStringLiteral("Undo_btn"))->trigger();
        EXPECT_FALSE(main.isWindowModified()) << side;
        main.Delete_Clicked();
    }
}

TEST_F(MainWindowCanvasTest, TypingAfterPlacingOrDoubleClickingATextGoesIntoIt)
{
    SKTWindowController& main = startShown();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    clickButton(main, QStringLiteral("Tool_2"));
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    ASSERT_EQ(front->graphics().size(), 1);
    const SKTGraphicPtr text = front->graphics().front();
    // The new box holds its words whole, on one line.
    const LaidOutText shown(text->Text_Value, *text->text_ctrl_font, 0.0, text->bounds().width(),
        Qt::AlignLeft | Qt::AlignAbsolute);
    EXPECT_LE(shown.height(), text->bounds().height());
    EXPECT_LT(text->bounds().height(), 2 * QFontMetricsF(*text->text_ctrl_font).height());

    QWidget* typingInto = QApplication::focusWidget();
    ASSERT_NE(typingInto, nullptr);
    QTest::keyClicks(typingInto, QStringLiteral("Welcome"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome"));

    // Elsewhere first, then a double click on the text.
    front->setFocus();
    main.Show_RHS_Properties(nullptr);
    const QPointF inside = front->widgetPointFromCard(text->bounds().center());
    // A person's double click: a click, then the double click (QTest sends only the latter).
    QTest::mouseClick(front, Qt::LeftButton, {}, inside.toPoint());
    QTest::mouseDClick(front, Qt::LeftButton, {}, inside.toPoint());
    typingInto = QApplication::focusWidget();
    ASSERT_NE(typingInto, front);
    QTest::keyClicks(typingInto, QStringLiteral("Hello"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Hello"));
}

TEST_F(MainWindowCanvasTest, TheCardsShapeBorderAndPictureHoldWhateverPartIsRedrawn)
{
    SKTWindowController& main = startShown();
    SKTGraphicView* canvas = main.currentCanvas();
    canvas->setZoomFactor(1.0);
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    main.Front_card_Prop->Card_fill_chk = true;
    main.Front_card_Prop->Card_fill_style = QStringLiteral("I");
    main.Front_card_Prop->Card_BG_Image = picture;
    main.Front_card_Prop->Card_BG_Image_Layout = QStringLiteral("Stretch");
    main.Front_card_Prop->Card_alpha_Stepper = 1.0f;
    main.Front_card_Prop->Card_border_chk = true;
    main.Front_card_Prop->Card_bordr_clr = QColor(Qt::black);
    main.Front_card_Prop->Card_bor_Stepper = 4;
    Card_Shape = 2;
    const QSizeF card = canvas->cardSize();

    // The whole card: no picture off the ellipse.
    QImage whole(canvas->size(), QImage::Format_RGB32);
    whole.fill(Qt::gray);
    canvas->render(&whole);
    EXPECT_NE(whole.pixelColor(2, 2), QColor(Qt::red)) << "the picture covers the card's corner";
    EXPECT_EQ(whole.pixelColor(QPointF(card.width() / 2, card.height() / 2).toPoint()), QColor(Qt::red));

    // A small part redrawn in the middle shows the picture alone: no outline of its own.
    QImage part(canvas->size(), QImage::Format_RGB32);
    part.fill(Qt::gray);
    const QRect middle(int(card.width() / 2) - 20, int(card.height() / 2) - 20, 40, 40);
    canvas->render(&part, middle.topLeft(), QRegion(middle));
    int notPicture = 0;
    for (int y = 0; y < middle.height(); ++y)
        for (int x = 0; x < middle.width(); ++x)
            notPicture += part.pixelColor(middle.left() + x, middle.top() + y) != QColor(Qt::red);
    EXPECT_EQ(notPicture, 0);
}
