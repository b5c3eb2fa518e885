#include "profiles/User_Profile_Class.h"

bool Fill_User_Profile = false;

void User_Profile_Class::Reset_All_Values()
{
    static const char* const names[FieldCount] = { "Name", "Title", "Company", "CompanySlogan", "Address", "PhoneNO",
        "FaxNo", "EmailID", "Website", "UniqueNo", "Photo" };
    Fill_User_Profile_Enable = false;
    Excel_Binding = false;
    for (int i = 0; i < FieldCount; ++i) {
        const QString name = QString::fromLatin1(names[i]);
        fields[i] = FieldValue {};
        fields[i].control_ID = QStringLiteral("Fup_") + name;
        fields[i].label_ID = QStringLiteral("Fup_lbl_") + name;
    }
}
