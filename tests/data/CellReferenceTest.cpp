#include "data/CellReference.h"

#include <gtest/gtest.h>

TEST(CellReference, LettersAndNumbersAgreeBothWays)
{
    const struct
    {
        const char16_t* letters;
        int number;
    } columns[] = { { u"A", 1 }, { u"Z", 26 }, { u"AA", 27 }, { u"AZ", 52 }, { u"BA", 53 }, { u"ZZ", 702 },
        { u"AAA", 703 }, { u"AZZ", 1378 }, { u"XFD", 16384 } };
    for (const auto& column : columns) {
        const QString letters = QString::fromUtf16(column.letters);
        EXPECT_EQ(Get_Col_index(letters, 64), column.number) << letters.toStdString();
        EXPECT_EQ(Get_Col_index(letters, 65), column.number - 1) << letters.toStdString();
        EXPECT_EQ(ColumnNumber_To_Name(column.number), letters);
    }
    EXPECT_EQ(Get_Col_index(u"aa", 64), 27);
}

TEST(CellReference, ReferencesOutsideTheSheetAreRejected)
{
    EXPECT_EQ(Get_Col_index(u"", 64), -1);
    EXPECT_EQ(Get_Col_index(u"XFE", 64), -1);
    EXPECT_EQ(Get_Col_index(u"AAAA", 64), -1);
    EXPECT_EQ(Get_Col_index(u"A1", 64), -1);
    EXPECT_EQ(ColumnNumber_To_Name(0), QString());
}

TEST(CellReference, ColumnLettersStopAtTheRowNumber)
{
    EXPECT_EQ(Get_Column_Char_Str(u"AB12"), u"AB");
    EXPECT_EQ(Get_Column_Char_Str(u"C"), u"C");
    EXPECT_EQ(Get_Column_Char_Str(u"12"), u"");
    EXPECT_EQ(Get_Column_Char_Str(u"$A$1"), u"");
}
