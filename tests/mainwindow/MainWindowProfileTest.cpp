#include "MainWindowFixture.h"

#include "ProfileBrowse.h"

#include "canvas/SKTGraphicView.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "data/XlsxTestSupport.h"
#include "export/ExportWindow.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/Import_Wizard.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "inspector/DataSourcePage.h"
#include "inspector/PropertiesInspector.h"
#include "jobs/DataBinding.h"
#include "library/PictureBrowser.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "profiles/User_Profile_Class.h"
#include "profilewindows/Show_User_Profile.h"
#include "profilewindows/User_profile.h"
#include "support/Patience.h"
#include "wizards/CardSizeFields.h"
#include "wizards/Card_Wizard.h"
#include "wizards/Template_Wizard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

using Field = User_Profile_Class::Field;

SKTGraphicPtr objectWithID(const SKTDocument::Graphics& graphics, const QString& id)
{
    for (const SKTGraphicPtr& graphic : graphics) {
        if (graphic->control_ID == id)
            return graphic;
    }
    return nullptr;
}

// The objects' archives by what they hold, whatever bytes lay them out.
QList<PlistValue> contentsOf(const SKTDocument::Graphics& graphics)
{
    QList<PlistValue> contents;
    for (const SKTGraphicPtr& graphic : graphics)
        contents.append(PropertyList::read(graphic->archivedData()));
    return contents;
}

QString savedPicture(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(path);
    return path;
}

QByteArray archiveOf(const SKTDocument::Graphics& graphics)
{
    QByteArray bytes;
    for (const SKTGraphicPtr& graphic : graphics)
        bytes += graphic->archivedData();
    return bytes;
}

class MainWindowProfileTest : public MainWindowTest
{
protected:
    void TearDown() override
    {
        Fill_User_Profile = false;
        MainWindowTest::TearDown();
    }

    void fillEveryField(User_Profile_Class& profile)
    {
        for (int i = 0; i < User_Profile_Class::FieldCount; ++i)
            profile.fields[i].value = QStringLiteral("Value %1").arg(i);
        profile[Field::image].value = savedPicture(folder);
    }
};

TEST_F(MainWindowProfileTest, EveryFieldLandsOnItsPlaceholderOnLandscapeAndPortraitCards)
{
    SKTWindowController& main = start();
    const QRectF landscape[] = { { 80, 12, 160, 18 }, { 80, 32, 160, 14 }, { 80, 48, 160, 14 }, { 80, 64, 160, 14 },
        { 80, 84, 160, 14 }, { 12, 102, 110, 14 }, { 130, 102, 110, 14 }, { 12, 120, 110, 14 }, { 130, 120, 110, 14 },
        { 12, 84, 56, 14 }, { 12, 12, 56, 68 } };
    // A portrait card twice the template's size: every placeholder doubled.
    const QRectF portrait[] = { { 24, 180, 240, 36 }, { 24, 220, 240, 28 }, { 24, 252, 240, 28 }, { 24, 284, 240, 28 },
        { 24, 316, 240, 28 }, { 24, 348, 240, 28 }, { 24, 380, 240, 28 }, { 24, 412, 240, 28 }, { 24, 444, 240, 28 },
        { 24, 476, 240, 24 }, { 84, 24, 120, 144 } };
    Fill_User_Profile = true;
    fillEveryField(*main.Front_user_profile);
    fillEveryField(*main.Back_user_profile);
    const QString pictureBefore = Library_Selected_Image;

    main.SetDocumentCanvasSize(QSizeF(252, 144));
    main.Fill_User_profile_info_front_side();
    main.SetDocumentCanvasSize(QSizeF(288, 504));
    main.Fill_User_profile_info_back_side();
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        const QString id = User_Profile_Class::controlID(Field(i));
        const SKTGraphicPtr front = objectWithID(main.Get_Front_Controls_Array(), id);
        const SKTGraphicPtr back = objectWithID(main.Get_Back_Controls_Array(), id);
        ASSERT_TRUE(front && back) << id.toStdString();
        // The 30 x 40 photo keeps its proportions inside its placeholder.
        const auto expected = [i](const QRectF& placeholder) {
            return Field(i) != Field::image
                ? placeholder
                : QRectF(placeholder.topLeft(), QSizeF(30, 40).scaled(placeholder.size(), Qt::KeepAspectRatio));
        };
        EXPECT_EQ(front->bounds(), expected(landscape[i])) << id.toStdString();
        EXPECT_EQ(back->bounds(), expected(portrait[i])) << id.toStdString();
        EXPECT_TRUE(front->ctrl_is_visible);
    }
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), User_Profile_Class::FieldCount);
    // The photo is placed last, with the image tool; the user's tool and picture are back after it.
    EXPECT_EQ(main.Selected_Control_Tool(), SKTWindowController::ArrowTool);
    EXPECT_EQ(Library_Selected_Image, pictureBefore);
}

