#include "profiles/User_Profile_Class.h"

bool Fill_User_Profile = false;

namespace {

constexpr const char* idStems[User_Profile_Class::FieldCount] = { "Name", "Title", "Company", "CompanySlogan",
    "Address", "PhoneNO", "FaxNo", "EmailID", "Website", "UniqueNo", "Photo" };

} // namespace

QString User_Profile_Class::controlID(Field field)
{
    return QStringLiteral("Fup_") + QLatin1String(idStems[field]);
}

void User_Profile_Class::Reset_All_Values()
{
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    for (int i = 0; i < FieldCount; ++i) {
        FieldRecord& field = fields[i];
        field.id = controlID(Field(i));
        field.label_id = QStringLiteral("Fup_lbl_") + QLatin1String(idStems[i]);
        field.value.clear();
        field.ds = false;
        field.ds_name.clear();
        field.xl = false;
        field.ds_indx = 0;
        field.xl_col_indx = 0;
    }
}
