#pragma once

#include "model/SKTGraphic.h"

// A picture from a file (_file_path), also clip art.
class SKTImage : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;

protected:
    SKTImage() = default;
};
