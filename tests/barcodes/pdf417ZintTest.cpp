// Module rows of our symbols against zint's, for layouts where both choose the same
// symbol: this pins the bar-pattern tables, the check codewords and the row indicators.
#include "Pdf417TestOracles.h"

#include "barcodes/pdf417param.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

using pdf417test::encode;
using pdf417test::moduleRows;
using pdf417test::rowDifference;
using pdf417test::zintRows;

namespace {

constexpr int OPTIONS = PDF417_FIXED_COLUMNS | PDF417_USE_ERROR_LEVEL;

QByteArray capitalText(int length)
{
    static const QByteArray pangram("THE QUICK BROWN FOX JUMPS OVER A LAZY DOG ");
    QByteArray text;
    while (text.size() < length)
        text += pangram;
    return text.left(length);
}

} // namespace

TEST(Pdf417AgainstZint, CapitalTextsWithChosenColumnsAndLevel)
{
    // Each case leaves less padding than 2^(level+1), so our encoder keeps the level as zint does.
    struct Case { int length; int columns; int level; };
    const Case cases[] = {
        {5, 1, 0},    {10, 1, 0},  {20, 2, 0},   {11, 3, 1},   {31, 3, 1},   {50, 4, 1},   {77, 6, 2},
        {100, 8, 2},  {150, 10, 3}, {200, 16, 3}, {300, 20, 4}, {400, 25, 5}, {500, 30, 6}, {300, 30, 7},
        {200, 30, 8}, {900, 12, 4}, {1500, 24, 3},
    };
    for (const Case& c : cases) {
        const QByteArray text = capitalText(c.length);
        const pdf417param param = encode(text, OPTIONS, c.columns, 0, c.level);
        ASSERT_EQ(param.error, PDF417_ERROR_NONE);
        ASSERT_EQ(param.codeColumns, c.columns) << c.length;
        ASSERT_EQ(param.errorLevel, c.level) << "case " << c.length << "/" << c.columns << " pads too much";
        EXPECT_EQ(rowDifference(moduleRows(param), zintRows(text, c.columns, c.level)), "")
            << c.length << " characters, " << c.columns << " columns, level " << c.level;
    }
}

TEST(Pdf417AgainstZint, EveryBarPatternOfEveryCluster)
{
    // Random digits in numeric compaction give codewords of every value; check codewords
    // and row indicators add the rest. Every (cluster, value) pair must turn up and match.
    std::mt19937 random(417);
    std::array<std::set<int>, 3> seen;
    int symbols = 0;
    while ((seen[0].size() < 929 || seen[1].size() < 929 || seen[2].size() < 929) && symbols < 300) {
        const int columns = std::uniform_int_distribution(8, 30)(random);
        const int level = std::uniform_int_distribution(5, 8)(random);
        QByteArray digits;
        const int length = std::uniform_int_distribution(20, 900)(random);
        for (int i = 0; i < length; ++i)
            digits += char('0' + std::uniform_int_distribution(0, 9)(random));
        const pdf417param param = encode(digits, OPTIONS, columns, 0, level);
        ASSERT_EQ(param.error, PDF417_ERROR_NONE);
        if (param.codeColumns != columns || param.errorLevel != level)
            continue; // a layout zint would not draw the same way
        ++symbols;
        ASSERT_EQ(rowDifference(moduleRows(param), zintRows(digits, columns, level)), "") << digits.constData();
        for (int i = 0; i < param.lenCodewords; ++i)
            seen[size_t(i / columns % 3)].insert(param.codewords[size_t(i)]);
        for (int row = 0; row < param.codeRows; ++row) {
            // Row indicators, as a reader computes them.
            const int base = 30 * (row / 3);
            const int rows = base + (param.codeRows - 1) / 3;
            const int cols = base + param.codeColumns - 1;
            const int lvl = base + 3 * param.errorLevel + (param.codeRows - 1) % 3;
            const int cluster = row % 3;
            seen[size_t(cluster)].insert(cluster == 0 ? rows : cluster == 1 ? lvl : cols);
            seen[size_t(cluster)].insert(cluster == 0 ? cols : cluster == 1 ? rows : lvl);
        }
    }
    for (size_t cluster = 0; cluster < 3; ++cluster)
        EXPECT_EQ(seen[cluster].size(), 929u) << "cluster " << cluster * 3 << " after " << symbols << " symbols";
}
