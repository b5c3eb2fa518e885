#include "ProfileDialogTestSupport.h"

#include "model/CardGlobals.h"
#include "profilewindows/Show_User_Profile.h"
#include "profilewindows/User_profile.h"
#include "support/HostilePictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

using Field = User_Profile_Class::Field;

namespace {

// Runs a loading open and looks at the dialog while it is up.
void openLoaded(Profile_Dialog& dialog, ScriptedDialogs& dialogs, const std::function<void()>& look)
{
    dialogs->modalHandler = [&](QDialog&) {
        look();
        dialog.Cancel_Btn_Clicked();
        return dialog.result();
    };
    dialog.Open_Wnd(true);
}

} // namespace

TEST_F(ProfileDialogTest, LoadingTakesTheSidesVisibleProfileTextsAndImagesOnly)
{
    SKTGraphicPtr hidden = profileObject(GraphicKind::Text, "Fup_Title", "Hidden");
    hidden->Set_Ctrl_Is_Visible(false);
    host.frontSide = { hidden, profileObject(GraphicKind::Shape, "Fup_Company", "Shape"),
        profileObject(GraphicKind::Signature, "Fup_Photo", "/sign.png"),
        profileObject(GraphicKind::Text, " Fup_Name\n", "Ann"), profileObject(GraphicKind::Text, "fup_address", "Case"),
        profileObject(GraphicKind::Text, "Fup_PhoneNO", "111"), profileObject(GraphicKind::Text, "Fup_PhoneNO", "222"),
        profileObject(GraphicKind::Image, "Fup_Photo", "/missing/me.png") };
    host.backSide = { profileObject(GraphicKind::Text, "Fup_FaxNo", "Back fax") };
    Show_User_Profile dialog(host);
    Card_Front_Or_Back = 0;
    openLoaded(dialog, dialogs, [&] {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Front Side User Profile Information"));
        EXPECT_EQ(dialog.row(Field::Name).value->text(), QStringLiteral("Ann"));
        EXPECT_TRUE(dialog.value_chk[Field::Name]->isChecked());
        EXPECT_TRUE(dialog.row(Field::Title).value->text().isEmpty());
        EXPECT_FALSE(dialog.value_chk[Field::Title]->isChecked());
        EXPECT_TRUE(dialog.row(Field::Company_name).value->text().isEmpty());
        EXPECT_TRUE(dialog.row(Field::address).value->text().isEmpty());
        EXPECT_EQ(dialog.row(Field::phone).value->text(), QStringLiteral("222"));
        EXPECT_TRUE(dialog.row(Field::fax).value->text().isEmpty());
        // A typed photo comes as its path; the well stays empty.
        EXPECT_EQ(dialog.row(Field::image).value->text(), QStringLiteral("/missing/me.png"));
        EXPECT_TRUE(dialog.user_picture->pixmap().isNull());
        EXPECT_FALSE(dialog.Preivew_picture->pixmap().isNull());
    });
    Card_Front_Or_Back = 1;
    openLoaded(dialog, dialogs, [&] {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Back Side User Profile Information"));
        EXPECT_EQ(dialog.row(Field::fax).value->text(), QStringLiteral("Back fax"));
        EXPECT_TRUE(dialog.row(Field::Name).value->text().isEmpty());
    });
    Card_Front_Or_Back = 0;
}

