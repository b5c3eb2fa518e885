#pragma once

#include "model/SKTGraphic.h"

// A signature or fingerprint picture (sign_or_fingureprint "S" or "F").
class SKTSignature : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;

protected:
    SKTSignature() = default;
};
