#include "ProfileDialogTestSupport.h"

#include "profilewindows/Show_User_Profile.h"
#include "profilewindows/User_profile.h"
#include "widgets/ExcelSourceItem.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryFile>

using Field = User_Profile_Class::Field;
using Record = ProfileDialogHost::Record;

namespace {

// Opens the dialog and runs `act` inside its modal run; returns the run's result.
int runDialog(Profile_Dialog& dialog, ScriptedDialogs& dialogs, bool load, const std::function<void()>& act)
{
    dialogs->modalHandler = [&](QDialog&) {
        dialog.setResult(0);
        act();
        return dialog.result();
    };
    return dialog.Open_Wnd(load);
}

} // namespace

TEST_F(ProfileDialogTest, ValidationNamesTheFirstBoundFieldWithoutASeriesOrColumn)
{
    const char* const names[] = { "Name", "Position / Title", "Company Name", "Company Slogan", "Address", "Phone No.",
        "Fax No.", "Email Id", "Website", "Unique No.", "Photo" };
    User_profile dialog(host);
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        const int result = runDialog(dialog, dialogs, false, [&] {
            dialog.row(Field(i)).ds_combo->setCurrentIndex(1);
            dialog.OK_Btn_Clicked();
        });
        EXPECT_EQ(result, 0);
        ASSERT_FALSE(dialogs->messages().empty());
        EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease select the source for '%1'").arg(names[i]));
    }
    // Nothing was written by the failed attempts.
    EXPECT_FALSE(host.records[int(Record::Front)].Fill_User_Profile_Enable);

    // The first failing field in order is named; once chosen, the next one is.
    addRows();
    runDialog(dialog, dialogs, false, [&] {
        dialog.Add_Excel_in_Data_Source_Combo();
        dialog.row(Field::Name).ds_combo->setCurrentIndex(1);
        dialog.row(Field::image).ds_combo->setCurrentIndex(2);
        dialog.OK_Btn_Clicked();
        EXPECT_EQ(dialog.checked_field_name, QStringLiteral("Name :"));
        dialog.row(Field::Name).ser_col_cb->setCurrentIndex(0);
        dialog.OK_Btn_Clicked();
        EXPECT_EQ(dialog.checked_field_name, QStringLiteral("Photo :"));
    });
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease select the source for 'Photo'"));
}

