// Archived colours: calibrated and device RGB (spaces 1, 2), calibrated and device white
// (3, 4), device CMYK (5) and catalog colours by name (6); components as text in NSRGB,
// NSWhite, NSCMYK or NSComponents.
#include "platform/ArchiveDecoding.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cmath>

namespace ArchiveDecoding {

namespace {

// The numbers of a component text ("0.5 0.25 1"), up to its closing NUL; empty when one
// of them is not a finite number.
std::vector<float> components(const QByteArray& text)
{
    std::vector<float> values;
    const char* at = text.constData();
    const char* end = at + text.size();
    if (const void* nul = std::memchr(at, '\0', size_t(end - at)))
        end = static_cast<const char*>(nul);
    while (at < end && values.size() < 8) {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\n' || *at == '\r'))
            ++at;
        if (at == end)
            break;
        float value = 0;
        const auto result = std::from_chars(at, end, value);
        if (result.ec != std::errc() || !std::isfinite(value))
            return {};
        values.push_back(std::clamp(value, 0.0f, 1.0f));
        at = result.ptr;
    }
    return values;
}

QColor fromComponents(const std::vector<float>& v, qint64 space)
{
    auto alpha = [&v](size_t at) { return v.size() > at ? v[at] : 1.0f; };
    if (space == 5 && v.size() >= 4)
        return QColor::fromCmykF(v[0], v[1], v[2], v[3], alpha(4));
    if ((space == 3 || space == 4 || v.size() <= 2) && !v.empty())
        return QColor::fromRgbF(v[0], v[0], v[0], alpha(1));
    if (v.size() >= 3)
        return QColor::fromRgbF(v[0], v[1], v[2], alpha(3));
    return QColor();
}

// Colours of the system catalog, for catalog entries that carry no colour of their own.
QColor catalogColor(const QString& name)
{
    static const QHash<QString, QColor> named = {
        {QStringLiteral("blackColor"), QColor::fromRgbF(0, 0, 0)},
        {QStringLiteral("whiteColor"), QColor::fromRgbF(1, 1, 1)},
        {QStringLiteral("redColor"), QColor::fromRgbF(1, 0, 0)},
        {QStringLiteral("greenColor"), QColor::fromRgbF(0, 1, 0)},
        {QStringLiteral("blueColor"), QColor::fromRgbF(0, 0, 1)},
        {QStringLiteral("yellowColor"), QColor::fromRgbF(1, 1, 0)},
        {QStringLiteral("cyanColor"), QColor::fromRgbF(0, 1, 1)},
        {QStringLiteral("magentaColor"), QColor::fromRgbF(1, 0, 1)},
        {QStringLiteral("orangeColor"), QColor::fromRgbF(1, 0.5f, 0)},
        {QStringLiteral("purpleColor"), QColor::fromRgbF(0.5f, 0, 0.5f)},
        {QStringLiteral("brownColor"), QColor::fromRgbF(0.6f, 0.4f, 0.2f)},
        {QStringLiteral("grayColor"), QColor::fromRgbF(0.5f, 0.5f, 0.5f)},
        {QStringLiteral("lightGrayColor"), QColor::fromRgbF(2 / 3.0f, 2 / 3.0f, 2 / 3.0f)},
        {QStringLiteral("darkGrayColor"), QColor::fromRgbF(1 / 3.0f, 1 / 3.0f, 1 / 3.0f)},
        {QStringLiteral("clearColor"), QColor::fromRgbF(0, 0, 0, 0)},
    };
    const auto found = named.constFind(name);
    if (found != named.cend())
        return *found;
    if (name.contains(QLatin1String("Background")) || name == QLatin1String("controlColor"))
        return QColor::fromRgbF(1, 1, 1);
    if (name.contains(QLatin1String("Text")) || name.contains(QLatin1String("label")))
        return QColor::fromRgbF(0, 0, 0);
    return QColor();
}

} // namespace

QColor colorFrom(Context& context, const PlistValue& value)
{
    return withObject<QColor>(context, value, [&](const PlistValue& object) -> QColor {
        const PlistDict& dict = object.toDict();
        if (!object.isDict() || !isOfClass(context, dict, "NSColor"))
            return QColor();
        const PlistValue* spaceValue = dict.find(QStringLiteral("NSColorSpace"));
        const qint64 space = spaceValue ? spaceValue->toInteger() : 0;
        auto componentsOf = [&](const char* key) {
            const PlistValue* entry = dict.find(QLatin1String(key));
            return entry ? components(dataFrom(context, *entry)) : std::vector<float>{};
        };
        if (space == 6) {
            if (const PlistValue* fallback = dict.find(QStringLiteral("NSColor"))) {
                const QColor color = colorFrom(context, *fallback);
                if (color.isValid())
                    return color;
            }
            const PlistValue* name = dict.find(QStringLiteral("NSColorName"));
            return name ? catalogColor(stringFrom(context, *name)) : QColor();
        }
        const char* ownKey = (space == 1 || space == 2) ? "NSRGB"
                             : (space == 3 || space == 4) ? "NSWhite"
                             : space == 5                ? "NSCMYK"
                                                         : nullptr;
        std::vector<float> values = ownKey ? componentsOf(ownKey) : std::vector<float>{};
        if (values.empty())
            values = componentsOf("NSComponents");
        if (values.empty() && !ownKey) {
            // No space given: take whichever component text is there.
            for (const auto& [key, guess] : {std::pair{"NSRGB", 1}, {"NSWhite", 3}, {"NSCMYK", 5}}) {
                values = componentsOf(key);
                if (!values.empty())
                    return fromComponents(values, guess);
            }
        }
        return fromComponents(values, space);
    });
}

} // namespace ArchiveDecoding