TEST_F(MainWindowProfileTest, EmptiedFieldsAreHiddenAndShowAgainWhereTheyWere)
{
    SKTWindowController& main = start();
    User_Profile_Class& profile = *main.Front_user_profile;
    Fill_User_Profile = true;
    fillEveryField(profile);
    main.Fill_User_profile_info_front_side();
    const SKTGraphicPtr name = objectWithID(main.Get_Front_Controls_Array(), "Fup_Name");
    const SKTGraphicPtr photo = objectWithID(main.Get_Front_Controls_Array(), "Fup_Photo");
    ASSERT_TRUE(name && photo);
    name->setBounds(QRectF(5, 6, 70, 20));

    profile.Reset_All_Values();
    profile[Field::Title].value = QStringLiteral("Chief");
    main.Fill_User_profile_info_front_side();
    EXPECT_FALSE(name->ctrl_is_visible);
    EXPECT_FALSE(photo->ctrl_is_visible);
    EXPECT_TRUE(objectWithID(main.Get_Front_Controls_Array(), "Fup_Title")->ctrl_is_visible);
    EXPECT_EQ(main.Selected_Control_Tool(), SKTWindowController::ArrowTool);

    profile[Field::Name].value = QStringLiteral("Ann");
    profile[Field::image].value = savedPicture(folder);
    main.Fill_User_profile_info_front_side();
    EXPECT_TRUE(name->ctrl_is_visible);
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_EQ(name->Text_Value, QStringLiteral("Ann"));
    EXPECT_EQ(name->bounds(), QRectF(5, 6, 70, 20));
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), User_Profile_Class::FieldCount);
}

TEST_F(MainWindowProfileTest, OnlyAConfirmedDialogOpensTheFrontAndBackButTheExcelStepAlwaysRuns)
{
    SKTWindowController& main = start();
    QComboBox& sources = *main.inspector().datasource_tab->Data_source_type;
    while (sources.count() > 2)
        sources.removeItem(2);
    main.Front_user_profile->fields[Field::Name].value = QStringLiteral("Ann");
    main.TEMP_user_profile->fields[Field::Name].value = QStringLiteral("Scratch");
    Excel_Binding_Use = true;
    main.Fill_User_profile_info_front_side();
    main.Fill_User_profile_info_back_side();
    EXPECT_EQ(sources.count(), 3);
    EXPECT_TRUE(main.Get_Front_Controls_Array().isEmpty());
    main.Fill_User_profile_info_TEMP_side();
    EXPECT_TRUE(objectWithID(main.Get_Temp_Controls_Array(), "Fup_Name"));

    Excel_Binding_Use = false;
    Fill_User_Profile = true;
    main.Fill_User_profile_Details();
    EXPECT_EQ(sources.count(), 2);
    EXPECT_TRUE(objectWithID(main.Get_Front_Controls_Array(), "Fup_Name"));

    // A new design closes the gate and empties the records.
    main.New_Project_Setting_Reset();
    EXPECT_FALSE(Fill_User_Profile);
    EXPECT_TRUE(main.Front_user_profile->fields[Field::Name].value.isEmpty());
}

TEST_F(MainWindowProfileTest, PlacedObjectsCarryTheBindingOfTheirSource)
{
    SKTWindowController& main = start();
    User_Profile_Class& profile = *main.Front_user_profile;
    Fill_User_Profile = true;
    profile[Field::Name].value = QStringLiteral("Ann");
    profile[Field::Name].ds = true;
    profile[Field::Name].ds_name = QStringLiteral("Names");
    profile[Field::Name].ds_indx = 2;
    profile[Field::phone].value = QStringLiteral("555");
    profile[Field::phone].xl = true;
    profile[Field::phone].xl_col_indx = 3;
    profile[Field::fax].value = QStringLiteral("777");
    main.Fill_User_profile_info_front_side();
    const auto& side = main.Get_Front_Controls_Array();
    const SKTGraphicPtr name = objectWithID(side, "Fup_Name");
    const SKTGraphicPtr phone = objectWithID(side, "Fup_PhoneNO");
    const SKTGraphicPtr fax = objectWithID(side, "Fup_FaxNo");
    ASSERT_TRUE(name && phone && fax);
    EXPECT_EQ(name->data_source_type, 1);
    EXPECT_EQ(name->batch_list_name, QStringLiteral("Names"));
    EXPECT_EQ(name->batch_list_index, 2);
    EXPECT_FALSE(name->excel_binding);
    EXPECT_EQ(phone->data_source_type, 2);
    EXPECT_TRUE(phone->excel_binding);
    EXPECT_EQ(phone->excel_col_indx, 3);
    EXPECT_EQ(fax->data_source_type, 0);

    // Typed in again: the old binding goes, so a batch run leaves the typed value alone.
    profile.Reset_All_Values();
    profile[Field::Name].value = QStringLiteral("Bob");
    profile[Field::phone].value = QStringLiteral("556");
    main.Fill_User_profile_info_front_side();
    EXPECT_EQ(name->data_source_type, 0);
    EXPECT_TRUE(name->batch_list_name.isEmpty());
    EXPECT_EQ(phone->data_source_type, 0);
    EXPECT_FALSE(phone->excel_binding);
}

