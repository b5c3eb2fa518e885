#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>

#include <memory>

// The mails a design has sent and not yet seen through to the end: each a key of 16 bytes made
// of its recipient's address and what it carried (see mailKeys). Kept in a file of the user's own
// data folder per design, so that closing the send window, quitting or a crash forgets none;
// a design not saved keeps its record in memory. A record that cannot be read is not taken
// for an empty one: it leaves a doubt that every later run asks about until one run has sent
// everything it set out to send. Thread-safe: the run adds to it from its worker.
class SentMailRecord
{
public:
    // The record of the design whose file lies at designPath (canonical), read now; or the one
    // already in use, when its file could not be written.
    static std::shared_ptr<SentMailRecord> forDesign(const QString& designPath);
    // A record kept in memory only, for a design not saved.
    static std::shared_ptr<SentMailRecord> inMemory();

    bool contains(const QByteArray& key) const;
    // Why earlier mails may have been sent without being known: the record could not be read
    // (now, or by a run since); "" when the record is whole.
    QString doubt() const;
    // A mail the server accepted, written to the file at once.
    void add(const QByteArray& key);
    // A run sent every mail it set out to: its mails, and any doubt, are forgotten; the file
    // goes with the last mail.
    void forget(const QList<QByteArray>& keys);
    // Takes in what a record in memory holds (a design saved since it sent them).
    void takeOver(const SentMailRecord& unsaved);
    // Why the record could not be written since it was read; "" when it could.
    QString saveFailure() const;

    static QString fileFor(const QString& designPath);

private:
    void load();
    void save();
    void noteSaveFailure(const QString& why);
    // Tries to write a record whose file could not be written; false when it had been.
    bool saveAgainIfFailed();

    mutable QMutex mutex_;
    QString designPath_, filePath_; // both "" in memory
    QSet<QByteArray> keys_;
    QString doubt_;
    QString saveFailure_;
    bool appendable_ = false; // the file holds exactly keys_, in the form add() appends to
};
