#pragma once

#include "inspector/ObjectPage.h"

class QComboBox;

// The page of a text object's layout: alignment, case, and the date and time formats.
class TextPropertiesPage : public ObjectPage
{
    Q_OBJECT

public:
    explicit TextPropertiesPage(QWidget* parent = nullptr);

    // Sets the fixed lists to their start-up items.
    void fillFixedLists();

    QComboBox* Text_align_combo = nullptr;
    QComboBox* Text_case_combo = nullptr;
    QComboBox* Text_Date_style = nullptr;
    QComboBox* Text_Time_style = nullptr;
};
