#include "barcodes/QRMaskPenalty.h"

#include <array>

using namespace qrtables;
using Line = QRMaskPenalty::Line;

namespace {

// Line operations on the first W words only: small symbols fit in one or two words.
template <int W>
inline Line andOf(const Line& a, const Line& b)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = a.w[i] & b.w[i];
    return r;
}

template <int W>
inline Line orOf(const Line& a, const Line& b)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = a.w[i] | b.w[i];
    return r;
}

// Bits where a and b agree.
template <int W>
inline Line sameOf(const Line& a, const Line& b)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = ~(a.w[i] ^ b.w[i]);
    return r;
}

template <int W>
inline Line notOf(const Line& a)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = ~a.w[i];
    return r;
}

// Bit x of the result is bit x + k of the line (0 < k < 64).
template <int W>
inline Line later(const Line& a, int k)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = (a.w[i] >> k) | (i + 1 < W ? a.w[i + 1] << (64 - k) : 0);
    return r;
}

// Bit x of the result is bit x - k of the line (0 < k < 64); below 0 reads as 0.
template <int W>
inline Line earlier(const Line& a, int k)
{
    Line r;
    for (int i = 0; i < W; ++i)
        r.w[i] = (a.w[i] << k) | (i > 0 ? a.w[i - 1] >> (64 - k) : 0);
    return r;
}

constexpr Line firstBits(int count)
{
    Line r;
    for (int i = 0; i < Line::kWords; ++i) {
        const int bits = count - 64 * i;
        r.w[i] = bits >= 64 ? ~uint64_t{0} : bits <= 0 ? 0 : (uint64_t{1} << bits) - 1;
    }
    return r;
}

// Bit count without relying on a popcount instruction (the baseline x86-64 target has none
// and would call a library routine for every word).
inline int bitCount(uint64_t x)
{
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

template <int W>
inline int count(const Line& a)
{
    int n = 0;
    for (int i = 0; i < W; ++i)
        n += bitCount(a.w[i]);
    return n;
}

constexpr bool condition(int mask, int i, int j)
{
    switch (mask) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}

// Every mask condition repeats after 12 rows and after 12 columns, so one table holds each
// mask's rows (indexed by row mod 12) and one its columns (by column mod 12).
constexpr int kPeriod = 12;
using MaskLines = std::array<std::array<Line, kPeriod>, 8>;

constexpr MaskLines makeMaskLines(bool rows)
{
    MaskLines lines{};
    for (int mask = 0; mask < 8; ++mask)
        for (int k = 0; k < kPeriod; ++k)
            for (int along = 0; along < Line::kWords * 64; ++along)
                if (rows ? condition(mask, k, along) : condition(mask, along, k))
                    lines[mask][k].set(along);
    return lines;
}

constexpr MaskLines kMaskRows = makeMaskLines(true);
constexpr MaskLines kMaskColumns = makeMaskLines(false);

}  // namespace

const Line& QRMaskPenalty::maskColumn(int mask, int x)
{
    return kMaskColumns[mask][x % kPeriod];
}

void QRMaskPenalty::load(const uint8_t (&modules)[kMaxModules][kMaxModules], int size)
{
    m_size = size;
    m_runEnds = firstBits(size - 1);
    m_paddedLine = firstBits(size + 8);
    for (int i = 0; i < size; ++i) {
        m_functionDarkRows[i] = m_functionDarkColumns[i] = Line{};
        m_dataRows[i] = m_dataColumns[i] = Line{};
        m_bitRows[i] = m_bitColumns[i] = Line{};
    }
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            const uint8_t module = modules[x][y];
            if (module & kFunction) {
                if (module & kFunctionDark) {
                    m_functionDarkRows[y].set(x);
                    m_functionDarkColumns[x].set(y);
                }
            } else {
                m_dataRows[y].set(x);
                m_dataColumns[x].set(y);
                if (module & kDataDark) {
                    m_bitRows[y].set(x);
                    m_bitColumns[x].set(y);
                }
            }
        }
    }
}

