#include "export/CardExporter.h"

#include "common/MessageBoxes.h"
#include "export/ExportFileName.h"
#include "export/ExportWindow.h"
#include "jobs/ReplacedFiles.h"
#include "jobs/SingleCardExport.h"
#include "platform/DialogService.h"
#include "widgets/ProgressSheetWork.h"
#include "widgets/Send_Modeless.h"

#include <QComboBox>

#include <atomic>
#include <utility>

namespace {

const QString exportedMessage = QStringLiteral("Card has been exported successfully.");

void showWriteFailure(const QString& path, const QString& error, const QString& details = QString())
{
    Show_MessageBox_With_Details(
        QStringLiteral("The card was not exported: \"%1\" could not be written.\n\n%2").arg(path, error), details);
}

} // namespace

CardExporter::CardExporter(ExportHost& host, QObject* parent)
    : QObject(parent)
    , host_(host)
{
    connect(&worker_, &WorkerThread::finished, this, &CardExporter::finishBatch);
}

CardExporter::~CardExporter()
{
    if (progress_) {
        progress_->stopRequested = true;
        progress_->release();
    }
}

ExportWindow& CardExporter::exportWindow()
{
    if (!window_)
        window_ = new ExportWindow(host_.exportWindow());
    return *window_;
}

void CardExporter::Export_Button()
{
    if (batchRunning() || singleRunning_)
        return;
    const CardSnapshot card = host_.takeCardSnapshot();
    auto binding = std::make_shared<DataBinding>(host_.batchBinding(card));
    ExportWindow& window = exportWindow();
    window.reset(
        binding->Use_Data_Sheet_Values, binding->Use_Excel_Binding_Values, host_.twoSidedCard(), host_.backShown());
    if (dialogs().runModal(window) != QDialog::Accepted)
        return;
    window.rememberFormat();
    // The workbook may have changed on disk while the window was open: asked as Send asks, and
    // rows read again are the ones exported.
    bool readAgain = false;
    if (!host_.confirmRowsAreCurrent(&readAgain))
        return;
    if (readAgain)
        *binding = host_.batchBinding(card);
    binding->Use_Data_Sheet_Values = binding->Use_Data_Sheet_Values && window.useSeriesRows();
    binding->Use_Excel_Binding_Values = binding->Use_Excel_Binding_Values && window.useSpreadsheetRows();
    binding->Get_total_Card_count();
    if (!host_.goOnWithSources(*binding))
        return;
    const CardExportSettings settings = window.settings();

    if (!binding->inUse()) {
        const QString filter
            = QStringLiteral("%1 (*.%2)").arg(window.fileFormatPopup->currentText(), settings.extension);
        // The chooser knows only the name typed: every file written is asked about below, once.
        const QString typed
            = dialogs().chooseSaveFileAskedLater(QStringLiteral("Export Card"), QString(), filter, settings.extension);
        if (typed.isEmpty())
            return;
        // The file's name and its content agree.
        const ExportFileName named = matchNameAndFormat(typed, settings.extension);
        ReplacedFiles replaced;
        for (const QString& path : cardFilePaths(settings, named.path))
            replaced.add(path);
        if (!askToReplace(replaced))
            return;
        window.selectFormat(named.format);
        window.rememberFormat();
        host_.exportWindow()->activateWindow();
        Export_Single_File(named.path, window.settings(), true, named.note);
        return;
    }
    const QString folder = chooseBatchFolder(settings, binding->Total_Batch_Excel_Card);
    if (!folder.isEmpty())
        startBatch(folder, settings, binding);
}

