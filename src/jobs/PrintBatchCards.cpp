#include "jobs/PrintBatchCards.h"

#include "render/PrintLayout.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

struct PrintBatchCards::Shared
{
    int rows = 0;
    ApplyRow applyRow;
    QString side;
    Picture plainFront;
    int lookahead = 1;

    std::mutex lock;
    // Two signals, so that a finished card wakes only the printer and a card handed out
    // wakes only one worker: waking everyone for every card costs the printer dearly.
    std::condition_variable workToDo; // workers wait here
    std::condition_variable cardDone; // the printer waits here
    int next = 0; // the next row a worker takes
    int wanted = 0; // the row the printer waits for
    bool stopping = false;
    std::map<int, PrintCellCards> ready;
    std::set<int> inFlight;
    std::vector<std::thread> workers;

    PrintCellCards draw(CardSnapshot& card) const
    {
        PrintCellCards cards;
        if (side != PrintLayout::sideBack)
            cards.front = SKTRenderingView::image_From_Card_Graphics(card.front, true, card.frontBase());
        if (side != PrintLayout::sideFront)
            cards.back = SKTRenderingView::image_From_Card_Graphics(card.back, true, card.backBase());
        return cards;
    }

    PrintCellCards render(CardSnapshot& card, int row) const
    {
        applyRow(card, row, side);
        PrintCellCards cards = draw(card);
        if (cards.front.isNull())
            cards.front = plainFront;
        return cards;
    }

    void work(CardSnapshot card)
    {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            workToDo.wait(guard, [&] { return stopping || (next < rows && next < wanted + lookahead); });
            if (stopping)
                return;
            const int row = next++;
            inFlight.insert(row);
            guard.unlock();
            PrintCellCards cards = render(card, row);
            guard.lock();
            inFlight.erase(row);
            if (row >= wanted)
                ready[row] = std::move(cards);
            if (row == wanted)
                cardDone.notify_all();
        }
    }
};

PrintBatchCards::PrintBatchCards(
    const CardSnapshot& snapshot, int rows, ApplyRow applyRow, const QString& side, Picture plainFront, int workers)
    : shared_(std::make_shared<Shared>())
{
    shared_->rows = std::max(rows, 0);
    shared_->applyRow = std::move(applyRow);
    shared_->side = side;
    shared_->plainFront = std::move(plainFront);
    const int count = workers > 0 ? workers : std::max(1, int(std::thread::hardware_concurrency()));
    shared_->lookahead = 2 * count;
    // Drawn once before the workers take their clones, so that what drawing keeps (a picture
    // after its effects) is made once and shared by every clone: a picture that repeats on
    // every card then reaches the printer as one image, which a PDF embeds once per job.
    CardSnapshot prepared = snapshot.clone();
    shared_->draw(prepared);
    for (int i = 0; i < count; ++i)
        shared_->workers.emplace_back(
            [shared = shared_.get(), card = prepared.clone()]() mutable { shared->work(std::move(card)); });
}

PrintBatchCards::~PrintBatchCards()
{
    {
        std::lock_guard<std::mutex> guard(shared_->lock);
        shared_->stopping = true;
    }
    shared_->workToDo.notify_all();
    for (std::thread& worker : shared_->workers)
        worker.join();
}

std::optional<PrintCellCards> PrintBatchCards::card(int index)
{
    Shared& s = *shared_;
    if (index < 0 || index >= s.rows)
        return std::nullopt;
    std::unique_lock<std::mutex> guard(s.lock);
    // Asked out of order (a repainted preview, a page range): the workers go on from here.
    const bool restart = !s.ready.count(index) && !s.inFlight.count(index);
    if (restart)
        s.next = index;
    const bool nextInTurn = index == s.wanted + 1;
    s.wanted = index;
    s.ready.erase(s.ready.begin(), s.ready.lower_bound(index));
    // The next card in turn lets one more row into the workers' window.
    if (nextInTurn && !restart)
        s.workToDo.notify_one();
    else
        s.workToDo.notify_all();
    s.cardDone.wait(guard, [&] { return s.ready.count(index) > 0; });
    PrintCellCards cards = std::move(s.ready[index]);
    s.ready.erase(index);
    return cards;
}

PrintCardSource PrintBatchCards::source(std::shared_ptr<PrintBatchCards> batch)
{
    return [batch = std::move(batch)](int index) { return batch->card(index); };
}
