#pragma once

#include "jobs/BatchExport.h"

// The card as it stands, exported once to the files the person named.
struct SingleCardExportResult
{
    enum class Outcome
    {
        Written,
        Stopped,
        WriteFailed
    };
    Outcome outcome = Outcome::Written;
    QString lastWritten; // the file written last, which the end box names
    QString failedPath; // the file that could not be written
    QString error; // and why, in the system's words
};

// Draws and writes the sides of one card as the settings ask; path is the front's file. Made
// for a worker: a stop request made before the files are written writes none, and a side that
// cannot be written takes away those written before it, so no half card is left.
SingleCardExportResult exportSingleCard(
    const CardSnapshot& card, const CardExportSettings& settings, const QString& path, JobProgress& progress);
