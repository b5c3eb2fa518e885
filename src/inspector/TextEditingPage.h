#pragma once

#include "inspector/ObjectPage.h"

// The page of the text and its font.
class TextEditingPage : public ObjectPage
{
    Q_OBJECT

public:
    using ObjectPage::ObjectPage;
};
