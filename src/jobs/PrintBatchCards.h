#pragma once

#include "jobs/CardProblems.h"
#include "jobs/CardSnapshot.h"
#include "render/PrintSheetPainter.h"

#include <functional>
#include <memory>

// The cards of a batch print: row i's card for cell i, rendered ahead on workers, each
// from its own clone of the job's snapshot, and handed out in the order the sheets ask.
// Only a few cards wait at a time, so memory does not grow with the rows. A request for
// an earlier card (a preview painted again) starts the workers over from there.
class PrintBatchCards
{
public:
    // side is the job's: a row is applied only to the sides printed, and only their objects
    // count in what the row's card lacks.
    using ApplyRow = std::function<RowOutcome(CardSnapshot& card, int row, const QString& side)>;

    // side: "F", "B" or "BOTH". plainFront is the design's front picture: the cells of side
    // "B" are placed by its size, and a row whose front fails to render shows it. A card
    // handed out to the sheets is added to problems (when given) with its outcome: rows drawn
    // ahead and never printed are not. workers 0 chooses a few, by the processors there are.
    PrintBatchCards(const CardSnapshot& snapshot, int rows, ApplyRow applyRow, const QString& side, Picture plainFront,
        std::shared_ptr<CardProblems> problems = {}, int workers = 0);
    ~PrintBatchCards();

    PrintBatchCards(const PrintBatchCards&) = delete;
    PrintBatchCards& operator=(const PrintBatchCards&) = delete;

    // Row index's card; none past the last row. Thread-safe.
    std::optional<PrintCellCards> card(int index);

    // A card source for a print job sharing this batch.
    static PrintCardSource source(std::shared_ptr<PrintBatchCards> batch);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
