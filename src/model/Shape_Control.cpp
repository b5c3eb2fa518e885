#include "model/Shape_Control.h"

QStringList Shape_Control::archiveClassChain() const
{
    return {QStringLiteral("Shape_Control"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}
