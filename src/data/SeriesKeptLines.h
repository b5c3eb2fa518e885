#pragma once

#include "data/SeriesStore.h"

#include <QFile>

#include <sys/stat.h>

#include <memory>

// The lines of a stored series too long to be a value, held where they lie: the series editor
// opens a series as a run reads it, showing such a line as too long and keeping none of it in
// memory, and writes the line back as it was when the series is saved. The file stays open,
// so that another program replacing it meanwhile changes nothing that is kept; one rewriting
// it in place is noticed, and then nothing is written from it.
class SeriesLines;

class SeriesKeptLines
{
public:
    // The file open at path, and its state when its rows were read.
    SeriesKeptLines(const QString& path, std::unique_ptr<QFile> file, const struct stat& state);
    ~SeriesKeptLines();

    // Writes the line numbered `line` (from 0) to out as it is in the file, without its line end
    // and without the file's byte-order mark, in UTF-8 (a UTF-16 file's line is written as the
    // same text in UTF-8). Lines asked for in ascending order cost one pass over the file between
    // them. False with why when the file changed or cannot be read.
    bool copyLine(qint64 line, QIODevice& out, QString* reason);

private:
    bool unchanged() const;

    QString path_;
    std::unique_ptr<QFile> file_;
    struct stat state_;
    std::unique_ptr<SeriesLines> lines_; // read on from the last line copied
    qint64 nextLine_ = 0; // the line lines_ gives next
};

// A stored series opened for editing: its rows as a run reads them and, when a line is too long
// to be a value, the file held for those lines. None when the file is missing, cannot be read
// or changes while it is read; reason says why.
struct EditedSeries
{
    SeriesRows rows;
    std::shared_ptr<SeriesKeptLines> keptLines; // set when rows.tooLong is not empty
};
std::optional<EditedSeries> openSeriesForEditing(const QString& name, QString* reason = nullptr);
