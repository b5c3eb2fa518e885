#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "platform/DesignLock.h"
#include "support/HostilePictures.h"
#include "support/KeyedQuestions.h"
#include "support/LockEntries.h"
#include "support/ReadOnlyFolder.h"

#include <QAction>
#include <QFileInfo>
#include <QProcess>

#include <sys/wait.h>
#include <unistd.h>

namespace {

enum Answer
{
    Save,
    DontSave,
    Cancel
};

int asked(ScriptedDialogService& service, const QString& kind)
{
    int count = 0;
    for (const auto& question : service.asked())
        count += question.kind == kind ? 1 : 0;
    return count;
}

// What a design looks like to its user: the objects of both sides, by their archives.
PlistArray shownDesign(SKTWindowController& main)
{
    DesignContents contents;
    contents.front = main.Front_card_Prop;
    contents.back = main.Back_card_Prop;
    contents.frontGraphics = main.Get_Front_Controls_Array();
    contents.backGraphics = main.Get_Back_Controls_Array();
    return DesignFile::items(contents);
}

QString lastQuestion(ScriptedDialogService& service)
{
    const auto all = service.asked();
    const auto last = std::find_if(all.rbegin(), all.rend(), [](const auto& a) { return a.kind == "choice"; });
    return last == all.rend() ? QString() : last->text;
}

} // namespace

TEST_F(MainWindowTest, AFailedSaveAsKeepsThePreviousNameSoSaveWritesWhereTheTitleSays)
{
    const ReadOnlyFolder readOnly;
    if (readOnly.path().isEmpty())
        GTEST_SKIP() << "no folder here refuses writes";
    SKTWindowController& main = start();
    main.show();
    const QString kept = folder.filePath(QStringLiteral("kept.dcard"));
    dialogs->fileAnswers = { kept };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    const QString title = main.windowTitle();
    main.action(QStringLiteral("Tool_3"))->trigger();

    dialogs->fileAnswers = { readOnly.filePath(QStringLiteral("elsewhere.dcard")) };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    const QString reason = dialogs->messages().back();
    EXPECT_TRUE(reason.contains(QStringLiteral("elsewhere.dcard"))) << reason.toStdString();
    EXPECT_TRUE(reason.contains(QStringLiteral("Read-only file system"))) << reason.toStdString();
    EXPECT_EQ(Project_File_Name, kept);
    EXPECT_EQ(main.windowTitle(), title);
    EXPECT_TRUE(main.isWindowModified());

    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nInvitation Card Design Log has been saved successfully."));
    const DesignFile::ReadResult read = DesignFile::readFile(kept);
    ASSERT_EQ(read.status, DesignFile::Status::Loaded);
    EXPECT_EQ(read.contents.frontGraphics.size(), 1);
}

TEST_F(MainWindowTest, OpenCancelledOrRefusedLeavesTheDesignOnScreenAndAsksNothing)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    main.Select_back_side();
    main.action(QStringLiteral("Tool_4"))->trigger();
    const QString named = folder.filePath(QStringLiteral("named.dcard"));
    dialogs->fileAnswers = { named };
    main.action(QStringLiteral("SaveAs_Btn"))->trigger();
    const QString refused = folder.filePath(QStringLiteral("refused.dcard"));
    ASSERT_TRUE(
        PropertyList::writeFile(refused, PlistValue(PlistArray { PlistValue("HELLO") }), PropertyList::Format::Xml));

    for (const bool modified : { false, true }) {
        if (modified)
            main.action(QStringLiteral("Tool_5"))->trigger();
        const PlistArray shown = shownDesign(main);
        const size_t messages = dialogs->messages().size();
        for (const QString& answer : { QString(), refused }) {
            dialogs->fileAnswers = { answer };
            main.action(QStringLiteral("Open_Btn"))->trigger();
            EXPECT_EQ(firstDifference(shownDesign(main), shown), -1);
            EXPECT_EQ(Project_File_Name, named);
            EXPECT_EQ(main.isWindowModified(), modified);
        }
        EXPECT_EQ(dialogs->messages().size(), messages + 1); // the refused file's only
        EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nFile is corrupt and cannot be opened."));
    }
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 0);
    EXPECT_EQ(startRuns, 1);
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_EQ(exitStatus, -1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(Card_Front_Or_Back, 1); // still the side the user was on
}

