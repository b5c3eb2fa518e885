#include "platform/FontNames.h"

#include <QFontDatabase>
#include <QHash>
#include <QMutex>

namespace {

QString squeezed(const QString& name)
{
    QString result;
    result.reserve(name.size());
    for (QChar c : name)
        if (c.isLetterOrNumber())
            result.append(c.toLower());
    return result;
}

// Installed families by their name without spaces or punctuation, lower case.
QString installedFamily(const QString& squeezedName)
{
    static QMutex mutex;
    static QHash<QString, QString> families;
    QMutexLocker lock(&mutex);
    if (families.isEmpty())
        for (const QString& family : QFontDatabase::families())
            families.insert(squeezed(family), family);
    return families.value(squeezedName);
}

// "TimesNewRoman" -> "Times New Roman", "URWBookman" -> "URW Bookman".
QString spacedOut(const QString& name)
{
    QString result;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (i > 0 && c.isUpper()) {
            const bool afterLower = name[i - 1].isLower() || name[i - 1].isDigit();
            const bool endsAcronym = name[i - 1].isUpper() && i + 1 < name.size() && name[i + 1].isLower();
            if (afterLower || endsAcronym)
                result.append(u' ');
        }
        result.append(c);
    }
    return result;
}

QString withoutSuffixes(QString base)
{
    // Vendor tails of PostScript names: "ArialMT", "TimesNewRomanPSMT", "TimesNewRomanPS".
    for (const char* tail : {"PSMT", "MT", "PS"})
        if (base.size() > int(qstrlen(tail)) && base.endsWith(QLatin1String(tail)))
            return base.chopped(int(qstrlen(tail)));
    return base;
}

} // namespace

namespace FontNames {

QString archivedName(const QFont& font)
{
    const bool bold = font.weight() >= QFont::DemiBold;
    const bool italic = font.style() != QFont::StyleNormal;
    if (!bold && !italic)
        return font.family();
    QString base = font.family();
    base.remove(u' ');
    return base + u'-' + (bold ? QStringLiteral("Bold") : QString()) + (italic ? QStringLiteral("Italic") : QString());
}

QFont fontFromArchivedName(const QString& name, double pointSize)
{
    QString family = installedFamily(squeezed(name));
    QString style;
    if (family.isEmpty()) {
        const qsizetype dash = name.lastIndexOf(u'-');
        const QString base = withoutSuffixes(dash > 0 ? name.left(dash) : name);
        style = dash > 0 ? name.mid(dash + 1) : QString();
        family = installedFamily(squeezed(base));
        if (family.isEmpty())
            family = base.contains(u' ') ? base : spacedOut(base);
    }
    QFont font(family);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    const QString lowerStyle = style.toLower();
    if (lowerStyle.contains(QLatin1String("bold")) || lowerStyle.contains(QLatin1String("black"))
        || lowerStyle.contains(QLatin1String("heavy")))
        font.setBold(true);
    if (lowerStyle.contains(QLatin1String("italic")) || lowerStyle.contains(QLatin1String("oblique")))
        font.setItalic(true);
    return font;
}

} // namespace FontNames
