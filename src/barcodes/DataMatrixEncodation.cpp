#include "barcodes/DataMatrixEncodation.h"

#include "barcodes/DataMatrixCharacterSets.h"

#include <array>
#include <vector>

namespace {

enum Scheme { Ascii, C40, Text, X12, Edifact, Base256, SchemeCount };

// Codewords to go from one scheme to another: unlatches, latches and the Base 256 length.
constexpr int switchcost[SchemeCount][SchemeCount] = {
    {0, 1, 1, 1, 1, 2},
    {1, 0, 2, 2, 2, 3},
    {1, 2, 0, 2, 2, 3},
    {1, 2, 2, 0, 2, 3},
    {1, 2, 2, 2, 0, 3},
    {0, 1, 1, 1, 1, 0},
};

struct Entry {
    int t = 0; // characters covered by the run of this scheme from here
    int s = 0; // codewords to the end of the text; 0 = this scheme cannot start here
};

struct Choice {
    int scheme = -1; // -1: nothing left to encode
    int cost = 0;
};

struct BestChoices {
    Choice fromRow[SchemeCount];
    Choice fromAsciiWithoutEdifact;
};

class Planner {
public:
    Planner(std::string_view source, bool exact)
        : text(source), length(static_cast<int>(source.size())), exact(exact),
          table(static_cast<size_t>(length) + 1), bestAt(static_cast<size_t>(length))
    {
    }

    DataMatrixPlan plan()
    {
        for (int p = length - 1; p >= 0; --p) {
            fillAscii(p);
            fillC40Family(p, C40);
            fillC40Family(p, Text);
            fillX12(p);
            fillEdifact(p);
            fillBase256(p);
            rememberBest(p);
        }
        return forwardPass();
    }

private:
    uint8_t at(int p) const { return static_cast<uint8_t>(text[static_cast<size_t>(p)]); }
    Entry& entry(int p, int scheme) { return table[static_cast<size_t>(p)][static_cast<size_t>(scheme)]; }

    // The cheapest way on from q, entered from the given scheme; worked out once per position.
    Choice best(int q, int fromRow, bool withoutEdifact = false) const
    {
        if (q >= length)
            return {};
        const BestChoices& choices = bestAt[static_cast<size_t>(q)];
        return withoutEdifact ? choices.fromAsciiWithoutEdifact : choices.fromRow[fromRow];
    }

    void rememberBest(int q)
    {
        constexpr int unusable = 1 << 28;
        int cost[SchemeCount];
        for (int i = 0; i < SchemeCount; ++i) {
            const int s = table[static_cast<size_t>(q)][static_cast<size_t>(i)].s;
            cost[i] = s ? s : unusable;
        }
        auto cheapest = [&](int fromRow, bool withoutEdifact) {
            Choice choice{-1, unusable};
            for (int i = 0; i < SchemeCount; ++i) {
                const int total = cost[i] + switchcost[fromRow][i];
                if (total < choice.cost && !(withoutEdifact && i == Edifact))
                    choice = {i, total};
            }
            return choice.scheme < 0 ? Choice{} : choice;
        };
        BestChoices& choices = bestAt[static_cast<size_t>(q)];
        for (int row = 0; row < SchemeCount; ++row)
            choices.fromRow[row] = cheapest(row, false);
        choices.fromAsciiWithoutEdifact = cheapest(Ascii, true);
    }

    // Covers `covered` characters with `codewords`, then continues with the choice.
    void set(int p, int scheme, int covered, int codewords, Choice next)
    {
        const int q = p + covered;
        const int run = next.scheme == scheme ? entry(q, scheme).t : 0;
        entry(p, scheme) = {covered + run, codewords + next.cost};
    }

    // In exact mode the data may end in one or two ASCII codewords without an unlatch.
    Choice implicitAsciiReturn(int q, Choice next, int maxAsciiCost)
    {
        if (!exact || q >= length)
            return next;
        const int ascii = entry(q, Ascii).s;
        if (ascii >= 1 && ascii <= maxAsciiCost && ascii < next.cost)
            return {Ascii, ascii};
        return next;
    }