TEST_F(MainWindowTest, OpenAsksToSaveOnlyWithUnsavedChangesAndCancelKeepsTheDesign)
{
    SKTWindowController& main = start();
    main.action(QStringLiteral("Tool_3"))->trigger();
    main.action(QStringLiteral("Tool_4"))->trigger();
    const QString other = folder.filePath(QStringLiteral("other.dcard"));
    Project_File_Name = other;
    main.Save_project_file(false, false);
    main.action(QStringLiteral("New_Btn"))->trigger(); // saved: no question; the wizard makes a bare card
    ASSERT_EQ(main.Get_Front_Control_Count(), 0);
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 0);

    // An export-free, unchanged design opens the file without a question.
    dialogs->fileAnswers = { other };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(main.Get_Front_Control_Count(), 2);
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 0);

    main.action(QStringLiteral("Tool_5"))->trigger();
    const PlistArray shown = shownDesign(main);
    dialogs->fileAnswers = { other };
    dialogs->choiceAnswers = { Cancel };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 1);
    EXPECT_EQ(firstDifference(shownDesign(main), shown), -1);
    EXPECT_TRUE(main.isWindowModified());

    dialogs->fileAnswers = { other };
    dialogs->choiceAnswers = { DontSave };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(main.Get_Front_Control_Count(), 2);
    EXPECT_FALSE(main.isWindowModified());
}

TEST_F(MainWindowTest, NewAndOpenStopWhenTheirSaveIsCancelledOrFails)
{
    const ReadOnlyFolder readOnly;
    SKTWindowController& main = start();
    const QString other = folder.filePath(QStringLiteral("other.dcard"));
    Project_File_Name = other;
    main.Save_project_file(false, false);
    Project_File_Name.clear();
    main.action(QStringLiteral("Tool_3"))->trigger();
    const PlistArray shown = shownDesign(main);
    const auto expectKept = [&](const char* step) {
        EXPECT_EQ(firstDifference(shownDesign(main), shown), -1) << step;
        EXPECT_TRUE(main.isWindowModified()) << step;
        EXPECT_EQ(wizardRuns, 1) << step;
        EXPECT_EQ(startRuns, 1) << step;
    };

    // Save, then the save dialog cancelled.
    dialogs->choiceAnswers = { Save };
    main.action(QStringLiteral("New_Btn"))->trigger();
    expectKept("new, save dialog cancelled");
    dialogs->fileAnswers = { other };
    dialogs->choiceAnswers = { Save };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    expectKept("open, save dialog cancelled");

    // Save into a file that cannot be written.
    if (readOnly.path().isEmpty())
        GTEST_SKIP() << "no folder here refuses writes";
    Project_File_Name = readOnly.filePath(QStringLiteral("design.dcard"));
    dialogs->choiceAnswers = { Save };
    main.action(QStringLiteral("New_Btn"))->trigger();
    expectKept("new, write failed");
    dialogs->fileAnswers = { other };
    dialogs->choiceAnswers = { Save };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    expectKept("open, write failed");
    EXPECT_EQ(Project_File_Name, readOnly.filePath(QStringLiteral("design.dcard")));
    EXPECT_TRUE(dialogs->messages().back().contains(QStringLiteral("Read-only file system")));
}

TEST_F(MainWindowTest, NewOpensTheWizardAtItsFirstStepAndItsCancelKeepsTheDesign)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    const PlistArray shown = shownDesign(main);
    int firstStep = 0;
    wizardAnswers = { WizardAnswer { .finish = false } };
    otherModal = nullptr;
    const auto previous = dialogs->modalHandler;
    dialogs->modalHandler = [&](QDialog& dialog) {
        if (auto* wizard = qobject_cast<Invitation_Wizard*>(&dialog))
            firstStep = wizard->next_counter;
        return previous(dialog);
    };
    dialogs->choiceAnswers = { DontSave };
    main.action(QStringLiteral("New_Btn"))->trigger();
    EXPECT_EQ(firstStep, 1);
    EXPECT_EQ(firstDifference(shownDesign(main), shown), -1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(exitStatus, -1);
    EXPECT_EQ(startRuns, 1);

    // Finished, the wizard's card replaces the design.
    wizardAnswers = { WizardAnswer { .category = QStringLiteral("Name Badge"), .sizeIndex = 2, .vertical = true } };
    dialogs->choiceAnswers = { DontSave };
    main.action(QStringLiteral("New_Btn"))->trigger();
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);
    EXPECT_FALSE(main.isWindowModified());
    const QSizeF expected = SKTWindowController::Get_My_card_Size(QStringLiteral("Name Badge"), QStringLiteral("V"), 2);
    EXPECT_NEAR(main.cardSizeInControl().width(), expected.width(), 0.01);
    EXPECT_NEAR(main.cardSizeInControl().height(), expected.height(), 0.01);
    EXPECT_NEAR(
        main.Front_card_Prop->Card_Size.width(), SKTWindowController::MM_to_Points_Convert(expected.width()), 0.1);
    EXPECT_EQ(startRuns, 1);
}

