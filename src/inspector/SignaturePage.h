#pragma once

#include "inspector/ObjectPage.h"

// The page of a signature or fingerprint.
class SignaturePage : public ObjectPage
{
    Q_OBJECT

public:
    using ObjectPage::ObjectPage;
};
