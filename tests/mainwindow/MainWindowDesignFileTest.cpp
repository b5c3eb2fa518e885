#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "platform/PropertyList.h"
#include "support/SharedReferencePlist.h"

#include <QFile>
#include <QToolButton>

namespace {

void press(SKTWindowController& main, int tool)
{
    main.findChild<QToolButton*>(QStringLiteral("Tool_%1").arg(tool))->click();
}

const QString corrupt = QStringLiteral("\nFile is corrupt and cannot be opened.");

} // namespace

TEST_F(MainWindowTest, SavedDesignReopensWithEveryFieldEqual)
{
    SKTWindowController& main = start();
    for (int tool : { 1, 2, 3, 10, 11, 12, 14 })
        press(main, tool);
    main.Select_back_side();
    for (int tool : { 4, 13, 15, 2 })
        press(main, tool);
    main.Select_front_side();
    const QString picture = folder.filePath(QStringLiteral("party.png"));
    QImage(20, 10, QImage::Format_RGB32).save(picture);
    main.Front_card_Prop->Card_fill_chk = true;
    main.Front_card_Prop->Card_fill_style = QStringLiteral("I");
    main.set_Front_BG_Image(picture);
    main.Front_card_Prop->Card_Size = QSizeF(243, 154);
    main.Front_card_Prop->Card_Shape = QStringLiteral("E");
    Excel_Binding_Use = true;
    Excel_Source_Path = QStringLiteral("/sheets/guests.xlsx");
    main.spreadsheet->rebuildColumnsFromTitles({ "#", "Name", "Table" });
    PlistDict row;
    row.insert(QStringLiteral("Extension"), PlistValue("1"));
    row.insert(QStringLiteral("Column1"), PlistValue("Ada"));
    main.spreadsheet->ListData = { PlistValue(row) };

    const QString path = folder.filePath(QStringLiteral("party.dcard"));
    dialogs->fileAnswers = { path };
    main.Save_Btn_Clicked();
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nInvitation Card Design Log has been saved successfully."));
    EXPECT_EQ(dialogs->asked().back().icon, MessageIcon::Information);
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Galavite ( party.dcard )[*]"));
    DesignContents saved = DesignFile::readFile(path).contents;

    // A new project, then the design opened again.
    main.New_Project_Setting_Reset();
    Excel_Binding_Use = false;
    main.spreadsheet->rebuildColumnsFromTitles({ "#" });
    Card_Shape = 0;
    ASSERT_EQ(main.Get_Front_Control_Count(), 0);
    dialogs->fileAnswers = { path };
    ASSERT_EQ(main.Open_Log_File(), 1);

    EXPECT_EQ(Project_File_Name, path);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Galavite ( party.dcard )[*]"));
    EXPECT_EQ(main.Get_Front_Control_Count(), 7);
    EXPECT_EQ(main.Get_Back_Control_Count(), 4);
    EXPECT_EQ(Card_Shape, 2); // the saved outline comes back
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_FALSE(main.Front_card_Prop->Card_BG_Image.isNull()); // the picture is loaded again
    ASSERT_EQ(main.spreadsheet->ColList.size(), 3);
    EXPECT_EQ(main.spreadsheet->ColList[1].identifier, QStringLiteral("Column1"));
    EXPECT_EQ(main.spreadsheet->ColList[1].title, QStringLiteral("Name"));
    EXPECT_EQ(main.spreadsheet->ColList[2].identifier, QStringLiteral("Column2"));
    EXPECT_EQ(main.spreadsheet->ColList[2].width, 100.0);
    EXPECT_NEAR(main.cardSizeInControl().width(), 85.725, 0.001);
    EXPECT_EQ(main.canvasOfSide(SKTDocument::Side::Back)->cardSize(), QSizeF(243, 154));
    EXPECT_EQ(main.Selected_Control_Tool(), 0);
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_FALSE(main.document().undoManager().canUndo());
    EXPECT_TRUE(main.document().undoManager().isRegistrationEnabled());

    const DesignContents reopened { main.Front_card_Prop, main.Back_card_Prop, Excel_Binding_Use, Excel_Source_Path,
        main.spreadsheet->columnTitles(),
        PlistArray(main.spreadsheet->ListData.cbegin(), main.spreadsheet->ListData.cend()),
        main.Get_Front_Controls_Array(), main.Get_Back_Controls_Array() };
    EXPECT_EQ(firstDifference(DesignFile::items(reopened), DesignFile::items(saved)), -1);
}

TEST_F(MainWindowTest, SaveAsCancelledKeepsTheNameAndTitle)
{
    SKTWindowController& main = start();
    const QString path = folder.filePath(QStringLiteral("first.dcard"));
    dialogs->fileAnswers = { path };
    main.SaveAs_Btn_Clicked();
    ASSERT_EQ(Project_File_Name, path);
    const QString title = main.windowTitle();
    const size_t messages = dialogs->messages().size();

    main.SaveAs_Btn_Clicked(); // the save panel is cancelled
    EXPECT_EQ(Project_File_Name, path);
    EXPECT_EQ(main.windowTitle(), title);
    EXPECT_EQ(dialogs->messages().size(), messages);
}

