#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "inspector/AlignmentPage.h"
#include "inspector/PropertiesInspector.h"
#include "inspector/ShapePage.h"
#include "model/CardGlobals.h"
#include "model/SKTGraphicPasteboard.h"
#include "render/SKTRenderingView.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSpinBox>
#include <QTabWidget>

namespace {

SKTGraphicPtr place(SKTWindowController& main, int tool)
{
    main.action(QStringLiteral("Tool_%1").arg(tool))->trigger();
    return main.currentCanvas()->selectedGraphic();
}

QStringList tabLabels(const SKTWindowController& main)
{
    QStringList labels;
    for (int i = 0; i < main.sett_tab->count(); ++i)
        labels.append(main.sett_tab->tabText(i));
    return labels;
}

// Whether the front side, as printed and exported, shows the colour at the point.
bool frontShows(SKTWindowController& main, const QPointF& point, const QColor& colour)
{
    const CardSideBase base { main.Front_card_Prop, Card_Shape, main.frontCanvasBounds() };
    const QImage card = SKTRenderingView::image_From_Card_Graphics(main.Get_Front_Controls_Array(), false, base)
                            .toImage(72, Qt::white);
    return card.pixelColor(point.toPoint()) == colour;
}

} // namespace

TEST_F(MainWindowTest, LockingThreeObjectsShowsTheLastWithItsLockTabAndKeepsTheSelection)
{
    SKTWindowController& main = start();
    place(main, 3);
    place(main, 4);
    place(main, 2); // each new object goes in front: the rectangle ends last in the list
    SKTGraphicView* canvas = main.currentCanvas();
    canvas->selectAll();
    main.action(QStringLiteral("Lock_btn"))->trigger();

    const SKTDocument::Graphics& front = main.Get_Front_Controls_Array();
    for (const SKTGraphicPtr& graphic : front)
        EXPECT_TRUE(graphic->ctrl_is_locked);
    EXPECT_EQ(canvas->selectionIndexes(), QList<int>({ 0, 1, 2 }));
    EXPECT_EQ(main.inspector().lastSelectedGraphic(), front.last());
    EXPECT_EQ(tabLabels(main), QStringList({ QStringLiteral("Rectangle Properties") }));

    main.action(QStringLiteral("Unlock_btn"))->trigger();
    EXPECT_EQ(main.action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Unlock"));
    for (const SKTGraphicPtr& graphic : front)
        EXPECT_FALSE(graphic->ctrl_is_locked);
    EXPECT_EQ(canvas->selectionIndexes(), QList<int>({ 0, 1, 2 }));
    EXPECT_EQ(tabLabels(main), QStringList({ QStringLiteral("Rectangle Properties"), QStringLiteral("Alignment") }));
}

TEST_F(MainWindowTest, LockAndUnlockWithNothingSelectedSayWhatToDo)
{
    SKTWindowController& main = start();
    main.Lock_Clicked();
    main.Unlock_Clicked();
    EXPECT_EQ(dialogs->messages(),
        std::vector<QString>({ QStringLiteral("\nPlease select a control to Lock."),
            QStringLiteral("\nPlease select a control to Unlock.") }));
}

TEST_F(MainWindowTest, ASecondCallWithTheSameObjectKeepsTheTabs)
{
    SKTWindowController& main = start();
    const SKTGraphicPtr text = place(main, 2);
    ASSERT_EQ(main.sett_tab->count(), 4);
    main.sett_tab->setCurrentIndex(2);
    main.Show_RHS_Properties(text);
    EXPECT_EQ(main.sett_tab->currentIndex(), 2);
    EXPECT_EQ(main.sett_tab->count(), 4);
    // A call while the panel is being filled changes nothing, not even the tool.
    main.action(QStringLiteral("Tool_3"))->setChecked(true);
    Not_Draw_Only_Prop_Change = true;
    main.Show_RHS_Properties(nullptr);
    Not_Draw_Only_Prop_Change = false;
    EXPECT_EQ(main.sett_tab->count(), 4);
    EXPECT_TRUE(main.action(QStringLiteral("Tool_3"))->isChecked());
}

TEST_F(MainWindowTest, EachKindShowsItsTabsAndALockedOneOnlyItsLockTab)
{
    SKTWindowController& main = start();
    lib_window_sel_file = QStringLiteral("/clipart/balloon.png");
    struct Expected
    {
        int tool;
        QStringList unlocked; // without the Alignment tab that always follows
        QString locked;
    };
    const Expected table[] = {
        { 2, { "Text", "Text Properties", "Text Source" }, "Text Properties" },
        { 9, { "Image Source", "Image" }, "Image Properties" },
        { 1, { "Line" }, "Line Properties" },
        { 11, { "Signature Properties" }, "Signature Properties" },
        { 12, { "FingrePrint Properties" }, "Signature Properties" },
        { 10, { "Barcode" }, "Barcode Properties" },
        { 3, { "Rectangle Properties" }, "Rectangle Properties" },
        { 4, { "Ellipse Properties" }, "Ellipse Properties" },
        { 5, { "Rounded Rectangle Properties" }, "Rounded Rectangle Properties" },
        { 6, { "Triangle Properties" }, "Triangle Properties" },
        { 7, { "Diamond Properties" }, "Diamond Properties" },
        { 13, { "Star Properties" }, "Star Properties" },
        { 14, { "Double Star Properties" }, "Double Star Properties" },
        { 15, { "Polygon Properties" }, "Polygon Properties" },
    };
    for (const Expected& expected : table) {
        otherModal = chooseInLibrary(0);
        const SKTGraphicPtr graphic = place(main, expected.tool);
        ASSERT_NE(graphic, nullptr) << expected.tool;
        EXPECT_EQ(tabLabels(main), expected.unlocked + QStringList { QStringLiteral("Alignment") }) << expected.tool;
        EXPECT_EQ(main.sett_tab->currentIndex(), 0);
        graphic->ctrl_is_locked = true;
        main.Show_RHS_Properties(nullptr);
        main.Show_RHS_Properties(graphic);
        EXPECT_EQ(tabLabels(main), QStringList({ expected.locked })) << expected.tool;
    }
}

TEST_F(MainWindowTest, ShapesShowTheirOwnExtrasAndAnUnknownShapeKeepsTheLastLabel)
{
    SKTWindowController& main = start();
    ShapePage& page = *main.inspector().shape_tab;
    place(main, 5);
    EXPECT_TRUE(page.shape_cor_radius_Stepper->isVisibleTo(&page));
    EXPECT_FALSE(page.polygon_Stepper->isVisibleTo(&page));
    const SKTGraphicPtr odd = place(main, 15);
    EXPECT_FALSE(page.shape_cor_radius_Stepper->isVisibleTo(&page));
    EXPECT_TRUE(page.polygon_Stepper->isVisibleTo(&page));
    place(main, 3);
    odd->Set_Shape_Type(QStringLiteral("X"));
    main.Show_RHS_Properties(odd);
    EXPECT_EQ(main.sett_tab->tabText(0), QStringLiteral("Rectangle Properties"));
    EXPECT_FALSE(page.polygon_Stepper->isVisibleTo(&page));
}

TEST_F(MainWindowTest, TheCardAlwaysOpensOnItsFirstTab)
{
    SKTWindowController& main = start();
    main.sett_tab->setCurrentIndex(2);
    main.Show_RHS_Properties(nullptr);
    EXPECT_EQ(main.sett_tab->currentIndex(), 0);
    place(main, 3);
    main.action(QStringLiteral("Card_Prop_Btn"))->trigger();
    EXPECT_EQ(tabLabels(main), QStringList({ "Card", "Background", "Border" }));
    EXPECT_EQ(main.inspector().lastSelectedGraphic(), nullptr);
    EXPECT_TRUE(main.currentCanvas()->selectedGraphics().isEmpty());
}

TEST_F(MainWindowTest, ButtonStatesFollowTheObjectShown)
{
    SKTWindowController& main = start();
    const auto states = [&main] {
        QString on;
        for (const char* name : { "Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn",
                 "Lock_btn", "Unlock_btn", "Undo_btn" })
            on += main.action(QString::fromLatin1(name))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return on;
    };
    const SKTGraphicPtr shape = place(main, 3);
    main.Copy_Clicked();
    //                   Cut Copy Paste Del Front Back Lock Unlock Undo
    EXPECT_EQ(states(), QStringLiteral("111111101"));
    shape->ctrl_is_locked = true;
    main.Show_RHS_Properties(nullptr);
    main.Show_RHS_Properties(shape);
    EXPECT_EQ(states(), QStringLiteral("000000011"));
    auto* objects = new QMimeData;
    objects->setData(SKTGraphicViewPasteboardType, QByteArray("objects"));
    QGuiApplication::clipboard()->setMimeData(objects); // Paste stays off for a locked object
    EXPECT_EQ(states(), QStringLiteral("000000011"));
    main.Show_RHS_Properties(nullptr);
    EXPECT_EQ(states(), QStringLiteral("001000001"));
}

// With objects that print and objects that do not selected, the box is partly ticked whichever
// was clicked last; other changes keep each object's own choice, and a click sets all.
TEST_F(MainWindowTest, ThePrintBoxOfAMixedSelectionIsPartlyTicked)
{
    SKTWindowController& main = start();
    const SKTGraphicPtr first = place(main, 3);
    const SKTGraphicPtr second = place(main, 3);
    second->print_object = 1;
    QCheckBox* prints = main.inspector().aligmnt_tab->print_object_chk;
    SKTGraphicView& canvas = *main.currentCanvas();
    for (const SKTGraphicPtr& clicked : { first, second }) {
        canvas.selectAll();
        main.Show_RHS_Properties(clicked);
        EXPECT_EQ(prints->checkState(), Qt::PartiallyChecked);
    }
    main.inspector().shape_tab->Update_Shape_Graphics();
    EXPECT_EQ(first->print_object, 0);
    EXPECT_EQ(second->print_object, 1);
    EXPECT_EQ(prints->checkState(), Qt::PartiallyChecked);

    prints->click();
    EXPECT_EQ(prints->checkState(), Qt::Checked);
    EXPECT_EQ(first->print_object, 0);
    EXPECT_EQ(second->print_object, 0);
    prints->click();
    EXPECT_EQ(prints->checkState(), Qt::Unchecked) << "a mix is never chosen by a click";
    EXPECT_EQ(first->print_object, 1);
    EXPECT_EQ(second->print_object, 1);

    // One object alone shows its own choice.
    first->print_object = 0;
    canvas.deselectAll();
    main.Show_RHS_Properties(first);
    EXPECT_EQ(prints->checkState(), Qt::Checked);
}

TEST_F(MainWindowTest, ThePrintBoxIsTickedForObjectsThatPrintAndOldFilesPrintAsBefore)
{
    SKTWindowController& main = start();
    const SKTGraphicPtr first = place(main, 2);
    const SKTGraphicPtr second = place(main, 2);
    for (const SKTGraphicPtr& box : { first, second }) {
        box->setBounds({ 10, 10, 60, 40 });
        box->_fillColor = QColor(Qt::red);
        box->_isDrawingFill = true;
    }
    second->setBounds({ 100, 10, 60, 40 });
    QCheckBox* prints = main.inspector().aligmnt_tab->print_object_chk;
    main.Show_RHS_Properties(nullptr);
    main.Show_RHS_Properties(second);
    EXPECT_TRUE(prints->isChecked()) << "a new object prints";
    EXPECT_TRUE(frontShows(main, { 130, 30 }, Qt::red));

    // Both selected: unticking leaves both out of print and export, ticking brings them back.
    main.currentCanvas()->selectAll();
    prints->click();
    EXPECT_EQ(first->print_object, 1);
    EXPECT_EQ(second->print_object, 1);
    EXPECT_TRUE(frontShows(main, { 40, 30 }, Qt::white));
    EXPECT_TRUE(frontShows(main, { 130, 30 }, Qt::white));
    prints->click();
    EXPECT_EQ(first->print_object, 0);
    EXPECT_EQ(second->print_object, 0);
    EXPECT_TRUE(frontShows(main, { 40, 30 }, Qt::red));

    // A design file keeps the stored meaning: an object saved with 1 stays off the card.
    second->print_object = 1;
    ASSERT_EQ(saveAndOpenAgain(main, QStringLiteral("badge.dcard")), 1);
    const SKTDocument::Graphics& opened = main.Get_Front_Controls_Array();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(frontShows(main, { 40, 30 }, Qt::red));
    EXPECT_TRUE(frontShows(main, { 130, 30 }, Qt::white));
    const SKTGraphicPtr leftOut = opened.at(0)->bounds().left() > 50 ? opened.at(0) : opened.at(1);
    main.Show_RHS_Properties(leftOut);
    EXPECT_EQ(prints->checkState(), Qt::Unchecked);
    main.currentCanvas()->selectAll();
    EXPECT_EQ(prints->checkState(), Qt::PartiallyChecked);
}
