// Archives in the form written elsewhere (hand-built) decode to the right values.
#include "ArchiveFixture.h"

#include "platform/ArchiveReader.h"
#include "platform/StyledText.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImageWriter>

namespace {

const QStringList colorClass{QStringLiteral("NSColor"), QStringLiteral("NSObject")};
const QStringList fontClass{QStringLiteral("NSFont"), QStringLiteral("NSObject")};
const QStringList holderClass{QStringLiteral("Holder"), QStringLiteral("NSObject")};

PlistDict entries(std::initializer_list<std::pair<const char*, PlistValue>> items)
{
    PlistDict dict;
    for (const auto& [key, value] : items)
        dict.insert(QString::fromLatin1(key), value);
    return dict;
}

PlistValue text(const char* components)
{
    return PlistValue(QByteArray(components, qsizetype(qstrlen(components)) + 1)); // with the closing NUL
}

// Decodes the "value" key of a holder object whose value is the given object.
template <class Decode>
auto decodeHeld(ArchiveFixture& fixture, PlistUid value, Decode decode)
{
    const PlistUid root = fixture.object(holderClass, entries({{"value", PlistValue(value)}}));
    ArchiveReader reader;
    QString error;
    EXPECT_TRUE(reader.open(fixture.data(root), &error)) << error.toStdString();
    return decode(reader.root());
}

QColor decodeColor(ArchiveFixture& fixture, PlistUid color)
{
    return decodeHeld(fixture, color, [](const ArchiveObject& root) { return root.decodeColor(QStringLiteral("value")); });
}

void expectRgba(const QColor& color, double r, double g, double b, double a)
{
    ASSERT_TRUE(color.isValid());
    EXPECT_NEAR(color.redF(), r, 1e-4);
    EXPECT_NEAR(color.greenF(), g, 1e-4);
    EXPECT_NEAR(color.blueF(), b, 1e-4);
    EXPECT_NEAR(color.alphaF(), a, 1e-4);
}

} // namespace

TEST(ArchiveForms, ColoursInEveryColourSpaceForm)
{
    {
        ArchiveFixture f;
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", text("0.5 0.25 1")}}))),
                   0.5, 0.25, 1, 1);
    }
    {
        ArchiveFixture f;
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(2)}, {"NSRGB", text("1 0 0 0.5")}}))),
                   1, 0, 0, 0.5);
    }
    {
        ArchiveFixture f; // device white with alpha
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(4)}, {"NSWhite", text("0.5 0.25")}}))),
                   0.5, 0.5, 0.5, 0.25);
    }
    {
        ArchiveFixture f; // calibrated white, opaque
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(3)}, {"NSWhite", text("1")}}))),
                   1, 1, 1, 1);
    }
    {
        ArchiveFixture f; // component-based form: NSComponents with a custom colour space
        const PlistUid space = f.object({QStringLiteral("NSColorSpace"), QStringLiteral("NSObject")},
                                        entries({{"NSID", qint64(7)}}));
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(1)},
                                                                {"NSComponents", text("0.2 0.4 0.6 1")},
                                                                {"NSCustomColorSpace", PlistValue(space)}}))),
                   0.2, 0.4, 0.6, 1);
    }
    {
        ArchiveFixture f;
        const QColor cmyk = decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(5)}, {"NSCMYK", text("0 1 1 0 1")}})));
        expectRgba(cmyk.toRgb(), 1, 0, 0, 1);
    }
    {
        ArchiveFixture f; // catalog colour with its own colour
        const PlistUid fallback = f.object(colorClass, entries({{"NSColorSpace", qint64(3)}, {"NSWhite", text("0")}}));
        const PlistUid catalog = f.add(PlistValue("System"));
        const PlistUid name = f.add(PlistValue("controlTextColor"));
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(6)},
                                                                {"NSCatalogName", PlistValue(catalog)},
                                                                {"NSColorName", PlistValue(name)},
                                                                {"NSColor", PlistValue(fallback)}}))),
                   0, 0, 0, 1);
    }
    {
        ArchiveFixture f; // catalog colour known only by name
        const PlistUid name = f.add(PlistValue("textBackgroundColor"));
        expectRgba(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(6)}, {"NSColorName", PlistValue(name)}}))),
                   1, 1, 1, 1);
    }
}

