#include "profiles/User_Profile_Class.h"

#include <gtest/gtest.h>

using Field = User_Profile_Class::Field;

TEST(User_Profile_Class, ResetGivesEveryFieldItsIdentifiersAndNoValueOrBinding)
{
    const char* const ids[] = { "Fup_Name", "Fup_Title", "Fup_Company", "Fup_CompanySlogan", "Fup_Address",
        "Fup_PhoneNO", "Fup_FaxNo", "Fup_EmailID", "Fup_Website", "Fup_UniqueNo", "Fup_Photo" };
    User_Profile_Class profile;
    profile[Field::image].value = QStringLiteral("/me.png");
    profile[Field::Name].ds = true;
    profile[Field::Name].ds_name = QStringLiteral("Names");
    profile[Field::Name].ds_indx = 4;
    profile[Field::phone].xl = true;
    profile[Field::phone].xl_col_indx = 3;
    profile[Field::slogan].label = QStringLiteral("Motto");
    profile.Excel_Binding = true;
    profile.Fill_User_Profile_Enable = true;
    profile.Reset_All_Values();
    profile.Reset_All_Values();

    EXPECT_FALSE(profile.Excel_Binding);
    EXPECT_FALSE(profile.Fill_User_Profile_Enable);
    for (int i = 0; i < User_Profile_Class::FieldCount; ++i) {
        const auto& field = profile.fields[i];
        EXPECT_EQ(field.id, QLatin1String(ids[i]));
        EXPECT_EQ(field.label_id, QString(QLatin1String(ids[i])).replace(QStringLiteral("Fup_"), "Fup_lbl_"));
        EXPECT_FALSE(field.isPresent()) << i;
        EXPECT_FALSE(field.ds);
        EXPECT_FALSE(field.xl);
        EXPECT_TRUE(field.ds_name.isEmpty());
        EXPECT_EQ(field.ds_indx, 0);
        EXPECT_EQ(field.xl_col_indx, 0);
    }
    // The caption slot is not the reset's.
    EXPECT_EQ(profile[Field::slogan].label, QStringLiteral("Motto"));
}

TEST(User_Profile_Class, PresenceIsJudgedPerField)
{
    User_Profile_Class profile;
    profile[Field::image].value = QStringLiteral("/me.png");
    EXPECT_TRUE(profile[Field::image].isPresent());
    EXPECT_FALSE(profile[Field::Name].isPresent());
}