TEST_F(MainWindowProfileTest, TheProfileButtonPlacesWhatTheDialogWasGiven)
{
    SKTWindowController& main = start();
    const QString series = QStringLiteral("Profile button titles");
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(series), { QStringLiteral("Director"), QStringLiteral("Clerk") }, true));
    const QString photo = savedPicture(folder);
    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        EXPECT_EQ(profile->windowTitle(), QStringLiteral("Front Side User Profile Information"));
        profile->row(Field::Name).value->setText(QStringLiteral("Ann Smith"));
        profile->row(Field::Title).ds_combo->setCurrentIndex(1);
        profile->row(Field::Title).ser_col_cb->setCurrentText(series);
        profile->Set_User_Image(photo);
        profile->OK_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    deleteSeries(series);

    EXPECT_TRUE(Fill_User_Profile);
    const auto& side = main.Get_Front_Controls_Array();
    ASSERT_EQ(side.size(), 3);
    const SKTGraphicPtr name = objectWithID(side, "Fup_Name");
    const SKTGraphicPtr title = objectWithID(side, "Fup_Title");
    const SKTGraphicPtr image = objectWithID(side, "Fup_Photo");
    ASSERT_TRUE(name && title && image);
    EXPECT_EQ(name->Text_contents()->string, QStringLiteral("Ann Smith"));
    EXPECT_EQ(title->Text_Value, QStringLiteral("Director"));
    EXPECT_EQ(title->data_source_type, 1);
    EXPECT_EQ(title->batch_list_name, series);
    EXPECT_EQ(image->Text_Value, photo);
    EXPECT_EQ(image->FilePath(), photo);
    EXPECT_TRUE(main.frontCanvasBounds().contains(image->bounds()));
}

// The fields are placed with the text tool, but the tool the toolbar shows is the one in
// effect afterwards: the next drag moves what it grabs and makes no new object.
TEST_F(MainWindowProfileTest, AfterTheProfileADragMovesTheObjectItGrabsAndMakesNone)
{
    SKTWindowController& main = start();
    main.show();
    QApplication::processEvents();
    last_ctrl_X = last_ctrl_Y = 10.0f;
    main.findChild<QToolButton*>(QStringLiteral("Tool_3"))->click();
    SKTGraphicView* front = main.canvasOfSide(SKTDocument::Side::Front);
    ASSERT_EQ(front->graphics().size(), 1);
    const SKTGraphicPtr shape = front->graphics().front();
    ASSERT_EQ(shape->bounds(), QRectF(30, 30, 50, 50));
    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        profile->row(Field::Name).value->setText(QStringLiteral("Ann Smith"));
        profile->OK_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    ASSERT_EQ(front->graphics().size(), 2);
    EXPECT_EQ(main.Selected_Control_Tool(), SKTWindowController::ArrowTool);
    EXPECT_TRUE(main.action(QStringLiteral("Tool_%1").arg(main.Selected_Control_Tool()))->isChecked());
    main.document().undoManager().checkpoint();

    const auto send = [front](QEvent::Type type, const QPointF& cardPoint, Qt::MouseButtons buttons) {
        const QPointF at = front->widgetPointFromCard(cardPoint);
        QMouseEvent event(type, at, front->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(front, &event);
    };
    send(QEvent::MouseButtonPress, { 55, 55 }, Qt::LeftButton);
    send(QEvent::MouseMove, { 65, 60 }, Qt::LeftButton);
    send(QEvent::MouseMove, { 75, 65 }, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, { 75, 65 }, Qt::NoButton);
    EXPECT_EQ(shape->bounds(), QRectF(50, 40, 50, 50));
    EXPECT_EQ(front->graphics().size(), 2);
}

// What one OK places is one undo step: Undo takes every placed field away (and puts back a
// field the profile changed), Redo places them again.
TEST_F(MainWindowProfileTest, UndoAfterTheProfileTakesAllItPlacedAway)
{
    SKTWindowController& main = start();
    Fill_User_Profile = true;
    main.Front_user_profile->fields[Field::Name].value = QStringLiteral("Ann");
    main.Fill_User_profile_info_front_side();
    main.document().undoManager().checkpoint();
    const SKTGraphicPtr name = objectWithID(main.Get_Front_Controls_Array(), "Fup_Name");
    ASSERT_TRUE(name);
    const QList<PlistValue> before = contentsOf(main.Get_Front_Controls_Array());
    const QString photo = savedPicture(folder);
    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        profile->row(Field::Name).value->setText(QStringLiteral("Bob"));
        profile->row(Field::Company_name).value->setText(QStringLiteral("Example Ltd"));
        profile->row(Field::phone).value->setText(QStringLiteral("555 0100"));
        profile->Set_User_Image(photo);
        profile->OK_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    ASSERT_EQ(main.Get_Front_Controls_Array().size(), 4);
    EXPECT_EQ(name->Text_contents()->string, QStringLiteral("Bob"));
    const QList<PlistValue> placed = contentsOf(main.Get_Front_Controls_Array());
    QAction* undo = main.action(QStringLiteral("Undo_btn"));
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Profile"));
    EXPECT_TRUE(main.isWindowModified());

    undo->trigger();
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 1);
    EXPECT_EQ(contentsOf(main.Get_Front_Controls_Array()), before);
    main.action(QStringLiteral("Redo_btn"))->trigger();
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 4);
    EXPECT_EQ(contentsOf(main.Get_Front_Controls_Array()), placed);
    undo->trigger();
    EXPECT_EQ(contentsOf(main.Get_Front_Controls_Array()), before);
}

