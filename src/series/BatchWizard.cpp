#include "series/BatchWizard.h"

#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "data/SeriesKeptLines.h"
#include "data/SeriesStore.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "platform/DialogService.h"
#include "series/Generate_List.h"
#include "series/SeriesListModel.h"
#include "series/SeriesTableView.h"
#include "dialogs/BackgroundWork.h"

#include <QAction>
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

BatchWizard* BatchWizard_Window = nullptr;

namespace {

BatchWizard* BatchWizard_DefaultInstance = nullptr;

QPushButton* addButton(QBoxLayout* layout, const QString& text, const QString& icon, const QString& tip,
    QWidget* receiver, std::function<void()> action)
{
    auto* button = new QPushButton(QIcon::fromTheme(icon), text);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, receiver, std::move(action));
    layout->addWidget(button);
    return button;
}

// The Delete key on a table runs the screen's delete command.
void addDeleteShortcut(QTableView* table, QWidget* receiver, std::function<void()> action)
{
    auto* remove = new QAction(table);
    remove->setShortcuts({ QKeySequence::Delete, QKeySequence(Qt::Key_Backspace) });
    remove->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(remove, &QAction::triggered, receiver, std::move(action));
    table->addAction(remove);
}

} // namespace

BatchWizard::BatchWizard(BatchWizardHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    BatchWizard_DefaultInstance = this;
    BatchWizard_Window = this;
    setWindowTitle(tr("Batch Processing Series"));
    setObjectName(QStringLiteral("BatchWizard"));
    ListData_ = new SeriesListModel(tr("Series Name"), this);
    ListData_value_ = new SeriesListModel(tr("Value"), this);
    screens_ = new QStackedWidget;
    screens_->addWidget(buildListScreen());
    screens_->addWidget(buildValueScreen());
    (new QVBoxLayout(this))->addWidget(screens_);
    resize(560, 520);
}

BatchWizard::~BatchWizard()
{
    if (BatchWizard_DefaultInstance == this)
        BatchWizard_DefaultInstance = nullptr;
    if (BatchWizard_Window == this)
        BatchWizard_Window = nullptr;
}

BatchWizard* BatchWizard::defaultInstance()
{
    return BatchWizard_DefaultInstance;
}

QWidget* BatchWizard::buildListScreen()
{
    auto* screen = new QWidget;
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Available series:")));
    List = makeSeriesTable(ListData_, true, screen);
    List->setObjectName(QStringLiteral("List"));
    connect(List, &QTableView::doubleClicked, this, [this] { doubleClickInTable(List); });
    addDeleteShortcut(List, this, [this] { Delete_List_Btn_Clicked(); });
    layout->addWidget(List, 1);
    batch_list_count = new QLabel;
    layout->addWidget(batch_list_count);

    auto* buttons = new QHBoxLayout;
    addButton(buttons, tr("&New"), QStringLiteral("document-new"), tr("Create a new series"), this,
        [this] { AddNew_Btn_Clicked(); });
    openButton_ = addButton(buttons, tr("&Open"), QStringLiteral("document-open"),
        tr("Show and edit the values of the selected series"), this, [this] { Update_Btn_Clicked(); });
    addButton(buttons, tr("&Delete"), QStringLiteral("edit-delete"), tr("Delete the selected series"), this,
        [this] { Delete_List_Btn_Clicked(); });
    addButton(buttons, tr("&Import..."), QStringLiteral("document-import"),
        tr("Make new series from a workbook, a text file, pasted text or pictures"), this,
        [this] { Import_Btn_Clicked(); });
    addButton(buttons, tr("&Generate..."), QStringLiteral("view-list-details"),
        tr("Make a new series of sequential, constant or random values"), this, [this] { CreateSeries_Btn_Clicked(); });
    buttons->addStretch(1);
    addButton(buttons, tr("&Help"), QStringLiteral("help-contents"), tr("Open the help document"), this,
        [] { Open_Help_File(); });
    addButton(buttons, tr("&Close"), QStringLiteral("window-close"), tr("Close the series editor"), this,
        [this] { reject(); });
    layout->addLayout(buttons);
    return screen;
}

