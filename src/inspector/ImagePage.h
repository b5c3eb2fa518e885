#pragma once

#include "inspector/ObjectPage.h"

// The page of an image object.
class ImagePage : public ObjectPage
{
    Q_OBJECT

public:
    using ObjectPage::ObjectPage;
};
