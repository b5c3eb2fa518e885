#include "MainWindowFixture.h"
#include "TemplateChoice.h"

#include "canvas/SKTGraphicView.h"
#include "common/Globals.h"
#include "data/TemplateStore.h"
#include "dialogs/Review_Form.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "model/SKTLine.h"
#include "model/StoredPaths.h"
#include "platform/ResourceFolder.h"
#include "platform/DesktopOpener.h"
#include "wizards/Export_Template.h"
#include "wizards/Template_Wizard.h"
#include "support/FullFolder.h"
#include "support/OnShow.h"
#include "widgets/ProgressSheetWork.h"
#include "widgets/Send_Modeless.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScopeGuard>
#include <QToolButton>

namespace {

void press(SKTWindowController& main, int tool)
{
    main.findChild<QToolButton*>(QStringLiteral("Tool_%1").arg(tool))->click();
}

// Answers the template-name dialog with a name, and the browser by choosing the user
// template of that name (or cancelling when the name is empty).
std::function<int(QDialog&)> templateWindows(const QString& name, bool userSet = true)
{
    return [name, userSet](QDialog& dialog) {
        dialog.setResult(0);
        if (auto* names = qobject_cast<Export_Template*>(&dialog)) {
            names->template_name->setText(name);
            names->OKPressed();
        } else if (auto* browser = qobject_cast<Template_Wizard*>(&dialog)) {
            if (name.isEmpty()) {
                browser->CancelClick();
                return 0;
            }
            chooseTemplate(*browser, name, userSet);
        }
        return dialog.result();
    };
}

// Points Resource_Path at a folder of the test's own for its lifetime: templates written by a
// test must not land in the resources that other test programs share.
class OwnResources
{
public:
    OwnResources()
        : saved_(Resource_Path)
    {
        Resource_Path = dir_.filePath(QStringLiteral("Resources"));
        QDir().mkpath(TemplateStore::userFolder());
    }
    ~OwnResources() { Resource_Path = saved_; }

private:
    QTemporaryDir dir_;
    QString saved_;
};

PlistArray itemsOfFile(const QString& path)
{
    const DesignFile::ReadResult read = DesignFile::readFile(path);
    EXPECT_EQ(read.status, DesignFile::Status::Loaded) << path.toStdString();
    return DesignFile::items(read.contents);
}

} // namespace

