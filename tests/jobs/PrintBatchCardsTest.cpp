#include "jobs/PrintBatchCards.h"

#include "jobs/RowApplication.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

// A one-object card whose object carries the row it was given in its name.
CardSnapshot snapshotOfOneText()
{
    CardSnapshot card;
    card.front.append(SKTGraphic::create<SKTText>());
    card.back.append(SKTGraphic::create<SKTText>());
    card.frontSettings = Card_Property::create();
    card.backSettings = Card_Property::create();
    card.frame = QRectF(0, 0, 243, 153);
    // The print window renders the design on the GUI thread before any worker starts, which
    // also sets up the text shaper's shared tables.
    SKTRenderingView::image_From_Card_Graphics(card.front, false, card.frontBase());
    return card;
}

} // namespace

TEST(PrintBatchCards, HandsOutEachRowOnceInOrderAndNothingPastTheLastRow)
{
    std::atomic<int> applied { 0 };
    PrintBatchCards batch(
        snapshotOfOneText(), 20,
        [&](CardSnapshot&, int, const QString&) {
            ++applied;
            return RowOutcome();
        },
        QStringLiteral("BOTH"), Picture(), nullptr, 3);
    for (int row = 0; row < 20; ++row) {
        const std::optional<PrintCellCards> card = batch.card(row);
        ASSERT_TRUE(card) << row;
        EXPECT_FALSE(card->front.isNull());
        EXPECT_FALSE(card->back.isNull());
    }
    EXPECT_FALSE(batch.card(20));
    EXPECT_FALSE(batch.card(-1));
    EXPECT_GE(applied.load(), 20);
}

TEST(PrintBatchCards, RowsAreAppliedToClonesAndRepeatedRequestsAreServedAgain)
{
    const CardSnapshot snapshot = snapshotOfOneText();
    std::mutex seenLock;
    std::vector<int> seen;
    PrintBatchCards batch(
        snapshot, 10,
        [&](CardSnapshot& card, int row, const QString&) {
            EXPECT_NE(card.front.first().get(), snapshot.front.first().get());
            std::lock_guard<std::mutex> guard(seenLock);
            seen.push_back(row);
            return RowOutcome();
        },
        QStringLiteral("F"), Picture(), nullptr, 2);
    ASSERT_TRUE(batch.card(0));
    ASSERT_TRUE(batch.card(5));
    // A preview painted again starts over, and the same card may be asked twice.
    ASSERT_TRUE(batch.card(0));
    ASSERT_TRUE(batch.card(0));
    ASSERT_TRUE(batch.card(9));
    std::lock_guard<std::mutex> guard(seenLock);
    EXPECT_NE(std::find(seen.begin(), seen.end(), 9), seen.end());
}

TEST(PrintBatchCards, SideBackIsPlacedByThePlainFront)
{
    const Picture plain = Picture::record(QSizeF(10, 20), [](QPainter& p) { p.fillRect(0, 0, 10, 20, Qt::red); });
    PrintBatchCards batch(
        snapshotOfOneText(), 2, [](CardSnapshot&, int, const QString&) { return RowOutcome(); }, QStringLiteral("B"),
        plain, nullptr, 1);
    const std::optional<PrintCellCards> card = batch.card(1);
    ASSERT_TRUE(card);
    EXPECT_EQ(card->front.size(), QSizeF(10, 20));
    EXPECT_FALSE(card->back.isNull());
}

namespace {

// A card whose one text shows the row it was given.
CardSnapshot snapshotShowingItsRow()
{
    CardSnapshot card = snapshotOfOneText();
    card.front.first()->setBounds(QRectF(10, 10, 200, 40));
    return card;
}

void showRow(CardSnapshot& card, int row)
{
    RowApplication::applyValue(*card.front.first(), QStringLiteral("Row %1").arg(row));
}

// Row's card as the printer is to get it, drawn here from the snapshot.
QImage expectedCard(const CardSnapshot& snapshot, int row)
{
    CardSnapshot card = snapshot.clone();
    showRow(card, row);
    return SKTRenderingView::image_From_Card_Graphics(card.front, true, card.frontBase())
        .withTextAsGlyphs()
        .toImage(72, Qt::white);
}

} // namespace

// Workers take several rows at a time; whatever the order the sheets ask in (in turn, back
// to an earlier sheet, the same card twice, the last card, past the end), each card is the
// one of its own row, drawn once, with its text laid out.
TEST(PrintBatchCards, EveryCardIsItsOwnRowsWhateverTheOrderAsked)
{
    const CardSnapshot snapshot = snapshotShowingItsRow();
    constexpr int rows = 11;
    PrintBatchCards batch(
        snapshot, rows,
        [](CardSnapshot& card, int row, const QString&) {
            showRow(card, row);
            return RowOutcome();
        },
        QStringLiteral("F"), Picture(), nullptr, 3);
    std::vector<QImage> expected;
    for (int row = 0; row < rows; ++row)
        expected.push_back(expectedCard(snapshot, row));
    EXPECT_NE(expected[1], expected[10]);
    for (const int row : { 0, 1, 2, 3, 4, 5, 6, 7, 3, 3, 4, 10, 0, 9, 10 }) {
        const std::optional<PrintCellCards> card = batch.card(row);
        ASSERT_TRUE(card) << row;
        EXPECT_EQ(card->front.toImage(72, Qt::white), expected[size_t(row)]) << row;
    }
    EXPECT_FALSE(batch.card(rows));
}

TEST(PrintBatchCards, AJobLeftEarlyEndsWithItsWorkersBusy)
{
    std::atomic<int> applied { 0 };
    {
        PrintBatchCards batch(
            snapshotShowingItsRow(), 10000,
            [&](CardSnapshot& card, int row, const QString&) {
                ++applied;
                showRow(card, row);
                return RowOutcome();
            },
            QStringLiteral("F"), Picture(), nullptr, 4);
        ASSERT_TRUE(batch.card(0));
        ASSERT_TRUE(batch.card(1));
    }
    // Only the rows of the printer's window were drawn, not the whole job.
    EXPECT_LT(applied.load(), 1000);
}
