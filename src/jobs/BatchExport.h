#pragma once

#include "jobs/CardExport.h"
#include "jobs/CardProblems.h"
#include "jobs/CardSnapshot.h"
#include "jobs/DataBinding.h"
#include "jobs/JobProgress.h"
#include "jobs/ReplacedFiles.h"

#include <atomic>
#include <functional>
#include <memory>

// The folder a batch writes its cards into, inside the chosen one.
extern const QString batchExportFolderName; // "QUON Galavite"
// Shown when that folder cannot be made.
extern const QString batchFolderFailedMessage;

struct BatchExportRequest
{
    CardSnapshot snapshot; // both sides as they stood when the run started
    std::shared_ptr<const DataBinding> binding;
    CardExportSettings settings;
    QString folder; // the chosen folder
    int workers = 0; // 0: one per core
};

struct BatchExportResult
{
    enum class Outcome
    {
        Finished,
        Stopped,
        FolderFailed,
        WriteFailed
    };
    Outcome outcome = Outcome::Finished;
    QString exportFolder;
    QString failedPath; // the file that could not be written
    QString error; // and why, in the system's words
    int cardsWritten = 0;
    int cardsAsked = 0; // the rows of the run
    CardProblemRows problems; // rows written whose card does not show its row whole
};

// The folder inside the chosen one that a batch writes into.
QString batchExportFolder(const QString& chosenFolder);
// The card files already in that folder that a batch would write over or leave beside its
// own: "Card_<number>" and "Card_<number>_Back" files of every format an export writes,
// whatever this batch's format, in number order.
QStringList cardFilesIn(const QString& exportFolder);
// What such a list holds, in a few words: "Card_1 … Card_300 (JPG and PNG)".
QString cardFilesRange(const QStringList& cards);

// The front's file of a row (counted from 0) in the export folder.
QString batchCardPath(const QString& exportFolder, int row, const QString& extension);

// What a batch of rows into the chosen folder finds there: the card files of earlier exports,
// and those of them it would write over. Long for many rows, so made off the GUI thread; once
// stop is set it returns soon with what it found.
struct BatchFolderFiles
{
    QStringList earlierCards; // as cardFilesIn gives them
    ReplacedFiles replaced;
};
BatchFolderFiles batchFolderFiles(
    const QString& chosenFolder, const CardExportSettings& settings, int rows, const std::atomic<bool>& stop);

// How far a run that did not finish got: "Cards written: 113 of 1000. Not written: 887."
QString cardsWrittenText(const BatchExportResult& result);

// One card per data row, written as "Card_<row from 1>" files into the export folder, in row
// order (a back file before its front). Rows are rendered on several workers at once, each
// from its own clone of the snapshot; at most one row per worker waits to be written, so
// memory does not grow with the rows. progress.done counts the cards written; a stop
// request is honoured before the next card is written, and the first write failure ends the
// run. Blocks until the run ends; cardWritten is called after each card's files are written.
BatchExportResult Export_Batch_File(
    const BatchExportRequest& request, JobProgress& progress, const std::function<void(int row)>& cardWritten = {});

// What the single card of the design as it stands, which takes no row, shows wrong on the
// sides written or printed (side "BOTH", "F" or "B").
CardProblemRows singleCardProblems(const CardSnapshot& card, const QString& side);

// The files of one row, in the order they are written: (path, bytes).
using CardFiles = std::vector<std::pair<QString, QByteArray>>;

// Renders the sides of one card as the settings ask and encodes them; path is the front's
// file. The sides must already hold the row's values. A worker passes the buffers it keeps
// from card to card.
CardFiles renderCardFiles(const CardSnapshot& card, const CardExportSettings& settings, const QString& path,
    CardEncodingBuffers* buffers = nullptr);
