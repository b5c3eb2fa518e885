#pragma once

#include "model/SKTGraphic.h"

// A barcode, shown as the picture in _barcode_image.
class SKTBarcode : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;

protected:
    SKTBarcode() = default;
};
