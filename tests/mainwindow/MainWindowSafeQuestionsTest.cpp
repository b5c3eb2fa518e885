#include "MainWindowFixture.h"

#include "data/TemplateStore.h"
#include "mainwindow/DesignFile.h"
#include "support/KeyedQuestions.h"
#include "widgets/QtDialogService.h"
#include "wizards/Export_Template.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>

namespace {

void placeRectangle(SKTWindowController& main)
{
    main.findChild<QToolButton*>(QStringLiteral("Tool_2"))->click();
}

class SafeQuestionsTest : public MainWindowTest, public ::testing::WithParamInterface<int>
{ };

// Save As onto the design's own file, as a person at the keyboard: the chooser asks, the key
// answers, and the chooser is then closed with Escape.
TEST_P(SafeQuestionsTest, SaveAsOntoAnExistingDesignKeepsItOnEnterAndEscape)
{
    SKTWindowController& main = start();
    const QString design = folder.filePath(QStringLiteral("mine.dcard"));
    dialogs->fileAnswers = { design };
    ASSERT_TRUE(main.Save_project_file(false, false));
    const QByteArray before = md5Of(design);
    placeRectangle(main);

    std::unique_ptr<DialogService> scripted = setDialogService(std::make_unique<QtDialogService>());
    QString asked;
    whenModalShown<QFileDialog>([&](QFileDialog& chooser) {
        auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name->setText(design);
        pressKeyInNextMessageBox(GetParam(), &asked);
        pressKey(name, Qt::Key_Return);
        pressKey(&chooser, Qt::Key_Escape);
    });
    EXPECT_FALSE(main.Save_project_file(true, true));
    setDialogService(std::move(scripted));
    EXPECT_EQ(asked, QStringLiteral("\"mine.dcard\" already exists. Do you want to replace it?"));
    EXPECT_EQ(md5Of(design), before);
    EXPECT_TRUE(main.isWindowModified());
}

// Another program saved the design since this window did: Enter and Escape keep its file.
TEST_P(SafeQuestionsTest, SavingOverADesignAnotherProgramChangedKeepsItOnEnterAndEscape)
{
    SKTWindowController& main = start();
    const QString design = folder.filePath(QStringLiteral("shared.dcard"));
    dialogs->fileAnswers = { design };
    ASSERT_TRUE(main.Save_project_file(false, false));
    ASSERT_TRUE(DesignFile::write(design, DesignFile::readFile(design).contents));
    const QByteArray theirs = md5Of(design);
    placeRectangle(main);
    {
        KeyedDialogs keyed(GetParam());
        main.action(QStringLiteral("Save_Btn"))->trigger();
        ASSERT_EQ(keyed->questions.size(), 1);
        EXPECT_TRUE(keyed->questions[0].startsWith(QStringLiteral("Another program has changed")));
    }
    EXPECT_EQ(md5Of(design), theirs);
    EXPECT_TRUE(main.isWindowModified());
}

TEST_P(SafeQuestionsTest, SavingATemplateOverAnotherKeepsItOnEnterAndEscape)
{
    SKTWindowController& main = start();
    const QString savedResources = Resource_Path;
    QTemporaryDir resources;
    Resource_Path = resources.filePath(QStringLiteral("Resources"));
    QDir().mkpath(TemplateStore::userFolder());
    const auto name = [](QDialog& dialog) {
        auto& names = dynamic_cast<Export_Template&>(dialog);
        names.setResult(0);
        names.template_name->setText(QStringLiteral("Party"));
        names.OKPressed();
        return names.result();
    };
    otherModal = name;
    main.action(QStringLiteral("Template_Btn"))->trigger();
    const QString stored = TemplateStore::userDesignPath(QStringLiteral("Party"));
    const QByteArray before = md5Of(stored);
    ASSERT_FALSE(before.isEmpty());
    placeRectangle(main);
    {
        KeyedDialogs keyed(GetParam());
        keyed->script.modalHandler = name;
        main.action(QStringLiteral("Template_Btn"))->trigger();
        ASSERT_EQ(keyed->questions.size(), 1);
        EXPECT_TRUE(keyed->questions[0].contains(QStringLiteral("replace the existing template")));
    }
    EXPECT_EQ(md5Of(stored), before);
    Resource_Path = savedResources;
}

// New from Template asks as Close and Open do: Escape cancels, and Enter saves through a
// chooser that is cancelled here; either way the design stays.
TEST_P(SafeQuestionsTest, NewFromTemplateCancelledKeepsTheDesign)
{
    SKTWindowController& main = start();
    placeRectangle(main);
    const int objects = main.Get_Front_Control_Count();
    int browsers = 0;
    otherModal = [&browsers](QDialog&) {
        ++browsers;
        return 0;
    };
    {
        KeyedDialogs keyed(GetParam());
        keyed->script.modalHandler = [this](QDialog& dialog) { return answerModal(dialog); };
        main.action(QStringLiteral("New_Template_Btn"))->trigger();
        ASSERT_EQ(keyed->questions.size(), 1);
    }
    EXPECT_EQ(browsers, 0);
    EXPECT_EQ(main.Get_Front_Control_Count(), objects);
    EXPECT_TRUE(main.isWindowModified());
}

INSTANTIATE_TEST_SUITE_P(EnterAndEscape, SafeQuestionsTest, ::testing::Values(Qt::Key_Return, Qt::Key_Escape));

} // namespace
