#pragma once

#include "export/ExportHost.h"
#include "jobs/BatchExport.h"
#include "platform/WorkerThread.h"

#include <QObject>

#include <memory>

class ExportWindow;

// The export command: the export sheet, then the current design once to a file the person
// names, or one card per data row into a folder on worker threads behind the progress sheet.
class CardExporter : public QObject
{
    Q_OBJECT

public:
    explicit CardExporter(ExportHost& host, QObject* parent = nullptr);
    ~CardExporter() override; // stops a running batch and waits for it

    void Export_Button();

    // The current design without data rows, written as the settings ask; path is the front's
    // file. Drawn and written on a worker behind the progress sheet, whose Stop writes no
    // file. With showMessage the export-done box follows, with the note under its message.
    // False after a failure or a stop (both shown).
    bool Export_Single_File(
        const QString& path, const CardExportSettings& settings, bool showMessage, const QString& note = QString());

    // Starts a batch into folder and returns at once; batchFinished tells the end.
    void startBatch(
        const QString& folder, const CardExportSettings& settings, std::shared_ptr<const DataBinding> binding);
    bool batchRunning() const { return worker_.isRunning(); }
    // The running batch's counters and stop request (null when none runs).
    JobProgress* batchProgress() const { return progress_.get(); }

    ExportWindow& exportWindow();

signals:
    // After the sheet is hidden, row 0 is back and the result has been shown.
    void batchFinished(const BatchExportResult& result);

private:
    // The folder a batch of rows goes into; a folder that holds cards of an earlier export is
    // taken only when the person answers Replace. "" when cancelled.
    QString chooseBatchFolder(const CardExportSettings& settings, int rows);
    void finishBatch();

    ExportHost& host_;
    ExportWindow* window_ = nullptr;
    std::unique_ptr<JobProgress> progress_;
    std::shared_ptr<const DataBinding> binding_;
    BatchExportResult result_; // written by the worker, read once it has finished
    bool singleRunning_ = false;
    WorkerThread worker_; // last: its end waits for the worker, which uses the members above
};
