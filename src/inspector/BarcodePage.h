#pragma once

#include "inspector/ObjectPage.h"

// The page of a barcode object.
class BarcodePage : public ObjectPage
{
    Q_OBJECT

public:
    using ObjectPage::ObjectPage;
};