// A profile typed in is not dropped by Cancel, Escape or the close button without a question
// whose default keeps the window open with it; Don't Save drops it and Save places it.
TEST_F(MainWindowProfileTest, ClosingAfterTypingAsksAndItsDefaultKeepsTheTyping)
{
    SKTWindowController& main = start();
    Fill_User_Profile = true;
    const QByteArray before = archiveOf(main.Get_Front_Controls_Array());
    const QString question = QStringLiteral("Do you want to place the profile you typed before closing?");
    const auto questions = [&] {
        int count = 0;
        for (const auto& asked : dialogs->asked())
            count += asked.kind == QLatin1String("choice") && asked.text == question ? 1 : 0;
        return count;
    };
    const auto openProfile = [&](const std::function<void(Show_User_Profile&)>& act) {
        otherModal = [&](QDialog& dialog) {
            auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
            if (!profile)
                return 0;
            profile->setResult(-1);
            act(*profile);
            return profile->result();
        };
        main.action(QStringLiteral("Profile_Btn"))->trigger();
        otherModal = nullptr;
    };

    // Nothing typed: Cancel closes at once.
    openProfile([](Show_User_Profile& profile) { profile.Cancel_Btn_Clicked(); });
    EXPECT_EQ(questions(), 0);

    openProfile([&](Show_User_Profile& profile) {
        profile.show();
        QTest::keyClicks(profile.row(Field::Name).value, QStringLiteral("Ann Smith"));
        QTest::keyClicks(profile.row(Field::address).value, QStringLiteral("1 High Street"));
        // The question's default (Escape on it) is Cancel: the window and the typing stay.
        dialogs->choiceAnswers = { -1 };
        QTest::keyClick(&profile, Qt::Key_Escape);
        EXPECT_EQ(questions(), 1);
        EXPECT_TRUE(profile.isVisible());
        EXPECT_EQ(profile.row(Field::Name).value->text(), QStringLiteral("Ann Smith"));
        dialogs->choiceAnswers = { 2 };
        profile.close(); // the title bar's close button
        EXPECT_EQ(questions(), 2);
        EXPECT_TRUE(profile.isVisible());
        dialogs->choiceAnswers = { 1 }; // Don't Save
        profile.Cancel_Btn_Clicked();
        EXPECT_EQ(questions(), 3);
        EXPECT_EQ(profile.result(), 0);
    });
    EXPECT_EQ(archiveOf(main.Get_Front_Controls_Array()), before);
    EXPECT_FALSE(main.isWindowModified());

    openProfile([&](Show_User_Profile& profile) {
        QTest::keyClicks(profile.row(Field::Name).value, QStringLiteral("Bob Jones"));
        dialogs->choiceAnswers = { 0 }; // Save
        profile.Cancel_Btn_Clicked();
        EXPECT_EQ(profile.result(), 1);
    });
    EXPECT_EQ(questions(), 4);
    const SKTGraphicPtr name = objectWithID(main.Get_Front_Controls_Array(), "Fup_Name");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->Text_Value, QStringLiteral("Bob Jones"));
    EXPECT_TRUE(main.isWindowModified());
}

