#pragma once

#include "model/SKTGraphic.h"

// A straight segment between two opposite corners of the bounds; the two flags say which.
class SKTLine : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    // The 93 keys, then the direction, so that a "/" line does not come back as "\".
    void encodeWithCoder(ArchiveWriter& archive) const override;
    void initWithCoder(const ArchiveObject& archive) override;

    bool _pointsRight = false; // the begin point is on the left edge
    bool _pointsDown = false;  // the begin point is on the upper edge (smaller y)

protected:
    SKTLine() = default;
    void copyKindFieldsTo(SKTGraphic& copy) const override;
};