    void fillAscii(int p)
    {
        const int covered = (isDataMatrixDigit(at(p)) && p + 1 < length && isDataMatrixDigit(at(p + 1))) ? 2 : 1;
        const int cost = at(p) >= 128 ? 2 : 1;
        set(p, Ascii, covered, cost, best(p + covered, Ascii));
    }

    void fillC40Family(int p, int scheme)
    {
        const bool text = scheme == Text;
        int values = 0;
        int q = p;
        while (q < length) {
            values += c40ValueCount(at(q), text);
            ++q;
            if (values % 3 == 0)
                break;
        }
        int codewords = values / 3 * 2;
        if (values % 3 != 0) {
            // The text ended inside a triple: only two values can be completed by a pad value.
            if (!(exact && values % 3 == 2))
                return;
            codewords += 2;
        }
        set(p, scheme, q - p, codewords, implicitAsciiReturn(q, best(q, scheme), 1));
    }

    void fillX12(int p)
    {
        int values = 0;
        int q = p;
        while (q < length) {
            if (x12Value(at(q)) < 0)
                return;
            ++values;
            ++q;
            if (values % 3 == 0)
                break;
        }
        if (values % 3 != 0)
            return;
        set(p, X12, q - p, values / 3 * 2, implicitAsciiReturn(q, best(q, X12), 1));
    }

    void fillEdifact(int p)
    {
        static constexpr int groupCost[4] = {2, 3, 3, 3};
        Entry bestEntry;
        for (int covered = 1; covered <= 4; ++covered) {
            if (p + covered > length || !isEdifactByte(at(p + covered - 1)))
                break;
            const int q = p + covered;
            int t = covered;
            int s = 0;
            if (covered < 4) {
                // A short group ends with the unlatch value: continue in ASCII or beyond.
                s = groupCost[covered - 1] + best(q, Ascii, true).cost;
            } else {
                if (q >= length)
                    break; // a last group of four is costed as three and one ASCII codeword
                Choice next = implicitAsciiReturn(q, best(q, Edifact), 2);
                if (next.scheme == Edifact)
                    t += entry(q, Edifact).t;
                s = groupCost[3] + next.cost;
            }
            if (bestEntry.s == 0 || s < bestEntry.s)
                bestEntry = {t, s};
        }
        entry(p, Edifact) = bestEntry;
    }

    void fillBase256(int p)
    {
        const Choice next = best(p + 1, Base256);
        // The run length takes a second codeword from 250 bytes on.
        const int longer = (next.scheme == Base256 && next.cost == 249) ? 1 : 0;
        set(p, Base256, 1, 1 + longer, next);
    }

    DataMatrixPlan forwardPass()
    {
        DataMatrixPlan result;
        result.encoding.reserve(static_cast<size_t>(length));
        int current = Ascii;
        int p = 0;
        while (p < length) {
            int chosen = -1;
            int chosenCost = 0;
            for (int i = 0; i < SchemeCount; ++i) {
                const Entry& e = entry(p, i);
                if (e.s == 0)
                    continue;
                const int cost = e.s + switchcost[current][i];
                if (chosen < 0 || cost < chosenCost || (cost == chosenCost && i == current)) {
                    chosen = i;
                    chosenCost = cost;
                }
            }
            if (p == 0)
                result.codewords = chosenCost; // the first latch included
            const int covered = entry(p, chosen).t;
            result.encoding.append(static_cast<size_t>(covered), encchr[static_cast<size_t>(chosen)]);
            p += covered;
            current = chosen;
        }
        return result;
    }

    std::string_view text;
    int length;
    bool exact;
    std::vector<std::array<Entry, SchemeCount>> table;
    std::vector<BestChoices> bestAt;
};

} // namespace

std::optional<DataMatrixPlan> encmake(std::string_view source, bool exact)
{
    if (source.size() > static_cast<size_t>(dataMatrixMaxPlanLength))
        return std::nullopt;
    return Planner(source, exact).plan();
}