TEST_F(MainWindowTest, DesignWithMoreObjectsThanASideHoldsIsRefusedWithTheReason)
{
    SKTWindowController& main = start();
    main.show();
    main.action(QStringLiteral("Tool_3"))->trigger();
    const PlistArray shown = shownDesign(main);
    PlistArray items = shown;
    ASSERT_EQ(items.size(), size_t(DesignFile::itemsWithoutObjects + 1));
    const size_t count = DesignFile::maxObjectsPerSide + 1;
    items[61] = PlistValue(QString::number(count));
    items.insert(items.begin() + 62, count - 1, items[62]);
    const QString crowded = folder.filePath(QStringLiteral("crowded.dcard"));
    ASSERT_TRUE(PropertyList::writeFile(crowded, PlistValue(items), PropertyList::Format::Xml));

    dialogs->fileAnswers = { crowded };
    main.action(QStringLiteral("Open_Btn"))->trigger();
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\nThe design cannot be opened: the front object count is 2501, and a side of a design "
                       "holds at most 2500 objects."));
    EXPECT_EQ(firstDifference(shownDesign(main), shown), -1);
}

// Another program's save or removal: Save asks before replacing. Another window's lock is said
// so on Open; a lock left by an ended program is taken over silently, and one that cannot be
// taken is said once.
TEST_F(MainWindowTest, ADesignOtherProgramsChangedOrLockedIsNotOverwrittenAndStillOpens)
{
    SKTWindowController& main = start();
    main.action(QStringLiteral("Tool_3"))->trigger();
    main.action(QStringLiteral("Tool_4"))->trigger();
    ASSERT_EQ(saveAndOpenAgain(main, QStringLiteral("member.dcard")), 1);
    const QString member = folder.filePath(QStringLiteral("member.dcard"));
    const auto open = [&](const QString& path) {
        dialogs->fileAnswers = { path };
        return main.Open_Log_File();
    };
    DesignFile::ReadResult other = DesignFile::readFile(member);
    other.contents.frontGraphics.removeLast();
    ASSERT_TRUE(DesignFile::write(member, other.contents));
    const QByteArray theirs = md5Of(member);
    main.action(QStringLiteral("Tool_5"))->trigger();

    const QString copy = folder.filePath(QStringLiteral("copy.dcard"));
    dialogs->choiceAnswers = { 1 }; // Save As…
    dialogs->fileAnswers = { copy };
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_EQ(md5Of(member), theirs);
    EXPECT_EQ(Project_File_Name, copy);
    EXPECT_TRUE(lastQuestion(*dialogs).startsWith(
        QStringLiteral("Another program has changed \"member.dcard\" since it was opened or saved here.")));
    const QByteArray mine = lockRecord(QCoreApplication::applicationPid());
    EXPECT_EQ(lockOf(copy), mine);

    ASSERT_EQ(open(member), 1);
    ASSERT_TRUE(QFile::remove(member));
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->choiceAnswers = { 0 };
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_TRUE(lastQuestion(*dialogs).contains(QStringLiteral("moved or deleted")));
    EXPECT_EQ(DesignFile::readFile(member).contents.frontGraphics.size(), 2);
    main.action(QStringLiteral("Tool_3"))->trigger();
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_EQ(DesignFile::readFile(member).contents.frontGraphics.size(), 3);
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 2);

    // Replaced by a link to another design: Save anyway replaces the link, not the file it names.
    const QString victim = folder.filePath(QStringLiteral("victim.dcard"));
    ASSERT_TRUE(QFile::copy(copy, victim));
    const QByteArray victimBytes = md5Of(victim);
    ASSERT_TRUE(QFile::remove(member) && QFile::link(victim, member));
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->choiceAnswers = { 0 };
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_EQ(lastQuestion(*dialogs),
        QStringLiteral("Another program has changed \"member.dcard\" since it was opened or saved here: it is now a "
                       "link to \"%1\". Saving replaces the link with this design and leaves \"victim.dcard\" as it "
                       "is.")
            .arg(victim));
    EXPECT_EQ(md5Of(victim), victimBytes);
    EXPECT_FALSE(QFileInfo(member).isSymLink());
    EXPECT_EQ(DesignFile::readFile(member).contents.frontGraphics.size(), 4);
    EXPECT_EQ(asked(*dialogs, QStringLiteral("choice")), 3);
    // A link to nothing: nothing is said to be left as it is.
    ASSERT_TRUE(QFile::remove(member) && QFile::link(folder.filePath(QStringLiteral("gone.dcard")), member));
    main.action(QStringLiteral("Tool_3"))->trigger();
    dialogs->choiceAnswers = { 0 };
    main.action(QStringLiteral("Save_Btn"))->trigger();
    EXPECT_EQ(lastQuestion(*dialogs),
        QStringLiteral("Another program has changed \"member.dcard\" since it was opened or saved here: it is now a "
                       "link to \"%1\", where nothing is. Saving replaces the link with this design.")
            .arg(folder.filePath(QStringLiteral("gone.dcard"))));
    EXPECT_FALSE(QFileInfo(member).isSymLink());
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("gone.dcard"))));
    main.New_Project_Setting_Reset();
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(member)));

    size_t messages = dialogs->messages().size();
    {
        DesignLock otherWindow;
        ASSERT_FALSE(otherWindow.lock(member).other);
        ASSERT_EQ(open(member), 1);
        ASSERT_EQ(dialogs->messages().size(), ++messages);
        EXPECT_TRUE(
            dialogs->messages().back().startsWith(QStringLiteral("\"member.dcard\" is open in another Galavite")));
        EXPECT_EQ(Project_File_Name, member);
        main.New_Project_Setting_Reset();
        EXPECT_EQ(lockOf(member), mine); // the other window's
    }
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(member)));

    QProcess otherProgram;
    otherProgram.start(QStringLiteral("sleep"), { QStringLiteral("600") });
    ASSERT_TRUE(otherProgram.waitForStarted());
    const pid_t zombie = ::fork(); // a Galavite ended but not yet collected
    if (zombie == 0)
        ::_exit(0);
    siginfo_t ended {};
    ASSERT_EQ(::waitid(P_PID, id_t(zombie), &ended, WEXITED | WNOWAIT), 0);
    // Also a process gone, this process's id left from an earlier run, and a lock half made.
    for (const QByteArray& left :
        { lockRecord(INT_MAX), lockRecord(otherProgram.processId()), lockRecord(zombie), mine, QByteArray() }) {
        ASSERT_TRUE(HostilePictures::writeFile(DesignLock::lockFileFor(member), left));
        ASSERT_EQ(open(member), 1);
        EXPECT_EQ(dialogs->messages().size(), messages) << left.toStdString();
        EXPECT_EQ(lockOf(member), mine);
        main.New_Project_Setting_Reset();
    }
    otherProgram.kill();
    otherProgram.waitForFinished();
    ::waitpid(zombie, nullptr, 0);

    // A list another process keeps locked: the design opens, and the person is told once that
    // other programs cannot be known; a save once it is let go lists this one.
    {
        HeldLock held(DesignLock::lockFileFor(member));
        ASSERT_TRUE(held.held());
        ASSERT_EQ(open(member), 1);
        ASSERT_EQ(dialogs->messages().size(), ++messages);
        EXPECT_EQ(dialogs->messages().back(),
            QStringLiteral("Whether \"member.dcard\" is open in another Galavite as well cannot be known, and another "
                           "Galavite opening it is not told that it is open here. It opens here too; a save here or "
                           "there asks before it replaces what the other saved."));
        EXPECT_EQ(dialogs->lastInformative(),
            QStringLiteral("Its lock %1 is held by another program.").arg(DesignLock::lockFileFor(member)));
        ASSERT_TRUE(main.Save_project_file(false, false));
        EXPECT_EQ(dialogs->messages().size(), messages);
        EXPECT_EQ(lockOf(member), QByteArray());
        held.letGo();
        ASSERT_TRUE(main.Save_project_file(false, false));
        EXPECT_EQ(lockOf(member), mine);
        main.New_Project_Setting_Reset();
    }
    // Another computer's entry is named as perhaps ended.
    ASSERT_TRUE(HostilePictures::writeFile(DesignLock::lockFileFor(member), "elsewhere\n42\n"));
    ASSERT_EQ(open(member), 1);
    ASSERT_EQ(dialogs->messages().size(), ++messages);
    EXPECT_TRUE(dialogs->messages().back().startsWith(
        QStringLiteral("\"member.dcard\" may be open in another Galavite: it is listed as open by process 42 on "
                       "elsewhere, another computer, where that program may have ended without closing it;")));
    main.New_Project_Setting_Reset();
    ASSERT_TRUE(QFile::remove(DesignLock::lockFileFor(member)));

    const ReadOnlyFolder readOnly(
        [&](const QString& where) { QFile::copy(member, where + QStringLiteral("/kept.dcard")); });
    if (readOnly.path().isEmpty())
        GTEST_SKIP() << "no folder here refuses writes";
    ASSERT_EQ(open(readOnly.filePath(QStringLiteral("kept.dcard"))), 1);
    EXPECT_EQ(dialogs->messages().size(), messages);
    EXPECT_EQ(Project_File_Name, readOnly.filePath(QStringLiteral("kept.dcard")));
}

