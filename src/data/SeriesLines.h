#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <functional>
#include <optional>

class QIODevice;

// The lines of a series file, one at a time, as UTF-8 without their line ends: the one reader
// of series files. A line ends at a line feed, a carriage return and line feed, or a carriage
// return alone (as some older editors write); only a final line end starts no line. A file
// starting with the byte-order mark of UTF-16 (either byte order) is UTF-16 text, decoded a
// block at a time; any other is taken as UTF-8, its own mark dropped (lines are checked as they
// are decoded, by lineValue). Read in blocks with at most a value's room and its line end kept
// of a line: the rest of a longer line is passed over or copied out, never kept.
class SeriesLines
{
public:
    enum class Read
    {
        Line, // line() holds it
        TooLong, // longer than a value can be: passed over at the next read, or copied out
        End,
        Failed, // why() says why
    };

    // Reads `file` from where it stands. `room` is the longest line kept.
    explicit SeriesLines(QIODevice& file, qsizetype room);

    Read next();
    QByteArrayView line() const { return line_; }
    // The text taken as lines so far, in bytes of UTF-8.
    qint64 consumed() const { return taken_; }
    // After TooLong: hands the whole line, in pieces, to `write`. False when the file cannot be
    // read or `write` refuses a piece.
    bool copyTooLong(const std::function<bool(QByteArrayView)>& write);
    QString why() const { return why_; }

private:
    // Where the next line end lies from start_, and its length; none found, or a carriage
    // return last in the buffer that a line feed may still follow, gives -1.
    qsizetype findLineEnd(int* length) const;
    // Passes over the rest of the current too long line, handing it to write when given.
    bool passOverLine(const std::function<bool(QByteArrayView)>* write);
    // Moves what is left to the front and reads more after it; false on a read error.
    bool fill();
    bool failWith(const QString& why);

    QIODevice& file_;
    qsizetype room_;
    QByteArray buffer_;
    QByteArray raw_; // a block of UTF-16 before it is decoded
    std::optional<QStringDecoder> utf16_; // set once the file's mark says UTF-16
    qint64 rawRead_ = 0; // bytes of UTF-16 read after the mark
    QString pendingHigh_; // the first half of a pair that the block read ended in
    qsizetype start_ = 0, end_ = 0; // the bytes decoded and not yet taken
    qint64 taken_ = 0;
    bool started_ = false; // the file's mark has been looked at
    bool atEnd_ = false;
    bool unfinished_ = false; // the last line was too long: its rest is still to come
    QByteArrayView line_;
    QString why_;
};

// The value of a line by the reading rule (trimmed); none when it is not UTF-8 or holds a NUL
// character, which no value holds and text in UTF-16 without its byte-order mark is full of.
std::optional<QString> seriesLineValue(QByteArrayView line);

// Why the file at path gives no values: its line (from 1) holds a NUL character, which no value
// holds. The words of every reader of values that meets one; the clause alone names the line.
QString nulCharacterClause(qint64 line);
QString nulCharacterReason(const QString& path, qint64 line);
