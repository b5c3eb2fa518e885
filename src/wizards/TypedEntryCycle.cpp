#include "wizards/TypedEntryCycle.h"

#include <vector>

void TypedEntryCycle::reset(const QStringList& entries)
{
    entries_ = entries;
    shown_ = 0;
    typedAfter_ = 0;
    typed_.clear();
    showsTyped_ = false;
}

void TypedEntryCycle::typed(const QString& text)
{
    // Undo and redo in the field bring back what it showed before: the typed text is its own
    // stop again, and a ready-made text is that entry, never a second typed copy of it.
    if (!typed_.isEmpty() && text == typed_) {
        showsTyped_ = true;
        return;
    }
    if (const qsizetype entry = entries_.indexOf(text); entry >= 0 && !text.isEmpty()) {
        showsTyped_ = false;
        shown_ = int(entry);
        return;
    }
    if (!showsTyped_) {
        typedAfter_ = shown_;
        showsTyped_ = true;
    }
    typed_ = text;
}

QString TypedEntryCycle::step(int by)
{
    // The stops in order: entry indexes, and -1 for the typed text. A field emptied by the
    // person keeps its place until it is left, then nothing typed remains.
    constexpr int typedStop = -1;
    const bool typedStays = !typed_.isEmpty() || showsTyped_;
    std::vector<int> stops;
    if (typedStays && entries_.isEmpty())
        stops.push_back(typedStop);
    for (int i = 0; i < entries_.size(); ++i) {
        stops.push_back(i);
        if (typedStays && i == typedAfter_)
            stops.push_back(typedStop);
    }
    if (stops.empty())
        return current();
    const int here = showsTyped_ ? typedStop : shown_;
    qsizetype position = 0;
    while (position < qsizetype(stops.size()) && stops[position] != here)
        ++position;
    const qsizetype count = qsizetype(stops.size());
    const int next = stops[((position + by) % count + count) % count];
    showsTyped_ = next == typedStop;
    if (!showsTyped_)
        shown_ = next;
    return current();
}

QString TypedEntryCycle::current() const
{
    return showsTyped_ ? typed_ : entries_.value(shown_);
}
