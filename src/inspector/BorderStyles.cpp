#include "inspector/BorderStyles.h"

namespace BorderStyles {

const QStringList& codes()
{
    static const QStringList list { "S", "DA", "DO", "DD", "DDD" };
    return list;
}

const QStringList& names()
{
    static const QStringList list { QStringLiteral("Solid"), QStringLiteral("Dashed"), QStringLiteral("Dotted"),
        QStringLiteral("Dash Dot"), QStringLiteral("Dash Dot Dot") };
    return list;
}

int indexOf(const QString& code)
{
    return int(codes().indexOf(code));
}

QString codeAt(int index)
{
    return index >= 0 && index < codes().size() ? codes().at(index) : QString();
}

} // namespace BorderStyles