TEST(ArchiveForms, DamagedColoursReadAsNone)
{
    ArchiveFixture f;
    EXPECT_FALSE(decodeColor(f, f.object(colorClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", text("red green")}}))).isValid());
    ArchiveFixture g;
    EXPECT_FALSE(decodeColor(g, g.object(colorClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", PlistValue("0 0 0")}}))).isValid());
    ArchiveFixture h; // not a colour at all
    EXPECT_FALSE(decodeColor(h, h.object(fontClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", text("0 0 0")}}))).isValid());
    ArchiveFixture i; // a catalog colour whose own colour is itself
    const PlistUid self = i.add(PlistValue());
    PlistDict cyclic = entries({{"NSColorSpace", qint64(6)}, {"NSColor", PlistValue(self)}});
    cyclic.insert(QStringLiteral("$class"), PlistValue(i.classRecord(colorClass)));
    i.set(self, PlistValue(cyclic));
    EXPECT_FALSE(decodeColor(i, self).isValid());
}

TEST(ArchiveForms, FontByPostScriptNameMapsToAnInstalledFamily)
{
    ArchiveFixture f;
    const PlistUid name = f.add(PlistValue("TimesNewRomanPS-BoldMT"));
    const auto font = decodeHeld(f, f.object(fontClass, entries({{"NSName", PlistValue(name)}, {"NSSize", 18.0}, {"NSfFlags", qint64(16)}})),
                                 [](const ArchiveObject& root) { return root.decodeFont(QStringLiteral("value")); });
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(QFontInfo(*font).family(), QStringLiteral("Liberation Serif")); // the metric stand-in
    EXPECT_TRUE(font->bold());
    EXPECT_EQ(font->pointSizeF(), 18.0);

    ArchiveFixture g;
    const PlistUid installed = g.add(PlistValue("DejaVuSans-Oblique"));
    const auto oblique = decodeHeld(g, g.object(fontClass, entries({{"NSName", PlistValue(installed)}, {"NSSize", qint64(9)}})),
                                    [](const ArchiveObject& root) { return root.decodeFont(QStringLiteral("value")); });
    ASSERT_TRUE(oblique.has_value());
    EXPECT_EQ(oblique->family(), QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(oblique->italic());
    EXPECT_EQ(oblique->pointSizeF(), 9.0);
}

TEST(ArchiveForms, MutableStringsAndStringsAsBytes)
{
    ArchiveFixture f;
    const PlistUid inner = f.add(PlistValue("Hello"));
    const QStringList mutableClass{QStringLiteral("NSMutableString"), QStringLiteral("NSString"), QStringLiteral("NSObject")};
    const PlistUid mutableString = f.object(mutableClass, entries({{"NS.string", PlistValue(inner)}}));
    EXPECT_EQ(decodeHeld(f, mutableString, [](const ArchiveObject& root) { return root.decodeString(QStringLiteral("value")); }),
              QStringLiteral("Hello"));

    ArchiveFixture g;
    const PlistUid bytes = g.object(mutableClass, entries({{"NS.bytes", PlistValue(QString::fromUtf8("Grüße").toUtf8())}}));
    EXPECT_EQ(decodeHeld(g, bytes, [](const ArchiveObject& root) { return root.decodeString(QStringLiteral("value")); }),
              QString::fromUtf8("Grüße"));
}

TEST(ArchiveForms, StyledTextWithTwoRuns)
{
    ArchiveFixture f;
    const PlistUid string = f.add(PlistValue("Hello world"));
    const PlistUid fontName = f.add(PlistValue("LiberationSans-Bold"));
    const PlistUid font = f.object(fontClass, entries({{"NSName", PlistValue(fontName)}, {"NSSize", 14.0}}));
    const PlistUid red = f.object(colorClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", text("1 0 0")}}));
    const PlistUid blue = f.object(colorClass, entries({{"NSColorSpace", qint64(1)}, {"NSRGB", text("0 0 1")}}));
    const PlistUid fontKey = f.add(PlistValue("NSFont"));
    const PlistUid colorKey = f.add(PlistValue("NSColor"));
    const QStringList dictClass{QStringLiteral("NSDictionary"), QStringLiteral("NSObject")};
    const PlistUid first = f.object(dictClass, entries({{"NS.keys", PlistArray{PlistValue(fontKey), PlistValue(colorKey)}},
                                                        {"NS.objects", PlistArray{PlistValue(font), PlistValue(red)}}}));
    const PlistUid second = f.object(dictClass, entries({{"NS.keys", PlistArray{PlistValue(colorKey)}},
                                                         {"NS.objects", PlistArray{PlistValue(blue)}}}));
    const PlistUid runs = f.object({QStringLiteral("NSArray"), QStringLiteral("NSObject")},
                                   entries({{"NS.objects", PlistArray{PlistValue(first), PlistValue(second)}}}));
    const PlistUid styled = f.object({QStringLiteral("NSTextStorage"), QStringLiteral("NSMutableAttributedString"),
                                      QStringLiteral("NSAttributedString"), QStringLiteral("NSObject")},
                                     entries({{"NSString", PlistValue(string)},
                                              {"NSAttributes", PlistValue(runs)},
                                              {"NSAttributeInfo", PlistValue(QByteArray("\x05\x00\x06\x01", 4))}}));
    const auto text = decodeHeld(f, styled, [](const ArchiveObject& root) { return root.decodeStyledText(QStringLiteral("value")); });
    ASSERT_TRUE(text);
    EXPECT_EQ(text->string, QStringLiteral("Hello world"));
    ASSERT_EQ(text->runs.size(), 2u);
    EXPECT_EQ(text->runs[0].length, 5);
    ASSERT_TRUE(text->runs[0].font.has_value());
    EXPECT_EQ(text->runs[0].font->family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(text->runs[0].font->bold());
    EXPECT_EQ(text->runs[0].color, QColor::fromRgbF(1, 0, 0));
    EXPECT_EQ(text->runs[1].length, 6);
    EXPECT_FALSE(text->runs[1].font.has_value());
    EXPECT_EQ(text->runs[1].color, QColor::fromRgbF(0, 0, 1));
}

TEST(ArchiveForms, StyledTextWhoseRunsDoNotFitKeepsItsText)
{
    ArchiveFixture f;
    const PlistUid string = f.add(PlistValue("abc"));
    const PlistUid runs = f.object({QStringLiteral("NSArray"), QStringLiteral("NSObject")}, entries({{"NS.objects", PlistArray{}}}));
    const PlistUid styled = f.object({QStringLiteral("NSAttributedString"), QStringLiteral("NSObject")},
                                     entries({{"NSString", PlistValue(string)},
                                              {"NSAttributes", PlistValue(runs)},
                                              {"NSAttributeInfo", PlistValue(QByteArray("\x7F\x05", 2))}}));
    const auto text = decodeHeld(f, styled, [](const ArchiveObject& root) { return root.decodeStyledText(QStringLiteral("value")); });
    ASSERT_TRUE(text);
    EXPECT_EQ(text->string, QStringLiteral("abc"));
    EXPECT_TRUE(text->isConsistent());
}

TEST(ArchiveForms, ImageTakesTheFirstEmbeddedPictureData)
{
    QImage pixels(3, 2, QImage::Format_RGB32);
    pixels.fill(QColor(10, 200, 30));
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&buffer, "tiff").write(pixels));

    ArchiveFixture f;
    const PlistUid data = f.add(PlistValue(tiff));
    const PlistUid rep = f.object({QStringLiteral("NSBitmapImageRep"), QStringLiteral("NSImageRep"), QStringLiteral("NSObject")},
                                  entries({{"NSTIFFRepresentation", PlistValue(data)}}));
    const PlistUid reps = f.object({QStringLiteral("NSArray"), QStringLiteral("NSObject")},
                                   entries({{"NS.objects", PlistArray{PlistValue(rep)}}}));
    const PlistUid image = f.object({QStringLiteral("NSImage"), QStringLiteral("NSObject")},
                                    entries({{"NSReps", PlistValue(reps)}, {"NSColor", PlistValue(PlistUid{0})}}));
    const QImage decoded = decodeHeld(f, image, [](const ArchiveObject& root) { return root.decodeImage(QStringLiteral("value")); });
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(3, 2));
    EXPECT_EQ(decoded.pixelColor(1, 1), QColor(10, 200, 30));
}
