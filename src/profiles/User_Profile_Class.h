#pragma once

#include <QString>

#include <array>

// The eleven personal fields that can be placed on a side, each with its value, the
// control identifiers of the placed object and its label, and its data binding.
class User_Profile_Class
{
public:
    enum Field
    {
        Name,
        Title,
        Company,
        CompanySlogan,
        Address,
        PhoneNO,
        FaxNo,
        EmailID,
        Website,
        UniqueNo,
        Photo,
        FieldCount
    };

    struct FieldValue
    {
        QString value;
        QString control_ID;
        QString label_ID;
        bool use_series = false;
        QString series_name;
        int series_index = 0;
        bool use_excel = false;
        int excel_col_index = 0;
    };

    User_Profile_Class() { Reset_All_Values(); }

    // Empties every value and binding and gives each field its fixed identifiers.
    void Reset_All_Values();

    bool Fill_User_Profile_Enable = false;
    bool Excel_Binding = false;
    std::array<FieldValue, FieldCount> fields;
};

// Whether the profile dialog's result is to be placed on the card.
extern bool Fill_User_Profile;
