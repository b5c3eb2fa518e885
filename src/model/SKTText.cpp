#include "model/SKTText.h"

QStringList SKTText::archiveClassChain() const
{
    return {QStringLiteral("SKTText"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}