TEST_F(ProfileDialogTest, EachSourceWritesItsBindingAndClearsTheOthers)
{
    addRows();
    Show_User_Profile dialog(host);
    dialog.load_side = QStringLiteral("F");
    User_Profile_Class& front = host.records[int(Record::Front)];
    front[Field::Name].ds = true; // left from an earlier binding: typing clears it
    front[Field::Name].ds_name = QStringLiteral("Old");
    front[Field::Name].xl_col_indx = 5;
    const int result = runDialog(dialog, dialogs, true, [&] {
        dialog.row(Field::Name).value->setText(QStringLiteral("Ann"));
        dialog.row(Field::Title).ds_combo->setCurrentIndex(1);
        EXPECT_TRUE(dialog.row(Field::Title).value->isReadOnly());
        EXPECT_TRUE(dialog.row(Field::Title).view_btn->isEnabled());
        dialog.row(Field::Title).ser_col_cb->setCurrentText(QStringLiteral("Titles"));
        EXPECT_EQ(dialog.row(Field::Title).value->text(), QStringLiteral("Engineer"));
        dialog.row(Field::Company_name).ds_combo->setCurrentIndex(2);
        EXPECT_FALSE(dialog.row(Field::Company_name).view_btn->isEnabled());
        dialog.row(Field::Company_name).ser_col_cb->setCurrentIndex(1);
        EXPECT_EQ(dialog.row(Field::Company_name).value->text(), QStringLiteral("Acme 1"));
        // The row-number column gives the first row's number.
        dialog.row(Field::address).ds_combo->setCurrentIndex(2);
        dialog.row(Field::address).ser_col_cb->setCurrentIndex(0);
        EXPECT_EQ(dialog.row(Field::address).value->text(), QStringLiteral("1"));
        // Back to typed: editable again, the sample stays.
        dialog.row(Field::address).ds_combo->setCurrentIndex(0);
        EXPECT_FALSE(dialog.row(Field::address).value->isReadOnly());
        EXPECT_EQ(dialog.row(Field::address).ser_col_cb->count(), 0);
        dialog.OK_Btn_Clicked();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(front[Field::Name].value, QStringLiteral("Ann"));
    EXPECT_FALSE(front[Field::Name].ds);
    EXPECT_TRUE(front[Field::Name].ds_name.isEmpty());
    EXPECT_EQ(front[Field::Name].xl_col_indx, 0);
    EXPECT_TRUE(front[Field::Title].ds);
    EXPECT_EQ(front[Field::Title].ds_name, QStringLiteral("Titles"));
    EXPECT_EQ(front[Field::Title].ds_indx, 1); // after "Names"
    EXPECT_FALSE(front[Field::Title].xl);
    EXPECT_TRUE(front[Field::Company_name].xl);
    EXPECT_EQ(front[Field::Company_name].xl_col_indx, 1);
    EXPECT_FALSE(front[Field::Company_name].ds);
    EXPECT_EQ(front[Field::address].value, QStringLiteral("1"));
    EXPECT_FALSE(front[Field::address].xl);
}

TEST_F(ProfileDialogTest, OkWritesTheRecordsTheSideCallsFor)
{
    const auto okWith = [&](Profile_Dialog& dialog, const QString& side) {
        for (User_Profile_Class& record : host.records)
            record.Reset_All_Values();
        dialog.load_side = side;
        runDialog(dialog, dialogs, !side.isEmpty(), [&] {
            dialog.row(Field::Name).value->setText(QStringLiteral("Ann"));
            dialog.OK_Btn_Clicked();
        });
        return std::pair(
            host.records[int(Record::Front)][Field::Name].value, host.records[int(Record::Back)][Field::Name].value);
    };
    User_profile editor(host);
    Show_User_Profile side(host);
    EXPECT_EQ(okWith(editor, QString()), std::pair(QStringLiteral("Ann"), QStringLiteral("Ann")));
    EXPECT_EQ(okWith(side, QStringLiteral("B")), std::pair(QStringLiteral("Ann"), QStringLiteral("Ann")));
    EXPECT_EQ(okWith(side, QStringLiteral("F")), std::pair(QStringLiteral("Ann"), QString()));
    EXPECT_TRUE(host.records[int(Record::Temp)][Field::Name].value.isEmpty());
}

TEST_F(ProfileDialogTest, SpreadsheetFlagsFollowTheTableAndThePathIsTheDesignsOwn)
{
    Excel_Source_Path = QStringLiteral("/data/people.xlsx");
    Excel_Binding_Use = true;
    User_profile dialog(host);
    User_Profile_Class& front = host.records[int(Record::Front)];

    // No rows: the design stops using spreadsheet data, the path stays.
    runDialog(dialog, dialogs, false, [&] {
        EXPECT_EQ(dialog.excel_path_field->text(), QStringLiteral("/data/people.xlsx"));
        dialog.OK_Btn_Clicked();
    });
    EXPECT_FALSE(Excel_Binding_Use);
    EXPECT_FALSE(front.Excel_Binding);
    EXPECT_TRUE(front.Fill_User_Profile_Enable);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/data/people.xlsx"));

    // With rows, OK and Cancel write back the path shown, which every opening refreshes.
    addRows();
    Excel_Source_Path = QStringLiteral("/data/staff.xlsx");
    runDialog(dialog, dialogs, false, [&] { dialog.OK_Btn_Clicked(); });
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_TRUE(front.Excel_Binding);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/data/staff.xlsx"));
    Excel_Source_Path = QStringLiteral("/data/other.xlsx");
    EXPECT_EQ(runDialog(dialog, dialogs, false, [&] { dialog.Cancel_Btn_Clicked(); }), 0);
    EXPECT_EQ(Excel_Source_Path, QStringLiteral("/data/other.xlsx"));

    // The preview's fill touches neither the flags nor the path.
    front.Reset_All_Values();
    runDialog(dialog, dialogs, false, [&] {
        EXPECT_TRUE(dialog.Fill_TEMP_User_profile_value_in_Variable());
        dialog.Cancel_Btn_Clicked();
    });
    EXPECT_FALSE(host.records[int(Record::Temp)].Excel_Binding);
    EXPECT_FALSE(host.records[int(Record::Temp)].Fill_User_Profile_Enable);
}

TEST(ExcelSourceItem, OnlyATwoItemChoiceGainsAndOnlyAThreeItemChoiceLoses)
{
    QComboBox combo;
    combo.addItems({ "Manual", "Series" });
    Add_Excel_Col_Name_In_Combo(&combo);
    Add_Excel_Col_Name_In_Combo(&combo);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), QStringLiteral("Excel"));
    Remove_Excel_Col_Name_In_Combo(&combo);
    Remove_Excel_Col_Name_In_Combo(&combo);
    EXPECT_EQ(combo.count(), 2);
    combo.addItem("Other");
    combo.addItem("More");
    Add_Excel_Col_Name_In_Combo(&combo);
    EXPECT_EQ(combo.count(), 4);
    combo.removeItem(3);
    combo.removeItem(2);
    combo.removeItem(1);
    Add_Excel_Col_Name_In_Combo(&combo);
    EXPECT_EQ(combo.count(), 1);
    Add_Excel_Col_Name_In_Combo(nullptr);
}

