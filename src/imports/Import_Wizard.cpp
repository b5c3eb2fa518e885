#include "imports/Import_Wizard.h"

#include "common/FileHelpers.h"
#include "common/StringHelpers.h"
#include "data/ImportText.h"
#include "dialogs/BackgroundWork.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/SeriesWriting.h"
#include "imports/SheetChooser.h"
#include "platform/DialogService.h"
#include "series/BatchWizard.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* pathField(const QString& tip)
{
    auto* field = new QLineEdit;
    field->setToolTip(tip);
    return field;
}

QPushButton* browseButton(const QString& tip)
{
    auto* button = new QPushButton(QObject::tr("Browse..."));
    button->setToolTip(tip);
    return button;
}

QLineEdit* nameField()
{
    auto* field = new QLineEdit;
    field->setPlaceholderText(QObject::tr("Series name"));
    field->setToolTip(QObject::tr("Name of the new series"));
    return field;
}

} // namespace

Import_Wizard::Import_Wizard(const ImportHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setWindowTitle(tr("Import Wizard"));
    Excel_RD = new QRadioButton(tr("&Spreadsheet (xlsx)"));
    Text_RD = new QRadioButton(tr("&Text file (txt, csv, rtf)"));
    Mnul_RD = new QRadioButton(tr("&Pasted text"));
    Image_RD = new QRadioButton(tr("Image &folder"));
    auto* sources = new QButtonGroup(this);
    sources->addButton(Excel_RD, Spreadsheet);
    sources->addButton(Text_RD, TextFile);
    sources->addButton(Mnul_RD, PastedText);
    sources->addButton(Image_RD, ImageFolder);
    connect(sources, &QButtonGroup::idClicked, this, &Import_Wizard::chooseSource);

    Excel_path = pathField(tr("The workbook to import"));
    Text_path = pathField(tr("The text file to import"));
    Image_path = pathField(tr("The folder whose pictures become values"));
    Excel_btn = browseButton(tr("Choose a workbook"));
    Text_btn = browseButton(tr("Choose a text, CSV or RTF file"));
    Image_btn = browseButton(tr("Choose a folder of pictures"));
    connect(Excel_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Excel_Pressed);
    connect(Text_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Text_Pressed);
    connect(Image_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Image_Pressed);
    connect(Text_path, &QLineEdit::editingFinished, this,
        [this] { proposeSeriesName(Text_file_name, Text_path->text()); });
    connect(Image_path, &QLineEdit::editingFinished, this,
        [this] { proposeSeriesName(Image_file_name, Image_path->text()); });
    ManualEdit = new QPlainTextEdit;
    ManualEdit->setPlaceholderText(tr("Paste or type one value per line"));
    ManualEdit->setTabChangesFocus(true);
    Text_file_name = nameField();
    Manual_file_name = nameField();
    Image_file_name = nameField();

    auto* grid = new QGridLayout;
    grid->addWidget(Excel_RD, 0, 0, 1, 3);
    grid->addWidget(Excel_path, 1, 0, 1, 2);
    grid->addWidget(Excel_btn, 1, 2);
    grid->addWidget(Text_RD, 2, 0, 1, 3);
    grid->addWidget(Text_path, 3, 0, 1, 2);
    grid->addWidget(Text_btn, 3, 2);
    grid->addWidget(Text_file_name, 4, 0, 1, 2);
    grid->addWidget(Mnul_RD, 5, 0, 1, 3);
    grid->addWidget(ManualEdit, 6, 0, 1, 3);
    grid->addWidget(Manual_file_name, 7, 0, 1, 2);
    grid->addWidget(Image_RD, 8, 0, 1, 3);
    grid->addWidget(Image_path, 9, 0, 1, 2);
    grid->addWidget(Image_btn, 9, 2);
    grid->addWidget(Image_file_name, 10, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(6, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Import"));
    connect(buttons, &QDialogButtonBox::accepted, this, &Import_Wizard::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] { Open_Help_File(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    resize(560, 600);
}

int Import_Wizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    for (QLineEdit* field : { Excel_path, Text_path, Image_path, Text_file_name, Manual_file_name, Image_file_name })
        field->clear();
    ManualEdit->clear();
    for (QLineEdit* field : { Text_file_name, Manual_file_name, Image_file_name })
        field->setVisible(file_name_required == 1);
    for (int source : { TextFile, PastedText, ImageFolder })
        Enable_Disable_Option(source, false);
    chooseSource(Spreadsheet);
    return dialogs().runModal(*this);
}

void Import_Wizard::reject()
{
    // Typed values are the user's own: closing asks first, and Cancel, the default, keeps the
    // wizard open with them.
    if (!Trim_Str(ManualEdit->toPlainText()).isEmpty()) {
        switch (dialogs().askSaveChangesOnClosing(
            QStringLiteral("Do you want to import the values you typed before closing?"))) {
        case DialogService::SaveChoice::Save:
            chooseSource(PastedText);
            OKPressed(); // a refused import leaves the wizard open
            return;
        case DialogService::SaveChoice::DontSave:
            break;
        case DialogService::SaveChoice::Cancel:
            return;
        }
    }
    QDialog::reject();
}

void Import_Wizard::chooseSource(int source)
{
    import_option = source;
    const QList<QRadioButton*> radios { Excel_RD, Text_RD, Mnul_RD, Image_RD };
    for (int i = 0; i < radios.size(); ++i) {
        radios.at(i)->setChecked(i == source);
        if (i != source)
            Enable_Disable_Option(i, false);
    }
    Enable_Disable_Option(source, true);
}

void Import_Wizard::Enable_Disable_Option(int source, bool enabled)
{
    QList<QWidget*> controls;
    QLineEdit* name = nullptr;
    switch (source) {
    case Spreadsheet:
        controls = { Excel_btn, Excel_path };
        break;
    case TextFile:
        controls = { Text_btn, Text_path };
        name = Text_file_name;
        break;
    case PastedText:
        controls = { ManualEdit };
        name = Manual_file_name;
        break;
    default:
        controls = { Image_btn, Image_path };
        name = Image_file_name;
        break;
    }
    for (QWidget* control : controls)
        control->setEnabled(enabled);
    if (!name)
        return;
    name->setEnabled(enabled);
    if (enabled && Trim_Str(name->text()).isEmpty())
        name->setText(QStringLiteral("Untitled"));
}

bool Import_Wizard::validPath(const QString& path)
{
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed))
        return true;
    dialogs().showMessage(QStringLiteral("Please select valid file path."));
    return false;
}

// Picking a file only fills the form: the import starts with the Import button.
void Import_Wizard::Browse_Excel_Pressed()
{
    const QString path = dialogs().chooseOpenFile(tr("Choose Workbook"), QString(), SheetChooser::workbookFilter());
    if (!path.isEmpty())
        Excel_path->setText(path);
}

void Import_Wizard::Browse_Text_Pressed()
{
    const QString path = dialogs().chooseOpenFile(
        tr("Choose Text File"), QString(), tr("Text files (*.txt *.TXT *.rtf *.RTF *.csv *.CSV)"));
    if (path.isEmpty())
        return;
    Text_path->setText(path);
    proposeSeriesName(Text_file_name, path);
}

void Import_Wizard::Browse_Image_Pressed()
{
    const QString folder = dialogs().chooseFolder(tr("Choose Picture Folder"), QString());
    if (folder.isEmpty())
        return;
    Image_path->setText(folder);
    proposeSeriesName(Image_file_name, folder);
}

void Import_Wizard::proposeSeriesName(QLineEdit* nameField, const QString& path)
{
    static const char* const proposedProperty = "proposedName";
    const QString current = Trim_Str(nameField->text());
    const bool typedByUser = !current.isEmpty() && current != QLatin1String("Untitled")
        && current != nameField->property(proposedProperty).toString();
    const QString proposal = QFileInfo(Trim_Str(path)).completeBaseName();
    if (typedByUser || proposal.isEmpty())
        return;
    nameField->setText(proposal);
    nameField->setProperty(proposedProperty, proposal);
}

void Import_Wizard::OKPressed()
{
    bool imported = false;
    switch (import_option) {
    case Spreadsheet:
        if (!validPath(Excel_path->text()))
            return;
        // A refused workbook has been named by the reader: the person picks another here.
        imported = importSpreadsheet(Trim_Str(Excel_path->text()));
        break;
    case TextFile:
        imported = validPath(Text_path->text()) && Create_And_Save_Text_Data_Sheet(Trim_Str(Text_path->text()));
        break;
    case PastedText:
        imported = Create_And_Save_Manual_Paste_data_Sheet();
        break;
    default:
        imported = validPath(Image_path->text()) && Create_And_Save_Image_data_Sheet(Trim_Str(Image_path->text()));
        break;
    }
    if (imported)
        done(1);
}

bool Import_Wizard::importSpreadsheet(const QString& path)
{
    if (file_name_required == 1) {
        Import_Excel_DataSheet columns(host_, this);
        columns.file_name_Insert = file_name_Insert;
        return columns.Open_excel_Wnd(path) != SheetChooser::workbookRefused;
    }
    Import_Excel cells(this);
    cells.open_mode = QStringLiteral("D");
    return cells.Open_excel_Wnd(path) != SheetChooser::workbookRefused;
}

bool Import_Wizard::deliver(
    const QStringList& values, QLineEdit* name, const QString& originFolder, ImportSummary summary)
{
    if (file_name_required == 1) {
        if (!writeImportedSeries(name->text(), values, SeriesWriteMode::New, host_, originFolder))
            return false;
        summary.addSeries(values.size());
    } else if (BatchWizard_Window) {
        BatchWizard_Window->Create_Value_List(values);
        summary.addValues(values.size());
    }
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    summary.tell();
    return true;
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString& path)
{
    TextFileValues read;
    runBehindPleaseWait(this, [&] { read = readTextFileValues(path); });
    if (!read.read) {
        dialogs().showMessage(read.message);
        return false;
    }
    return deliver(read.values, Text_file_name, QFileInfo(path).absolutePath());
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet()
{
    const QString text = Trim_Str(ManualEdit->toPlainText());
    if (text.isEmpty()) {
        dialogs().showMessage(QStringLiteral("Please enter some data."));
        return false;
    }
    // Typed lines, unlike file rows, hold no place: blank ones are left out. A new series keeps
    // each line as typed; the editor trims its values itself.
    QStringList lines = text.split(QLatin1Char('\n'));
    const qsizetype blank = lines.removeIf([this](const QString& line) {
        return file_name_required == 1 ? line.isEmpty() : Trim_Str(line).isEmpty();
    });
    ImportSummary summary;
    if (blank > 0)
        summary.skip(QStringLiteral("%1 blank line%2").arg(blank).arg(blank == 1 ? "" : "s"),
            QStringLiteral("typed text keeps no empty values"));
    return deliver(lines, Manual_file_name, QString(), summary);
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString& folder)
{
    QStringList paths;
    qsizetype files = 0;
    runBehindPleaseWait(this, [&] {
        paths = imageFilesInFolder(folder);
        files = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot).size();
    });
    ImportSummary summary;
    if (files > paths.size()) {
        const qsizetype others = files - paths.size();
        summary.skip(QStringLiteral("%1 file%2").arg(others).arg(others == 1 ? "" : "s"),
            QStringLiteral("not pictures"));
    }
    return deliver(paths, Image_file_name, QString(), summary);
}
