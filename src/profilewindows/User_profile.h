#pragma once

#include "profilewindows/Profile_Dialog.h"

// The profile editor of the card-size chooser and the template browser: it opens empty and
// its OK gives both sides the profile.
class User_profile : public Profile_Dialog
{
    Q_OBJECT

public:
    explicit User_profile(ProfileDialogHost& host, QWidget* parent = nullptr);

    // The side each field is meant for; shown for the user's orientation only.
    std::array<QComboBox*, FieldCount> side_combo {};
    QLabel* select_side_label = nullptr;
    QLabel* Template_picture = nullptr;

protected:
    void addRowExtras(QGridLayout& grid, int gridRow, Field field) override;
    QWidget* makeSidePictures() override;
    void resetExtras() override;
    void Create_and_Set_template_picture() override;
};