TEST_F(MainWindowProfileTest, APreviewThenCancelLeavesTheCardAsItWas)
{
    SKTWindowController& main = start();
    Fill_User_Profile = true;
    main.Front_user_profile->fields[Field::Name].value = QStringLiteral("Ann");
    main.Front_user_profile->fields[Field::email].value = QStringLiteral("ann@example.org");
    main.Fill_User_profile_info_front_side();
    objectWithID(main.Get_Front_Controls_Array(), "Fup_EmailID")->Set_Ctrl_Is_Visible(false);
    main.selectTool(SKTWindowController::ArrowTool);
    Library_Selected_Image = QStringLiteral("/pictures/next.png");
    last_ctrl_X = 33;
    last_ctrl_Y = 44;
    const QByteArray before = archiveOf(main.Get_Front_Controls_Array());
    const int toolBefore = main.Selected_Control_Tool();
    const QString photo = savedPicture(folder);

    int previews = 0;
    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        EXPECT_EQ(profile->row(Field::Name).value->text(), QStringLiteral("Ann"));
        EXPECT_TRUE(profile->row(Field::email).value->text().isEmpty()); // hidden: not loaded
        profile->row(Field::Name).value->setText(QStringLiteral("Bob"));
        profile->row(Field::website).value->setText(QStringLiteral("example.org"));
        profile->Set_User_Image(photo);
        for (int run = 0; run < 2; ++run) {
            profile->Preview_Btn_Clicked();
            ++previews;
        }
        EXPECT_FALSE(profile->Preivew_picture->pixmap().isNull());
        EXPECT_EQ(objectWithID(profile->Graphics_array, "Fup_Name")->Text_Value, QStringLiteral("Bob"));
        dialogs->choiceAnswers = { 1 }; // Don't Save
        profile->Cancel_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    EXPECT_EQ(previews, 2);
    EXPECT_EQ(archiveOf(main.Get_Front_Controls_Array()), before);
    EXPECT_EQ(main.Get_Front_Controls_Array().size(), 2);
    EXPECT_EQ(main.Selected_Control_Tool(), toolBefore);
    EXPECT_EQ(Library_Selected_Image, QStringLiteral("/pictures/next.png"));
    EXPECT_EQ(last_ctrl_X, 33);
    EXPECT_EQ(last_ctrl_Y, 44);
    EXPECT_EQ(main.Front_user_profile->fields[Field::Name].value, QStringLiteral("Ann"));
    EXPECT_TRUE(main.Back_user_profile->fields[Field::Name].value.isEmpty());
}

// The profile window's picture of the card is the first card, as the canvas shows it: a bound
// text shows its series' first value, not the text typed before it was bound.
TEST_F(MainWindowProfileTest, ThePreviewShowsTheFirstCardOfABoundText)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    writeSeries(QStringLiteral("names"), "WWWWWWWW\n");
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 220, 60));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(30);
    text->text_ctrl_font = font;
    text->txt_clr = Qt::red;
    text->Text_contents()->setString(QStringLiteral("."));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("names");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    int red = -1;
    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        const QImage preview = profile->Preivew_picture->pixmap().toImage();
        red = 0;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x) {
                const QColor pixel = preview.pixelColor(x, y);
                red += pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80 ? 1 : 0;
            }
        profile->Cancel_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    // Eight capitals at 30 points against a full stop: hundreds of pixels against a few, even
    // with the card scaled down to the preview.
    EXPECT_GT(red, 150);
}

// A workbook chosen in the profile belongs to the design only once OK takes it: Cancel leaves
// the design unchanged, unmarked, and its next save without the workbook.
TEST_F(MainWindowProfileTest, AWorkbookChosenInTheProfileThenCancelLeavesTheDesignAsItWas)
{
    SKIP_WITHOUT_OPENPYXL();
    constexpr int rows = 400;
    const QString workbook = folder.filePath(QStringLiteral("guests.xlsx"));
    xlsxtest::runPython(QStringLiteral("import sys, openpyxl\n"
                                       "wb = openpyxl.Workbook()\n"
                                       "wb.active.append(['Name', 'Photo'])\n"
                                       "for row in range(1, int(sys.argv[2]) + 1):\n"
                                       "    wb.active.append(['Guest %d' % row, 'm%03d.png' % row])\n"
                                       "wb.save(sys.argv[1])\n"),
        { workbook, QString::number(rows) });
    QFile::copy(savedPicture(folder), folder.filePath(QStringLiteral("m001.png")));
    SKTWindowController& main = start();
    const QString design = folder.filePath(QStringLiteral("party.dcard"));
    dialogs->fileAnswers = { design };
    main.Save_Btn_Clicked();
    ASSERT_FALSE(main.hasUnsavedChanges());
    const QStringList titlesBefore = main.spreadsheet->columnTitles();

    const auto chooseWorkbook = [&](bool ok) {
        otherModal = [&, ok](QDialog& dialog) {
            if (auto* cells = qobject_cast<Import_Excel*>(&dialog)) {
                for (int column = 0; column < 2; ++column)
                    cells->chooser->columns().setData(cells->chooser->columns().index(column, SheetColumnsModel::State),
                        Qt::Checked, Qt::CheckStateRole);
                cells->OKPressed();
                return cells->result();
            }
            auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
            if (!profile)
                return 0;
            dialogs->fileAnswers = { workbook };
            profile->Browse_excel_Btn_Clicked();
            EXPECT_EQ(main.spreadsheet->ListData.size(), rows);
            if (ok) {
                // The photo bound to the column of bare names beside the workbook: the preview
                // draws it at once, as the photo box shows it.
                profile->row(Field::image).ds_combo->setCurrentIndex(2);
                emit profile->row(Field::image).ds_combo->activated(2);
                EXPECT_FALSE(profile->user_picture->pixmap().isNull());
                profile->Preview_Btn_Clicked();
                const SKTGraphicPtr photo = objectWithID(profile->Graphics_array, "Fup_Photo");
                const QImage preview = profile->Preivew_picture->pixmap().toImage();
                const double scale = preview.width() / main.frontCanvasBounds().width();
                EXPECT_EQ(photo ? preview.pixelColor((photo->bounds().center() * scale).toPoint()).name() : "",
                    QColor(Qt::darkGreen).name());
                profile->OK_Btn_Clicked();
            } else {
                profile->Cancel_Btn_Clicked();
            }
            return profile->result();
        };
        main.action(QStringLiteral("Profile_Btn"))->trigger();
        otherModal = nullptr;
    };

    chooseWorkbook(false);
    EXPECT_TRUE(main.spreadsheet->ListData.isEmpty());
    EXPECT_EQ(main.spreadsheet->columnTitles(), titlesBefore);
    EXPECT_TRUE(Excel_Source_Path.isEmpty());
    EXPECT_FALSE(main.hasUnsavedChanges());
    EXPECT_FALSE(main.isWindowModified());
    main.Save_Btn_Clicked();
    DesignContents saved = DesignFile::readFile(design).contents;
    EXPECT_TRUE(saved.excelSourcePath.isEmpty());
    EXPECT_TRUE(saved.rows.empty());
    EXPECT_EQ(saved.columnTitles, titlesBefore);

    // OK takes it: the design holds the workbook and is marked changed.
    chooseWorkbook(true);
    EXPECT_EQ(main.spreadsheet->ListData.size(), rows);
    EXPECT_EQ(Excel_Source_Path, workbook);
    EXPECT_TRUE(main.hasUnsavedChanges());
    Excel_Source_Path.clear();
    Excel_Binding_Use = false;
}

