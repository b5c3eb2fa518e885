#include "imports/Import_Excel.h"

#include "data/Data_From_Excel.h"
#include "imports/ImportSummary.h"
#include "imports/SeriesWriting.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "platform/DialogService.h"
#include "series/BatchWizard.h"

#include <QDialogButtonBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString corruptMessage = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
} // namespace

Import_Excel::Import_Excel(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Import Spreadsheet"));
    chooser = new SheetChooser(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &Import_Excel::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser, 1);
    layout->addWidget(buttons);
    resize(520, 480);
}

int Import_Excel::Open_excel_Wnd(const QString& path)
{
    // A refused workbook has nothing to choose from.
    if (!chooser->open(path))
        return SheetChooser::workbookRefused;
    chooser->ColList->setFocus();
    const int result = dialogs().runModal(*this);
    chooser->closeWorkbook();
    return result;
}

void Import_Excel::OKPressed()
{
    if (chooser->columns().entries().isEmpty()) {
        dialogs().showMessage(chooser->noColumnsMessage());
        return;
    }
    if (!chooser->columns().Check_For_One_Extension_Selection()) {
        dialogs().showMessage(QStringLiteral("No column is selected."));
        return;
    }
    if (open_mode == QLatin1String("D"))
        Insert_file_Func();
    else
        Create_Excel_List_Func();
    done(1);
}

void Import_Excel::Insert_file_Func()
{
    const SheetTable rows = chooser->readRows();
    if (rows.isEmpty()) {
        dialogs().showMessage(chooser->noRowsMessage(corruptMessage));
        return;
    }
    if (!BatchWizard_Window)
        return;
    // The editor trims the values; an empty cell stays an empty value, holding its row.
    const QStringList values = rowByRowValues(rows, chooser->columns().checkedColumns(), chooser->hasHeader());
    BatchWizard_Window->Create_Value_List(values);
    ImportSummary summary;
    summary.addValues(values.size());
    summary.tell();
}

void Import_Excel::Create_Excel_List_Func()
{
    WorkbookFile file;
    bool stopped = false;
    const SheetTable rows = chooser->readRows(&file, &stopped);
    if (stopped)
        return;
    if (!file.changed.isEmpty()) {
        dialogs().showMessage(chooser->naming(file.changed));
        return;
    }
    const QList<int> columns = chooser->columns().checkedColumns();
    if (!Data_From_Excel_Window || !Data_From_Excel_Window->replaceFromSheet(rows, columns, chooser->hasHeader())) {
        dialogs().showMessage(chooser->noRowsMessage(corruptMessage));
        return;
    }
    Data_From_Excel_Window->source = { file.identity, {}, file.content, Excel_Sheet_Number, chooser->hasHeader(),
        columns, file.content.isKnown() ? file.identity : QString() };
    const qsizetype dataRows = std::max<qsizetype>(0, rows.size() - (chooser->hasHeader() ? 1 : 0));
    dialogs().showInformation(
        QStringLiteral("%1 column%2 with %3 row%4 imported.")
            .arg(columns.size())
            .arg(columns.size() == 1 ? "" : "s")
            .arg(dataRows)
            .arg(dataRows == 1 ? "" : "s"));
}
