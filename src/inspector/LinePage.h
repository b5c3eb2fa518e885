#pragma once

#include "inspector/ObjectPage.h"

// The page of a line.
class LinePage : public ObjectPage
{
    Q_OBJECT

public:
    using ObjectPage::ObjectPage;
};
