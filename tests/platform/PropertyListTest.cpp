#include "platform/PropertyList.h"
#include "support/PeakMemory.h"
#include "support/SharedReferencePlist.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

PlistValue sampleValue()
{
    PlistDict dict;
    dict.insert(QStringLiteral("zeta"), PlistValue(qint64(-5)));
    dict.insert(QStringLiteral("alpha"), PlistValue(0.1));
    dict.insert(QStringLiteral("flag"), PlistValue(true));
    dict.insert(QStringLiteral("text"), PlistValue(QStringLiteral("Grüße & <tags> \"quoted\"")));
    // The XML writer puts these in as they are; XML itself would turn the carriage returns into
    // line feeds and refuse the control characters and the non-characters U+FFFE and U+FFFF.
    dict.insert(QStringLiteral("lines"),
        PlistValue(QStringLiteral("a\r\nb\rc\n\x01\x0b\x1f") + QChar(0xE001) + QChar(0xE000) + QChar(0xFFFF)
            + QChar(0xFFFE) + QChar(0xE021) + QStringLiteral("<![CDATA[\r]]>")));
    dict.insert(QStringLiteral("bytes"), PlistValue(QByteArray("\0\x01\xFFpng", 6)));
    dict.insert(QStringLiteral("uid"), PlistValue(PlistUid { 42 }));
    dict.insert(QStringLiteral("big"), PlistValue(qint64(1) << 40));
    PlistArray inner { PlistValue(QStringLiteral("")), PlistValue(false), PlistValue(qint64(0)), PlistValue(-2.5e-7) };
    dict.insert(QStringLiteral("list"), PlistValue(inner));
    dict.insert(QStringLiteral("empty"), PlistValue(PlistDict {}));
    return PlistValue(std::move(dict));
}

PlistValue nestedArrays(int depth)
{
    PlistValue value(PlistArray {});
    for (int i = 0; i < depth; ++i)
        value = PlistValue(PlistArray { value });
    return value;
}

} // namespace

