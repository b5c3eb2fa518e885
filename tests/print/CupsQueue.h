#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The local CUPS scheduler's cups-pdf queue, which turns every job into a PDF file.
namespace CupsQueue {

// Names of the queues a test makes for itself and removes: never the shared queue, which
// tests running beside it would otherwise send their jobs to while it exists.
inline constexpr char ownQueuePrefix[] = "galavite_own_";
// The first queue that prints through the cups-pdf backend, not one a test made for itself,
// or "" when there is none.
QString pdfQueue();
// Where cups-pdf writes the jobs of this user.
QString outputFolder();
// The PDF that cups-pdf makes of the job titled title (it names its file after the title),
// waiting up to a minute; "" when none came.
QString waitForJob(const QString& title);
struct Job
{
    int id = 0;
    QString title; // as the print service keeps it
    bool active = false; // waiting, held or printing
    bool completed = false; // printed whole
};
// This user's jobs on queue in every state, oldest first.
std::vector<Job> jobs(const QString& queue);

// Why a test of the queue is skipped.
inline const char* missingQueueReason()
{
    return "no CUPS scheduler with a cups-pdf queue (scripts/print-queue starts one)";
}

} // namespace CupsQueue
