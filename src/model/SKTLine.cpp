#include "model/SKTLine.h"

#include "platform/ArchiveObject.h"
#include "platform/ArchiveWriter.h"

QStringList SKTLine::archiveClassChain() const
{
    return {QStringLiteral("SKTLine"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}

void SKTLine::encodeWithCoder(ArchiveWriter& archive) const
{
    SKTGraphic::encodeWithCoder(archive);
    archive.encodeBool(QStringLiteral("_pointsRight"), _pointsRight);
    archive.encodeBool(QStringLiteral("_pointsDown"), _pointsDown);
}

void SKTLine::initWithCoder(const ArchiveObject& archive)
{
    SKTGraphic::initWithCoder(archive);
    _pointsRight = archive.decodeBool(QStringLiteral("_pointsRight"));
    _pointsDown = archive.decodeBool(QStringLiteral("_pointsDown"));
}

void SKTLine::copyKindFieldsTo(SKTGraphic& copy) const
{
    if (auto* line = dynamic_cast<SKTLine*>(&copy)) {
        line->_pointsRight = _pointsRight;
        line->_pointsDown = _pointsDown;
    }
}