TEST(PropertyList, EveryValueTypeSurvivesXmlAndBinaryWithKeyOrder)
{
    const PlistValue value = sampleValue();
    for (auto format : { PropertyList::Format::Xml, PropertyList::Format::Binary }) {
        QString error;
        const PlistValue back = PropertyList::read(PropertyList::write(value, format), &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(back, value);
        EXPECT_EQ(back.toDict().keys(), value.toDict().keys());
        EXPECT_EQ(back.toDict().find(QStringLiteral("zeta"))->toInteger(), -5);
        EXPECT_EQ(back.toDict().find(QStringLiteral("alpha"))->toReal(), 0.1);
    }
}

TEST(PropertyList, RowsReadBackShareTheirKeysYetChangeAlone)
{
    // Texts around the length kept inside a value, one of them with a character beyond 16 bits.
    const QStringList texts { QString(), QStringLiteral("a"), QString(15, u'x'), QString(16, u'y'),
        QStringLiteral("\U0001F600"), QStringLiteral("ß") };
    PlistArray rows;
    for (int r = 0; r < 3; ++r) {
        PlistDict row;
        for (int c = 0; c < 14; ++c)
            row.insert(QStringLiteral("Column%1").arg(c), texts.at((r + c) % texts.size()));
        rows.emplace_back(std::move(row));
    }
    for (auto format : { PropertyList::Format::Xml, PropertyList::Format::Binary }) {
        PlistValue back = PropertyList::read(PropertyList::write(PlistValue(rows), format));
        ASSERT_EQ(back, PlistValue(rows));
        PlistArray& read = back.array();
        EXPECT_EQ(read[1].toDict().find(QStringLiteral("Column1"))->toString(), texts.at(2));
        read[0].dict().insert(QStringLiteral("Column1"), QStringLiteral("changed"));
        read[1].dict().insert(QStringLiteral("Added"), QStringLiteral("new"));
        EXPECT_EQ(read[0].toDict().find(QStringLiteral("Column1"))->toString(), QStringLiteral("changed"));
        EXPECT_EQ(read[1].toDict().find(QStringLiteral("Added"))->toString(), QStringLiteral("new"));
        EXPECT_EQ(read[1].toDict().size(), 15);
        EXPECT_EQ(read[2].toDict(), rows[2].toDict());
        EXPECT_FALSE(read[0].toDict().contains(QStringLiteral("Added")));
    }
}

TEST(PropertyList, BinaryFormIsTheStandardOne)
{
    const QByteArray binary = PropertyList::write(sampleValue(), PropertyList::Format::Binary);
    EXPECT_TRUE(binary.startsWith("bplist00"));
    const QByteArray xml = PropertyList::write(sampleValue(), PropertyList::Format::Xml);
    EXPECT_TRUE(xml.contains("<plist"));
}

TEST(PropertyList, GarbageEmptyAndTruncatedInputFailWithAReason)
{
    const QByteArray binary = PropertyList::write(sampleValue(), PropertyList::Format::Binary);
    const QByteArray xml = PropertyList::write(sampleValue(), PropertyList::Format::Xml);
    for (const QByteArray& bad : { QByteArray(), QByteArray("not a plist at all"), binary.left(binary.size() - 7),
             binary.left(20), xml.left(xml.size() / 2), QByteArray("bplist00") }) {
        QString error;
        EXPECT_TRUE(PropertyList::read(bad, &error).isNone());
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(PropertyList, AbsurdNestingIsRefusedInBothForms)
{
    const PlistValue fine = nestedArrays(PropertyList::maxNesting - 2);
    for (auto format : { PropertyList::Format::Xml, PropertyList::Format::Binary })
        EXPECT_FALSE(PropertyList::read(PropertyList::write(fine, format)).isNone());

    QByteArray deepXml = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int i = 0; i < 100000; ++i)
        deepXml += "<array>";
    QString error;
    EXPECT_TRUE(PropertyList::read(deepXml, &error).isNone());
    EXPECT_TRUE(error.contains(QStringLiteral("deep")));

    const QByteArray deepBinary
        = PropertyList::write(nestedArrays(PropertyList::maxNesting + 10), PropertyList::Format::Binary);
    EXPECT_TRUE(PropertyList::read(deepBinary, &error).isNone());

    // Close tags that only a text scan takes for real, and an object shallow where first met:
    // all as deep as they are, refused with the message plain nesting gets.
    const QString tooDeep = QStringLiteral("The property list nests too deeply.");
    QTemporaryDir dir;
    for (const auto hiding :
        { sharedplist::Hiding::ArrayComment, sharedplist::Hiding::ArrayCdata, sharedplist::Hiding::DictComment }) {
        const QByteArray hidden = sharedplist::hiddenCloseTags(hiding, 200000);
        error.clear();
        EXPECT_TRUE(PropertyList::read(hidden, &error).isNone());
        EXPECT_EQ(error, tooDeep);
        const QString path = dir.filePath(QStringLiteral("hidden.plist"));
        ASSERT_TRUE(writeFileChecked(path, hidden));
        error.clear();
        EXPECT_TRUE(PropertyList::readFile(path, &error).isNone());
        EXPECT_EQ(error, tooDeep);
        EXPECT_FALSE(PropertyList::read(sharedplist::hiddenCloseTags(hiding, PropertyList::maxNesting)).isNone());
    }
    error.clear();
    EXPECT_TRUE(PropertyList::read(sharedplist::chainMetAgainDeeper(200), &error).isNone());
    EXPECT_EQ(error, tooDeep);
    EXPECT_TRUE(PropertyList::read(sharedplist::chainMetAgainDeeper(100)).isArray());
}

TEST(PropertyList, BinaryListReferringToItselfIsRefused)
{
    // bplist00, object 0: an array of one element that is object 0 itself.
    QByteArray bytes("bplist00", 8);
    bytes += QByteArray("\xA1\x00", 2); // offset 8: array, 1 ref -> 0
    const int offsetTable = bytes.size(); // 10
    bytes += char(8); // offset of object 0
    QByteArray trailer(32, '\0');
    trailer[6] = 1; // offset size
    trailer[7] = 1; // reference size
    trailer[31 - 16] = 1; // object count (last byte of the 8-byte field)
    trailer[31] = char(offsetTable); // offset table offset
    bytes += trailer;
    QString error;
    EXPECT_TRUE(PropertyList::read(bytes, &error).isNone());
    EXPECT_FALSE(error.isEmpty());
}

TEST(PropertyList, FilesAreWrittenWholeAndReadBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.plist"));
    ASSERT_TRUE(PropertyList::writeFile(path, sampleValue(), PropertyList::Format::Xml));
    EXPECT_EQ(PropertyList::readFile(path), sampleValue());
    QString error;
    EXPECT_TRUE(PropertyList::readFile(dir.filePath(QStringLiteral("missing.plist")), &error).isNone());
    EXPECT_TRUE(error.contains(QStringLiteral("missing.plist")));
    EXPECT_FALSE(PropertyList::writeFile(
        dir.filePath(QStringLiteral("no/such/folder/x.plist")), sampleValue(), PropertyList::Format::Xml, &error));
}

TEST(PropertyList, StringsWithNulCharactersAreRefusedNotFatal)
{
    // The parser aborts the program on such strings; they must be turned away before it.
    QByteArray binary
        = PropertyList::write(PlistValue(PlistArray { PlistValue("abcd") }), PropertyList::Format::Binary);
    binary.replace("abcd", QByteArray("ab\0d", 4));
    QString error;
    EXPECT_TRUE(PropertyList::read(binary, &error).isNone());
    EXPECT_TRUE(error.contains(QStringLiteral("damaged")));
    for (const char* reference : { "&#0;", "&#x0000;" }) {
        const QByteArray xml = QByteArray("<plist version=\"1.0\"><string>a") + reference + "b</string></plist>";
        EXPECT_TRUE(PropertyList::read(xml, &error).isNone()) << reference;
        EXPECT_TRUE(error.contains(QStringLiteral("NUL")));
    }
    EXPECT_EQ(PropertyList::read("<plist version=\"1.0\"><string>&#10;&amp;</string></plist>").toString(),
        QStringLiteral("\n&"));
}

TEST(PropertyList, SharedReferencesCopiedPastTheFilesSizeAreRefusedBeforeParsing)
{
    // Under 200 bytes standing for a billion values.
    const QByteArray billion = sharedplist::doublingArrays(29);
    ASSERT_LT(billion.size(), 300);
    QString error;
    const MeasuredRun run = runMeasured([&] {
        QString reason;
        PropertyList::read(billion, &reason);
        return reason.toStdString();
    });
    EXPECT_NE(run.result.find("1073741823 values"), std::string::npos) << run.result;
    EXPECT_GE(run.peakMegabytes, 0); // measured
    EXPECT_LT(run.peakMegabytes, 200);

    // Data repeated past the file's size, and a little sharing that an honest writer does.
    EXPECT_TRUE(PropertyList::read(sharedplist::repeatedData(QByteArray(100000, 'd'), 1000), &error).isNone());
    EXPECT_TRUE(error.contains(QStringLiteral("repeats its objects"))) << error.toStdString();
    const PlistValue few = PropertyList::read(sharedplist::doublingArrays(10), &error);
    ASSERT_TRUE(few.isArray()) << error.toStdString();
    EXPECT_EQ(few.toArray().size(), 2u);
}

TEST(PropertyList, TextsTheWriterSharesReadBack)
{
    // The writer keeps one copy of equal texts however often they appear.
    const PlistValue text(QString(20000, QLatin1Char('t')));
    const PlistValue value(PlistArray(2000, text));
    const QByteArray binary = PropertyList::write(value, PropertyList::Format::Binary);
    ASSERT_LT(binary.size(), 100000);
    QString error;
    EXPECT_EQ(PropertyList::read(binary, &error), value) << error.toStdString();
}

TEST(PropertyList, FileLargerThanReadersTakeIsNotWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.plist"));
    ASSERT_TRUE(PropertyList::writeFile(path, sampleValue(), PropertyList::Format::Xml));
    const PlistValue large(PlistArray(2000, PlistValue(QString(1000, QLatin1Char('l')))));
    QString error;
    EXPECT_FALSE(PropertyList::writeFile(path, large, PropertyList::Format::Xml, &error, 1 << 20));
    EXPECT_TRUE(error.contains(QStringLiteral("2 MB, more than the 1 MB"))) << error.toStdString();
    EXPECT_EQ(PropertyList::readFile(path), sampleValue());
}
