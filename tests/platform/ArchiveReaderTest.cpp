// Damaged, mistyped and hostile archives fail cleanly.
#include "ArchiveFixture.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#include <gtest/gtest.h>

namespace {

const QStringList holderClass{QStringLiteral("Holder"), QStringLiteral("NSObject")};

QByteArray goodArchive()
{
    ArchiveWriter writer(holderClass);
    writer.encodeInt(QStringLiteral("number"), 7);
    writer.encodeString(QStringLiteral("name"), QStringLiteral("card"));
    writer.encodeColor(QStringLiteral("colour"), Qt::red);
    return writer.toData();
}

PlistValue withFrameEntry(const QString& key, PlistValue value)
{
    PlistValue archive = PropertyList::read(goodArchive());
    archive.dict().insert(key, std::move(value));
    return archive;
}

} // namespace

TEST(ArchiveReader, RefusesWhatIsNotAnArchive)
{
    ArchiveReader reader;
    QString error;
    const QByteArray good = goodArchive();
    EXPECT_TRUE(reader.open(good, &error));
    for (const QByteArray& bad : {good.left(good.size() / 2), QByteArray("garbage"), QByteArray()}) {
        error.clear();
        EXPECT_FALSE(reader.open(bad, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    const PlistValue notArchives[] = {
        PlistValue(PlistArray{}),
        withFrameEntry(QStringLiteral("$archiver"), PlistValue("SomethingElse")),
        withFrameEntry(QStringLiteral("$objects"), PlistValue(QStringLiteral("objects"))),
        withFrameEntry(QStringLiteral("$objects"), PlistValue(PlistArray{})),
        withFrameEntry(QStringLiteral("$top"), PlistValue(qint64(1))),
    };
    for (const PlistValue& bad : notArchives) {
        error.clear();
        EXPECT_FALSE(reader.open(bad, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(ArchiveReader, RootReferenceMustNameAnObjectWithAClass)
{
    for (quint64 root : {quint64(0), quint64(999), quint64(2)}) { // $null, out of range, a string
        ArchiveFixture f;
        f.add(PlistValue(PlistDict{}));
        f.add(PlistValue("a string"));
        ArchiveReader reader;
        QString error;
        EXPECT_FALSE(reader.open(f.data(PlistUid{root}), &error)) << root;
        EXPECT_FALSE(error.isEmpty());
    }
    ArchiveFixture f;
    const PlistUid classless = f.add(PlistValue(PlistDict{}));
    EXPECT_FALSE(ArchiveReader().open(f.data(classless)));
}

TEST(ArchiveReader, MistypedValuesReadAsEmpty)
{
    ArchiveFixture f;
    const PlistUid string = f.add(PlistValue("text"));
    PlistDict entries;
    entries.insert(QStringLiteral("intAsString"), PlistValue(string));
    entries.insert(QStringLiteral("boolAsData"), PlistValue(QByteArray("1")));
    entries.insert(QStringLiteral("floatAsString"), PlistValue("1.5"));
    entries.insert(QStringLiteral("rectAsNumber"), PlistValue(qint64(5)));
    entries.insert(QStringLiteral("stringAsNumber"), PlistValue(qint64(5)));
    entries.insert(QStringLiteral("colourAsString"), PlistValue(string));
    entries.insert(QStringLiteral("fontAsString"), PlistValue(string));
    entries.insert(QStringLiteral("textAsString"), PlistValue(string));
    entries.insert(QStringLiteral("imageAsString"), PlistValue(string));
    entries.insert(QStringLiteral("outOfRange"), PlistValue(PlistUid{100000}));
    entries.insert(QStringLiteral("hugeInt"), PlistValue(qint64(1) << 40));
    entries.insert(QStringLiteral("hugeFloat"), PlistValue(1e300));
    const PlistUid root = f.object(holderClass, entries);
    ArchiveReader reader;
    ASSERT_TRUE(reader.open(f.data(root)));
    const ArchiveObject object = reader.root();
    EXPECT_EQ(object.decodeInt(QStringLiteral("intAsString")), 0);
    EXPECT_FALSE(object.decodeBool(QStringLiteral("boolAsData")));
    EXPECT_EQ(object.decodeFloat(QStringLiteral("floatAsString")), 0.0f);
    EXPECT_EQ(object.decodeRect(QStringLiteral("rectAsNumber")), QRectF());
    EXPECT_TRUE(object.decodeString(QStringLiteral("stringAsNumber")).isNull());
    EXPECT_FALSE(object.decodeColor(QStringLiteral("colourAsString")).isValid());
    EXPECT_FALSE(object.decodeFont(QStringLiteral("fontAsString")).has_value());
    EXPECT_FALSE(object.decodeStyledText(QStringLiteral("textAsString")));
    EXPECT_TRUE(object.decodeImage(QStringLiteral("imageAsString")).isNull());
    EXPECT_TRUE(object.decodeString(QStringLiteral("outOfRange")).isNull());
    EXPECT_EQ(object.decodeInt(QStringLiteral("hugeInt")), 0);
    EXPECT_EQ(object.decodeFloat(QStringLiteral("hugeFloat")), 0.0f);
    EXPECT_EQ(object.decodeInt(QStringLiteral("missing")), 0);
}

TEST(ArchiveReader, CyclesAndExponentialSharingEndQuickly)
{
    ArchiveFixture f;
    const QStringList arrayClass{QStringLiteral("NSArray"), QStringLiteral("NSObject")};
    // A string whose contents are itself.
    const PlistUid selfString = f.add(PlistValue());
    PlistDict selfEntries;
    selfEntries.insert(QStringLiteral("NS.string"), PlistValue(selfString));
    selfEntries.insert(QStringLiteral("$class"), PlistValue(f.classRecord({QStringLiteral("NSMutableString"), QStringLiteral("NSObject")})));
    f.set(selfString, PlistValue(selfEntries));
    // Sixty levels of arrays that each hold the next level twice: 2^60 paths.
    PlistUid level = f.add(PlistValue("leaf"));
    for (int i = 0; i < 60; ++i) {
        PlistDict entries;
        entries.insert(QStringLiteral("NS.objects"), PlistValue(PlistArray{PlistValue(level), PlistValue(level)}));
        level = f.object(arrayClass, entries);
    }
    PlistDict entries;
    entries.insert(QStringLiteral("cycle"), PlistValue(selfString));
    entries.insert(QStringLiteral("shared"), PlistValue(level));
    const PlistUid root = f.object(holderClass, entries);
    ArchiveReader reader;
    ASSERT_TRUE(reader.open(f.data(root)));
    EXPECT_TRUE(reader.root().decodeString(QStringLiteral("cycle")).isNull());
    const PlistValue shared = reader.root().decodeObject(QStringLiteral("shared"));
    EXPECT_TRUE(shared.isArray()); // cut off by the visit budget, not expanded
}

TEST(ArchiveReader, PlainValuesRoundTripThroughTheArchiveForms)
{
    PlistDict dict;
    dict.insert(QStringLiteral("Header"), PlistValue("value"));
    dict.insert(QStringLiteral("n"), PlistValue(qint64(3)));
    const PlistValue rows(PlistArray{PlistValue(dict), PlistValue(2.5), PlistValue(QByteArray("raw"))});
    ArchiveWriter writer(holderClass);
    writer.encodeObject(QStringLiteral("rows"), rows);
    for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
        ArchiveReader reader;
        ASSERT_TRUE(reader.open(writer.toData(format)));
        EXPECT_EQ(reader.root().decodeObject(QStringLiteral("rows")), rows);
        EXPECT_EQ(reader.root().className(), QStringLiteral("Holder"));
    }
}

TEST(ArchiveReader, ColourAndFontArchivesOfTheirOwn)
{
    const QColor colour = QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_EQ(ArchiveReader::unarchivedColor(ArchiveWriter::archivedColor(colour)), colour);
    EXPECT_FALSE(ArchiveReader::unarchivedColor(ArchiveWriter::archivedColor(QColor())).isValid());
    EXPECT_FALSE(ArchiveReader::unarchivedColor(QByteArray("junk")).isValid());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(13.5);
    font.setItalic(true);
    const auto back = ArchiveReader::unarchivedFont(ArchiveWriter::archivedFont(font));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->family(), font.family());
    EXPECT_EQ(back->pointSizeF(), 13.5);
    EXPECT_TRUE(back->italic());
    EXPECT_FALSE(ArchiveReader::unarchivedFont(ArchiveWriter::archivedFont(std::nullopt)).has_value());
}
