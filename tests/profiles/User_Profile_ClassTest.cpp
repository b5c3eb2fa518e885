#include "profiles/User_Profile_Class.h"

#include <gtest/gtest.h>

TEST(User_Profile_Class, ResetGivesEveryFieldItsIdentifiersAndNoValueOrBinding)
{
    User_Profile_Class profile;
    profile.fields[User_Profile_Class::Photo].value = QStringLiteral("/me.png");
    profile.fields[User_Profile_Class::Name].use_series = true;
    profile.fields[User_Profile_Class::Name].series_index = 4;
    profile.Excel_Binding = true;
    profile.Reset_All_Values();
    EXPECT_FALSE(profile.Excel_Binding);
    EXPECT_FALSE(profile.Fill_User_Profile_Enable);
    EXPECT_EQ(profile.fields[User_Profile_Class::Name].control_ID, QStringLiteral("Fup_Name"));
    EXPECT_EQ(profile.fields[User_Profile_Class::CompanySlogan].label_ID, QStringLiteral("Fup_lbl_CompanySlogan"));
    EXPECT_EQ(profile.fields[User_Profile_Class::Photo].control_ID, QStringLiteral("Fup_Photo"));
    for (const auto& field : profile.fields) {
        EXPECT_TRUE(field.value.isEmpty());
        EXPECT_FALSE(field.use_series);
        EXPECT_FALSE(field.use_excel);
        EXPECT_EQ(field.series_index, 0);
        EXPECT_EQ(field.excel_col_index, 0);
    }
}