QWidget* BatchWizard::buildValueScreen()
{
    auto* screen = new QWidget;
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* nameRow = new QFormLayout;
    batch_list_name = new QLineEdit;
    batch_list_name->setObjectName(QStringLiteral("batch_list_name"));
    nameRow->addRow(tr("Series &name:"), batch_list_name);
    layout->addLayout(nameRow);
    List_value = makeSeriesTable(ListData_value_, true, screen);
    List_value->setObjectName(QStringLiteral("List_value"));
    connect(List_value, &QTableView::doubleClicked, this, [this] { doubleClickInTable(List_value); });
    addDeleteShortcut(List_value, this, [this] { Delete_Rows_Btn_Clicked(); });
    layout->addWidget(List_value, 1);
    batch_value_count = new QLabel;
    layout->addWidget(batch_value_count);

    auto* edits = new QHBoxLayout;
    addButton(edits, tr("&Import Values..."), QStringLiteral("document-import"),
        tr("Add values from a workbook, a text file, pasted text or pictures"), this,
        [this] { Import_Value_Btn_Clicked(); });
    addButton(edits, tr("&Generate Values..."), QStringLiteral("view-list-details"),
        tr("Add sequential, constant or random values"), this, [this] { Series_Value_Btn_Clicked(); });
    addButton(edits, tr("&Delete Rows"), QStringLiteral("edit-delete"), tr("Remove the selected values"), this,
        [this] { Delete_Rows_Btn_Clicked(); });
    addButton(edits, tr("&Export..."), QStringLiteral("document-export"),
        tr("Save the values as a workbook or a text file"), this, [this] { Export_Value_Btn_Clicked(); });
    edits->addStretch(1);
    layout->addLayout(edits);

    auto* closing = new QHBoxLayout;
    addButton(closing, tr("&Help"), QStringLiteral("help-contents"), tr("Open the help document"), this,
        [] { Open_Help_File(); });
    closing->addStretch(1);
    addButton(closing, tr("&Back"), QStringLiteral("go-previous"), tr("Back to the series list without saving"), this,
        [this] { Back_Btn_Clicked(); });
    saveButton_ = addButton(closing, tr("&Save"), QStringLiteral("document-save"),
        tr("Store the series and go back to the list"), this, [this] { Save_Btn_Clicked(); });
    addButton(closing, tr("&Close"), QStringLiteral("window-close"), tr("Close the series editor without saving"), this,
        [this] { reject(); });
    layout->addLayout(closing);
    return screen;
}

int BatchWizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    showListScreen();
    Fill_List();
    const int result = dialogs().runModal(*this);
    hide();
    return result;
}

bool BatchWizard::showingValues() const
{
    return screens_->currentIndex() == 1;
}

void BatchWizard::showListScreen()
{
    update_list_name.clear();
    keptLines_.reset();
    screens_->setCurrentIndex(0);
    openButton_->setDefault(true);
    saveButton_->setDefault(false);
    List->setFocus();
}

void BatchWizard::showValueScreen(const QString& name)
{
    screens_->setCurrentIndex(1);
    batch_list_name->setText(name);
    update_list_name = name;
    keptLines_.reset();
    ListData_value_->setTexts({});
    Update_Value_List_Count();
    openButton_->setDefault(false);
    saveButton_->setDefault(true);
    batch_list_name->setFocus();
}

void BatchWizard::Fill_List()
{
    ListData_->setTexts({});
    Update_batch_List_Count();
    QStringList names;
    for (const QString& name : seriesNames()) {
        const QString trimmed = Trim_Str(name);
        if (!trimmed.isEmpty())
            names.append(trimmed);
    }
    ListData_->append(names);
    Update_batch_List_Count();
    // The row that looks chosen is the one Open and Delete act on.
    Mark_List_New_Selection(0);
}

void BatchWizard::Create_Avail_List(const QString& name)
{
    const QString trimmed = Trim_Str(name);
    if (trimmed.isEmpty())
        return;
    ListData_->append({ trimmed });
    Update_batch_List_Count();
}

void BatchWizard::Create_Value_List(const QString& value)
{
    Create_Value_List(QStringList { value });
}

void BatchWizard::Create_Value_List(const QStringList& values)
{
    // An empty value stays: it holds its row, so every later value stays on its own card.
    QStringList kept;
    kept.reserve(values.size());
    for (const QString& value : values)
        kept.append(Trim_Str(value));
    ListData_value_->append(kept);
    Update_Value_List_Count();
}