TEST_F(MainWindowProfileTest, ABatchExportOfAProfileCardGivesEachCardItsRowsTitle)
{
    SKTWindowController& main = start();
    const QString series = QStringLiteral("Profile export titles");
    const QStringList titles = { QStringLiteral("Director"), QStringLiteral("Clerk"), QStringLiteral("Driver") };
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(series), titles, true));
    bool exported = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* profile = qobject_cast<Show_User_Profile*>(&dialog)) {
            profile->row(Field::Name).value->setText(QStringLiteral("Ann Smith"));
            profile->row(Field::Title).ds_combo->setCurrentIndex(1);
            profile->row(Field::Title).ser_col_cb->setCurrentText(series);
            profile->OK_Btn_Clicked();
            return profile->result();
        }
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            EXPECT_TRUE(sheet->Export_with_batch_chk->isChecked());
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            return 1;
        }
        // The export-done box.
        exported = true;
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            box->setChecked(false);
        return 0;
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    const auto& side = main.Get_Front_Controls_Array();
    const SKTGraphicPtr name = objectWithID(side, "Fup_Name");
    const SKTGraphicPtr title = objectWithID(side, "Fup_Title");
    ASSERT_TRUE(name && title);
    EXPECT_EQ(title->data_source_type, 1);
    EXPECT_EQ(title->batch_list_name, series);

    dialogs->fileAnswers = { folder.path() };
    main.Export_Button();
    ASSERT_TRUE(patience::eventually([&] { return exported; }));

    const QDir cards(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite")));
    const QStringList files = cards.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files,
        QStringList({ QStringLiteral("Card_1.png"), QStringLiteral("Card_2.png"), QStringLiteral("Card_3.png") }));
    QList<QByteArray> images;
    for (const QString& file : files) {
        QFile card(cards.filePath(file));
        ASSERT_TRUE(card.open(QIODevice::ReadOnly));
        images.append(card.readAll());
        EXPECT_FALSE(images.last().isEmpty());
    }
    // Only the title changes from row to row, so each card must look different.
    EXPECT_NE(images[0], images[1]);
    EXPECT_NE(images[1], images[2]);
    EXPECT_NE(images[0], images[2]);
    // The design shows row 0 again.
    EXPECT_EQ(title->Text_contents()->string, titles[0]);
    EXPECT_EQ(name->Text_contents()->string, QStringLiteral("Ann Smith"));

    // The rows of the run, applied to a copy of the side: the title takes each row's value,
    // the typed name stays.
    QList<SKTGraphicPtr> snapshot;
    for (const SKTGraphicPtr& graphic : side)
        snapshot.append(graphic->clone());
    const SKTGraphicPtr nameCopy = objectWithID(snapshot, "Fup_Name");
    const SKTGraphicPtr titleCopy = objectWithID(snapshot, "Fup_Title");
    ASSERT_TRUE(nameCopy && titleCopy);
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(snapshot, {}, false, {});
    EXPECT_EQ(binding.Total_Batch_Excel_Card, 3);
    const BoundSide bound(snapshot, binding, CardEdge(main.frontCanvasBounds(), Card_Shape), QStringLiteral("front"));
    for (int row = 0; row < 3; ++row) {
        bound.apply(row);
        EXPECT_EQ(titleCopy->Text_contents()->string, titles[row]) << "row " << row;
        EXPECT_EQ(nameCopy->Text_contents()->string, QStringLiteral("Ann Smith")) << "row " << row;
    }
    deleteSeries(series);
}

} // namespace

