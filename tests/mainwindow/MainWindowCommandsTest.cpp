#include "MainWindowFixture.h"

#include "canvas/CardRuler.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "widgets/ColorWell.h"
#include "dialogs/Grid_Wizard.h"
#include "model/CardGlobals.h"
#include "model/SKTGraphicPasteboard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

namespace {

SKTGraphicPtr place(SKTWindowController& main, int tool)
{
    main.action(QStringLiteral("Tool_%1").arg(tool))->trigger();
    return main.currentCanvas()->selectedGraphic();
}

QList<QAction*> menuActions(QMenuBar* bar)
{
    QList<QAction*> all;
    for (QAction* top : bar->actions())
        for (QAction* item : top->menu()->actions())
            if (!item->isSeparator())
                all.append(item);
    return all;
}

} // namespace

TEST_F(MainWindowTest, MenusAndButtonsShareOneCommandWithItsShortcut)
{
    SKTWindowController& main = start();
    const QList<QAction*> items = menuActions(main.menuBar());
    ASSERT_GT(items.size(), 50);
    for (QAction* item : items) {
        EXPECT_EQ(main.action(item->objectName()), item) << item->text().toStdString();
        EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
        EXPECT_FALSE(item->toolTip().isEmpty()) << item->text().toStdString();
    }
    // Every tool button runs the same command as its menu item.
    for (QToolBar* bar : main.findChildren<QToolBar*>()) {
        for (QAction* command : bar->actions()) {
            if (!command->isSeparator() && !qobject_cast<QWidgetAction*>(command)) {
                EXPECT_TRUE(items.contains(command)) << command->objectName().toStdString();
            }
        }
    }

    const std::pair<const char*, QKeySequence::StandardKey> standard[] = {
        { "New_Btn", QKeySequence::New },
        { "Open_Btn", QKeySequence::Open },
        { "Save_Btn", QKeySequence::Save },
        { "SaveAs_Btn", QKeySequence::SaveAs },
        { "Print_Btn", QKeySequence::Print },
        { "Undo_btn", QKeySequence::Undo },
        { "Redo_btn", QKeySequence::Redo },
        { "Cut_btn", QKeySequence::Cut },
        { "Copy_btn", QKeySequence::Copy },
        { "Paste_btn", QKeySequence::Paste },
        { "Delete_btn", QKeySequence::Delete },
        { "SelectAll_btn", QKeySequence::SelectAll },
        { "Exit_Btn", QKeySequence::Quit },
        { "Zoom_In", QKeySequence::ZoomIn },
        { "Zoom_Out", QKeySequence::ZoomOut },
    };
    for (const auto& [name, key] : standard)
        EXPECT_EQ(main.action(QString::fromLatin1(name))->shortcut(), QKeySequence(key)) << name;
}

TEST_F(MainWindowTest, ShortcutsReachTheirCommands)
{
    SKTWindowController& main = start();
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    place(main, 3);
    main.currentCanvas()->setFocus();
    ASSERT_EQ(main.Get_Front_Control_Count(), 1);

    QTest::keySequence(&main, QKeySequence(QKeySequence::Copy));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(SKTGraphicViewPasteboardType));
    QTest::keySequence(&main, QKeySequence(QKeySequence::Paste));
    EXPECT_EQ(main.Get_Front_Control_Count(), 2);
    QTest::keySequence(&main, QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
    QTest::keySequence(&main, QKeySequence(QKeySequence::Redo));
    EXPECT_EQ(main.Get_Front_Control_Count(), 2);
    QTest::keySequence(&main, QKeySequence(QKeySequence::SelectAll));
    EXPECT_EQ(main.currentCanvas()->selectedGraphics().size(), 2);
    QTest::keySequence(&main, QKeySequence(QKeySequence::ZoomIn));
    EXPECT_DOUBLE_EQ(main._zoomFactor, 1.25);
    QTest::keySequence(&main, QKeySequence(QKeySequence::ZoomOut));
    EXPECT_DOUBLE_EQ(main._zoomFactor, 1.0);
    QTest::keySequence(&main, QKeySequence(QKeySequence::Delete));
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);
}

