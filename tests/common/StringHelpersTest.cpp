#include "common/StringHelpers.h"

#include <gtest/gtest.h>

TEST(TrimStr, StripsOuterWhitespaceAndControlsButKeepsInnerOnes)
{
    EXPECT_EQ(Trim_Str(QStringLiteral("  word\n")), QStringLiteral("word"));
    EXPECT_EQ(Trim_Str(QStringLiteral("a\tb\nc")), QStringLiteral("a\tb\nc"));
    EXPECT_EQ(Trim_Str(QStringLiteral("\x01 x \x02")), QStringLiteral(" x "));
    EXPECT_EQ(Trim_Str(QString()), QString());
}

TEST(RemoveReserveChar, StripsReservedCharactersOnlyAtTheEnds)
{
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QStringLiteral("/name?")), QStringLiteral("name"));
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QStringLiteral("a/b")), QStringLiteral("a/b"));
    // The spaces shield the brackets from the first step; then the spaces go.
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QStringLiteral(" <x> ")), QStringLiteral("<x>"));
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name(QStringLiteral("*|\"%\\report>")), QStringLiteral("report"));
}

TEST(ReplaceCharInString, ReplacesLiterallyAndLeavesTextAloneForAnEmptyTarget)
{
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("a.b.c"), QStringLiteral("."), QStringLiteral("::")),
              QStringLiteral("a::b::c"));
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("Aa"), QStringLiteral("a"), QStringLiteral("x")),
              QStringLiteral("Ax"));
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
}

TEST(FindStr, EmptyOrMissingSubStringsAreNotFound)
{
    EXPECT_TRUE(Find_Str(QStringLiteral("Hello"), QStringLiteral("ell")));
    EXPECT_FALSE(Find_Str(QStringLiteral("Hello"), QStringLiteral("ELL")));
    EXPECT_FALSE(Find_Str(QStringLiteral("Hello"), QString()));
    EXPECT_FALSE(Find_Str(QStringLiteral("Hello"), QStringLiteral("")));

    EXPECT_TRUE(Find_Str_Case_Insensitive(QStringLiteral("PARTY TIME"), QStringLiteral("party")));
    EXPECT_FALSE(Find_Str_Case_Insensitive(QString(), QStringLiteral("a")));
    EXPECT_FALSE(Find_Str_Case_Insensitive(QStringLiteral("a"), QString()));
    EXPECT_FALSE(Find_Str_Case_Insensitive(QStringLiteral("abc"), QStringLiteral("")));
}

TEST(SubstringHelpers, ClampCountsAndTreatNegativeIndexesAsPastTheEnd)
{
    const QString three = QStringLiteral("abc");
    EXPECT_EQ(Left_Str_substringToIndex(three, 5), three);
    EXPECT_EQ(Left_Str_substringToIndex(three, -1), QString());
    EXPECT_EQ(Left_Str_substringToIndex(three, 2), QStringLiteral("ab"));

    const QString six = QStringLiteral("abcdef");
    EXPECT_EQ(Right_Str_substringFromIndex(six, 2), QStringLiteral("ef"));
    EXPECT_EQ(Right_Str_substringFromIndex(six, 0), QString());
    EXPECT_EQ(Right_Str_substringFromIndex(six, 9), six);
    EXPECT_EQ(Right_Str_substringFromIndex(six, -4), QString());

    EXPECT_EQ(Read_Str_FromIndex(three, 3), QString());
    EXPECT_EQ(Read_Str_FromIndex(three, 4), QString());
    EXPECT_EQ(Read_Str_FromIndex(three, -1), QString());
    EXPECT_EQ(Read_Str_FromIndex(three, 1), QStringLiteral("bc"));
    EXPECT_EQ(Read_Str_Upto_Index(three, 2), QStringLiteral("ab"));
    EXPECT_EQ(Read_Str_Upto_Index(three, 3), three);
    EXPECT_EQ(Read_Str_Upto_Index(three, -1), QString());
}

TEST(SubstringHelpers, CountUtf16CodeUnits)
{
    // U+1F600 is two UTF-16 code units: the helpers count it as two characters.
    const QString text = QStringLiteral("a\U0001F600b");
    EXPECT_EQ(text.size(), 4);
    EXPECT_EQ(Read_Str_FromIndex(text, 3), QStringLiteral("b"));
    EXPECT_EQ(Left_Str_substringToIndex(text, 3), QStringLiteral("a\U0001F600"));
}
