#include "MainWindowFixture.h"

#include "library/Image_Library.h"
#include "library/PictureBrowser.h"

#include "canvas/SKTGraphicView.h"
#include "common/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <typeinfo>

namespace {

void press(SKTWindowController& main, int tool)
{
    auto* button = main.findChild<QToolButton*>(QStringLiteral("Tool_%1").arg(tool));
    ASSERT_NE(button, nullptr);
    button->click();
}

} // namespace

TEST_F(MainWindowTest, EveryToolButtonPlacesItsObjectAndReturnsToTheArrow)
{
    SKTWindowController& main = start();
    // The image library answers with its first clip art.
    otherModal = [](QDialog& dialog) {
        auto* library = qobject_cast<Image_Library*>(&dialog);
        if (!library)
            return 0;
        dialog.setResult(0);
        library->imageBrowser->selectRow(0);
        library->OK_Clicked();
        return dialog.result();
    };
    dialogs->fileAnswers = { QStringLiteral("/pictures/missing.png") };
    struct Expected
    {
        int tool;
        const std::type_info& kind;
        const char* shape;
        QSizeF size;
    };
    const Expected table[] = {
        { 1, typeid(SKTLine), "", { 50, 50 } },
        { 2, typeid(SKTText), "", {} }, // sized to its words
        { 3, typeid(Shape_Control), "R", { 50, 50 } },
        { 4, typeid(Shape_Control), "C", { 50, 50 } },
        { 5, typeid(Shape_Control), "RR", { 50, 50 } },
        { 6, typeid(Shape_Control), "T", { 50, 50 } },
        { 7, typeid(Shape_Control), "D", { 50, 50 } },
        { 8, typeid(SKTImage), "", { 50, 50 } },
        { 9, typeid(SKTImage), "", { 50, 50 } },
        { 10, typeid(SKTBarcode), "", {} }, // sized to its picture
        { 11, typeid(SKTSignature), "", { 100, 50 } },
        { 12, typeid(SKTSignature), "", { 50, 50 } },
        { 13, typeid(Shape_Control), "S", { 50, 50 } },
        { 14, typeid(Shape_Control), "DS", { 50, 50 } },
        { 15, typeid(Shape_Control), "P", { 50, 50 } },
    };
    int count = 0;
    for (const Expected& expected : table) {
        press(main, expected.tool);
        ASSERT_EQ(main.Get_Front_Control_Count(), ++count) << expected.tool;
        const SKTGraphicPtr made = main.Get_Front_Controls_Array().front();
        EXPECT_EQ(typeid(*made), expected.kind) << expected.tool;
        if (*expected.shape) {
            EXPECT_EQ(made->Get_shape_type(), QString::fromLatin1(expected.shape)) << expected.tool;
        }
        if (expected.size.isValid()) {
            EXPECT_EQ(made->bounds().size(), expected.size) << expected.tool;
        }
        EXPECT_EQ(main.currentCanvas()->selectedGraphic(), made);
        EXPECT_EQ(main.Selected_Control_Tool(), 0) << expected.tool;
    }
    const auto& front = main.Get_Front_Controls_Array();
    EXPECT_EQ(front[4]->Sign_Or_FP_Val(), QStringLiteral("S")); // tool 11
    EXPECT_EQ(front[3]->Sign_Or_FP_Val(), QStringLiteral("F")); // tool 12
    EXPECT_EQ(front[6]->_file_path, lib_window_sel_file);
    EXPECT_TRUE(lib_window_sel_file.contains(QStringLiteral("/LibraryImage/"))); // tool 9

    press(main, 0);
    EXPECT_EQ(main.Get_Front_Control_Count(), count);
}

TEST_F(MainWindowTest, ToolsPlaceOnTheBackWhenItShowsAndACancelledPictureMakesNothing)
{
    SKTWindowController& main = start();
    main.Select_back_side();
    last_ctrl_X = last_ctrl_Y = 10.0f;
    press(main, 3);
    ASSERT_EQ(main.Get_Back_Control_Count(), 1);
    EXPECT_EQ(main.Get_Front_Control_Count(), 0);
    EXPECT_EQ(main.Get_Back_Controls_Array().front()->bounds(), QRectF(30, 30, 50, 50));

    press(main, 8); // the file chooser is cancelled
    EXPECT_EQ(main.Get_Back_Control_Count(), 1);
    EXPECT_EQ(main.Selected_Control_Tool(), 0);
    main.Select_front_side();
}

TEST_F(MainWindowTest, AFileThatIsNotAPictureMakesNoImageAndSaysSo)
{
    SKTWindowController& main = start();
    press(main, 3);
    const SKTGraphicPtr selected = main.currentCanvas()->selectedGraphic();
    const QString notes = folder.filePath(QStringLiteral("notes.png"));
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("These are notes, not a picture.\n");
    file.close();

    dialogs->fileAnswers = { notes };
    press(main, 8);
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
    EXPECT_EQ(main.currentCanvas()->selectedGraphic(), selected);
    EXPECT_EQ(main.Selected_Control_Tool(), 0);
    EXPECT_EQ(Library_Selected_Image, QString());
    ASSERT_FALSE(dialogs->messages().empty());
    EXPECT_TRUE(dialogs->messages().back().contains(QStringLiteral("notes.png")));
    EXPECT_EQ(dialogs->asked().back().icon, MessageIcon::Warning);

    // A real picture is taken.
    const QString picture = folder.filePath(QStringLiteral("real.png"));
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    dialogs->fileAnswers = { picture };
    press(main, 8);
    ASSERT_EQ(main.Get_Front_Control_Count(), 2);
    EXPECT_EQ(main.Get_Front_Controls_Array().front()->_file_path, picture);
}

