#pragma once

#include "profilewindows/Profile_Dialog.h"

class QCheckBox;

// The profile of the side being edited: it opens filled from the side's profile objects, and
// a check box beside each caption and value makes that text editable.
class Show_User_Profile : public Profile_Dialog
{
    Q_OBJECT

public:
    explicit Show_User_Profile(ProfileDialogHost& host, QWidget* parent = nullptr);

    // Photo excluded: the ten text fields only.
    std::array<QCheckBox*, FieldCount - 1> label_chk {};
    std::array<QCheckBox*, FieldCount - 1> value_chk {};

protected:
    QWidget* makeCaption(Field field) override;
    void addRowExtras(QGridLayout& grid, int gridRow, Field field) override;
    void resetExtras() override;
    void fieldLoaded(Field field) override;
};
