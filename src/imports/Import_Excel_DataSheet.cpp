#include "imports/Import_Excel_DataSheet.h"

#include "common/StringHelpers.h"
#include "data/SeriesStore.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "imports/ImportHost.h"
#include "imports/ImportSummary.h"
#include "imports/SeriesWriting.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "platform/DialogService.h"
#include "series/BatchWizard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString noDataMessage = QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel "
                                             "File.\nEither file is corrupted or selected file contains invalid "
                                             "characters.");
const QString corruptMessage = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
} // namespace

Import_Excel_DataSheet::Import_Excel_DataSheet(const ImportHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setWindowTitle(tr("Import Series from Spreadsheet"));
    chooser = new SheetChooser(true);
    Each_col_RD = new QRadioButton(tr("&One series per checked column"));
    Fill_col_RD = new QRadioButton(tr("All checked columns into one s&eries"));
    connect(Each_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(Fill_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Fill_Col_RD_Click);

    fill_box = new QGroupBox;
    matrix_fill_type = new QButtonGroup(this);
    auto* choices = new QHBoxLayout;
    const QStringList labels { tr("&New series"), tr("&Replace series"), tr("A&ppend to series") };
    for (int i = 0; i < labels.size(); ++i) {
        auto* choice = new QRadioButton(labels.at(i));
        matrix_fill_type->addButton(choice, i);
        choices->addWidget(choice);
    }
    connect(matrix_fill_type, &QButtonGroup::idClicked, this, &Import_Excel_DataSheet::Fill_Type_CellClick);
    list_name = new QLineEdit;
    list_name->setPlaceholderText(tr("Name of the new series"));
    List_ComboBox = new QComboBox;
    List_ComboBox->setToolTip(tr("The stored series to replace or append to"));
    auto* fillLayout = new QVBoxLayout(fill_box);
    fillLayout->addLayout(choices);
    fillLayout->addWidget(list_name);
    fillLayout->addWidget(List_ComboBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &Import_Excel_DataSheet::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser, 1);
    layout->addWidget(Each_col_RD);
    layout->addWidget(Fill_col_RD);
    layout->addWidget(fill_box);
    layout->addWidget(buttons);
    resize(560, 560);
}

int Import_Excel_DataSheet::Open_excel_Wnd(const QString& path)
{
    matrix_fill_type->button(NewSeries)->setChecked(true);
    Fill_Type_CellClick(NewSeries);
    Each_col_RD->setChecked(true);
    Each_Col_RD_Click();
    List_ComboBox->clear();
    list_name->clear();
    // A refused workbook has nothing to choose from.
    if (!chooser->open(path))
        return SheetChooser::workbookRefused;
    List_ComboBox->addItems(seriesNames());
    chooser->ColList->setFocus();
    const int result = dialogs().runModal(*this);
    chooser->closeWorkbook();
    return result;
}

void Import_Excel_DataSheet::Each_Col_RD_Click()
{
    Each_col_RD->setChecked(true);
    fill_box->setEnabled(false);
    Fill_Type_CellClick(fill_col_option);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click()
{
    Fill_col_RD->setChecked(true);
    fill_box->setEnabled(true);
    Fill_Type_CellClick(fill_col_option);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int option)
{
    fill_col_option = option;
    list_name->setVisible(option == NewSeries);
    List_ComboBox->setVisible(option != NewSeries);
    // The series names in the list serve the one-per-column choice and a new series.
    chooser->ColList->setColumnHidden(SheetColumnsModel::Header, option != NewSeries && Fill_col_RD->isChecked());
}

void Import_Excel_DataSheet::OKPressed()
{
    const SheetColumnsModel& columns = chooser->columns();
    if (columns.entries().isEmpty()) {
        dialogs().showMessage(chooser->noColumnsMessage());
        return;
    }
    if (!columns.Check_For_One_Extension_Selection()) {
        dialogs().showMessage(QStringLiteral("No column is selected."));
        return;
    }
    // An apply-to-all answer given to an earlier import must not overwrite series of this one.
    Msg_Apply_All_Chk = false;
    if (Each_col_RD->isChecked()) {
        Create_file_For_Col_Func();
        done(1);
        return;
    }
    const QString chosen = Trim_Str(fill_col_option == NewSeries ? list_name->text() : List_ComboBox->currentText());
    if (chosen.isEmpty()) {
        dialogs().showMessage(fill_col_option == NewSeries ? QStringLiteral("Please enter list name.")
                                                           : QStringLiteral("Please select list name."));
        return;
    }
    if (Insert_file_Func(chosen))
        done(1);
}

Import_Excel_DataSheet::ClashAnswer Import_Excel_DataSheet::answerClash(
    const QString& name, bool offerApplyToAll, ClashAnswers& forAll)
{
    // A series in use is never overwritten; an apply-to-all answer stops the notices too.
    if (host_.Check_Batch_File_In_Use_Validation(name)) {
        if (!forAll.inUseTold && !forAll.replace) {
            Long_SMS_Dlg* notice = Long_SMS_Dlg::defaultInstance();
            notice->apply_chk_show = offerApplyToAll;
            notice->notice_only = true;
            notice->title_val = QStringLiteral("Message :");
            notice->msg_val_str = seriesInUseMessage(name);
            notice->Open_Long_sms_Dialog();
            forAll.inUseTold = notice->answeredForAll();
        }
        return ClashAnswer::InUse;
    }
    if (forAll.replace)
        return *forAll.replace ? ClashAnswer::Replace : ClashAnswer::Keep;
    Long_SMS_Dlg* question = Long_SMS_Dlg::defaultInstance();
    question->apply_chk_show = offerApplyToAll;
    question->title_val = QStringLiteral("Batch Processing Series already exists :");
    question->msg_val_str
        = name + QStringLiteral("\nBatch Processing Series already exists. Do you want to replace it?");
    const bool replace = question->Open_Long_sms_Dialog() == 1;
    if (question->answeredForAll())
        forAll.replace = replace;
    return replace ? ClashAnswer::Replace : ClashAnswer::Keep;
}

void Import_Excel_DataSheet::Create_file_For_Col_Func()
{
    const SheetTable rows = chooser->readRows();
    if (rows.isEmpty()) {
        dialogs().showMessage(chooser->noRowsMessage(noDataMessage));
        return;
    }
    const bool offerApplyToAll = rows.front().size() != 1;
    ClashAnswers forAll;
    ImportSummary summary;
    for (const SheetColumnsModel::Entry& entry : chooser->columns().entries()) {
        if (!entry.state)
            continue;
        const QString name = cleanSeriesName(Trim_Str(entry.header));
        if (!isSeriesNameSafe(name)) {
            summary.skip(Trim_Str(entry.header), QStringLiteral("not a usable series name"));
            continue;
        }
        if (seriesExists(name)) {
            const ClashAnswer answer = answerClash(name, offerApplyToAll, forAll);
            if (answer == ClashAnswer::InUse) {
                summary.skip(name, QStringLiteral("in use by the design"));
                continue;
            }
            if (answer == ClashAnswer::Keep) {
                summary.skip(name, QStringLiteral("already exists, kept"));
                continue;
            }
        }
        // A file that cannot be written skips its column; the stored series stays whole.
        const QStringList values = columnValues(rows, entry.sheetColumn, chooser->hasHeader());
        QString reason;
        if (writeSeriesFile(seriesFilePath(name), values, false, &reason)) {
            setSeriesOrigin(name, QFileInfo(chooser->path()).absolutePath());
            summary.addSeries(values.size());
        } else
            summary.skip(name, reason.isEmpty() ? QStringLiteral("could not be written") : reason);
    }
    refillSeriesEditor();
    summary.tell();
}

bool Import_Excel_DataSheet::Insert_file_Func(const QString& chosenName)
{
    const SheetTable rows = chooser->readRows();
    if (rows.isEmpty()) {
        // Nothing was read: the stored series stays as it was.
        dialogs().showMessage(chooser->noRowsMessage(corruptMessage));
        return true;
    }
    const QStringList values = rowByRowValues(rows, chooser->columns().checkedColumns(), chooser->hasHeader());
    const auto mode = fill_col_option == AppendToSeries ? SeriesWriteMode::Append
        : fill_col_option == ReplaceSeries              ? SeriesWriteMode::Replace
                                                        : SeriesWriteMode::New;
    if (!writeImportedSeries(chosenName, values, mode, host_, QFileInfo(chooser->path()).absolutePath()))
        return false;
    refillSeriesEditor();
    ImportSummary summary;
    summary.addSeries(values.size());
    summary.tell();
    return true;
}

void Import_Excel_DataSheet::refillSeriesEditor()
{
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
}
