#pragma once

#include <QString>
#include <QStringList>

// The ready-made texts a field's arrows step through, round from the last to the first,
// with the text the person typed kept among them: it stands right after the entry it was
// typed over, so Back returns to that entry and Next goes on to the one after it.
class TypedEntryCycle
{
public:
    // A new list, at its first entry, with nothing typed.
    void reset(const QStringList& entries);
    // The person changed the field's text to text.
    void typed(const QString& text);
    // One step on (+1) or back (-1); the text the field shows then.
    QString step(int by);
    // What the field shows: the typed text or the entry reached ("" for an empty list).
    QString current() const;

private:
    QStringList entries_;
    int shown_ = 0; // the entry shown when the typed text is not
    int typedAfter_ = 0; // the entry the typed text follows
    QString typed_;
    bool showsTyped_ = false;
};
