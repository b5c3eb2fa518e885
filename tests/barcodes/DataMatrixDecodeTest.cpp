// Our symbols read back by an independent decoder: every size, every encodation, lengths up
// to each size's capacity, automatic plans of mixed text, and encoders on two threads.
#include "DataMatrixTestSupport.h"

#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixSymbolSize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

using namespace datamatrix_test;

namespace {

std::string edifactBytes()
{
    std::string bytes;
    for (char c = 32; c <= 94; ++c)
        bytes += c;
    return bytes;
}

// Text that each encodation carries, with shifted and extended characters where it has them.
std::string alphabetFor(char letter)
{
    switch (letter) {
    case 'A':
        return "0123456789012345678901234567890123456789AbZ~!\x01\x7F\xC4\xE9";
    case 'C':
        return "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789    ABCDEF.,a\x01\xC9";
    case 'T':
        return "abcdefghijklmnopqrstuvwxyz0123456789    abcdef.,A\x01\xE9";
    case 'X':
        return "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 *>\r";
    case 'E':
        return edifactBytes();
    case 'B':
        return allBytes();
    default: // automatic plans over runs of every kind
        return "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnop *>\r.,;:-/\xC4\xE9\x01";
    }
}

DataMatrixSymbol encodeAs(const std::string& text, char letter, const DataMatrixSymbolSize& size)
{
    std::optional<std::string> encoding;
    if (letter != '?')
        encoding = std::string(text.size(), letter);
    return encodeDataMatrix(text, size.columns, size.rows, encoding);
}

// Lengths worth decoding in one size: the longest four that fit (the end of the data then
// meets every amount of room left) and one about half as long. A binary search finds the
// region; the scan down from a little above it does not rely on fitting being monotonic.
std::vector<size_t> lengthsToTry(const std::string& text, char letter, const DataMatrixSymbolSize& size)
{
    auto fits = [&](size_t length) { return encodeAs(text.substr(0, length), letter, size).isValid(); };
    size_t low = 0; // fits (the empty text always does)
    size_t high = text.size() + 1;
    while (high - low > 1) {
        const size_t middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    std::vector<size_t> chosen;
    for (size_t length = std::min(text.size(), low + 8); length >= 1 && chosen.size() < 4; --length)
        if (fits(length))
            chosen.push_back(length);
    if (!chosen.empty() && chosen.back() > 1)
        chosen.push_back(chosen.back() / 2);
    return chosen;
}

class DataMatrixEveryEncodation : public testing::TestWithParam<char> {};

} // namespace

TEST_P(DataMatrixEveryEncodation, DecodesInEverySizeUpToItsCapacity)
{
    const char letter = GetParam();
    const std::string alphabet = alphabetFor(letter);
    int decoded = 0;
    for (const DataMatrixSymbolSize& size : ecc200matrix()) {
        const std::string text = randomText(alphabet, static_cast<size_t>(size.dataCodewords) * 3 + 6,
                                            static_cast<uint32_t>(size.rows * 1000 + size.columns + letter));
        const std::vector<size_t> lengths = lengthsToTry(text, letter, size);
        ASSERT_FALSE(lengths.empty()) << size.rows << "x" << size.columns;
        for (size_t length : lengths) {
            const std::string value = text.substr(0, length);
            const DataMatrixSymbol symbol = encodeAs(value, letter, size);
            ASSERT_TRUE(symbol.isValid());
            EXPECT_EQ(decodeSymbol(symbol), QByteArray::fromStdString(value))
                << letter << " " << size.rows << "x" << size.columns << " length " << length << " used "
                << symbol.used << " of " << symbol.capacity << " encoding " << symbol.encoding;
            ++decoded;
        }
    }
    EXPECT_GE(decoded, 90);
}

INSTANTIATE_TEST_SUITE_P(Schemes, DataMatrixEveryEncodation, testing::Values('A', 'C', 'T', 'X', 'E', 'B', '?'),
                         [](const testing::TestParamInfo<char>& info) {
                             return info.param == '?' ? std::string("Automatic") : std::string(1, info.param);
                         });

TEST(DataMatrixDecode, AutomaticPlansOfMixedRunsDecode)
{
    // Runs of one kind each, so that the planner switches between every pair of schemes.
    const std::string kinds[] = {"0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ ", "abcdefghijklmnopqrstuvwxyz ",
                                 "ABC*>\r0123", "!\"#$%&'()*+,-./:;<=>?@[\\]^", allBytes().substr(128)};
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::string text;
        const size_t runs = 1 + seed % 7;
        for (size_t run = 0; run < runs; ++run) {
            const std::string& kind = kinds[(seed * 7 + run * 3) % std::size(kinds)];
            text += randomText(kind, 1 + (seed * 13 + run * 5) % 23, seed * 100 + static_cast<uint32_t>(run));
        }
        const DataMatrixSymbol symbol = encodeDataMatrix(text);
        ASSERT_TRUE(symbol.isValid()) << symbol.error;
        EXPECT_EQ(decodeSymbol(symbol), QByteArray::fromStdString(text)) << "seed " << seed << " " << symbol.encoding;
    }
}

TEST(DataMatrixDecode, EncodersOnTwoThreadsGiveOnlyGoodSymbols)
{
    // Reference symbols made on this thread and read back once...
    std::vector<std::pair<std::string, std::optional<std::string>>> requests;
    std::vector<DataMatrixSymbol> references;
    for (uint32_t i = 0; i < 16; ++i) {
        const char letter = "ACTXEB?"[i % 7];
        std::string text = randomText(alphabetFor(letter), 5 + i * 37, i);
        std::optional<std::string> encoding;
        if (letter != '?')
            encoding = std::string(text.size(), letter);
        references.push_back(encodeDataMatrix(text, 0, 0, encoding));
        ASSERT_TRUE(references.back().isValid());
        ASSERT_EQ(decodeSymbol(references.back()), QByteArray::fromStdString(text)) << i;
        requests.emplace_back(std::move(text), std::move(encoding));
    }
    // ...then made again and again on two threads at once must come out the same.
    std::atomic<int> made{0};
    std::atomic<int> different{0};
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    auto work = [&](size_t start) {
        for (size_t i = start; std::chrono::steady_clock::now() < until; ++i) {
            const size_t k = i % requests.size();
            const DataMatrixSymbol symbol = encodeDataMatrix(requests[k].first, 0, 0, requests[k].second);
            if (symbol.grid != references[k].grid)
                ++different;
            ++made;
        }
    };
    std::thread first(work, 0);
    std::thread second(work, requests.size() / 2);
    first.join();
    second.join();
    EXPECT_EQ(different.load(), 0);
    EXPECT_GT(made.load(), 100);
}
