#include "imports/SheetChooser.h"

#include "common/MessageBoxes.h"
#include "dialogs/BackgroundWork.h"
#include "imports/SheetColumnsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString emptySheetNote(const QString& sheet)
{
    return sheet.isNull() ? QString() : QObject::tr("The sheet \"%1\" holds no cells.").arg(sheet);
}

} // namespace

SheetChooser::SheetChooser(bool withSeriesNames, QWidget* parent)
    : QWidget(parent)
{
    file_path = new QLineEdit;
    file_path->setReadOnly(true);
    contains_header = new QCheckBox(tr("First row contains column &titles"));
    Sheet_ComboBox = new QComboBox;
    Sheet_ComboBox->setToolTip(tr("The sheet whose columns are imported"));
    ListData_xl = new SheetColumnsModel(this);
    ColList = new QTableView;
    ColList->setModel(ListData_xl);
    ColList->verticalHeader()->hide();
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->horizontalHeader()->setSectionResizeMode(SheetColumnsModel::State, QHeaderView::ResizeToContents);
    ColList->horizontalHeader()->setSectionResizeMode(SheetColumnsModel::Extension, QHeaderView::ResizeToContents);
    ColList->horizontalHeader()->setStretchLastSection(true);
    ColList->setColumnHidden(SheetColumnsModel::Header, !withSeriesNames);
    ColList->setMinimumHeight(180);
    // Why the list is empty, where the person looks, rather than only once OK is pressed.
    unreadNote_ = new QLabel;
    unreadNote_->setWordWrap(true);
    unreadNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    unreadNote_->hide();

    auto* selectAll = new QPushButton(tr("Select &All"));
    auto* clearAll = new QPushButton(tr("C&lear All"));
    connect(selectAll, &QPushButton::clicked, this, &SheetChooser::Select_ALL_Pressed);
    connect(clearAll, &QPushButton::clicked, this, &SheetChooser::Clear_All_Pressed);
    connect(Sheet_ComboBox, &QComboBox::activated, this, &SheetChooser::chooseSheet);

    auto* form = new QFormLayout;
    form->addRow(tr("Workbook:"), file_path);
    auto* sheetLabel = new QLabel(tr("&Sheet:"));
    sheetLabel->setBuddy(Sheet_ComboBox);
    form->addRow(sheetLabel, Sheet_ComboBox);
    form->addRow(QString(), contains_header);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(selectAll);
    buttons->addWidget(clearAll);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(ColList, 1);
    layout->addWidget(unreadNote_);
    layout->addLayout(buttons);
}

void SheetChooser::showWhyUnread()
{
    const QString why = !unreadSheet_.isEmpty() ? noColumnsMessage() : emptySheetNote(emptySheet_);
    unreadNote_->setText(why);
    unreadNote_->setVisible(!why.isEmpty());
}

QString SheetChooser::workbookFilter()
{
    return tr("Workbooks (*.xlsx *.XLSX *.xlsm *.XLSM *.xls *.XLS)");
}

bool SheetChooser::open(const QString& path)
{
    Excel_Sheet_Number = 1;
    file_path->setText(path);
    contains_header->setChecked(true);
    ListData_xl->clear();
    Sheet_ComboBox->clear();
    QStringList sheets;
    SheetTable titles;
    bool opened = false;
    QString unread;
    runBehindPleaseWait(window(), [&] {
        SpreadsheetWriter::ReadWorkbook(path, true);
        opened = SpreadsheetWriter::lastError().isEmpty();
        if (!opened)
            return;
        sheets = SpreadsheetWriter::Read_Sheet_Name();
        if (!sheets.isEmpty())
            titles = SpreadsheetWriter::ReadData_only_column();
        unread = SpreadsheetWriter::lastError();
    });
    unreadSheet_ = unread;
    emptySheet_ = opened && unread.isEmpty() && titles.isEmpty() && !sheets.isEmpty() ? sheets.first() : QString();
    showWhyUnread();
    if (!opened) {
        // Told now that the please-wait sheet is gone and the window takes input again.
        Show_MessageBox_No_Thread(naming(SpreadsheetWriter::lastError()));
        closeWorkbook();
        return false;
    }
    const QSignalBlocker blocker(Sheet_ComboBox);
    Sheet_ComboBox->addItems(sheets);
    if (!titles.isEmpty())
        ListData_xl->setTitles(titles.front());
    return true;
}

void SheetChooser::chooseSheet(int index)
{
    if (index < 0)
        return;
    Excel_Sheet_Number = index + 1;
    const SheetTable titles = SpreadsheetWriter::ReadData_only_column();
    unreadSheet_ = SpreadsheetWriter::lastError();
    emptySheet_ = unreadSheet_.isEmpty() && titles.isEmpty() ? Sheet_ComboBox->itemText(index) : QString();
    showWhyUnread();
    // A sheet that cannot be read lists no column, so that none of another sheet is imported
    // from it; a sheet without rows keeps the list of the sheet before.
    if (!unreadSheet_.isEmpty())
        ListData_xl->clear();
    else if (!titles.isEmpty())
        ListData_xl->setTitles(titles.front());
}

void SheetChooser::closeWorkbook()
{
    SpreadsheetWriter::Release_Data();
}

SheetTable SheetChooser::readRows(WorkbookFile* file, bool* stopped)
{
    SheetTable rows;
    if (!file) {
        runBehindPleaseWait(window(), [&rows] { rows = SpreadsheetWriter::ReadWorkbook(QString(), false); });
        return rows;
    }
    // The digest reads the whole file: Stop ends it, and no row is taken.
    std::atomic<bool> stop { false };
    runBehindPleaseWait(
        window(),
        [&rows, &stop, file] {
            rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
            // Of the file the rows came from, opened at Browse, whatever lies at its path now.
            *file = SpreadsheetWriter::openWorkbookFile(&stop);
        },
        stop);
    if (stopped)
        *stopped = stop.load();
    return stop.load() || !file->changed.isEmpty() ? SheetTable() : rows;
}

QString SheetChooser::noRowsMessage(const QString& windowMessage) const
{
    const QString reason = SpreadsheetWriter::lastError();
    return reason.isEmpty() ? withEmptySheetNote(windowMessage) : naming(SpreadsheetWriter::cannotReadMessage(reason));
}

QString SheetChooser::noColumnsMessage() const
{
    return unreadSheet_.isEmpty() ? withEmptySheetNote(QStringLiteral("There is no column."))
                                  : naming(SpreadsheetWriter::cannotReadMessage(unreadSheet_));
}

QString SheetChooser::withEmptySheetNote(const QString& message) const
{
    const QString empty = emptySheetNote(emptySheet_);
    return empty.isEmpty() ? message : message + QStringLiteral("\n\n") + empty;
}

QString SheetChooser::naming(const QString& message) const
{
    return message == SpreadsheetWriter::changedWhileReadMessage() ? QStringLiteral("\"%1\": %2").arg(path(), message)
                                                                   : message;
}

void SheetChooser::Select_ALL_Pressed()
{
    ListData_xl->setAllChecked(true);
}

void SheetChooser::Clear_All_Pressed()
{
    ListData_xl->setAllChecked(false);
}

bool SheetChooser::hasHeader() const
{
    return contains_header->isChecked();
}

QString SheetChooser::path() const
{
    return file_path->text();
}
