#include "jobs/PrintBatchCards.h"

#include "platform/GlyphCache.h"
#include "render/PrintLayout.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

struct PrintBatchCards::Shared
{
    int rows = 0;
    ApplyRow applyRow;
    QString side;
    Picture plainFront;
    std::shared_ptr<CardProblems> problems;
    int lookahead = 1;
    // Rows a worker takes at once: the printer, whose one thread sets the pace, then wakes a
    // worker once a few cards rather than for every card.
    static constexpr int chunk = 4;

    std::mutex lock;
    // Two signals, so that finished cards wake only the printer and rows handed out wake
    // only one worker: waking everyone for every card costs the printer dearly.
    std::condition_variable workToDo; // workers wait here
    std::condition_variable cardDone; // the printer waits here
    int next = 0; // the next row a worker takes
    int wanted = 0; // the row the printer waits for
    bool stopping = false;
    bool paused = false; // while a row is drawn again alone
    // Set once a row found no room: pictures are then given back as soon as they are done with.
    bool memoryShort = false;
    // The card as drawn once before the workers start, and each worker's clone of it.
    CardSnapshot prepared;
    std::vector<CardSnapshot> cards;
    // A card with the worker that drew it, which is the one to free it: memory freed by
    // another thread waits for the lock of the drawing thread's heap, which it holds
    // whenever it draws.
    struct Made
    {
        int worker = 0;
        PrintCellCards cards;
        RowOutcome outcome;
    };
    std::map<int, Made> ready;
    std::set<int> inFlight;
    // The card last handed out, kept until the printer asks for another: then it is done
    // with, and goes back to its worker to be freed. Freeing a card's drawing is as much
    // work as playing it, and the printer's thread has none to spare.
    std::optional<std::pair<int, Made>> handedOut;
    std::vector<std::vector<PrintCellCards>> spent; // by worker
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

    PrintCellCards render(CardSnapshot& card, int row, GlyphCache& glyphs, RowOutcome& outcome) const
    {
        outcome = applyRow(card, row, side);
        PrintCellCards cards = draw(card);
        if (cards.front.isNull())
            cards.front = plainFront;
        // Laid out here, the text costs the one thread that writes the sheets nothing.
        cards.front = cards.front.withTextAsGlyphs(&glyphs);
        cards.back = cards.back.withTextAsGlyphs(&glyphs);
        return cards;
    }

    // Whether the printer's window has room for a worker's next rows.
    bool roomForWork() const { return !paused && next < rows && next + chunk <= wanted + lookahead; }

    // Draws row again once every picture it does not need is given back: its picture found no
    // room while the cards drawn ahead held theirs. Those cards are let go (they are drawn
    // again later) and the workers' cards give back their rows' pictures, so that only what
    // the design itself shows stays in use; still refused, the card says why. The workers
    // then draw half as far ahead, decoding fewer pictures at once.
    void drawAlone(std::unique_lock<std::mutex>& guard, int row)
    {
        paused = true;
        cardDone.wait(guard, [&] { return inFlight.empty(); });
        std::map<int, Made> drawnAhead;
        drawnAhead.swap(ready);
        std::vector<std::vector<PrintCellCards>> printed(spent.size());
        printed.swap(spent);
        guard.unlock();
        drawnAhead.clear();
        printed.clear();
        for (CardSnapshot& card : cards)
            card.showPicturesOf(prepared);
        GlyphCache glyphs;
        Made again;
        again.cards = render(cards.front(), row, glyphs, again.outcome);
        guard.lock();
        ready.emplace(row, std::move(again));
        next = row + 1;
        lookahead = std::max(chunk, lookahead / 2);
        memoryShort = true;
        paused = false;
        if (roomForWork())
            workToDo.notify_all();
    }