TEST_F(MainWindowProfileTest, TheNewProfileButtonsPlaceTheProfileOnTheCardThatOpens)
{
    SKTWindowController& main = start();
    bool cancelChooser = false;
    QString workbook; // browsed in the profile, the name bound to the column it starts at
    const auto answerProfile = [&](QDialog& dialog) {
        auto& profile = static_cast<User_profile&>(dialog);
        profile.row(Field::Name).value->setText(QStringLiteral("Ann Smith"));
        profile.row(Field::Company_name).value->setText(QStringLiteral("Smith & Co"));
        if (!workbook.isEmpty()) {
            dialogs->fileAnswers = { workbook };
            profile.Browse_excel_Btn_Clicked();
            profile.row(Field::Name).ds_combo->setCurrentIndex(2);
            emit profile.row(Field::Name).ds_combo->activated(2);
        }
        profile.OK_Btn_Clicked();
        return profile.result();
    };
    otherModal = [&](QDialog& dialog) {
        dialog.setResult(0);
        if (qobject_cast<User_profile*>(&dialog))
            return answerProfile(dialog);
        if (auto* cells = qobject_cast<Import_Excel*>(&dialog)) {
            cells->chooser->Select_ALL_Pressed();
            cells->OKPressed();
        } else if (auto* chooser = qobject_cast<Card_Wizard*>(&dialog)) {
            chooser->User_Profile_Click();
            CardSizeFields& fields = *chooser->fields;
            fields.Category_ComboBox->setCurrentIndex(1);
            emit fields.Category_ComboBox->activated(1);
            fields.ColList->setCurrentRow(5); // the upright badge
            cancelChooser ? chooser->CancelClick() : chooser->OK_Click();
        } else if (auto* browser = qobject_cast<Template_Wizard*>(&dialog)) {
            browser->User_Profile_Click();
            browser->imageBrowser->selectRow(0);
            cancelChooser ? browser->CancelClick() : browser->OK_Click();
        }
        return dialog.result();
    };

    // A cancelled chooser opens no card, so nothing is placed.
    cancelChooser = true;
    main.Open_Card_Size_Chooser();
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);

    cancelChooser = false;
    main.Open_Card_Size_Chooser();
    const QRectF card = main.frontCanvasBounds();
    EXPECT_LT(card.width(), card.height());
    for (const auto* side : { &main.Get_Front_Controls_Array(), &main.Get_Back_Controls_Array() }) {
        const SKTGraphicPtr name = objectWithID(*side, "Fup_Name");
        const SKTGraphicPtr company = objectWithID(*side, "Fup_Company");
        ASSERT_TRUE(name && company);
        EXPECT_EQ(name->Text_contents()->string, QStringLiteral("Ann Smith"));
        EXPECT_EQ(company->Text_contents()->string, QStringLiteral("Smith & Co"));
        EXPECT_TRUE(card.contains(name->bounds()));
    }

    // A workbook browsed in the profile, the name starting past an empty column: Cancel leaves it out.
    workbook = folder.filePath(QStringLiteral("staff.xlsx"));
    const QByteArray rows = "<row><c/><c t=\"str\"><v>Name</v></c></row><row><c/><c t=\"str\"><v>Ann</v></c></row>";
    xlsxtest::writeWorkbook(workbook, { { "S", "sheet1.xml", xlsxtest::sheetXml(rows) } }, "");
    cancelChooser = true;
    EXPECT_FALSE(main.Open_Template_Browser());
    EXPECT_TRUE(Excel_Source_Path.isEmpty() && main.action(QStringLiteral("Undo_btn"))->text() == "&Undo Profile");
    cancelChooser = false;
    // The template's own objects stay, and the profile joins them with the workbook.
    ASSERT_TRUE(main.Open_Template_Browser());
    const SKTGraphicPtr name = objectWithID(main.Get_Front_Controls_Array(), "Fup_Name");
    ASSERT_TRUE(name);
    EXPECT_GT(main.Get_Front_Control_Count(), 2);
    EXPECT_TRUE(main.frontCanvasBounds().contains(name->bounds()));
    EXPECT_TRUE(Excel_Source_Path == workbook && main.inspector().datasource_tab->Data_source_type->count() == 3);
    EXPECT_EQ(main.valueOnFirstCard(*name), QStringLiteral("Ann"));
    EXPECT_EQ(main.valueOnFirstCard(*objectWithID(main.Get_Back_Controls_Array(), "Fup_Name")), QStringLiteral("Ann"));
}