QString BatchWizard::Get_List_Name_Text(int row) const
{
    return Trim_Str(ListData_->text(row));
}

QString BatchWizard::Get_Value_Text(int row) const
{
    return Trim_Str(ListData_value_->text(row));
}

void BatchWizard::Update_batch_List_Count()
{
    batch_list_count->setText(QStringLiteral("Total List : %1").arg(ListData_->count()));
}

void BatchWizard::Update_Value_List_Count()
{
    batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(ListData_value_->count()));
}

void BatchWizard::Mark_List_New_Selection(int row)
{
    selectSeriesRow(List, row);
}

void BatchWizard::Mark_List_New_Selection_Value(int row)
{
    selectSeriesRow(List_value, row);
}

bool BatchWizard::Batch_List_Selection_Validation()
{
    if (ListData_->count() == 0) {
        dialogs().showMessage(QStringLiteral("Available list is empty."));
        return false;
    }
    const int row = lastSelectedSeriesRow(List);
    if (row < 0 || Get_List_Name_Text(row).isEmpty()) {
        dialogs().showMessage(QStringLiteral("Please select a record from the available list to continue."));
        List->setFocus();
        return false;
    }
    return true;
}

void BatchWizard::AddNew_Btn_Clicked()
{
    showValueScreen(QString());
    batch_list_name->setText(QStringLiteral("Untitled"));
    batch_list_name->selectAll();
    markValuesUnchanged();
}

void BatchWizard::Update_Btn_Clicked()
{
    On_Update();
}

void BatchWizard::On_Update()
{
    if (!Batch_List_Selection_Validation())
        return;
    const QString name = Get_List_Name_Text(lastSelectedSeriesRow(List));
    if (!isSeriesNameSafe(name)) {
        dialogs().showMessage(seriesAccessError(name, unsafeSeriesNameReason));
        return;
    }
    QFile file(seriesFilePath(name));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        dialogs().showMessage(seriesAccessError(name,
            QStringLiteral("its file \"%1\" cannot be opened for reading and writing: %2")
                .arg(file.fileName(), file.errorString())));
        return;
    }
    file.close();
    showValueScreen(name);
    std::optional<EditedSeries> series;
    QString reason;
    runBehindPleaseWait(this, [&] { series = openSeriesForEditing(name, &reason); });
    if (series) {
        keptLines_ = std::move(series->keptLines);
        ListData_value_->setTexts(series->rows.values, series->rows.tooLong);
        Update_Value_List_Count();
    } else {
        dialogs().showMessage(seriesAccessError(name, reason));
    }
    markValuesUnchanged();
}

void BatchWizard::Delete_List_Btn_Clicked()
{
    if (!Batch_List_Selection_Validation())
        return;
    // A series in use is refused before any question: a "Yes" would only lead to the refusal.
    QStringList deletable;
    for (const int row : selectedSeriesRows(List)) {
        const QString name = Get_List_Name_Text(row);
        if (!host_.Check_Batch_File_In_Use_Validation(name)) {
            deletable.append(name);
            continue;
        }
        // An earlier "apply to all" answer skips every series in use without a word.
        if (Msg_Apply_All_Chk)
            continue;
        dialogs().showMessage(
            QStringLiteral("Batch Processing Series can't be delete because it is currently in use."));
        return;
    }
    if (deletable.isEmpty())
        return;
    if (!dialogs().askYesNoSafe(QStringLiteral("Are you sure want to delete selected Batch Processing Series?")))
        return;
    const int selected = lastSelectedSeriesRow(List);
    for (const QString& name : deletable)
        deleteSeries(name);
    Fill_List();
    Mark_List_New_Selection(selected - 1);
}

void BatchWizard::Import_Btn_Clicked()
{
    host_.Open_Import_Wizard(1, 1);
}

void BatchWizard::CreateSeries_Btn_Clicked()
{
    Generate_List::defaultInstance()->Open_Wnd(1, 1);
}

void BatchWizard::doubleClickInTable(QTableView* table)
{
    const QList<int> rows = selectedSeriesRows(table);
    if (rows.isEmpty())
        return;
    if (rows.size() > 1) {
        dialogs().showMessage(QStringLiteral("Please select only one record to update."));
        return;
    }
    if (table == List)
        On_Update();
    else if (table == List_value)
        OnGetSelected();
}
