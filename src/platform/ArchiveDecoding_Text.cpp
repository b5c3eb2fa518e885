// Archived fonts (NSName, NSSize and the lines NSUnderline, NSStrikethrough) and styled text
// (NSString, NSAttributes, NSAttributeInfo).
#include "platform/ArchiveDecoding.h"

#include "platform/FontNames.h"
#include "platform/StyledText.h"

#include <cmath>

namespace ArchiveDecoding {

namespace {

// Sizes outside this range are damage, not design; such a font takes the default size.
constexpr double largestFontSize = 5000.0;
constexpr double defaultFontSize = 12.0;

struct Attributes
{
    std::optional<QFont> font;
    QColor color;
};

Attributes attributesFrom(Context& context, const PlistValue& value)
{
    return withObject<Attributes>(context, value, [&](const PlistValue& object) -> Attributes {
        Attributes attributes;
        PlistArray items;
        const PlistValue* keys = object.toDict().find(QStringLiteral("NS.keys"));
        if (!keys || !arrayItems(object, items) || keys->toArray().size() != items.size())
            return attributes;
        for (size_t i = 0; i < items.size(); ++i) {
            const QString key = stringFrom(context, keys->toArray()[i]);
            if (key == QLatin1String("NSFont"))
                attributes.font = fontFrom(context, items[i]);
            else if (key == QLatin1String("NSColor"))
                attributes.color = colorFrom(context, items[i]);
        }
        return attributes;
    });
}

// Reads one base-128 number (low bits first); false at the end of the data or when the
// number does not fit an int.
bool readNumber(const QByteArray& data, qsizetype& at, qint64& value)
{
    value = 0;
    for (int shift = 0; at < data.size() && shift < 35; shift += 7) {
        const quint8 byte = quint8(data[at++]);
        value |= qint64(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value <= std::numeric_limits<int>::max();
    }
    return false;
}

// The runs described by NSAttributeInfo over the attribute dictionaries; empty when they
// do not add up to the text.
std::vector<StyledText::Run> runsFrom(const QByteArray& info, const std::vector<Attributes>& dictionaries,
                                      qsizetype textLength)
{
    std::vector<StyledText::Run> runs;
    qsizetype covered = 0;
    qsizetype at = 0;
    while (at < info.size()) {
        qint64 length = 0, index = 0;
        if (!readNumber(info, at, length) || !readNumber(info, at, index) || length <= 0
            || index >= qint64(dictionaries.size()) || length > textLength - covered)
            return {};
        runs.push_back(StyledText::Run{int(length), dictionaries[size_t(index)].font,
                                       dictionaries[size_t(index)].color});
        covered += length;
    }
    return covered == textLength ? runs : std::vector<StyledText::Run>{};
}

// Whether a line style under the key asks for a line: any number but none (0).
bool drawsLine(const PlistDict& font, const QString& key)
{
    const PlistValue* style = font.find(key);
    return style && style->isNumber() && std::isfinite(style->toReal()) && style->toReal() != 0.0;
}

} // namespace

std::optional<QFont> fontFrom(Context& context, const PlistValue& value)
{
    return withObject<std::optional<QFont>>(context, value, [&](const PlistValue& object) -> std::optional<QFont> {
        const PlistDict& dict = object.toDict();
        if (!object.isDict() || !isOfClass(context, dict, "NSFont"))
            return std::nullopt;
        const PlistValue* nameValue = dict.find(QStringLiteral("NSName"));
        const QString name = nameValue ? stringFrom(context, *nameValue).trimmed() : QString();
        if (name.isEmpty())
            return std::nullopt;
        const PlistValue* sizeValue = dict.find(QStringLiteral("NSSize"));
        double size = sizeValue && sizeValue->isNumber() ? sizeValue->toReal() : 0.0;
        if (!std::isfinite(size) || size <= 0 || size > largestFontSize)
            size = defaultFontSize;
        QFont font = FontNames::fontFromArchivedName(name, size);
        font.setUnderline(drawsLine(dict, QStringLiteral("NSUnderline")));
        font.setStrikeOut(drawsLine(dict, QStringLiteral("NSStrikethrough")));
        return font;
    });
}

std::shared_ptr<StyledText> styledTextFrom(Context& context, const PlistValue& value)
{
    using Result = std::shared_ptr<StyledText>;
    return withObject<Result>(context, value, [&](const PlistValue& object) -> Result {
        const PlistDict& dict = object.toDict();
        if (!object.isDict() || !isOfClass(context, dict, "NSAttributedString"))
            return nullptr;
        auto text = std::make_shared<StyledText>();
        if (const PlistValue* string = dict.find(QStringLiteral("NSString")))
            text->string = stringFrom(context, *string);
        if (text->string.isNull())
            text->string = QStringLiteral("");
        const PlistValue* attributes = dict.find(QStringLiteral("NSAttributes"));
        const PlistValue* info = dict.find(QStringLiteral("NSAttributeInfo"));
        if (text->string.isEmpty() || !attributes)
            return text;
        if (!info) {
            const Attributes only = attributesFrom(context, *attributes);
            text->runs.push_back(StyledText::Run{int(text->string.size()), only.font, only.color});
            return text;
        }
        std::vector<Attributes> dictionaries;
        withObject<bool>(context, *attributes, [&](const PlistValue& array) {
            PlistArray items;
            if (!arrayItems(array, items))
                return false;
            for (const PlistValue& item : items)
                dictionaries.push_back(attributesFrom(context, item));
            return true;
        });
        text->runs = runsFrom(dataFrom(context, *info), dictionaries, text->string.size());
        if (text->runs.empty()) // runs that do not fit the text: keep the text, drop its styles
            text->runs.push_back(StyledText::Run{int(text->string.size()), std::nullopt, QColor()});
        return text;
    });
}

} // namespace ArchiveDecoding