// Every way rows reach the design leaves the canvas, as the screen shows it, drawing the first
// card that a batch export writes: photos bound to a workbook's "Photo" column and to a series,
// each first person's photo a colour of its own.
TEST_F(MainWindowProfileTest, TheCanvasShowsTheFirstExportedCardAfterEveryWayRowsArrive)
{
    SKIP_WITHOUT_OPENPYXL();
    const QMap<QString, QColor> photos { { "blue", QColor(30, 30, 220) }, { "red", QColor(220, 30, 30) } };
    for (auto photo = photos.cbegin(); photo != photos.cend(); ++photo) {
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(photo.value());
        ASSERT_TRUE(picture.save(folder.filePath(photo.key() + ".png")));
        xlsxtest::writeSheetsWorkbook(folder.filePath(photo.key() + ".xlsx"),
            xlsxtest::listOf(QJsonArray { "People",
                QJsonArray { QJsonArray { "Name", "Photo" }, QJsonArray { "First", photo.key() + ".png" } } }));
    }
    const QString blueRows = folder.filePath("blue.xlsx"), redRows = folder.filePath("red.xlsx");
    const auto coloursIn = [&](const QImage& shot) {
        const QImage image = shot.convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        QStringList found;
        for (auto photo = photos.cbegin(); photo != photos.cend(); ++photo)
            if (std::count(pixels, pixels + image.width() * image.height(), photo.value().rgb()) > 200)
                found << photo.key();
        return found.join(u' ');
    };
    SKTWindowController& main = startWithOwnSeriesFolder();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // The screen once the repaints asked for are done, then the first card of a batch export.
    const auto shown = [&] {
        QCoreApplication::processEvents();
        const SKTGraphicView& canvas = *main.currentCanvas();
        const QRect seen = canvas.visibleRegion().boundingRect().translated(canvas.mapTo(&main, QPoint()));
        const QString screen = coloursIn(
            main.screen()->grabWindow(main.winId(), seen.x(), seen.y(), seen.width(), seen.height()).toImage());
        QDir cards(folder.filePath(QStringLiteral("QUON Galavite")));
        exportFrontAsPng(main);
        const QString card = coloursIn(QImage(cards.filePath(QStringLiteral("Card_1.png"))));
        cards.removeRecursively();
        return QStringList { screen, card };
    };
    const auto both = [](const char* colours) { return QStringList { colours, colours }; };
    const auto press = [&](const char* name) {
        main.action(name)->trigger();
        return shown();
    };
    const auto takePhotoColumn = [](auto& profile) {
        profile.row(Field::image).ds_combo->setCurrentIndex(2);
        emit profile.row(Field::image).ds_combo->activated(2);
        profile.OK_Btn_Clicked();
        return profile.result();
    };
    // New Profile… in the size chooser on a workbook, the chooser answered OK or Cancel.
    const auto newProfile = [&](const QString& workbook, bool ok) {
        otherModal = [&, workbook, ok](QDialog& dialog) {
            dialog.setResult(0);
            if (auto* cells = qobject_cast<Import_Excel*>(&dialog)) {
                cells->chooser->Select_ALL_Pressed();
                cells->OKPressed();
            } else if (auto* profile = qobject_cast<User_profile*>(&dialog)) {
                dialogs->fileAnswers = { workbook };
                profile->Browse_excel_Btn_Clicked();
                takePhotoColumn(*profile);
            } else if (auto* chooser = qobject_cast<Card_Wizard*>(&dialog)) {
                chooser->User_Profile_Click();
                ok ? chooser->OK_Click() : chooser->CancelClick();
            }
            return dialog.result();
        };
        main.Open_Card_Size_Chooser();
        return shown();
    };

    browseInProfile(main, *dialogs, otherModal, redRows, "People", takePhotoColumn);
    EXPECT_EQ(shown(), both("red"));
    EXPECT_EQ(newProfile(blueRows, false), both("blue"));
    EXPECT_EQ(main.action("Undo_btn")->text(), "&Undo Import Workbook");
    EXPECT_EQ(press("Undo_btn"), both("red"));
    EXPECT_EQ(press("Redo_btn"), both("blue"));

    // Card › Import… makes the series a picture is bound to.
    auto picture = SKTGraphic::create<SKTImage>();
    picture->setBounds(QRectF(4, 4, 30, 30));
    picture->data_source_type = DataBinding::seriesSource;
    picture->batch_list_name = QStringLiteral("Photo");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { picture }, { 0 });
    otherModal = [&](QDialog& dialog) {
        if (auto* importer = qobject_cast<Import_Wizard*>(&dialog)) {
            importer->chooseSource(Import_Wizard::Spreadsheet);
            importer->Excel_path->setText(redRows);
            importer->OKPressed();
        } else if (auto* columns = qobject_cast<Import_Excel_DataSheet*>(&dialog)) {
            columns->chooser->columns().setData(
                columns->chooser->columns().index(1, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
            columns->OKPressed();
        }
        return dialog.result();
    };
    EXPECT_EQ(press("Import_Btn"), both("blue red"));
    EXPECT_TRUE(seriesExists(QStringLiteral("Photo")));
    EXPECT_EQ(newProfile(redRows, true), both("red"));
    EXPECT_EQ(press("Undo_btn"), both("blue red"));
}
