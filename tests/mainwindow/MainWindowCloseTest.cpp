#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "model/CardGlobals.h"
#include "widgets/QtDialogService.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString question = QStringLiteral("Do you want to save changes before closing?");
enum Answer
{
    Save,
    DontSave,
    Cancel
};

int questionsAsked(ScriptedDialogService& service)
{
    int count = 0;
    for (const auto& asked : service.asked())
        count += asked.kind == QLatin1String("choice") && asked.text == question ? 1 : 0;
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

TEST_F(MainWindowTest, CancelOrACancelledSaveDialogKeepsTheProgramAndTheDesign)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    // Save on a design never saved, its save dialog cancelled (no file answer).
    dialogs->choiceAnswers = { Save };
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);

    const QString path = folder.filePath(QStringLiteral("named.dcard"));
    dialogs->fileAnswers = { path };
    main.SaveAs_Btn_Clicked();
    const QByteArray saved = [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    ASSERT_FALSE(saved.isEmpty());
    main.action(QStringLiteral("Tool_4"))->trigger();
    ASSERT_TRUE(main.isWindowModified());

    // Cancel on a named design neither overwrites nor discards it; nor does Quit's.
    for (const bool quit : { false, true }) {
        dialogs->choiceAnswers = { Cancel };
        if (quit)
            main.action(QStringLiteral("Exit_Btn"))->trigger();
        else
            EXPECT_FALSE(main.close());
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(main.Get_Front_Control_Count(), 2);
        EXPECT_TRUE(main.isWindowModified());
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        EXPECT_EQ(file.readAll(), saved);
    }
    EXPECT_EQ(questionsAsked(*dialogs), 3);
}

TEST_F(MainWindowTest, AFailedSaveOnClosingGivesTheReasonAndKeepsTheProgram)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->choiceAnswers = { Save };
    dialogs->fileAnswers = { folder.filePath(QStringLiteral("missing/folder/card.dcard")) };
    EXPECT_FALSE(main.close());
    ASSERT_EQ(dialogs->messages().size(), 1u);
    EXPECT_TRUE(dialogs->messages()[0].contains(QStringLiteral("missing/folder/card.dcard")));
    EXPECT_TRUE(dialogs->messages()[0].contains(QStringLiteral("No such file or directory")))
        << dialogs->messages()[0].toStdString();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(Project_File_Name.isEmpty());
}

TEST_F(MainWindowTest, SaveWithASavedFileOrDontSaveBothClose)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    const QString path = folder.filePath(QStringLiteral("card.dcard"));
    dialogs->choiceAnswers = { Save };
    dialogs->fileAnswers = { path };
    EXPECT_TRUE(main.close());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(main.isWindowModified());

    main.show();
    main.action(QStringLiteral("Tool_4"))->trigger();
    dialogs->choiceAnswers = { DontSave };
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
    // The back side's edits count too.
    main.Select_back_side();
    main.action(QStringLiteral("Tool_3"))->trigger();
    EXPECT_TRUE(main.isWindowModified());
}

// The question as a person sees it: Escape and the title bar's close are Cancel.
TEST(SaveChangesQuestion, EscapeAndClosingTheBoxAreCancel)
{
    QtDialogService service;
    const auto answerWith = [&service](const std::function<void(QMessageBox&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QStringList labels;
            for (QAbstractButton* button : box->buttons())
                labels.append(button->text().remove(u'&'));
            EXPECT_EQ(labels.size(), 3);
            for (const char* label : { "Save", "Don't Save", "Cancel" })
                EXPECT_TRUE(labels.contains(QString::fromLatin1(label))) << label;
            act(*box);
        });
        return service.askSaveChanges(question);
    };
    EXPECT_EQ(answerWith([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
        DialogService::SaveChoice::Cancel);
    EXPECT_EQ(answerWith([](QMessageBox& box) { box.close(); }), DialogService::SaveChoice::Cancel);
    EXPECT_EQ(answerWith([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }),
        DialogService::SaveChoice::Save);
    EXPECT_EQ(answerWith([](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QLatin1String("&Don't Save"))
                button->click();
    }),
        DialogService::SaveChoice::DontSave);
}