void QRMaskPenalty::applyMask(int mask, int64_t level)
{
    for (int i = 0; i < m_size; ++i) {
        const Line& maskRow = kMaskRows[mask][i % kPeriod];
        const Line& maskColumn = kMaskColumns[mask][i % kPeriod];
        for (int k = 0; k < Line::kWords; ++k) {
            m_rows[i].w[k] = m_functionDarkRows[i].w[k] | (m_dataRows[i].w[k] & (m_bitRows[i].w[k] ^ maskRow.w[k]));
            m_columns[i].w[k] = m_functionDarkColumns[i].w[k]
                              | (m_dataColumns[i].w[k] & (m_bitColumns[i].w[k] ^ maskColumn.w[k]));
        }
    }
    // Format information was reserved as light function modules when loading.
    const int bits = formatInfoBits(level, mask);
    auto setDark = [&](ModulePosition at) {
        m_rows[at.y].set(at.x);
        m_columns[at.x].set(at.y);
    };
    for (int copy = 0; copy < 2; ++copy)
        for (int bit = 0; bit < 15; ++bit)
            if ((bits >> bit) & 1)
                setDark(formatInfoModule(copy, bit, m_size));
    setDark(darkModule(m_size));
}

template <int W>
int64_t QRMaskPenalty::linePenalty(const Line& line) const
{
    // Rule 1: a run of n >= 5 equal modules costs n - 2, which is the number of 5-module
    // windows inside the run (n - 4) plus 2 for the run's first window.
    const Line equalNext = andOf<W>(sameOf<W>(line, later<W>(line, 1)), m_runEnds);
    const Line fiveEqual = andOf<W>(andOf<W>(equalNext, later<W>(equalNext, 1)),
                                    andOf<W>(later<W>(equalNext, 2), later<W>(equalNext, 3)));
    const Line runStarts = andOf<W>(fiveEqual, notOf<W>(earlier<W>(equalNext, 1)));
    int64_t penalty = count<W>(fiveEqual) + 2 * count<W>(runStarts);

    // Rule 3: dark-light-dark-dark-dark-light-dark with light neighbours and four light
    // modules on one side. Four light modules of padding on each end stand for the edge.
    const Line dark = earlier<W>(line, 4);
    const Line light = andOf<W>(notOf<W>(dark), m_paddedLine);
    const Line finderLike = andOf<W>(
        andOf<W>(andOf<W>(dark, later<W>(light, 1)), andOf<W>(later<W>(dark, 2), later<W>(dark, 3))),
        andOf<W>(andOf<W>(later<W>(dark, 4), later<W>(light, 5)), later<W>(dark, 6)));
    const Line neighboursLight = andOf<W>(earlier<W>(light, 1), later<W>(light, 7));
    const Line lightBefore = andOf<W>(andOf<W>(earlier<W>(light, 1), earlier<W>(light, 2)),
                                      andOf<W>(earlier<W>(light, 3), earlier<W>(light, 4)));
    const Line lightAfter = andOf<W>(andOf<W>(later<W>(light, 7), later<W>(light, 8)),
                                     andOf<W>(later<W>(light, 9), later<W>(light, 10)));
    penalty += 40 * count<W>(andOf<W>(andOf<W>(finderLike, neighboursLight), orOf<W>(lightBefore, lightAfter)));
    return penalty;
}

template <int W>
int64_t QRMaskPenalty::scoreMasked() const
{
    int64_t penalty = 0;
    int64_t dark = 0;
    for (int i = 0; i < m_size; ++i) {
        penalty += linePenalty<W>(m_rows[i]) + linePenalty<W>(m_columns[i]);
        dark += count<W>(m_rows[i]);
    }

    // Rule 2: every 2 x 2 block of one colour.
    for (int y = 0; y + 1 < m_size; ++y) {
        const Line& top = m_rows[y];
        const Line sameBelow = sameOf<W>(top, m_rows[y + 1]);
        const Line block = andOf<W>(andOf<W>(sameBelow, later<W>(sameBelow, 1)),
                                    andOf<W>(sameOf<W>(top, later<W>(top, 1)), m_runEnds));
        penalty += 3 * count<W>(block);
    }

    // Rule 4: distance of the light share from one half, in steps of 5 %.
    const int64_t modules = int64_t{m_size} * m_size;
    const int64_t percentLight = (modules - dark) * 100 / modules;
    penalty += (percentLight > 50 ? percentLight - 50 : 50 - percentLight) / 5 * 10;
    return penalty;
}

int64_t QRMaskPenalty::penalty(int mask, int64_t level)
{
    applyMask(mask, level);
    // Words that hold a padded line of this size.
    switch ((m_size + 8 + 63) / 64) {
    case 1: return scoreMasked<1>();
    case 2: return scoreMasked<2>();
    default: return scoreMasked<3>();
    }
}
