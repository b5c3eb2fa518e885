#include "data/RtfReader.h"

#include <gtest/gtest.h>

namespace {
QString text(const char* rtf)
{
    return rtfPlainText(QByteArray(rtf)).value_or(QStringLiteral("<refused>"));
}
} // namespace

// A document as word processors write it: tables of fonts, colours and styles, document
// information, several paragraphs in several fonts.
TEST(RtfReader, TakesTheWholeTextOfADocumentWithSeveralFontsAndParagraphs)
{
    const char* document = "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n"
                           "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss Arial;}}\r\n"
                           "{\\colortbl;\\red255\\green0\\blue0;}\r\n"
                           "{\\stylesheet{\\s0 Normal;}}\r\n"
                           "{\\info{\\title Guests}{\\author Someone}}\r\n"
                           "{\\*\\generator Writer;}\r\n"
                           "\\pard\\plain\\f0\\fs24 Ann Smith\\par\r\n"
                           "\\f1\\cf1\\b Bob\\b0  Jones\\par\r\n"
                           "{\\i Carl}\\line Dana\\tab Lee\\par\r\n"
                           "}";
    EXPECT_EQ(text(document), QStringLiteral("Ann Smith\nBob Jones\nCarl\nDana\tLee\n"));
}

TEST(RtfReader, EscapesCodePageAndUnicode)
{
    // \'hh in the code page, escaped braces and backslashes kept, \~ a no-break space.
    EXPECT_EQ(text("{\\rtf1\\ansicpg1252 caf\\'e9 \\'80 C:\\\\img\\\\a.png \\{x\\}\\~y}"),
        QStringLiteral("café € C:\\img\\a.png {x}\u00A0y"));
    // \uN with one stand-in by default, \ucN changing the count, negative values above 32767,
    // a stand-in written as \'hh, and a pair of surrogates.
    EXPECT_EQ(text("{\\rtf1 \\u8364?x\\uc2\\u269??y\\uc1\\u-4064\\'3fz\\u-10179?\\u-8704?}"),
        QStringLiteral("€x\u010Dy\uF020z\U0001F600"));
    // \ucN belongs to its group.
    EXPECT_EQ(text("{\\rtf1{\\uc0\\u65}\\u66?}"), QStringLiteral("AB"));
    // Typographic characters written as control words.
    EXPECT_EQ(text("{\\rtf1 a\\emdash b\\endash\\bullet\\lquote c\\rquote\\ldblquote d\\rdblquote}"),
        QStringLiteral("a—b–•‘c’“d”"));
    // Another code page.
    EXPECT_EQ(text("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}"), QStringLiteral("Аб"));
}

TEST(RtfReader, IgnorableDestinationsAndBinaryDataGiveNoText)
{
    EXPECT_EQ(
        text("{\\rtf1 a{\\*\\unknown {nested text}}b{\\pict\\pngblip 89504e47}c\\bin2 {}d}"), QStringLiteral("abcd"));
}

TEST(RtfReader, RefusesWhatIsNotAWholeDocument)
{
    EXPECT_FALSE(rtfPlainText("plain text").has_value());
    EXPECT_FALSE(rtfPlainText("{\\rtf1 open").has_value());
    EXPECT_FALSE(rtfPlainText("").has_value());
    EXPECT_EQ(text("{\\rtf1 a} trailing"), QStringLiteral("a"));
    EXPECT_EQ(text("{\\rtf1 \\'zz\\'4"), QStringLiteral("<refused>"));
    EXPECT_EQ(text("{\\rtf1 x\\u99999999999999999999?}"), QStringLiteral("x"));
}
