#include "model/SKTSignature.h"

QStringList SKTSignature::archiveClassChain() const
{
    return {QStringLiteral("SKTSignature"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}
