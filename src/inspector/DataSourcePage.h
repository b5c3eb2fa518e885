#pragma once

#include "inspector/ObjectPage.h"

class QGroupBox;
class QLabel;

// Where a text or image object takes its value from.
class DataSourcePage : public ObjectPage
{
    Q_OBJECT

public:
    explicit DataSourcePage(QWidget* parent = nullptr);

    QLabel* data_source_title = nullptr;
    // The manual file-browse group: images only.
    QGroupBox* manual_brws_box = nullptr;
};
