#include "model/SKTBarcode.h"

QStringList SKTBarcode::archiveClassChain() const
{
    return {QStringLiteral("SKTBarcode"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}