// Designs named on the command line open without the start dialog, which follows when none opens.
// The window holds one: the first that opens, and one alert names the others and why.
TEST_F(MainWindowTest, DesignsNamedOnTheCommandLineOpenWithoutTheStartDialog)
{
    SKTWindowController& first = start();
    first.action(QStringLiteral("Tool_3"))->trigger();
    const QString member = folder.filePath(QStringLiteral("member.dcard"));
    dialogs->fileAnswers = { member };
    ASSERT_TRUE(first.Save_project_file(false, false));
    const QString second = folder.filePath(QStringLiteral("second.dcard"));
    ASSERT_TRUE(QFile::copy(member, second));
    window.reset();
    const QString missing = folder.filePath(QStringLiteral("missing.dcard"));

    const QString started = QDir::currentPath();
    QDir::setCurrent(folder.path());
    window = std::make_unique<SKTWindowController>();
    size_t messages = dialogs->messages().size();
    const auto result = window->awakeFromNib({ missing, QStringLiteral("member.dcard"), second });
    QDir::setCurrent(started);
    ASSERT_EQ(result, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(startRuns, 1);
    EXPECT_EQ(Project_File_Name, member);
    EXPECT_EQ(window->Get_Front_Control_Count(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Galavite ( member.dcard )[*]"));
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(second)));
    ASSERT_EQ(dialogs->messages().size(), ++messages);
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\n\"member.dcard\" is opened; the window holds one design at a time."));
    EXPECT_EQ(dialogs->lastInformative(),
        QStringLiteral("%1: The design cannot be opened. No such file or directory.\n" // not "corrupt"
                       "%2: Not opened: the window holds one design at a time.")
            .arg(missing, second));

    // A thousand names: the first opens, the rest are listed in the one alert's details.
    QStringList named { member };
    for (int i = 0; i < 999; ++i)
        named.append(i % 2 ? second : folder.filePath(QStringLiteral("gone%1.dcard").arg(i)));
    window = std::make_unique<SKTWindowController>();
    ASSERT_EQ(window->awakeFromNib(named), SKTWindowController::StartResult::Ready);
    EXPECT_EQ(Project_File_Name, member);
    EXPECT_FALSE(QFile::exists(DesignLock::lockFileFor(second)));
    ASSERT_EQ(dialogs->messages().size(), ++messages);
    EXPECT_TRUE(dialogs->messages().back().endsWith(
        QStringLiteral("999 designs named are not opened; the details name each and why.")));
    EXPECT_EQ(dialogs->lastDetails().count(QStringLiteral("Not opened: the window holds one design at a time.")), 999);

    // A thousand missing names: one alert, the start dialog, and one line on standard error
    // rather than a line or two for each name the alert already names.
    named.clear();
    for (int i = 0; i < 1000; ++i)
        named.append(folder.filePath(QStringLiteral("gone%1.dcard").arg(i)));
    window = std::make_unique<SKTWindowController>();
    testing::internal::CaptureStderr();
    const auto started1000 = window->awakeFromNib(named);
    const QString log = QString::fromStdString(testing::internal::GetCapturedStderr());
    ASSERT_EQ(started1000, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(log.count(QStringLiteral("gone")), 0) << log.toStdString();
    EXPECT_EQ(log.count(QStringLiteral("1000 of the 1000 designs named on the command line not opened")), 1)
        << log.toStdString();
    EXPECT_EQ(startRuns, 2);
    EXPECT_TRUE(Project_File_Name.isEmpty());
    ASSERT_EQ(dialogs->messages().size(), ++messages);
    EXPECT_TRUE(dialogs->messages().back().startsWith(
        QStringLiteral("\nNo design named on the command line could be opened.")));
    EXPECT_EQ(dialogs->lastDetails().count(QStringLiteral("No such file or directory")), 1000);
}
