#include "common/MessageBoxes.h"
#include "common/Globals.h"
#include "mainwindow/SKTWindowController.h"
#include "support/ScriptedDialogService.h"
#include "support/Patience.h"

#include <QApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Keeps the GUI thread's event loop turning until done() holds.
template <typename Done> void pumpEventsUntil(Done done)
{
    patience::eventually(done);
}

} // namespace

TEST(MessageBoxes, ShowNothingBeforeTheMainWindowExists)
{
    ScriptedDialogs dialogs;
    ASSERT_EQ(Main_App_wnd, nullptr);
    yes_no_msg_val = true;
    Show_MessageBox(QStringLiteral("early"));
    EXPECT_TRUE(Show_YES_NO_MessageBox(QStringLiteral("early?"))); // the previous answer
    EXPECT_TRUE(dialogs->asked().empty());
}

TEST(MessageBoxes, OkBoxPrefixesALineBreakAndYesNoBoxDoesNot)
{
    ScriptedDialogs dialogs;
    SKTWindowController window;
    dialogs->yesNoAnswers = { true, false };

    Show_MessageBox(QStringLiteral("Saved."));
    EXPECT_TRUE(Show_YES_NO_MessageBox(QStringLiteral("Delete?")));
    EXPECT_FALSE(Show_YES_NO_MessageBox(QStringLiteral("Again?")));
    EXPECT_FALSE(yes_no_msg_val);
    Show_MessageBox(QString()); // a null text shows nothing

    const auto asked = dialogs->asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].text, QStringLiteral("\nSaved."));
    EXPECT_EQ(asked[1].text, QStringLiteral("Delete?"));
}

TEST(MessageBoxes, AWorkerWaitsForTheAnswerGivenOnTheGuiThread)
{
    ScriptedDialogs dialogs;
    SKTWindowController window;
    dialogs->yesNoAnswers = { true };
    std::atomic<bool> workerReturned { false };
    std::atomic<bool> returnedBeforeAnswer { false };
    dialogs->beforeAnswer = [&](const ScriptedDialogService::Asked&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        returnedBeforeAnswer = workerReturned.load();
    };

    std::atomic<bool> answer { false };
    std::thread worker([&] {
        answer = Show_YES_NO_MessageBox(QStringLiteral("Continue?"));
        Show_MessageBox(QStringLiteral("Done."));
        workerReturned = true;
    });
    pumpEventsUntil([&] { return workerReturned.load(); });
    worker.join();

    EXPECT_TRUE(answer);
    EXPECT_FALSE(returnedBeforeAnswer);
    for (const auto& asked : dialogs->asked())
        EXPECT_EQ(asked.thread, QApplication::instance()->thread());
    EXPECT_EQ(dialogs->asked().size(), 2u);
}

TEST(MessageBoxes, QuestionsFromSeveralWorkersEachGetTheirOwnAnswer)
{
    ScriptedDialogs dialogs;
    SKTWindowController window;
    constexpr int workers = 6;
    for (int i = 0; i < workers; ++i)
        dialogs->yesNoAnswers.push_back(i % 2 == 0);

    std::atomic<int> finished { 0 };
    std::atomic<int> yesCount { 0 };
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([&] {
            if (Show_YES_NO_MessageBox(QStringLiteral("Go on?")))
                ++yesCount;
            ++finished;
        });
    }
    pumpEventsUntil([&] { return finished.load() == workers; });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(yesCount.load(), workers / 2);
}

TEST(MessageBoxes, ReportsOfSuccessInformAndEverythingElseWarns)
{
    ScriptedDialogs dialogs;
    SKTWindowController window;
    Show_MessageBox(QStringLiteral("Card has been exported successfully."));
    Show_MessageBox_No_Thread(QStringLiteral("E-mail has been sent successfully."));
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    Show_MessageBox(QStringLiteral("The card was unsuccessfully exported."));
    show_msg(QStringLiteral("fail"));

    const auto asked = dialogs->asked();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].icon, MessageIcon::Information);
    EXPECT_EQ(asked[1].icon, MessageIcon::Information);
    for (size_t i = 2; i < asked.size(); ++i)
        EXPECT_EQ(asked[i].icon, MessageIcon::Warning) << asked[i].text.toStdString();
}