TEST_F(MainWindowTest, ASavedTemplateOpensAsANewUntitledDesignWithEveryObjectEqual)
{
    SKTWindowController& main = start();
    for (int tool : { 1, 2, 3, 14 })
        press(main, tool);
    main.Select_back_side();
    for (int tool : { 4, 2 })
        press(main, tool);
    main.Select_front_side();
    const OwnResources resources;
    const QString ownFile = folder.filePath(QStringLiteral("own.dcard"));
    dialogs->fileAnswers = { ownFile };
    ASSERT_TRUE(main.Save_project_file(false, false));
    press(main, 3); // an unsaved change that saving a template must not clear
    dialogs->fileAnswers.clear();

    otherModal = templateWindows(QStringLiteral("Party"));
    main.action(QStringLiteral("Template_Btn"))->trigger();
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nTemplate exported successfully."));
    EXPECT_EQ(Project_File_Name, ownFile);
    EXPECT_TRUE(main.isWindowModified());

    // The preview holds both sides, one above the other.
    const QImage preview(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    const QSizeF card = main.frontCanvasBounds().size();
    EXPECT_EQ(preview.size(), QSize(qRound(card.width()), 2 * qRound(card.height())));

    const PlistArray stored = itemsOfFile(TemplateStore::userDesignPath(QStringLiteral("Party")));
    // Cancel keeps the unsaved design; Don't Save goes on to the template.
    dialogs->choiceAnswers = { 2 };
    main.action(QStringLiteral("New_Template_Btn"))->trigger();
    EXPECT_EQ(dialogs->asked().back().text, QStringLiteral("Do you want to save changes before opening new document?"));
    EXPECT_EQ(Project_File_Name, ownFile);
    EXPECT_TRUE(main.isWindowModified());
    EXPECT_EQ(main.Get_Front_Control_Count(), 5);
    dialogs->choiceAnswers = { 1 };
    main.action(QStringLiteral("New_Template_Btn"))->trigger();
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Galavite[*]"));
    EXPECT_EQ(main.Get_Front_Control_Count(), 5);
    EXPECT_EQ(main.Get_Back_Control_Count(), 2);
    // A new design with a name of its own; all else is the template's.
    EXPECT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Untitled 2"));
    main.Front_card_Prop->Card_Name = main.Back_card_Prop->Card_Name = QStringLiteral("Untitled");

    const QString reopened = folder.filePath(QStringLiteral("reopened.dcard"));
    dialogs->fileAnswers = { reopened };
    ASSERT_TRUE(main.Save_project_file(false, false));
    EXPECT_EQ(firstDifference(stored, itemsOfFile(reopened)), -1);
}

TEST_F(MainWindowTest, ATemplateThatCannotBeWrittenIsReportedAndNothingIsListed)
{
    SKTWindowController& main = start();
    press(main, 3);
    const OwnResources resources;
    // A plain file where the user-template folder belongs: nothing can be written there.
    QDir(TemplateStore::userFolder()).removeRecursively();
    QFile blocker(TemplateStore::userFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    otherModal = templateWindows(QStringLiteral("Party"));
    main.Export_As_Template_Clicked();
    ASSERT_FALSE(dialogs->messages().empty());
    EXPECT_TRUE(dialogs->messages().back().startsWith(QStringLiteral("\nThe template could not be saved.")));
    EXPECT_FALSE(QFileInfo::exists(TemplateStore::userPreviewPath(QStringLiteral("Party"))));
}

TEST_F(MainWindowTest, ATemplateSavedOntoAFullDiskSaysWhyAndKeepsTheOldTemplate)
{
    SKTWindowController& main = start();
    press(main, 3);
    const OwnResources resources;
    FullFolder disk;
    QDir(TemplateStore::userFolder()).removeRecursively();
    ASSERT_TRUE(QFile::link(disk.path(), TemplateStore::userFolder()));
    otherModal = templateWindows(QStringLiteral("Party"));
    dialogs->yesNoAnswers = { true, true };
    main.Export_As_Template_Clicked();
    ASSERT_EQ(dialogs->messages().back(), QStringLiteral("\nTemplate exported successfully."));
    const auto contents = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray design = contents(TemplateStore::userDesignPath(QStringLiteral("Party")));
    const QByteArray preview = contents(TemplateStore::userPreviewPath(QStringLiteral("Party")));
    ASSERT_FALSE(design.isEmpty());

    press(main, 3);
    disk.fill(1024);
    main.Export_As_Template_Clicked();
    const QString message = dialogs->messages().back();
    EXPECT_TRUE(message.startsWith(QStringLiteral("\nThe template could not be saved.\n"))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(disk.expectedReason())) << message.toStdString();
    EXPECT_EQ(contents(TemplateStore::userDesignPath(QStringLiteral("Party"))), design);
    EXPECT_EQ(contents(TemplateStore::userPreviewPath(QStringLiteral("Party"))), preview);
}

TEST_F(MainWindowTest, ATemplatesPreviewIsDrawnBehindTheProgressSheetWhoseStopSavesNothing)
{
    SKTWindowController& main = start();
    press(main, 3);
    const OwnResources resources;
    Send_Modeless& sheet = *Send_Modeless::defaultInstance();
    // The sheet shows before the preview is drawn, so that Stop comes first.
    const int moment = setProgressSheetDelay(0);
    const auto restore = qScopeGuard([moment] { setProgressSheetDelay(moment); });
    bool stopWhenShown = true;
    int shown = 0;
    const OnShow watcher(sheet, [&] {
        ++shown;
        if (stopWhenShown)
            sheet.Stop_Sending_Pressed();
    });
    otherModal = templateWindows(QStringLiteral("Party"));
    dialogs->yesNoAnswers = { true };
    main.Export_As_Template_Clicked();
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\nSaving the template was stopped. The template was not saved."));
    EXPECT_EQ(QDir(TemplateStore::userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());

    stopWhenShown = false;
    main.Export_As_Template_Clicked();
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nTemplate exported successfully."));
    EXPECT_FALSE(QImage(TemplateStore::userPreviewPath(QStringLiteral("Party"))).isNull());
}

TEST_F(MainWindowTest, ATemplateWithTooManyObjectsNamesTheTemplateNotAHiddenFile)
{
    SKTWindowController& main = start();
    const OwnResources resources;
    SKTDocument::Graphics crowd;
    QList<int> indexes;
    for (int i = 0; i <= DesignFile::maxObjectsPerSide; ++i) {
        crowd.push_back(SKTGraphic::create<SKTLine>());
        indexes.append(i);
    }
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, crowd, indexes);
    otherModal = templateWindows(QStringLiteral("Crowd"));
    main.Export_As_Template_Clicked();
    const QString message = dialogs->messages().back();
    EXPECT_TRUE(message.startsWith(QStringLiteral("\nThe template could not be saved.\n"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("\"%1\" is not written").arg(
        TemplateStore::userDesignPath(QStringLiteral("Crowd")))))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("holds at most 2500 objects"))) << message.toStdString();
    EXPECT_EQ(QDir(TemplateStore::userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(MainWindowTest, StartDialogLeadsToTheBrowserAndBackWhenItIsCancelled)
{
    wizardAnswers.clear();
    std::vector<QString> choices = { "T", "T" };
    startAnswer = [&choices](Start_Card& startDialog) {
        const QString choice = choices.empty() ? QStringLiteral("W") : choices.front();
        if (!choices.empty())
            choices.erase(choices.begin());
        if (choice == QLatin1String("T"))
            startDialog.Using_Template_Click();
        else
            startDialog.Using_Wizard_Click();
    };
    int browserRuns = 0;
    otherModal = [&browserRuns](QDialog& dialog) {
        // The first time the browser is cancelled, the second time the first built-in
        // template is opened.
        return templateWindows(++browserRuns == 1 ? QString() : QStringLiteral("Party Invitation"), false)(dialog);
    };
    SKTWindowController& main = start();
    ASSERT_EQ(startResult, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(startRuns, 2);
    EXPECT_EQ(browserRuns, 2);
    EXPECT_EQ(wizardRuns, 0);
    EXPECT_GT(main.Get_Front_Control_Count(), 0);
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_FALSE(main.isWindowModified());
}

TEST_F(MainWindowTest, ExitAsksAboutSavingThenShowsTheReviewWindow)
{
    QList<QUrl> opened;
    const DesktopOpenerFunction previous = setDesktopOpener([&opened](const QUrl& url) {
        opened.append(url);
        return true;
    });
    SKTWindowController& main = start();
    main.show();
    press(main, 3);
    std::vector<QString> order;
    dialogs->beforeAnswer = [&order](const ScriptedDialogService::Asked& asked) { order.push_back(asked.kind); };
    otherModal = [](QDialog& dialog) {
        auto* review = qobject_cast<Review_Form*>(&dialog);
        if (!review)
            return 0;
        review->OK_Clicked();
        return review->result();
    };
    dialogs->choiceAnswers = { 1 }; // "Don't Save"
    EXPECT_TRUE(main.close());
    setDesktopOpener(previous);
    EXPECT_EQ(order, (std::vector<QString> { "choice", "modal" }));
    // OK in the review window starts no web browser.
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MainWindowTest, ALinkNothingCanOpenIsGivenToCopy)
{
    SKTWindowController& main = start();
    const DesktopOpenerFunction previous = setDesktopOpener([](const QUrl&) { return false; });
    main.action(QStringLiteral("Share_Btn"))->trigger();
    setDesktopOpener(previous);
    EXPECT_TRUE(dialogs->messages().back().endsWith(QStringLiteral(
        "No web browser could be opened. Open this address in one:\n\nhttps://www.example.com/galavite/comments")));
}

// As a user other than the one who built the program: a home of their own, whose resource
// folder was seeded from the shipped one.
TEST_F(MainWindowTest, EveryBuiltInTemplateOpensWithItsPicturesForAnotherUser)
{
    SKTWindowController& main = start();
    QTemporaryDir otherHome;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(otherHome.path()));
    const QString savedResources = Resource_Path;
    Resource_Path = otherHome.filePath(QStringLiteral(".local/share/Galavite/Resources"));
    ASSERT_TRUE(seedResourceFolder(QStringLiteral(GALAVITE_SOURCE_DIR "/resources"), Resource_Path));

    const QStringList previews = TemplateStore::previewsIn(TemplateStore::builtInFolder());
    ASSERT_EQ(previews.size(), 5);
    int pictures = 0;
    for (const QString& preview : previews) {
        SCOPED_TRACE(preview.toStdString());
        otherModal = templateWindows(TemplateStore::nameOf(preview), false);
        ASSERT_TRUE(main.Open_Template_Browser());
        EXPECT_GT(main.Get_Front_Control_Count(), 0);
        for (const Card_PropertyPtr& side : { main.Front_card_Prop, main.Back_card_Prop }) {
            if (!side->Card_fill_chk || side->Card_fill_style != QLatin1String("I"))
                continue;
            ++pictures;
            const QString found = Resolve_Stored_Picture_Path(side->Card_BG_Image_Path);
            EXPECT_TRUE(found.startsWith(Resource_Path + QLatin1Char('/'))) << found.toStdString();
            EXPECT_TRUE(QFileInfo(found).isFile()) << found.toStdString();
            EXPECT_FALSE(side->Card_BG_Image.isNull()) << side->Card_BG_Image_Path.toStdString();
        }
        EXPECT_FALSE(main.grab().isNull());
    }
    EXPECT_GE(pictures, 3);
    Resource_Path = savedResources;
    qputenv("HOME", savedHome);
}

// Every string of a design, the objects' archives opened too.
void collectStrings(const PlistValue& value, QStringList& strings)
{
    if (value.isString()) {
        strings.append(value.toString());
    } else if (value.isData()) {
        const PlistValue inner = PropertyList::read(value.toData());
        if (!inner.isNone())
            collectStrings(inner, strings);
    } else if (value.isArray()) {
        for (const PlistValue& item : value.toArray())
            collectStrings(item, strings);
    } else if (value.isDict()) {
        for (qsizetype i = 0; i < value.toDict().size(); ++i)
            collectStrings(value.toDict().valueAt(i), strings);
    }
}

TEST(BuiltInTemplates, HoldNoAbsolutePathAnywhere)
{
    const QDir shipped(QStringLiteral(GALAVITE_SOURCE_DIR "/resources"));
    const QStringList previews = TemplateStore::previewsIn(shipped.filePath(QStringLiteral("Templates")));
    ASSERT_EQ(previews.size(), 5);
    for (const QString& preview : previews) {
        SCOPED_TRACE(preview.toStdString());
        QStringList strings;
        collectStrings(PropertyList::readFile(TemplateStore::designPathFor(preview)), strings);
        ASSERT_GT(strings.size(), 60);
        for (const QString& text : strings)
            EXPECT_FALSE(text.startsWith(u'/') || text.contains(QStringLiteral("/.local/"))) << text.toStdString();
        EXPECT_TRUE(strings.contains(QStringLiteral("no.png")));
    }
}

// The path of a picture inside the resource folder is stored relative to it, and read back
// as the full path of the reader's own copy; a picture elsewhere keeps its own path.
TEST(StoredPicturePaths, APathInsideTheResourceFolderIsStoredRelative)
{
    const QString saved = Resource_Path;
    QTemporaryDir made;
    Resource_Path = made.path();
    auto inside = SKTGraphic::create<SKTLine>();
    EXPECT_EQ(inside->_file_path, made.filePath(QStringLiteral("no.png")));
    auto outside = SKTGraphic::create<SKTLine>();
    outside->_file_path = QStringLiteral("/srv/pictures/photo.png");
    auto nested = SKTGraphic::create<SKTLine>();
    nested->_file_path = made.filePath(QStringLiteral("Background/a.png"));
    auto sample = SKTGraphic::create<SKTLine>();
    sample->_file_path = QStringLiteral("Default");

    // Another user's folder, holding the same pictures.
    QTemporaryDir reader;
    Resource_Path = reader.path();
    QDir(reader.path()).mkpath(QStringLiteral("Background"));
    for (const char* name : { "no.png", "Background/a.png" }) {
        QFile picture(reader.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    }
    const struct
    {
        SKTGraphicPtr graphic;
        QString stored, readBack;
    } cases[] = { { inside, QStringLiteral("no.png"), reader.filePath(QStringLiteral("no.png")) },
        { outside, QStringLiteral("/srv/pictures/photo.png"), QStringLiteral("/srv/pictures/photo.png") },
        { nested, QStringLiteral("Background/a.png"), reader.filePath(QStringLiteral("Background/a.png")) },
        { sample, QStringLiteral("Default"), QStringLiteral("Default") } };
    for (const auto& [graphic, stored, readBack] : cases) {
        SCOPED_TRACE(stored.toStdString());
        Resource_Path = made.path();
        const QByteArray archive = graphic->archivedData();
        QStringList strings;
        collectStrings(PropertyList::read(archive), strings);
        EXPECT_TRUE(strings.contains(stored));
        Resource_Path = reader.path();
        const SKTGraphicPtr back = SKTGraphic::unarchive(archive);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->_file_path, readBack);
    }
    // A folder that merely starts with the same letters is no part of it.
    EXPECT_EQ(Stored_Picture_Path(reader.path() + QStringLiteral("2/x.png")), reader.path() + QStringLiteral("2/x.png"));
    Resource_Path = saved;
}

TEST(BuiltInTemplates, StoreTheirPicturesRelativeToTheResourceFolder)
{
    const QDir shipped(QStringLiteral(GALAVITE_SOURCE_DIR "/resources"));
    const QStringList previews = TemplateStore::previewsIn(shipped.filePath(QStringLiteral("Templates")));
    ASSERT_GE(previews.size(), 4);
    int pictures = 0;
    for (const QString& preview : previews) {
        const DesignFile::ReadResult read = DesignFile::readFile(TemplateStore::designPathFor(preview));
        ASSERT_EQ(read.status, DesignFile::Status::Loaded) << preview.toStdString();
        for (const Card_PropertyPtr& side : { read.contents.front, read.contents.back }) {
            if (side->Card_fill_style != QLatin1String("I"))
                continue;
            ++pictures;
            const QString stored = side->Card_BG_Image_Path;
            SCOPED_TRACE(stored.toStdString());
            // No builder's home folder, no work folder: a name inside the resources.
            EXPECT_TRUE(QDir::isRelativePath(stored));
            EXPECT_TRUE(QFileInfo(shipped.filePath(stored)).isFile());
        }
    }
    EXPECT_GE(pictures, 3);
}

TEST(StoredPicturePaths, RelativePathsStayInsideTheResourceFolderAndOldAbsoluteOnesStillResolve)
{
    const QString saved = Resource_Path;
    QTemporaryDir resources;
    Resource_Path = resources.path();
    QDir(Resource_Path).mkpath(QStringLiteral("Background"));
    QFile picture(resources.filePath(QStringLiteral("Background/a.png")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.close();
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("Background/a.png")), picture.fileName());
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("../outside.png")), QString());
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("Background/../../outside.png")), QString());
    // A design made elsewhere names that installation's folder: our own copy is used.
    EXPECT_EQ(Resolve_Stored_Picture_Path(QStringLiteral("/home/builder/.local/share/Galavite/Resources/Background/a.png")),
        picture.fileName());
    Resource_Path = saved;
}

TEST_F(MainWindowTest, ADesignWhoseSizeIsNoPresetShowsNoPreset)
{
    SKTWindowController& main = start();
    otherModal = templateWindows(QStringLiteral("Name Badge"), false); // 101.6 x 76.2 mm
    ASSERT_TRUE(main.Open_Template_Browser());
    EXPECT_TRUE(main.ColList->selectedItems().isEmpty());
    main.Update_Card_Graphics();
    EXPECT_EQ(main.Front_card_Prop->Card_Cat_index, -1);
    EXPECT_TRUE(main.Front_card_Prop->Card_Sub_Category.isEmpty());
}