TEST_F(MainWindowTest, PasteFollowsTheClipboardsFormats)
{
    SKTWindowController& main = start();
    QAction* paste = main.action(QStringLiteral("Paste_btn"));
    place(main, 3);
    main.Copy_Clicked();
    main.Show_RHS_Properties(nullptr);
    EXPECT_TRUE(paste->isEnabled());

    auto* names = new QMimeData;
    names->setUrls({ QUrl::fromLocalFile(QStringLiteral("/tmp/picture.png")) });
    QGuiApplication::clipboard()->setMimeData(names); // another program copies file names
    EXPECT_FALSE(paste->isEnabled());
    main.Set_Paste_Button_Status();
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(MainWindowTest, SameSizeNaturalSizeAndAlignToGridAreOnOnlyWhenTheyCanAct)
{
    SKTWindowController& main = start();
    QAction* sameWidth = main.action(QStringLiteral("Make_Same_Width"));
    QAction* sameHeight = main.action(QStringLiteral("Make_Same_Height"));
    QAction* natural = main.action(QStringLiteral("Make_Natural"));
    QAction* toGrid = main.action(QStringLiteral("Align_To_Grid"));
    const auto enabled = [&] {
        return std::vector<bool> { sameWidth->isEnabled(), sameHeight->isEnabled(), natural->isEnabled(),
            toGrid->isEnabled() };
    };
    EXPECT_EQ(enabled(), std::vector<bool>({ false, false, false, false }));

    const SKTGraphicPtr shape = place(main, 3);
    shape->setBounds(QRectF(13, 14, 50, 30)); // behind the commands' back: they learn it with the next selection
    main.currentCanvas()->deselectAll();
    main.currentCanvas()->selectAll();
    EXPECT_EQ(enabled(), std::vector<bool>({ false, false, true, false }));
    // Asked for anyway, they say what they need and change nothing.
    main.layoutCommand(SKTWindowController::Layout::SameWidth);
    main.layoutCommand(SKTWindowController::Layout::ToGrid);
    EXPECT_EQ(dialogs->messages(),
        std::vector<QString>({ QStringLiteral("\nPlease select more than one control."),
            QStringLiteral("\nPlease use grid option first.") }));
    EXPECT_EQ(shape->bounds(), QRectF(13, 14, 50, 30));

    // Moving the spacing shows the grid; aligning then works.
    main.Grid_Slider_Changed(20.0);
    EXPECT_TRUE(toGrid->isEnabled());
    toGrid->trigger();
    EXPECT_EQ(shape->bounds().topLeft(), QPointF(20, 20));

    const SKTGraphicPtr other = place(main, 4);
    other->setBounds(QRectF(100, 100, 30, 70));
    main.currentCanvas()->selectAll();
    EXPECT_TRUE(sameWidth->isEnabled());
    EXPECT_TRUE(sameHeight->isEnabled());
    sameWidth->trigger();
    EXPECT_EQ(shape->bounds().width(), other->bounds().width());

    // A line has no natural size; the card shown leaves nothing to arrange.
    place(main, 1);
    EXPECT_FALSE(natural->isEnabled());
    EXPECT_FALSE(sameWidth->isEnabled());
    main.Show_RHS_Properties(nullptr);
    EXPECT_EQ(enabled(), std::vector<bool>({ false, false, false, false }));
    main.Grid_Show_Hide_Changed(false);
    main.currentCanvas()->selectAll();
    EXPECT_FALSE(toGrid->isEnabled());
}

TEST_F(MainWindowTest, TheGridWindowAppliesEachChangeAtOnce)
{
    SKTWindowController& main = start();
    otherModal = [&main](QDialog& dialog) {
        auto* grid = qobject_cast<Grid_Wizard*>(&dialog);
        if (!grid)
            return 0;
        grid->Grid_Space_slidr->setValue(27); // the user drags the slider
        EXPECT_TRUE(main.grid()->isAlwaysShown());
        EXPECT_EQ(main.grid()->spacing(), 27.0);
        grid->Grid_clr->chooseColor(Qt::magenta);
        grid->Show_hide_grid_chk->click();
        EXPECT_FALSE(main.grid()->isAlwaysShown());
        EXPECT_FALSE(grid->Grid_Opt_box->isEnabled());
        return 0; // Cancel keeps what was changed
    };
    main.action(QStringLiteral("Grid_Btn"))->trigger();
    EXPECT_EQ(main.grid()->color(), QColor(Qt::magenta));
    EXPECT_EQ(main.grid()->spacing(), 27.0);
    main.action(QStringLiteral("Grid_Snap"))->trigger();
    EXPECT_TRUE(main.grid()->isConstraining());
}

TEST_F(MainWindowTest, TheScratchSideSharesTheCurrentSidesObjectsOnce)
{
    SKTWindowController& main = start();
    place(main, 3);
    place(main, 2);
    main.action(QStringLiteral("Temp_Side_btn"))->trigger();
    main.action(QStringLiteral("Temp_Side_btn"))->trigger();
    EXPECT_EQ(main.Get_Temp_Controls_Array(), main.Get_Front_Controls_Array());
    EXPECT_EQ(main.Front_back_label->text(), QStringLiteral("TEMP"));
    EXPECT_EQ(Card_Front_Or_Back, 0);

    main.action(QStringLiteral("Back_Side_btn"))->trigger();
    EXPECT_EQ(main.Front_back_label->text(), QStringLiteral("Back"));
    EXPECT_EQ(Card_Front_Or_Back, 1);
    main.action(QStringLiteral("Front_Side_btn"))->trigger();
    EXPECT_TRUE(main.currentCanvas()->selectedGraphics().isEmpty());
    EXPECT_EQ(main.sett_tab->count(), 3);
}

TEST_F(MainWindowTest, TheRulerCheckSetsTheRulersFromItsOwnState)
{
    SKTWindowController& main = start();
    QAction* rulers = main.action(QStringLiteral("Rulers_chk"));
    const auto shown = [&main] {
        int count = 0;
        for (SKTZoomingScrollView* scroll : main.findChildren<SKTZoomingScrollView*>())
            count += scroll->rulersVisible() ? 1 : 0;
        return count;
    };
    rulers->setChecked(true);
    EXPECT_EQ(shown(), 3);
    EXPECT_TRUE(main.rulersVisible());
    main.Show_Hide_Ruler_ChkBox(true); // asked again: stays on, no flip
    EXPECT_EQ(shown(), 3);
    rulers->setChecked(false);
    EXPECT_EQ(shown(), 0);

    // The rulers follow the zoom.
    rulers->setChecked(true);
    main.setZoomFactor(2.0);
    for (SKTZoomingScrollView* scroll : main.findChildren<SKTZoomingScrollView*>())
        EXPECT_EQ(scroll->horizontalRuler()->factor(), 2.0);
}

TEST_F(MainWindowTest, AnUnknownSideIndexLeavesTheShownCanvas)
{
    SKTWindowController& main = start();
    main.Select_back_side();
    QWidget* shown = main.findChild<QStackedWidget*>()->currentWidget();
    main.changeViewController(3);
    main.changeViewController(-1);
    EXPECT_EQ(main.findChild<QStackedWidget*>()->currentWidget(), shown);
    EXPECT_TRUE(main.action(QStringLiteral("Back_Side_btn"))->isChecked());
    main.Select_front_side();
}

TEST_F(MainWindowTest, TheBackgroundButtonWithTheLibraryCancelledShowsTheCardAndChangesNothing)
{
    SKTWindowController& main = start();
    place(main, 3);
    const auto before = main.Front_card_Prop->copy();
    main.action(QStringLiteral("Card_Bckgrnd_Btn"))->trigger();
    EXPECT_EQ(main.sett_tab->tabText(0), QStringLiteral("Card"));
    EXPECT_EQ(main.Front_card_Prop->Card_fill_chk, before->Card_fill_chk);
    EXPECT_EQ(main.Front_card_Prop->Card_fill_style, before->Card_fill_style);
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(MainWindowTest, EveryMenuItemRunsWithAnObjectSelectedAndWithTheCardShown)
{
    SKTWindowController& main = start();
    main.show();
    for (const bool withObject : { true, false }) {
        if (withObject)
            place(main, 3);
        else
            main.Show_RHS_Properties(nullptr);
        for (QAction* item : menuActions(main.menuBar())) {
            if (item->objectName() == QLatin1String("Exit_Btn"))
                continue;
            item->trigger();
            EXPECT_FALSE(Not_Draw_Only_Prop_Change) << item->objectName().toStdString();
            EXPECT_EQ(main.Selected_Control_Tool(), 0) << item->objectName().toStdString();
        }
    }
    EXPECT_TRUE(main.isVisible());
    dialogs->choiceAnswers = { 1 }; // "Don't Save": the window closes
    main.action(QStringLiteral("Exit_Btn"))->trigger();
    EXPECT_FALSE(main.isVisible());
}
