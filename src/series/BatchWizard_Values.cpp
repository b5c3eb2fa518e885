#include "series/BatchWizard.h"

#include "common/Globals.h"
#include "common/StringHelpers.h"
#include "data/SeriesStore.h"
#include "platform/FolderPath.h"
#include "platform/DialogService.h"
#include "platform/InterfaceSettings.h"
#include "platform/SizeText.h"
#include "series/BusyCursor.h"
#include "series/Generate_List.h"
#include "series/Load_Num_Info.h"
#include "series/Open_Export_Log.h"
#include "series/SeriesListModel.h"
#include "series/SeriesTableView.h"
#include "dialogs/BackgroundWork.h"
#include "series/Update_Ex_Num.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>

namespace {

const QString exportFolderKey = QStringLiteral("series/exportFolder");

} // namespace

bool BatchWizard::valuesPresent()
{
    if (ListData_value_->count() > 0)
        return true;
    dialogs().showMessage(QStringLiteral("List is empty."));
    List_value->setFocus();
    return false;
}

bool BatchWizard::prepareForNewValues()
{
    if (ListData_value_->count() == 0)
        return true;
    switch (Load_Num_Info::ask()) {
    case Load_Num_Info::Clear:
        ListData_value_->setTexts({});
        Update_Value_List_Count();
        return true;
    case Load_Num_Info::Append:
        return true;
    default:
        return false;
    }
}

void BatchWizard::Import_Value_Btn_Clicked()
{
    if (prepareForNewValues())
        host_.Open_Import_Wizard(0, 1);
}

void BatchWizard::Series_Value_Btn_Clicked()
{
    if (prepareForNewValues())
        Generate_List::defaultInstance()->Open_Wnd(0, 1);
}

void BatchWizard::Delete_Rows_Btn_Clicked()
{
    if (!valuesPresent())
        return;
    const QList<int> rows = selectedSeriesRows(List_value);
    if (rows.isEmpty()) {
        dialogs().showMessage(QStringLiteral("Please select at least one record from the list to continue."));
        List_value->setFocus();
        return;
    }
    const int selected = lastSelectedSeriesRow(List_value);
    ListData_value_->removeRowSet(rows);
    Mark_List_New_Selection_Value(selected - 1);
    Update_Value_List_Count();
}

void BatchWizard::Save_Btn_Clicked()
{
    if (!valuesPresent())
        return;
    SeriesSaveRequest request;
    request.typedName = batch_list_name->text();
    request.oldName = update_list_name;
    request.values = ListData_value_->texts();
    request.kept = { keptLines_, ListData_value_->tooLongRows() };
    request.inUse = [this](const QString& name) { return host_.Check_Batch_File_In_Use_Validation(name); };
    request.confirmReplace = [] {
        return dialogs().askYesNoSafe(
            QStringLiteral("Batch Processing Series already exists. Do you want to replace it?"));
    };
    request.runWriting = [this](const std::function<void()>& write) { runBehindPleaseWait(this, write); };
    QString reason;
    QString savedName;
    const SeriesSaveResult result = saveSeries(request, &savedName, &reason);
    switch (result) {
    case SeriesSaveResult::Saved:
        host_.seriesSaved(savedName);
        raise();
        showListScreen();
        Fill_List();
        break;
    case SeriesSaveResult::InUse:
        dialogs().showMessage(
            QStringLiteral("Batch Processing Series can't be delete because it is currently in use."));
        break;
    case SeriesSaveResult::RenameInUse:
        dialogs().showMessage(
            QStringLiteral("Batch Processing Series can't be renamed because it is currently in use."));
        break;
    case SeriesSaveResult::Failed:
        dialogs().showMessage(seriesAccessError(cleanSeriesName(request.typedName), reason));
        break;
    case SeriesSaveResult::Declined:
        break;
    }
}

void BatchWizard::markValuesUnchanged()
{
    unchangedName_ = batch_list_name->text();
    unchangedValues_ = ListData_value_->texts();
    unchangedTooLong_ = ListData_value_->tooLongRows();
}

bool BatchWizard::valuesChanged() const
{
    return showingValues()
        && (batch_list_name->text() != unchangedName_ || ListData_value_->texts() != unchangedValues_
            || ListData_value_->tooLongRows() != unchangedTooLong_);
}