TEST_F(ProfileDialogTest, LoadedBindingsShowTheirFirstValueAndKeepTheirSource)
{
    addRows();
    host.frontSide = { profileObject(GraphicKind::Text, "Fup_Name", "Typed", 1, 0, "Names"),
        profileObject(GraphicKind::Text, "Fup_Company", "Typed", 2, 1),
        profileObject(GraphicKind::Text, "Fup_Title", "Typed", 7),
        profileObject(GraphicKind::Text, "Fup_Website", "Typed", 1, 0, "Gone") };
    Show_User_Profile dialog(host);
    openLoaded(dialog, dialogs, [&] {
        EXPECT_EQ(dialog.row(Field::Name).value->text(), QStringLiteral("Ann"));
        EXPECT_EQ(dialog.row(Field::Name).ser_col_cb->currentText(), QStringLiteral("Names"));
        EXPECT_EQ(dialog.row(Field::Company_name).ds_combo->currentText(), QStringLiteral("Excel"));
        EXPECT_EQ(dialog.row(Field::Company_name).value->text(), QStringLiteral("Acme 1"));
        // An unknown source or a series gone since: no choice, so OK names the field.
        EXPECT_EQ(dialog.row(Field::Title).ds_combo->currentIndex(), -1);
        EXPECT_EQ(dialog.row(Field::website).ser_col_cb->currentIndex(), -1);
        EXPECT_FALSE(dialog.Check_Validation());
        EXPECT_EQ(dialog.checked_field_name, QStringLiteral("Website :"));
    });
    // Without a table a spreadsheet binding still keeps its source.
    table.ListData.clear();
    Show_User_Profile fresh(host);
    openLoaded(fresh, dialogs, [&] {
        EXPECT_EQ(fresh.row(Field::Company_name).ds_combo->currentIndex(), 2);
        EXPECT_EQ(fresh.row(Field::Name).ds_combo->count(), 2);
    });
}

// Bound when "Titles" was the second series; series added and removed since must not rebind
// the field to whatever now stands in that place.
TEST_F(ProfileDialogTest, ABoundSeriesIsFoundByNameAfterSeriesAreAddedAndRemoved)
{
    host.frontSide = { profileObject(GraphicKind::Text, "Fup_Title", "Typed", 1, 1, "Titles") };
    writeSeries(QStringLiteral("Agenda"), "Opening\n");
    writeSeries(QStringLiteral("Numbers"), "17\n");
    ASSERT_TRUE(QFile::remove(Data_Folder_Path + QStringLiteral("/Names.txt")));
    for (const char* added : { "Badges", "Rooms", "Seats" })
        writeSeries(QString::fromLatin1(added), "x\n");
    Show_User_Profile dialog(host);
    openLoaded(dialog, dialogs, [&] {
        EXPECT_EQ(dialog.row(Field::Title).ser_col_cb->currentText(), QStringLiteral("Titles"));
        EXPECT_EQ(dialog.row(Field::Title).value->text(), QStringLiteral("Engineer"));
        ASSERT_TRUE(dialog.Fill_Front_User_profile_value_in_Variable());
    });
    const auto& title = host.records[0].fields[int(Field::Title)];
    EXPECT_TRUE(title.ds);
    EXPECT_EQ(title.ds_name, QStringLiteral("Titles"));
}

TEST_F(ProfileDialogTest, PhotoIsShownTrimmedAndAFileThatIsNoPictureKeepsTheWell)
{
    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("me.png"));
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(photo));
    const QString notPicture = folder.filePath(QStringLiteral("notes.png"));
    QFile text(notPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    User_profile dialog(host);
    dialog.Set_User_Image(QStringLiteral("  ") + photo + QStringLiteral("\n"));
    EXPECT_EQ(dialog.row(Field::image).value->text(), photo);
    EXPECT_FALSE(dialog.user_picture->pixmap().isNull());
    dialog.Set_User_Image(notPicture);
    EXPECT_EQ(dialog.row(Field::image).value->text(), notPicture);
    EXPECT_FALSE(dialog.user_picture->pixmap().isNull());
    dialogs->fileAnswers.push_back(QString());
    dialog.Browse_image_Btn_Clicked();
    EXPECT_EQ(dialog.row(Field::image).value->text(), notPicture);
    EXPECT_TRUE(host.librarySelectedImage.isEmpty());
    dialog.Clear_image_Btn_Clicked();
    EXPECT_TRUE(dialog.row(Field::image).value->text().isEmpty());
    EXPECT_TRUE(dialog.user_picture->pixmap().isNull());

    // A photo from a series: the first value is the path, browsing is off.
    writeSeries(QStringLiteral("Photos"), (photo + QStringLiteral("\n")).toUtf8());
    dialog.row(Field::image).ds_combo->setCurrentIndex(1);
    EXPECT_FALSE(dialog.browse_pic_btn->isEnabled());
    dialog.row(Field::image).ser_col_cb->setCurrentText(QStringLiteral("Photos"));
    EXPECT_EQ(dialog.row(Field::image).value->text(), photo);
    EXPECT_FALSE(dialog.user_picture->pixmap().isNull());
}

