#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "common/Globals.h"
#include "model/CardGlobals.h"
#include "model/SKTGraphicPasteboard.h"
#include "platform/ResourceFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTabWidget>

TEST(SKTWindowController, IsTheOneMainWindowTitledWithTheApplicationName)
{
    {
        SKTWindowController window;
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Galavite[*]"));
        EXPECT_EQ(Main_App_wnd, &window);
        EXPECT_EQ(SKTWindowController::defaultInstance(), &window);
    }
    EXPECT_EQ(Main_App_wnd, nullptr);
}

TEST_F(MainWindowTest, StartsThroughTheWizardIntoACardOfTheChosenSize)
{
    wizardAnswers = { WizardAnswer { .category = QStringLiteral("Name Badge"), .sizeIndex = 5, .shape = 1 } };
    SKTWindowController& main = start();
    ASSERT_EQ(startResult, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(Resource_Path, userResourceFolder());
    EXPECT_EQ(Data_Folder_Path, QDir(Resource_Path).filePath(QStringLiteral("DataSet")));
    EXPECT_EQ(Start_Card_Option, QStringLiteral("W"));
    EXPECT_EQ(wizardRuns, 1);
    // "Durable 1457 - Name Badge": 2.36 by 3.54 inches.
    const QSizeF millimetres = main.cardSizeInControl();
    EXPECT_NEAR(millimetres.width(), 59.944, 0.001);
    EXPECT_NEAR(millimetres.height(), 89.916, 0.001);
    for (auto side : { SKTDocument::Side::Front, SKTDocument::Side::Back, SKTDocument::Side::Temp }) {
        const QSizeF points = main.canvasOfSide(side)->cardSize();
        EXPECT_NEAR(points.width(), 59.944 * 2.834645669291, 0.01);
        EXPECT_NEAR(points.height(), 89.916 * 2.834645669291, 0.01);
    }
    EXPECT_EQ(Card_Shape, 1);
    EXPECT_EQ(main.Front_card_Prop->Card_Shape, QStringLiteral("RR"));
    EXPECT_EQ(main.Selected_Control_Tool(), 0);
    EXPECT_EQ(main.sett_tab->count(), 3); // the card, its background and its border
    EXPECT_EQ(main.Text_Date_style->count(), 9);
    EXPECT_EQ(main.Text_Date_style->currentText(), QStringLiteral("M-d-yyyy"));
    EXPECT_EQ(main.Text_Time_style->count(), 4);
    EXPECT_EQ(main.Text_Time_style->currentText(), QStringLiteral("h:mm:ss a"));
    EXPECT_FALSE(main.document().undoManager().canUndo());
}

TEST_F(MainWindowTest, ACancelledWizardReturnsToTheStartDialogWhoseExitEndsTheProgram)
{
    wizardAnswers = { WizardAnswer { .finish = false } };
    start();
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(startRuns, 2);
    EXPECT_EQ(startResult, SKTWindowController::StartResult::WizardLeft);
    EXPECT_EQ(exitStatus, 0);
    EXPECT_EQ(Start_Card_Option, QString());
}

TEST_F(MainWindowTest, PartyDetailsArePlacedOnTheFront)
{
    SKTWindowController& main = start();
    Invite_Title = QStringLiteral("Birthday");
    Invite_To = QStringLiteral("Ann");
    Invite_Message.clear();
    Invite_From.clear();
    Invite_Venue.clear();
    Invite_Date.clear();
    Invite_Time.clear();
    Invite_BG_IMG.clear();
    main.Fill_Party_Invidation_Details();
    const auto& front = main.Get_Front_Controls_Array();
    ASSERT_EQ(front.size(), 2);
    EXPECT_EQ(front[0]->control_ID, QStringLiteral("PARTY_TO"));
    EXPECT_EQ(front[0]->Text_Value, QStringLiteral("Dear Ann,"));
    EXPECT_EQ(front[1]->control_ID, QStringLiteral("PARTY_TITLE"));
}

TEST_F(MainWindowTest, NewProjectResetsBothSidesAndLeavesTheClipboardAlone)
{
    SKTWindowController& main = start();
    main.Front_card_Prop->Card_Name = QStringLiteral("Party");
    main.Back_card_Prop->Card_Side_Name = QStringLiteral("B");
    QApplication::clipboard()->setText(QStringLiteral("someone else's"));
    main.New_Project_Setting_Reset();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("someone else's"));

    for (const Card_PropertyPtr& card : { main.Front_card_Prop, main.Back_card_Prop }) {
        EXPECT_EQ(card->Card_Name, QStringLiteral("Untitled"));
        EXPECT_EQ(card->Card_Preset, QStringLiteral("Horizontal"));
        EXPECT_EQ(card->Card_Category, QStringLiteral("PVC Card"));
        EXPECT_EQ(card->Card_Sub_Category, QStringLiteral("CR80-Credit Card Size"));
        EXPECT_EQ(card->Card_fill_style, QStringLiteral("S"));
        EXPECT_FALSE(card->Card_fill_chk);
        EXPECT_TRUE(card->Card_border_chk);
        EXPECT_EQ(card->Card_bor_Stepper, 1);
        EXPECT_FLOAT_EQ(card->Card_alpha_Stepper, 100.0f);
        EXPECT_EQ(card->Card_BG_Image_Layout, QStringLiteral("Stretch"));
        EXPECT_EQ(card->Card_Side_Name, QStringLiteral("F"));
    }

    auto* ours = new QMimeData;
    ours->setData(SKTGraphicViewPasteboardType, QByteArray("cards"));
    QApplication::clipboard()->setMimeData(ours);
    main.New_Project_Setting_Reset();
    const QMimeData* held = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(held);
    EXPECT_EQ(held->data(SKTGraphicViewPasteboardType), QByteArray("cards"));
}
