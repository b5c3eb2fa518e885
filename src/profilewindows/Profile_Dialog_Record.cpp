#include "profilewindows/Profile_Dialog.h"

#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "platform/DialogService.h"
#include "profilewindows/ProfileDialogHost.h"

#include <QComboBox>
#include <QLineEdit>

bool Profile_Dialog::Check_Validation()
{
    checked_field_name.clear();
    checked_gone_column.clear();
    for (int i = 0; i < FieldCount; ++i) {
        const int source = rows_[i].ds_combo->currentIndex();
        if ((source == 1 || source == 2) && rows_[i].ser_col_cb->currentIndex() < 0) {
            checked_field_name = profileFieldCaption(Field(i));
            if (source == 2)
                checked_gone_column = goneColumns_[i];
            return false;
        }
    }
    return true;
}

bool Profile_Dialog::fillRecord(User_Profile_Class& record, bool withFlags)
{
    if (!Check_Validation()) {
        QString field = Trim_Str(checked_field_name);
        if (!field.isEmpty())
            field = QStringLiteral(" for '%1'").arg(field.replace(QStringLiteral(" :"), QString()));
        // The source is chosen: what is missing is its column, gone from the workbook.
        if (!checked_gone_column.isEmpty())
            Show_MessageBox(QStringLiteral("The workbook has no column \"%1\". Please select another column%2.")
                                .arg(checked_gone_column, field));
        else
            Show_MessageBox(QStringLiteral("Please select the source") + field);
        return false;
    }
    if (withFlags) {
        record.Fill_User_Profile_Enable = true;
        if (Data_From_Excel_Window && !Data_From_Excel_Window->ListData.empty()) {
            record.Excel_Binding = true;
            Excel_Source_Path = excel_path_field->text();
            Excel_Binding_Use = true;
        } else {
            Excel_Binding_Use = false;
            record.Excel_Binding = false;
        }
    }
    for (int i = 0; i < FieldCount; ++i) {
        const FieldRow& r = rows_[i];
        User_Profile_Class::FieldRecord& field = record.fields[i];
        field.value = r.value->text();
        switch (r.ds_combo->currentIndex()) {
        case 0:
            field.ds = false;
            field.ds_name.clear();
            field.ds_indx = 0;
            field.xl = false;
            field.xl_col_indx = 0;
            break;
        case 1:
            field.ds = true;
            field.ds_name = r.ser_col_cb->currentText();
            field.ds_indx = r.ser_col_cb->currentIndex();
            field.xl = false;
            field.xl_col_indx = 0;
            break;
        case 2:
            field.ds = false;
            field.ds_name.clear();
            field.ds_indx = 0;
            field.xl = true;
            field.xl_col_indx = r.ser_col_cb->currentIndex();
            break;
        default: // no source chosen: the binding stays as it was
            break;
        }
    }
    return true;
}

bool Profile_Dialog::Fill_Front_User_profile_value_in_Variable()
{
    return fillRecord(host_.profileRecord(ProfileDialogHost::Record::Front), true);
}

bool Profile_Dialog::Fill_Back_User_profile_value_in_Variable()
{
    return fillRecord(host_.profileRecord(ProfileDialogHost::Record::Back), true);
}

bool Profile_Dialog::Fill_TEMP_User_profile_value_in_Variable()
{
    return fillRecord(host_.profileRecord(ProfileDialogHost::Record::Temp), false);
}

void Profile_Dialog::OK_Btn_Clicked()
{
    if (!Fill_Front_User_profile_value_in_Variable())
        return;
    // A wizard's profile goes to both sides; the back side's to the front as well.
    if ((load_side.isEmpty() || load_side == QLatin1String("B")) && !Fill_Back_User_profile_value_in_Variable())
        return;
    done(1);
}

QStringList Profile_Dialog::typedTexts() const
{
    QStringList texts;
    for (const FieldRow& r : rows_) {
        texts.append(r.value->text());
        if (const auto* caption = qobject_cast<const QLineEdit*>(r.label))
            texts.append(caption->text());
    }
    return texts;
}

void Profile_Dialog::Cancel_Btn_Clicked()
{
    // A profile typed in is the user's own words: closing asks before dropping them, and
    // Cancel, the default, keeps the window open with them.
    if (!textsAtOpening_.isEmpty() && typedTexts() != textsAtOpening_) {
        switch (dialogs().askSaveChangesOnClosing(
            QStringLiteral("Do you want to place the profile you typed before closing?"))) {
        case DialogService::SaveChoice::Save:
            OK_Btn_Clicked(); // a field without its source keeps the window open
            return;
        case DialogService::SaveChoice::DontSave:
            break;
        case DialogService::SaveChoice::Cancel:
            return;
        }
    }
    // Cancel leaves the design as it was: a workbook imported meanwhile is let go.
    if (workbookAtOpening_)
        workbookAtOpening_->restore();
    done(0);
}

void Profile_Dialog::Reset_Btn_Clicked()
{
    Reset_all_Ctrl();
}