// A workbook's photo column holds bare file names of pictures kept beside it, as a print finds
// them; the chooser of that workbook offers every kind the import window opens.
TEST_F(ProfileDialogTest, ABarePhotoNameFromAWorkbookIsShownFromBesideTheWorkbook)
{
    QTemporaryDir folder;
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("m001.png"))));
    PlistDict first;
    first.insert(QStringLiteral("Extension"), QStringLiteral("1"));
    first.insert(QStringLiteral("Column1"), QStringLiteral("m001.png"));
    table.ListData.push_back(PlistValue(first));
    ASSERT_NE(QDir::currentPath(), QDir(folder.path()).absolutePath());

    User_profile dialog(host);
    dialogs->fileAnswers.push_back(QString());
    dialog.Browse_excel_Btn_Clicked();
    const QString offered = dialogs->asked().back().filter;
    for (const char* kind : { "*.xlsx", "*.xlsm", "*.xls " })
        EXPECT_TRUE(offered.contains(QLatin1String(kind))) << offered.toStdString();

    dialog.excel_path_field->setText(folder.filePath(QStringLiteral("members.xlsx")));
    dialog.Add_Excel_in_Data_Source_Combo();
    dialog.row(Field::image).ds_combo->setCurrentIndex(2);
    dialog.row(Field::image).ser_col_cb->setCurrentIndex(1);
    EXPECT_EQ(dialog.row(Field::image).value->text(), QStringLiteral("m001.png"));
    ASSERT_FALSE(dialog.user_picture->pixmap().isNull());
    const QImage shown = dialog.user_picture->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::blue));
}

TEST_F(ProfileDialogTest, APhotoThatIsAFifoCutShortOrOfEndlessScansKeepsTheWell)
{
    QTemporaryDir folder;
    const QString photo = folder.filePath(QStringLiteral("me.png"));
    ASSERT_TRUE(HostilePictures::writeFile(photo, HostilePictures::encoded(HostilePictures::detailed(30, 40), "PNG")));
    const QString fifo = folder.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString half = folder.filePath(QStringLiteral("half.jpg"));
    ASSERT_TRUE(HostilePictures::writeFile(
        half, HostilePictures::cutShort(HostilePictures::encoded(HostilePictures::detailed(300, 200), "JPG"), 0.5)));
    const QString scans = folder.filePath(QStringLiteral("scans.jpg"));
    ASSERT_TRUE(HostilePictures::writeFile(scans, HostilePictures::jpegOfScans(20000)));

    User_profile dialog(host);
    dialog.Set_User_Image(photo);
    const QImage shown = dialog.user_picture->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    for (const QString& hostile : { fifo, half, scans }) {
        dialog.Set_User_Image(hostile);
        EXPECT_EQ(dialog.row(Field::image).value->text(), hostile);
        EXPECT_EQ(dialog.user_picture->pixmap().toImage(), shown) << hostile.toStdString();
    }
}

TEST_F(ProfileDialogTest, CheckBoxesSteerEditabilityAndTypingTicksThem)
{
    Show_User_Profile dialog(host);
    auto* caption = qobject_cast<QLineEdit*>(dialog.row(Field::email).label);
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->isReadOnly());
    dialog.label_chk[Field::email]->click();
    EXPECT_FALSE(caption->isReadOnly());
    dialog.value_chk[Field::email]->setTristate(true);
    dialog.value_chk[Field::email]->setCheckState(Qt::PartiallyChecked);
    dialog.value_chk[Field::email]->clicked();
    EXPECT_TRUE(dialog.row(Field::email).value->isReadOnly());
    // Typing ticks the box without changing editability.
    dialog.value_chk[Field::website]->setChecked(false);
    dialog.row(Field::website).value->textEdited(QStringLiteral("x"));
    EXPECT_TRUE(dialog.value_chk[Field::website]->isChecked());
    EXPECT_FALSE(dialog.row(Field::website).value->isReadOnly());
}

TEST_F(ProfileDialogTest, ViewingASeriesNeedsOneChosen)
{
    User_profile dialog(host);
    dialog.View_Data_Series_By_Name(dialog.row(Field::Name).ser_col_cb);
    ASSERT_FALSE(dialogs->messages().empty());
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease select the series."));
}