TEST_F(MainWindowTest, AFailedWriteSaysWhyAndLeavesTheOldFileWhole)
{
    SKTWindowController& main = start();
    Project_File_Name = folder.filePath(QStringLiteral("missing-folder/design.dcard"));
    main.Save_Btn_Clicked();
    EXPECT_TRUE(dialogs->messages().back().startsWith(QStringLiteral("\nThe design could not be saved")));
    EXPECT_EQ(dialogs->asked().back().icon, MessageIcon::Warning);

    const QString path = folder.filePath(QStringLiteral("kept.dcard"));
    Project_File_Name = path;
    main.Save_Btn_Clicked();
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ASSERT_FALSE(before.isEmpty());
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner); // no new file may appear
    main.Save_Btn_Clicked();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (dialogs->messages().back().contains(QStringLiteral("could not be saved"))) { // not when running as root
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        EXPECT_EQ(f.readAll(), before);
    }
}

TEST_F(MainWindowTest, ADamagedFileChangesNothingAndSaysSo)
{
    SKTWindowController& main = start();
    press(main, 3);
    const QString good = folder.filePath(QStringLiteral("good.dcard"));
    Project_File_Name = good;
    main.Save_project_file(false, false);

    PlistArray items = PropertyList::readFile(good).toArray();
    items[61] = PlistValue("5"); // announces more objects than follow
    const QString truncated = folder.filePath(QStringLiteral("truncated.dcard"));
    ASSERT_TRUE(PropertyList::writeFile(truncated, PlistValue(items), PropertyList::Format::Xml));
    items[0] = PlistValue("SOMETHING ELSE");
    const QString wrongMarker = folder.filePath(QStringLiteral("marker.dcard"));
    ASSERT_TRUE(PropertyList::writeFile(wrongMarker, PlistValue(items), PropertyList::Format::Xml));

    // A binary property list whose shared references would multiply into a billion values.
    const QString bomb = folder.filePath(QStringLiteral("bomb.dcard"));
    QFile bombFile(bomb);
    ASSERT_TRUE(bombFile.open(QIODevice::WriteOnly));
    bombFile.write(sharedplist::doublingArrays(29));
    bombFile.close();

    // The box keeps its one sentence and tells why underneath.
    std::vector<std::pair<QString, QString>> reasons { { truncated, QStringLiteral("front object") },
        { wrongMarker, QStringLiteral("The file does not start with the design marker.") },
        { bomb, QStringLiteral("repeats its objects") } };
    // Nesting deep enough to end the program, hidden from a text scan or behind shared objects.
    const QList<QByteArray> deep { sharedplist::hiddenCloseTags(sharedplist::Hiding::ArrayComment, 200000),
        sharedplist::hiddenCloseTags(sharedplist::Hiding::ArrayCdata, 200000),
        sharedplist::hiddenCloseTags(sharedplist::Hiding::DictComment, 200000), sharedplist::chainMetAgainDeeper(200) };
    for (qsizetype i = 0; i < deep.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("deep%1.dcard").arg(i));
        ASSERT_TRUE(writeFileChecked(path, deep[i]));
        reasons.emplace_back(path, QStringLiteral("The property list nests too deeply."));
    }
    for (const auto& [path, reason] : reasons) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 0);
        EXPECT_EQ(dialogs->messages().back(), corrupt);
        EXPECT_TRUE(dialogs->lastInformative().contains(reason)) << dialogs->lastInformative().toStdString();
        EXPECT_EQ(Project_File_Name, good);
        EXPECT_EQ(main.Get_Front_Control_Count(), 1);
        EXPECT_FALSE(Not_Draw_Only_Prop_Change);
        EXPECT_TRUE(main.document().undoManager().isRegistrationEnabled());
    }
}

TEST_F(MainWindowTest, ATemplateLoadsWithoutAFileName)
{
    SKTWindowController& main = start();
    const QString path = folder.filePath(QStringLiteral("template.dcard"));
    Project_File_Name = path;
    main.Save_project_file(false, false);
    EXPECT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("T")), 1);
    EXPECT_EQ(Project_File_Name, QString());
}

TEST_F(MainWindowTest, TheWizardCanOpenASavedDesign)
{
    SKTWindowController& main = start();
    press(main, 4);
    const QString path = folder.filePath(QStringLiteral("saved.dcard"));
    Project_File_Name = path;
    main.Save_project_file(false, false);
    window.reset();

    startAnswer = [](Start_Card& startDialog) { startDialog.Open_Log_Click(); };
    dialogs->fileAnswers = { path };
    SKTWindowController& second = start();
    ASSERT_EQ(startResult, SKTWindowController::StartResult::Ready);
    EXPECT_EQ(Start_Card_Option, QStringLiteral("L"));
    EXPECT_EQ(second.Get_Front_Control_Count(), 1);
    EXPECT_EQ(Project_File_Name, path);
}

TEST_F(MainWindowTest, NoColumnTitlesLeaveTheTableColumnsAsTheyWere)
{
    SKTWindowController& main = start();
    const QString path = folder.filePath(QStringLiteral("no-titles.dcard"));
    Project_File_Name = path;
    main.Save_project_file(false, false);
    PlistArray items = PropertyList::readFile(path).toArray();
    items[59] = PlistValue(PlistArray {});
    ASSERT_TRUE(PropertyList::writeFile(path, PlistValue(items), PropertyList::Format::Xml));

    main.spreadsheet->rebuildColumnsFromTitles({ "#", "Name", "Table", "Seat" });
    ASSERT_EQ(main.Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    EXPECT_EQ(main.spreadsheet->ColList.size(), 4);
    EXPECT_EQ(main.spreadsheet->ColList[3].title, QStringLiteral("Seat"));
}