QString CardExporter::chooseBatchFolder(const CardExportSettings& settings, int rows)
{
    for (;;) {
        const QString folder = dialogs().chooseFolder(QStringLiteral("Export Cards To"), QString());
        if (folder.isEmpty())
            return {};
        // Cards of an earlier run would be mixed with this run's, and those past its last
        // row would stay as if they belonged to it. Those of another format count too: they
        // would stay beside this run's as if theirs. Looking at every row's files takes a
        // while for many rows.
        BatchFolderFiles found;
        std::atomic<bool> stop = false;
        host_.runBehindPleaseWait([&] { found = batchFolderFiles(folder, settings, rows, stop); }, stop);
        if (stop)
            return {};
        const QStringList& cards = found.earlierCards;
        if (cards.isEmpty())
            return folder;
        const QString exportFolder = batchExportFolder(folder);
        // One pass of arg: a "%2" in the folder's name stays as typed.
        const QString held = QStringLiteral("The folder \"%1\" already holds %2 card files from an earlier export: %3.")
                                 .arg(exportFolder, QString::number(cards.size()), cardFilesRange(cards));
        const QString others = QStringLiteral("Replace replaces the cards of the same names and leaves the others in "
                                              "the folder. Choose another folder to keep them apart.");
        const QStringList answers { QStringLiteral("Choose Another Folder"), QStringLiteral("Replace") };
        if (found.replaced.isEmpty()) {
            if (dialogs().askSafeChoice(held + QStringLiteral("\n\n") + others, answers, 0) == 1)
                return folder;
            continue;
        }
        // Files this run would write over: each named as a single export names its own.
        QString question = held + QStringLiteral("\n\n") + found.replaced.question();
        if (cards.size() > found.replaced.size())
            question += QStringLiteral("\n\n") + others;
        const int answer = dialogs().askSafeChoiceWithDetails(
            question, answers + QStringList { QStringLiteral("No") }, 2, found.replaced.details());
        if (answer == 1)
            return folder;
        if (answer != 0)
            return {};
    }
}

bool CardExporter::Export_Single_File(
    const QString& path, const CardExportSettings& settings, bool showMessage, const QString& note)
{
    const CardSnapshot card = host_.takeCardSnapshot();
    JobProgress progress;
    progress.total = 1;
    SingleCardExportResult result;
    singleRunning_ = true;
    runBehindProgressSheet(progress, QStringLiteral("Card"),
        [&] { result = exportSingleCard(card, settings, path, progress); });
    singleRunning_ = false;
    switch (result.outcome) {
    case SingleCardExportResult::Outcome::Stopped:
        Show_MessageBox(QStringLiteral("The export was stopped. The card was not exported."));
        return false;
    case SingleCardExportResult::Outcome::WriteFailed:
        showWriteFailure(result.failedPath, result.error);
        return false;
    case SingleCardExportResult::Outcome::Written:
        break;
    }
    // The box names the file that was written last: for the back alone that is the back's
    // own name, not the name typed for the front.
    if (showMessage && !result.lastWritten.isEmpty()) {
        const CardProblemRows problems = singleCardProblems(card, settings.side);
        const QString message = note.isEmpty() ? exportedMessage : exportedMessage + QStringLiteral("\n\n") + note;
        host_.showExportDone(result.lastWritten, problems.appendedTo(message), problems.details());
    }
    return true;
}

void CardExporter::startBatch(
    const QString& folder, const CardExportSettings& settings, std::shared_ptr<const DataBinding> binding)
{
    if (batchRunning())
        return;
    BatchExportRequest request { host_.takeCardSnapshot(), binding, settings, folder };
    binding_ = std::move(binding);
    progress_ = std::make_unique<JobProgress>();
    progress_->total = binding_->Total_Batch_Excel_Card;
    if (Send_Modeless* sheet = Send_Modeless::defaultInstance())
        sheet->follow(*progress_, QStringLiteral("Card"));
    host_.Show_One_By_One_Modeless();
    worker_.start([this, request = std::move(request)] { result_ = Export_Batch_File(request, *progress_); });
}

void CardExporter::finishBatch()
{
    const BatchExportResult result = std::exchange(result_, BatchExportResult());
    if (Send_Modeless* sheet = Send_Modeless::defaultInstance())
        sheet->finish();
    host_.Hide_One_By_One_Modeless();
    host_.Select_first_row_value_for_design(*binding_);
    progress_.reset();
    binding_.reset();
    // A run that did not finish always says how far it got.
    switch (result.outcome) {
    case BatchExportResult::Outcome::FolderFailed:
        Show_MessageBox(
            QStringLiteral("%1\n\n%2: %3\n\n%4")
                .arg(batchFolderFailedMessage, result.exportFolder, result.error, cardsWrittenText(result)));
        break;
    case BatchExportResult::Outcome::WriteFailed:
        showWriteFailure(result.failedPath,
            result.problems.appendedTo(result.error + QStringLiteral("\n\n") + cardsWrittenText(result)),
            result.problems.details());
        break;
    case BatchExportResult::Outcome::Stopped:
        host_.showExportDone(result.exportFolder,
            result.problems.appendedTo(QStringLiteral("The export was stopped.\n") + cardsWrittenText(result)),
            result.problems.details());
        break;
    case BatchExportResult::Outcome::Finished:
        host_.showExportDone(
            result.exportFolder, result.problems.appendedTo(exportedMessage), result.problems.details());
        break;
    }
    emit batchFinished(result);
}
