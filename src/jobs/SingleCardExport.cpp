#include "jobs/SingleCardExport.h"

#include <QFile>

SingleCardExportResult exportSingleCard(
    const CardSnapshot& card, const CardExportSettings& settings, const QString& path, JobProgress& progress)
{
    SingleCardExportResult result;
    const CardFiles files = renderCardFiles(card, settings, path);
    if (!progress.mayContinue()) {
        result.outcome = SingleCardExportResult::Outcome::Stopped;
        return result;
    }
    QStringList written;
    for (const auto& [file, bytes] : files) {
        QString error;
        if (!writeCardFile(file, bytes, &error)) {
            for (const QString& side : std::as_const(written))
                QFile::remove(side);
            result.outcome = SingleCardExportResult::Outcome::WriteFailed;
            result.failedPath = file;
            result.error = error;
            return result;
        }
        written << file;
    }
    result.lastWritten = written.isEmpty() ? QString() : written.constLast();
    progress.done = 1;
    return result;
}