    void work(int worker)
    {
        CardSnapshot& card = cards[size_t(worker)];
        GlyphCache glyphs;
        std::vector<PrintCellCards> made;
        std::vector<RowOutcome> outcomes;
        std::vector<PrintCellCards> toFree;
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            workToDo.wait(guard, [&] { return stopping || roomForWork(); });
            if (stopping)
                return;
            const int first = next;
            const int end = std::min(rows, first + chunk);
            next = end;
            // The printer wakes one worker when its window opens; where that left room for
            // more rows, this one wakes the next.
            if (roomForWork())
                workToDo.notify_one();
            for (int row = first; row < end; ++row)
                inFlight.insert(row);
            toFree.swap(spent[size_t(worker)]);
            const bool letGo = memoryShort;
            guard.unlock();
            toFree.clear();
            made.clear();
            outcomes.assign(size_t(end - first), RowOutcome());
            for (int row = first; row < end; ++row)
                made.push_back(render(card, row, glyphs, outcomes[size_t(row - first)]));
            // An idle worker's card would keep its last row's pictures in use.
            if (letGo)
                card.showPicturesOf(prepared);
            guard.lock();
            for (int row = first; row < end; ++row) {
                inFlight.erase(row);
                if (row >= wanted)
                    ready[row] = { worker, std::move(made[size_t(row - first)]), outcomes[size_t(row - first)] };
            }
            if ((first <= wanted && wanted < end) || (paused && inFlight.empty()))
                cardDone.notify_all();
        }
    }
};

PrintBatchCards::PrintBatchCards(const CardSnapshot& snapshot, int rows, ApplyRow applyRow, const QString& side,
    Picture plainFront, std::shared_ptr<CardProblems> problems, int workers)
    : shared_(std::make_shared<Shared>())
{
    shared_->problems = std::move(problems);
    shared_->rows = std::max(rows, 0);
    shared_->applyRow = std::move(applyRow);
    shared_->side = side;
    shared_->plainFront = std::move(plainFront);
    // The one thread that writes the sheets sets the pace: a few workers keep ahead of it, and
    // more would only take processor time and memory from it.
    constexpr int enoughWorkers = 4;
    const int count
        = workers > 0 ? workers : std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, enoughWorkers);
    shared_->lookahead = 2 * count * Shared::chunk;
    // Drawn once before the workers take their clones, so that what drawing keeps (a picture
    // after its effects) is made once and shared by every clone: a picture that repeats on
    // every card then reaches the printer as one image, which a PDF embeds once per job.
    shared_->prepared = snapshot.clone();
    shared_->draw(shared_->prepared);
    shared_->spent.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        shared_->cards.push_back(shared_->prepared.clone());
    for (int i = 0; i < count; ++i)
        shared_->workers.emplace_back([shared = shared_.get(), i] { shared->work(i); });
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
    // The row application may hold on to the workers' objects: they keep no row's picture in use.
    for (CardSnapshot& card : shared_->cards)
        card.showPicturesOf(shared_->prepared);
}

std::optional<PrintCellCards> PrintBatchCards::card(int index)
{
    Shared& s = *shared_;
    if (index < 0 || index >= s.rows)
        return std::nullopt;
    std::unique_lock<std::mutex> guard(s.lock);
    if (s.handedOut) {
        // The same card asked again (a preview painting one sheet twice).
        Shared::Made& last = s.handedOut->second;
        if (s.handedOut->first == index)
            return last.cards;
        // Short of memory, its pictures go now rather than when its worker next draws.
        if (!s.memoryShort)
            s.spent[size_t(last.worker)].push_back(std::move(last.cards));
        s.handedOut.reset();
    }
    // Asked out of order (a repainted preview, a page range): the workers go on from here.
    const bool restart = !s.ready.count(index) && !s.inFlight.count(index);
    if (restart)
        s.next = index;
    const bool hadRoom = s.roomForWork();
    s.wanted = index;
    s.ready.erase(s.ready.begin(), s.ready.lower_bound(index));
    if (restart)
        s.workToDo.notify_all();
    else if (!hadRoom && s.roomForWork())
        s.workToDo.notify_one();
    s.cardDone.wait(guard, [&] { return s.ready.count(index) > 0; });
    if (s.ready[index].outcome.lackedRoom)
        s.drawAlone(guard, index);
    const auto found = s.ready.find(index);
    s.handedOut.emplace(index, std::move(found->second));
    s.ready.erase(found);
    if (s.problems)
        s.problems->add(index, s.handedOut->second.outcome);
    return s.handedOut->second.cards;
}

PrintCardSource PrintBatchCards::source(std::shared_ptr<PrintBatchCards> batch)
{
    return [batch = std::move(batch)](int index) { return batch->card(index); };
}