TEST_F(MainWindowTest, NewObjectsCascadeAndWrapAgainstTheFrontCanvas)
{
    SKTWindowController& main = start(); // a CR80 card: 242.6 by 153.4 points
    last_ctrl_X = last_ctrl_Y = 10.0f;
    EXPECT_EQ(main.Control_New_Point(QStringLiteral("F")), QPointF(30, 30));
    EXPECT_EQ(main.Control_New_Point(QStringLiteral("F")), QPointF(50, 50));
    last_ctrl_X = 190.0f - 20.0f;
    last_ctrl_Y = 10.0f;
    EXPECT_EQ(main.Control_New_Point(QStringLiteral("B")).x(), 190.0);
    last_ctrl_X = 210.0f - 20.0f;
    const QPointF wrapped = main.Control_New_Point(QStringLiteral("B"));
    EXPECT_EQ(wrapped.x(), 10.0);
    EXPECT_EQ(wrapped.y(), 50.0); // the axes wrap independently
}

TEST(CardSizePresets, GiveMillimetresByCategoryIndexAndOrientation)
{
    const auto size = SKTWindowController::Get_My_card_Size;
    const QSizeF cr80 = size(QStringLiteral("PVC Card"), QStringLiteral("H"), 0);
    EXPECT_NEAR(cr80.width(), 85.598, 1e-4);
    EXPECT_NEAR(cr80.height(), 54.102, 1e-4);
    EXPECT_EQ(size(QStringLiteral("PVC Card"), QStringLiteral("V"), 0), cr80.transposed());
    EXPECT_EQ(size(QStringLiteral("Name Badge"), QStringLiteral("H"), 2),
        size(QStringLiteral("Name Badge"), QStringLiteral("H"), 1));
    EXPECT_EQ(size(QStringLiteral("PVC Card"), QStringLiteral("V"), -1), QSizeF(30, 30));
    EXPECT_FALSE(size(QStringLiteral("PVC Card"), QStringLiteral("H"), 7).isValid()); // no such row
    EXPECT_FALSE(size(QStringLiteral("Name Badge"), QStringLiteral("V"), -2).isValid());
    EXPECT_NEAR(size(QStringLiteral("x"), QStringLiteral("H"), 7).height(), 125.984, 1e-3);
}

TEST_F(MainWindowTest, CardSizeListKeepsTrimmedNamesAndAnswersEmptyForMissingRows)
{
    SKTWindowController& main = start();
    main.fillCardSizeList(true);
    EXPECT_EQ(main.ListData.size(), 7);
    EXPECT_EQ(main.Get_Item_Text(6), QStringLiteral("CR70"));
    main.Create_List(QStringLiteral("   "));
    EXPECT_EQ(main.ListData.size(), 7);
    main.Create_List(QStringLiteral("  Custom "));
    EXPECT_EQ(main.Get_Item_Text(7), QStringLiteral("Custom"));
    EXPECT_EQ(main.Get_Item_Text(-1), QString());
    EXPECT_EQ(main.Get_Item_Text(99), QString());
}

TEST_F(MainWindowTest, ServicesCheckPathsAndSeries)
{
    SKTWindowController& main = start();
    EXPECT_EQ(SKTWindowController::Check_And_Validate_File_Path(QStringLiteral("   ")), 1);
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease select valid file path."));
    EXPECT_EQ(SKTWindowController::Check_And_Validate_File_Path(folder.path()), 0);

    // A series is in use only while its file exists.
    press(main, 2);
    main.Get_Front_Controls_Array().front()->data_source_type = 1;
    main.Get_Front_Controls_Array().front()->batch_list_name = QStringLiteral("Guests");
    EXPECT_FALSE(main.Check_Batch_File_In_Use_Validation(QStringLiteral("Guests")));
    QFile series(QDir(Data_Folder_Path).filePath(QStringLiteral("Guests.txt")));
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.close();
    EXPECT_TRUE(main.Check_Batch_File_In_Use_Validation(QStringLiteral("Guests")));
    EXPECT_TRUE(main.Get_datasheet_File_Name_Array().contains(QStringLiteral("Guests")));
    series.remove();
}

TEST(MainWindowServices, FolderListingsKeepPlainFilesWithoutExtensions)
{
    QTemporaryDir folder;
    for (const char* name : { "b.txt", ".hidden", "a.tar.gz" }) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(folder.path()).mkdir(QStringLiteral("sub.d"));
    const QStringList names = SKTWindowController::Get_Files_Array_At_Path(folder.path());
    EXPECT_EQ(names.size(), 3);
    EXPECT_TRUE(names.contains(QStringLiteral("b")));
    EXPECT_TRUE(names.contains(QStringLiteral("a.tar")));
    EXPECT_TRUE(names.contains(QStringLiteral(".hidden")));
    EXPECT_TRUE(SKTWindowController::Get_Files_Array_At_Path(folder.filePath(QStringLiteral("none"))).isEmpty());
}

TEST(MainWindowServices, TimePatternsShowAmOrPm)
{
    const QString time = SKTWindowController::Get_time_Value(QStringLiteral("h:mm:ss a"));
    EXPECT_TRUE(time.endsWith(QLatin1String("AM")) || time.endsWith(QLatin1String("PM"))) << time.toStdString();
    EXPECT_EQ(SKTWindowController::Get_date_Value(QStringLiteral("yyyy")).size(), 4);
}

TEST(MainWindowServices, WorkbookTempFolderRemovalClearsTheReadersOwnFolder)
{
    const QString work = SpreadsheetWriter::workFolder();
    ASSERT_TRUE(QDir().mkpath(work + QStringLiteral("/xl")));
    SKTWindowController::Delete_Excel_File_Temp_Folder();
    EXPECT_FALSE(QFileInfo::exists(work));
}
