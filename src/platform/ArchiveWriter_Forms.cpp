// The archived forms of colours, fonts, styled text and pictures.
#include "platform/ArchiveWriter.h"

#include "platform/BraceGeometry.h"
#include "platform/FontNames.h"
#include "platform/Picture.h"
#include "platform/StyledText.h"

#include <QBuffer>
#include <QImageWriter>

#include <charconv>

namespace {

const QString classKey = QStringLiteral("$class");

// Colour spaces of archived colours.
constexpr qint64 calibratedRGB = 1;
constexpr qint64 deviceCMYK = 5;

// Space-separated components as archived colours hold them, with a closing NUL.
QByteArray componentText(std::initializer_list<float> components)
{
    QByteArray text;
    for (float component : components) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, component);
        if (!text.isEmpty())
            text.append(' ');
        text.append(buffer, result.ptr - buffer);
    }
    text.append('\0');
    return text;
}

QByteArray pngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    return png;
}

// Barcode pictures are kept as pixels at four times their size in points.
constexpr double pictureDpi = 288.0;

} // namespace

PlistDict ArchiveWriter::colorObject(const QColor& color)
{
    PlistDict object;
    if (color.spec() == QColor::Cmyk) {
        object.insert(QStringLiteral("NSColorSpace"), PlistValue(deviceCMYK));
        object.insert(QStringLiteral("NSCMYK"),
                      PlistValue(componentText({color.cyanF(), color.magentaF(), color.yellowF(),
                                                color.blackF(), color.alphaF()})));
    } else {
        const QColor rgb = color.toRgb();
        QByteArray components = rgb.alphaF() == 1.0f
                                    ? componentText({rgb.redF(), rgb.greenF(), rgb.blueF()})
                                    : componentText({rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()});
        object.insert(QStringLiteral("NSColorSpace"), PlistValue(calibratedRGB));
        object.insert(QStringLiteral("NSRGB"), PlistValue(components));
    }
    object.insert(classKey, classRecord({QStringLiteral("NSColor"), QStringLiteral("NSObject")}));
    return object;
}

PlistDict ArchiveWriter::fontObject(const QFont& font)
{
    double size = font.pointSizeF();
    if (size <= 0)
        size = font.pixelSize(); // the card's logical space is 72 dpi: a pixel is a point
    PlistDict object;
    object.insert(QStringLiteral("NSName"), PlistValue(objectForString(FontNames::archivedName(font))));
    object.insert(QStringLiteral("NSSize"), PlistValue(size));
    object.insert(QStringLiteral("NSfFlags"), PlistValue(qint64(16)));
    // The lines under and through the text, under the keys and with the value (1, one
    // single line) that styled text gives them. Written only when set, so a font without
    // them keeps its usual form; a reader that knows none of them passes over them.
    if (font.underline())
        object.insert(QStringLiteral("NSUnderline"), PlistValue(qint64(1)));
    if (font.strikeOut())
        object.insert(QStringLiteral("NSStrikethrough"), PlistValue(qint64(1)));
    object.insert(classKey, classRecord({QStringLiteral("NSFont"), QStringLiteral("NSObject")}));
    return object;
}

PlistUid ArchiveWriter::objectForAttributes(const QFont* font, const QColor& color)
{
    PlistDict attributes;
    if (font)
        attributes.insert(QStringLiteral("NSFont"), PlistValue(append(fontObject(*font))));
    if (color.isValid())
        attributes.insert(QStringLiteral("NSColor"), PlistValue(append(colorObject(color))));
    return objectForDictionary(attributes);
}

PlistUid ArchiveWriter::objectForStyledText(const StyledText& text)
{
    PlistDict object;
    object.insert(QStringLiteral("NSString"), PlistValue(objectForString(text.string)));
    if (text.isConsistent() && !text.runs.empty()) {
        // Runs that look alike share one attribute dictionary.
        std::vector<const StyledText::Run*> distinct;
        std::vector<size_t> runIndex;
        for (const StyledText::Run& run : text.runs) {
            size_t index = 0;
            while (index < distinct.size()
                   && !(distinct[index]->font == run.font && distinct[index]->color == run.color))
                ++index;
            if (index == distinct.size())
                distinct.push_back(&run);
            runIndex.push_back(index);
        }
        auto attributesOf = [this](const StyledText::Run& run) {
            return objectForAttributes(run.font ? &*run.font : nullptr, run.color);
        };
        if (text.runs.size() == 1) {
            object.insert(QStringLiteral("NSAttributes"), PlistValue(attributesOf(text.runs.front())));
        } else {
            std::vector<PlistUid> dictionaries;
            for (const StyledText::Run* run : distinct)
                dictionaries.push_back(attributesOf(*run));
            object.insert(QStringLiteral("NSAttributes"), PlistValue(objectForArray(dictionaries)));
            // Each run: its length, then the index of its dictionary, as base-128 numbers.
            QByteArray info;
            auto appendNumber = [&info](quint64 value) {
                do {
                    quint8 byte = value & 0x7F;
                    value >>= 7;
                    if (value)
                        byte |= 0x80;
                    info.append(char(byte));
                } while (value);
            };
            for (size_t i = 0; i < text.runs.size(); ++i) {
                appendNumber(quint64(text.runs[i].length));
                appendNumber(quint64(runIndex[i]));
            }
            object.insert(QStringLiteral("NSAttributeInfo"), PlistValue(append(PlistValue(info))));
        }
    }
    object.insert(classKey, classRecord({QStringLiteral("NSTextStorage"), QStringLiteral("NSMutableAttributedString"),
                                         QStringLiteral("NSAttributedString"), QStringLiteral("NSObject")}));
    return append(PlistValue(std::move(object)));
}

PlistUid ArchiveWriter::objectForImageData(const QByteArray& png, const QSizeF& sizeInPoints)
{
    const PlistUid data = append(PlistValue(png));
    const PlistUid rep = objectForArray({PlistUid{objectForPlainValue(PlistValue(qint64(0)))}, data});
    PlistDict object;
    object.insert(QStringLiteral("NSSize"), PlistValue(BraceGeometry::fromSize(sizeInPoints)));
    object.insert(QStringLiteral("NSReps"), PlistValue(objectForArray({rep})));
    object.insert(classKey, classRecord({QStringLiteral("NSImage"), QStringLiteral("NSObject")}));
    return append(PlistValue(std::move(object)));
}

void ArchiveWriter::encodeImage(const QString& key, const QImage& image)
{
    if (image.isNull()) {
        root_.insert(key, PlistUid{0});
        return;
    }
    root_.insert(key, objectForImageData(pngOf(image), QSizeF(image.size())));
}

void ArchiveWriter::encodePicture(const QString& key, const Picture& picture)
{
    if (picture.isNull()) {
        root_.insert(key, PlistUid{0});
        return;
    }
    root_.insert(key, objectForImageData(picture.toPng(pictureDpi), picture.size()));
}