void BatchWizard::reject()
{
    if (valuesChanged()) {
        switch (dialogs().askSaveChangesOnClosing(
            QStringLiteral("Do you want to save the changes to the series \"%1\" before closing?")
                .arg(Trim_Str(batch_list_name->text())))) {
        case DialogService::SaveChoice::Save:
            Save_Btn_Clicked();
            // A refused or failed save leaves the values on screen, and the editor open.
            if (showingValues())
                return;
            break;
        case DialogService::SaveChoice::DontSave:
            break;
        case DialogService::SaveChoice::Cancel:
            return;
        }
    }
    QDialog::reject();
}

void BatchWizard::Back_Btn_Clicked()
{
    showListScreen();
}

void BatchWizard::OnGetSelected()
{
    if (ListData_value_->count() == 0)
        return;
    const int row = lastSelectedSeriesRow(List_value);
    const QString value = Get_Value_Text(row);
    Update_Ex_Num dialog(*ListData_value_, this);
    // A value too long to show can be replaced, not edited.
    if (ListData_value_->isTooLong(row))
        dialog.m_s_number->setPlaceholderText(tr("(too long to show)"));
    dialog.Open_Wnd(value, row);
}

void BatchWizard::Export_Value_Btn_Clicked()
{
    if (!valuesPresent())
        return;
    const QString folder
        = InterfaceSettings::value(exportFolderKey, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
              .toString();
    const QString suggested = fileInFolder(folder, cleanSeriesName(batch_list_name->text()));
    int type = 0;
    const QString chosen = dialogs().chooseSaveFileOfType(tr("Export Series"), suggested,
        { tr("Workbook (*.xlsx)"), tr("Text file, one value per line (*.txt)") }, &type);
    if (chosen.isEmpty())
        return;
    InterfaceSettings::setValue(exportFolderKey, QFileInfo(chosen).absolutePath());
    exportValues(chosen, type == 1);
}

void BatchWizard::exportValues(const QString& chosenPath, bool text)
{
    raise();
    // The type chosen in the list decides the format, whatever the typed name ends with.
    const QFileInfo chosen(chosenPath);
    const QString extension = text ? QStringLiteral("txt") : QStringLiteral("xlsx");
    QString path = chosenPath;
    if (chosen.suffix().compare(extension, Qt::CaseInsensitive) != 0) {
        path = fileInFolder(chosen.path(),
            (chosen.suffix().isEmpty() ? chosen.fileName() : chosen.completeBaseName()) + QLatin1Char('.') + extension);
        // The file chooser asked about the name as typed, not about this one.
        if (QFileInfo::exists(path)
            && !dialogs().askYesNoSafe(
                QStringLiteral("\"%1\" already exists. Do you want to replace it?").arg(QFileInfo(path).fileName())))
            return;
    }
    const QStringList values = ListData_value_->texts();
    const QList<std::pair<int, qint64>> tooLong = ListData_value_->tooLongRows();
    if (!text && !tooLong.isEmpty()) {
        // Below the title row; a workbook cell holds far less than such a value anyway.
        dialogs().showMessage(QStringLiteral("The series cannot be exported as a workbook: row %1 of the workbook "
                                             "cannot be written: its value is longer than the %2 a value can hold.")
                                  .arg(tooLong.first().first + 2)
                                  .arg(sizeText(maxSeriesValueBytes)));
        return;
    }
    bool written = false;
    QString reason;
    if (text) {
        runBehindPleaseWait(this, [&] {
            written = exportSeriesText(path, values, &reason, { keptLines_, tooLong });
        });
    } else {
        BusyCursor busy;
        written = exportSeriesWorkbook(path, values, &reason);
    }
    raise();
    if (!written) {
        // Such as a value too long for a workbook cell, which the user can shorten.
        dialogs().showMessage(text || reason.isEmpty()
                ? withReason(QStringLiteral("Error in file accessing."), reason)
                : QStringLiteral("The series cannot be exported as a workbook: %1.").arg(reason));
        return;
    }
    Export_File_Message = QStringLiteral("Record has been exported successfully.");
    Export_File_Path = path;
    Open_Export_Log::Open_Export_File_Box(this);
}