TEST_F(ProfileDialogTest, WorkbookBrowseOffersExcelOnlyWhenTheImportGaveRows)
{
    User_profile dialog(host);
    QTemporaryFile workbook(QDir::tempPath() + QStringLiteral("/XXXXXX.xlsx"));
    ASSERT_TRUE(workbook.open());
    host.importRows = [&] { addRows(); };
    runDialog(dialog, dialogs, false, [&] {
        dialogs->fileAnswers.push_back(QString()); // cancelled
        dialog.Browse_excel_Btn_Clicked();
        EXPECT_EQ(dialog.row(Field::Name).ds_combo->count(), 2);
        dialogs->fileAnswers.push_back(workbook.fileName());
        dialog.Browse_excel_Btn_Clicked();
        EXPECT_EQ(dialog.excel_path_field->text(), workbook.fileName());
        for (int i = 0; i < User_Profile_Class::FieldCount; ++i)
            EXPECT_EQ(dialog.row(Field(i)).ds_combo->count(), 3) << i;

        // Fields bound to columns, then another sheet with other columns is imported: each
        // field keeps its column's title and shows that sheet's first row, or loses a column
        // the sheet lacks.
        const std::pair<Field, const char*> bound[]
            = { { Field::Name, "Company" }, { Field::Title, "Town" }, { Field::image, "Town" } };
        for (const auto& [field, column] : bound) {
            dialog.row(field).ds_combo->setCurrentIndex(2);
            dialog.row(field).ser_col_cb->setCurrentIndex(dialog.row(field).ser_col_cb->findText(column));
        }
        EXPECT_EQ(dialog.row(Field::Name).value->text(), "Acme 1");
        EXPECT_EQ(dialog.row(Field::Title).value->text(), "Town 1");
        host.importRows = [&] {
            table.ListData.clear();
            table.rebuildColumnsFromTitles({ "#", "Region", "Town" });
            PlistDict dict;
            dict.insert(QStringLiteral("Extension"), QStringLiteral("251"));
            dict.insert(QStringLiteral("Column1"), QStringLiteral("North"));
            dict.insert(QStringLiteral("Column2"), QStringLiteral("Oslo"));
            table.ListData.push_back(PlistValue(dict));
        };
        dialogs->fileAnswers.push_back(workbook.fileName());
        dialog.Browse_excel_Btn_Clicked();
        EXPECT_EQ(dialog.row(Field::Title).ser_col_cb->currentText(), "Town");
        EXPECT_EQ(dialog.row(Field::Title).ser_col_cb->currentIndex(), 2);
        EXPECT_EQ(dialog.row(Field::Title).value->text(), "Oslo");
        EXPECT_EQ(dialog.row(Field::image).value->text(), "Oslo");
        EXPECT_EQ(dialog.row(Field::Name).ser_col_cb->currentIndex(), -1);
        EXPECT_EQ(dialog.row(Field::Name).ser_col_cb->count(), 3);
        EXPECT_EQ(dialog.row(Field::Name).value->text(), "");
        EXPECT_FALSE(dialog.Check_Validation());
        EXPECT_EQ(dialog.checked_field_name, profileFieldCaption(Field::Name));

        table.ListData.clear();
        host.importRows = nullptr;
        dialogs->fileAnswers.push_back(workbook.fileName());
        dialog.Browse_excel_Btn_Clicked();
        EXPECT_EQ(dialog.row(Field::image).ds_combo->count(), 2);
        dialog.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(host.unpackFolderRemovals, 4);
}

TEST_F(ProfileDialogTest, AFieldFromTheWorkbookStartsAtTheColumnOfItsName)
{
    table.rebuildColumnsFromTitles({ "#", "Company", " NAME ", "Town" });
    addRows();
    User_profile dialog(host);
    runDialog(dialog, dialogs, false, [&] {
        dialog.Add_Excel_in_Data_Source_Combo();
        for (const Field field : { Field::Name, Field::Title }) {
            dialog.row(field).ds_combo->setCurrentIndex(2);
            emit dialog.row(field).ds_combo->activated(2);
        }
        EXPECT_EQ(dialog.row(Field::Name).ser_col_cb->currentIndex(), 2);
        EXPECT_EQ(dialog.row(Field::Title).ser_col_cb->currentIndex(), 1); // the first holding a value
    });
}
