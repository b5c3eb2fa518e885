#pragma once

#include <QString>

#include <array>

// The personal details of one card side: eleven fields, each with its value, the control
// identifiers of the object that shows it and of its caption, and how a batch run feeds it
// (typed in, from a series or from a spreadsheet column).
class User_Profile_Class
{
public:
    // Always visited in this order: placing, the dialogs' rows and the reset all follow it.
    enum Field
    {
        Name,
        Title,
        Company_name,
        slogan,
        address,
        phone,
        fax,
        email,
        website,
        unique,
        image, // the photo: its value is a file path
        FieldCount
    };

    struct FieldRecord
    {
        QString value;
        QString id;
        QString label_id;
        QString label; // caption slot: the reset leaves it alone
        bool ds = false; // from a data series
        QString ds_name;
        int ds_indx = 0;
        bool xl = false; // from a spreadsheet column
        int xl_col_indx = 0;

        // Present fields are the ones placed on a side.
        bool isPresent() const { return !value.isEmpty(); }
    };

    User_Profile_Class() { Reset_All_Values(); }

    // Empties every value and binding and gives each field its fixed identifiers.
    void Reset_All_Values();

    FieldRecord& operator[](Field field) { return fields[field]; }
    const FieldRecord& operator[](Field field) const { return fields[field]; }

    // The identifier of the object that shows a field on a card ("Fup_Name" ... "Fup_Photo").
    static QString controlID(Field field);

    bool Fill_User_Profile_Enable = false; // written by a confirmed dialog
    bool Excel_Binding = false; // written while a spreadsheet table held rows
    std::array<FieldRecord, FieldCount> fields;
};

// Whether a profile dialog was confirmed since the design was started or loaded: only then
// do the front and back placements put anything on the card.
extern bool Fill_User_Profile;
