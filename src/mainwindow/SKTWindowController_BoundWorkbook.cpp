// The workbook the card's rows came from, compared with what was read before they are used.
#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "data/BoundWorkbook.h"
#include "data/Data_From_Excel.h"
#include "data/WorkbookBinding.h"
#include "dialogs/BackgroundWork.h"
#include "jobs/DataBinding.h"
#include "platform/DialogService.h"

#include <QDir>

namespace {

QString rowsCount(qsizetype rows)
{
    return QStringLiteral("%1 row%2").arg(rows).arg(rows == 1 ? "" : "s");
}

} // namespace

bool SKTWindowController::confirmBoundWorkbookIsCurrent(bool beforeRun, bool* readAgain)
{
    const QString path = Excel_Source_Path.trimmed();
    if (!Excel_Binding_Use || path.isEmpty()
        || !(DataBinding::sideUses(Get_Front_Controls_Array(), DataBinding::spreadsheetSource)
            || DataBinding::sideUses(Get_Back_Controls_Array(), DataBinding::spreadsheetSource)))
        return true;
    const QString shown = QDir::toNativeSeparators(path);
    BoundWorkbook::Comparison compared;
    std::atomic<bool> stop { false };
    runBehindPleaseWait(
        window(),
        [&compared, &path, &stop, source = spreadsheet->source] {
            compared = BoundWorkbook::compare(path, source, &stop);
        },
        stop);
    switch (compared.state) {
    case BoundWorkbook::State::AsRead:
        // From now on the workbook is compared with the file as it is.
        spreadsheet->source.identity = compared.identity;
        if (!spreadsheet->source.content.isKnown())
            spreadsheet->source.content = compared.content;
        // Read to its end, the file is known to hold the content: a design saved now opens
        // without reading it again.
        if (compared.content.isKnown() && compared.content == spreadsheet->source.content)
            spreadsheet->source.contentIdentity = compared.identity;
        return true;
    case BoundWorkbook::State::Missing:
        // An opening design has named it already.
        return !beforeRun
            || dialogs().askGoOnOrCancel(
                QStringLiteral("The workbook of this design is not there:\n%1\n\nUse the %2 as they were read?")
                    .arg(shown, rowsCount(spreadsheet->ListData.size())),
                QStringLiteral("Use Rows as Read"));
    case BoundWorkbook::State::Changed:
        break;
    }
    QStringList answers { QStringLiteral("Read Again"), QStringLiteral("Use Rows as Read") };
    if (beforeRun)
        answers << QStringLiteral("Cancel");
    const int answer = dialogs().askChoice(
        QStringLiteral("The workbook has changed since %1:\n%2\n\nRead it again, or use the %3 as they were read?")
            .arg(beforeRun ? QStringLiteral("its rows were read") : QStringLiteral("the design was saved"), shown,
                rowsCount(spreadsheet->ListData.size())),
        answers, 0);
    if (answer == 0)
        return readBoundWorkbookAgain(beforeRun, readAgain);
    if (answer == 1) {
        // Asked once for each change of the file; the content stays the one the rows came from.
        spreadsheet->source.identity = compared.identity;
        return true;
    }
    return !beforeRun;
}

bool SKTWindowController::readBoundWorkbookAgain(bool beforeRun, bool* readAgain)
{
    const QString path = Excel_Source_Path.trimmed();
    BoundWorkbook::Reading reading;
    std::atomic<bool> stop { false };
    runBehindPleaseWait(
        window(),
        [&reading, &path, &stop, table = spreadsheet->readOnlyCopy()] {
            reading = BoundWorkbook::readAgain(path, table, &stop);
        },
        stop);
    // Stopped, the rows stay as they were, and a run waiting for them does not start.
    if (reading.stopped)
        return !beforeRun;
    if (!reading.error.isEmpty()) {
        const QString text = QStringLiteral("The workbook cannot be read again:\n%1\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), reading.error);
        if (!beforeRun) {
            dialogs().showMessage(text + QStringLiteral("\n\nThe rows saved with the design are used."));
            return true;
        }
        return dialogs().askGoOnOrCancel(
            text + QStringLiteral("\n\nUse the rows as they were read?"), QStringLiteral("Use Rows as Read"));
    }
    const SKTDocument::Side side = currentCanvas()->editedSide();
    document_->undoManager(side).runAsStep(
        QStringLiteral("Read Workbook Again"), [&] { registerWorkbookUndo(side, WorkbookBinding::current()); });
    *spreadsheet = std::move(reading.table);
    if (readAgain)
        *readAgain = true;
    refreshUndoActions();
    sourcesChanged();

    const QString read
        = QStringLiteral("The workbook was read again: %1.").arg(rowsCount(spreadsheet->ListData.size()));
    if (reading.goneColumns.isEmpty()) {
        dialogs().showInformation(read);
        return true;
    }
    QStringList named;
    for (const QString& title : reading.goneColumns)
        named << QStringLiteral("\"%1\"").arg(title);
    const bool one = named.size() == 1;
    dialogs().showMessageWithReason(read,
        QStringLiteral("%1 no longer in the workbook: %2. What is bound to %3 shows nothing until it is bound to "
                       "another column.")
            .arg(one ? QStringLiteral("This column is") : QStringLiteral("These columns are"),
                named.join(QStringLiteral(", ")), one ? QStringLiteral("it") : QStringLiteral("them")));
    return true;
}

void SKTWindowController::registerWorkbookUndo(SKTDocument::Side side, const WorkbookBinding& binding)
{
    UndoManager& undo = document_->undoManager(side);
    if (side == SKTDocument::Side::Temp || !undo.isRegistrationEnabled()) {
        setUnsavedEdits(true);
        return;
    }
    undo.registerUndo([this, side, binding] {
        registerWorkbookUndo(side, WorkbookBinding::current());
        binding.restore();
        sourcesChanged();
    });
}

void SKTWindowController::registerWorkbookBeforeProfile(SKTDocument::Side side)
{
    if (const auto before = std::exchange(workbookBeforeProfile_, nullptr))
        registerWorkbookUndo(side, *before);
}
