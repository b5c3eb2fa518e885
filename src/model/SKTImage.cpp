#include "model/SKTImage.h"

QStringList SKTImage::archiveClassChain() const
{
    return {QStringLiteral("SKTImage"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}
