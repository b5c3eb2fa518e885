#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "model/CardGlobals.h"

#include <QAction>
#include <QFileInfo>

namespace {

const QString question = QStringLiteral("Do you want to save changes before closing?");

int questionsAsked(ScriptedDialogService& service)
{
    int count = 0;
    for (const auto& asked : service.asked())
        count += asked.kind == QLatin1String("yesno") && asked.text == question ? 1 : 0;
    return count;
}

} // namespace

TEST_F(MainWindowTest, ClosingAnUnchangedDesignAsksNothing)
{
    SKTWindowController& main = start();
    main.show();
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_TRUE(main.close());
    EXPECT_EQ(questionsAsked(*dialogs), 0);
}

TEST_F(MainWindowTest, YesThenACancelledSaveDialogKeepsTheProgramAndTheDesign)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    EXPECT_TRUE(main.isWindowModified());
    dialogs->yesNoAnswers = { true }; // the save dialog is cancelled: no file answer
    EXPECT_FALSE(main.close());
    EXPECT_EQ(questionsAsked(*dialogs), 1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
    EXPECT_TRUE(main.isWindowModified());

    // Quit in the menu takes the same way.
    dialogs->yesNoAnswers = { true };
    main.action(QStringLiteral("Exit_Btn"))->trigger();
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MainWindowTest, AFailedSaveOnClosingSaysSoAndKeepsTheProgram)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->yesNoAnswers = { true };
    dialogs->fileAnswers = { folder.filePath(QStringLiteral("missing/folder/card.dcard")) };
    EXPECT_FALSE(main.close());
    EXPECT_EQ(dialogs->messages(), std::vector<QString>({ QStringLiteral("\nfail") }));
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MainWindowTest, YesWithASavedFileOrNoBothClose)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    const QString path = folder.filePath(QStringLiteral("card.dcard"));
    dialogs->yesNoAnswers = { true };
    dialogs->fileAnswers = { path };
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(main.isWindowModified());

    main.show();
    main.action(QStringLiteral("Tool_4"))->trigger();
    dialogs->yesNoAnswers = { false };
    EXPECT_TRUE(main.close());
}

TEST_F(MainWindowTest, TheModifiedMarkFollowsUndoBackToTheSavedState)
{
    SKTWindowController& main = start();
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->fileAnswers = { folder.filePath(QStringLiteral("card.dcard")) };
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_FALSE(main.isWindowModified());
    main.action(QStringLiteral("Tool_4"))->trigger();
    EXPECT_TRUE(main.isWindowModified());
    main.Undo_Clicked();
    EXPECT_FALSE(main.isWindowModified());
    // Edits undo does not record count too.
    main.Select_back_side();
    main.action(QStringLiteral("Tool_3"))->trigger();
    EXPECT_TRUE(main.isWindowModified());
}
