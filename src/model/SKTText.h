#pragma once

#include "model/SKTGraphic.h"

// A text shown in the object's bounds.
class SKTText : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;

protected:
    SKTText() = default;
};
