#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "common/StringHelpers.h"
#include "data/Data_From_Excel.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/DesignFile.h"
#include "mainwindow/DesignOpening.h"
#include "model/CardGlobals.h"
#include "platform/DialogService.h"
#include "platform/FileIdentity.h"
#include "platform/SafeRead.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <utility>

namespace {
const QString corruptFileMessage = QStringLiteral("File is corrupt and cannot be opened.");
const QString unreadableFileMessage = QStringLiteral("The design cannot be opened.");
const QString designFilter = QStringLiteral("Design (*.dcard)");

// The objects as written: one bound to a column whose title now stands at another place is
// written at that place, and one whose title the rows lack at none, so that a reader that knows
// no titles takes the same column or nothing, never another column. The design's own objects
// keep what they hold.
SKTDocument::Graphics withColumnsInPlace(const SKTDocument::Graphics& graphics, const QStringList& titles)
{
    SKTDocument::Graphics written = graphics;
    for (SKTGraphicPtr& graphic : written) {
        if (!graphic || graphic->data_source_type != 2)
            continue;
        const int column = graphic->excelColumnIn(titles);
        if (column == graphic->excel_col_indx)
            continue;
        graphic = graphic->clone();
        graphic->excel_col_indx = column;
    }
    return written;
}
} // namespace

const QString design_file_EXT = QStringLiteral("dcard");

DesignContents SKTWindowController::currentDesign() const
{
    DesignContents contents;
    contents.front = Front_card_Prop;
    contents.back = Back_card_Prop;
    contents.excelBindingUse = Excel_Binding_Use;
    contents.excelSourcePath = Excel_Source_Path;
    if (!Excel_Source_Path.isEmpty()) {
        contents.workbookContent = spreadsheet->source.content;
        contents.workbookIdentity = spreadsheet->source.contentIdentity;
    }
    contents.columnTitles = spreadsheet->columnTitles();
    contents.rows = PlistArray(spreadsheet->ListData.cbegin(), spreadsheet->ListData.cend());
    contents.frontGraphics = withColumnsInPlace(Get_Front_Controls_Array(), contents.columnTitles);
    contents.backGraphics = withColumnsInPlace(Get_Back_Controls_Array(), contents.columnTitles);
    return contents;
}

bool SKTWindowController::Save_project_file(bool saveAs, bool showMessages)
{
    // A design saved after its workbook changed would look newer than the workbook when it
    // opens again, and its old rows would pass unasked.
    if (!confirmBoundWorkbookIsCurrent())
        return false;
    const QString remembered = Project_File_Name;
    if (saveAs)
        Project_File_Name = QString(QLatin1String(""));
    Project_File_Name = Trim_Str(Project_File_Name);
    if (Project_File_Name.isEmpty()) {
        const QString chosen
            = dialogs().chooseSaveFile(QStringLiteral("Save Design"), QString(), designFilter, design_file_EXT);
        if (chosen.isEmpty()) {
            Project_File_Name = remembered;
            return false;
        }
        activateWindow();
        Project_File_Name = chosen;
    }
    const ReplaceAnswer answer = askIfChangedElsewhere(Project_File_Name);
    switch (answer) {
    case ReplaceAnswer::Replace:
    case ReplaceAnswer::ReplaceChanged:
        break;
    case ReplaceAnswer::SaveElsewhere:
        Project_File_Name = remembered;
        return Save_project_file(true, showMessages);
    case ReplaceAnswer::Cancel:
        Project_File_Name = remembered;
        return false;
    }
    int itemsCollected = 0;
    QString error;
    const bool written = DesignFile::write(Project_File_Name, currentDesign(), &error, &itemsCollected,
        DesignFile::maxFileBytes, answer == ReplaceAnswer::ReplaceChanged);
    if (!written) {
        Show_NSLog_Message(QStringLiteral("%1 -- %2").arg(itemsCollected).arg(error));
        // The design stays tied to the file it came from, so Save writes where the title says.
        Project_File_Name = remembered;
        // A failed save is always reported (the writer's reason names the file), also where
        // success is not.
        Show_MessageBox(QStringLiteral("The design could not be saved.\n") + error);
        return false;
    }
    holdDesignFile(Project_File_Name, fileIdentity(Project_File_Name), false);
    setUnsavedEdits(false);
    if (showMessages)
        Show_MessageBox(QStringLiteral("Invitation Card Design Log has been saved successfully."));
    Set_Log_Name_In_Title();
    return true;
}

SKTWindowController::ReplaceAnswer SKTWindowController::askIfChangedElsewhere(const QString& path) const
{
    if (heldDesignPath_.isEmpty() || QFileInfo(path).absoluteFilePath() != heldDesignPath_)
        return ReplaceAnswer::Replace;
    const QString now = fileIdentity(path);
    if (now == heldDesignIdentity_)
        return ReplaceAnswer::Replace;
    const QFileInfo info(path);
    const QString name = info.fileName();
    // Saving through a link put there would write into another file, perhaps another design.
    const QString question = info.isSymLink()
        ? QStringLiteral("Another program has changed \"%1\" since it was opened or saved here: it is now a link "
                         "to \"%2\"%3. Saving replaces the link with this design%4.")
              .arg(name, info.symLinkTarget(), info.exists() ? QString() : QStringLiteral(", where nothing is"),
                  info.exists()
                      ? QStringLiteral(" and leaves \"%1\" as it is").arg(QFileInfo(info.symLinkTarget()).fileName())
                      : QString())
        : now.isEmpty()
        ? QStringLiteral("Another program has moved or deleted \"%1\" since it was opened or saved here. "
                         "Saving writes this design there again.")
              .arg(name)
        : QStringLiteral("Another program has changed \"%1\" since it was opened or saved here. Saving "
                         "replaces its changes with this design.")
              .arg(name);
    switch (dialogs().askSafeChoice(
        question, { QStringLiteral("Save anyway"), QStringLiteral("Save As…"), QStringLiteral("Cancel") }, 2)) {
    case 0:
        return ReplaceAnswer::ReplaceChanged;
    case 1:
        return ReplaceAnswer::SaveElsewhere;
    default:
        return ReplaceAnswer::Cancel;
    }
}

void SKTWindowController::holdDesignFile(const QString& path, const QString& identity, bool sayIfOpenElsewhere)
{
    heldDesignPath_ = QFileInfo(path).absoluteFilePath();
    heldDesignIdentity_ = identity;
    const DesignLock::Finding found = designLock_.lock(heldDesignPath_);
    const QString name = QFileInfo(path).fileName();
    const QString bothSave
        = QStringLiteral("It opens here too; a save here or there asks before it replaces what the other saved.");
    if (!found.unknownBecause.isEmpty()) {
        // Said once for the file: each save tries the list again and would say it again.
        if (std::exchange(toldUnknownFor_, heldDesignPath_) != heldDesignPath_)
            dialogs().showMessageWithReason(
                QStringLiteral("Whether \"%1\" is open in another Galavite as well cannot be known, and another "
                               "Galavite opening it is not told that it is open here. %2")
                    .arg(name, bothSave),
                found.unknownBecause);
    } else if (const auto& holder = found.other; holder && sayIfOpenElsewhere) {
        dialogs().showInformation(holder->mayHaveEnded
                ? QStringLiteral("\"%1\" may be open in another Galavite: it is listed as open by process %2 on %3, "
                                 "another computer, where that program may have ended without closing it; this "
                                 "computer cannot tell. %4")
                      .arg(name, QString::number(holder->pid), holder->host, bothSave)
                : QStringLiteral("\"%1\" is open in another Galavite as well (process %2 on %3). %4")
                      .arg(name, QString::number(holder->pid), holder->host, bothSave));
    }
}

void SKTWindowController::letGoOfDesignFile()
{
    designLock_.release();
    toldUnknownFor_.clear();
    heldDesignPath_.clear();
    heldDesignIdentity_.clear();
}

std::optional<DesignContents> SKTWindowController::readDesignFile(const QString& path, QString* whyNot) const
{
    // The whole file is read and checked before the open design is touched, so a damaged
    // file leaves the design, its file name and the guards as they were. A name that is no
    // readable file is told at once: a thousand of them named on the command line, each read
    // behind the please-wait sheet, held the window for seconds.
    QFile probe;
    QString unreadable;
    DesignFile::ReadResult read = SafeRead::openRegularFile(probe, path, &unreadable)
        ? DesignOpening::read(window(), path)
        : DesignFile::ReadResult { DesignFile::Status::Corrupt, unreadable, {} };
    probe.close();
    if (read.status == DesignFile::Status::Loaded)
        return std::move(read.contents);
    // A caller that takes the reason shows it (with others) and logs once for all of them.
    if (!whyNot)
        Show_NSLog_Message(QStringLiteral("%1: %2").arg(path, read.reason));
    QString text, reason;
    if (read.status == DesignFile::Status::TooLarge)
        text = QStringLiteral("The design cannot be opened: %1.").arg(read.reason);
    else {
        // Only a file that could be read is called corrupt; a missing or unreadable one is
        // explained by the system's reason.
        const QFileInfo info(path);
        text = info.isFile() && info.isReadable() ? corruptFileMessage : unreadableFileMessage;
        reason = read.reason;
    }
    if (whyNot)
        *whyNot = reason.isEmpty() ? text : text + u' ' + asSentence(reason);
    else if (reason.isEmpty())
        Show_MessageBox(text);
    else
        // The list of designs not opened names each already; one alert names its file here.
        Show_MessageBox_With_Reason(
            text, reason.contains(path) ? reason : QStringLiteral("\"%1\": %2").arg(path, asSentence(reason)));
    return std::nullopt;
}

int SKTWindowController::Read_and_load_design_Log(const QString& path, const QString& logOrTemplate)
{
    return openDesign(path, logOrTemplate, {});
}

int SKTWindowController::openDesign(
    const QString& path, const QString& mode, const std::function<bool()>& mayReplace, QString* whyNot)
{
    // Taken before the read, so that a change made while it reads is seen at the next save.
    const QString identity = fileIdentity(path);
    std::optional<DesignContents> read = readDesignFile(path, whyNot);
    if (!read || (mayReplace && !mayReplace()))
        return 0;
    const QString workbookNote = DesignOpening::findMovedWorkbook(*read, path);
    // The design on screen goes first, so that its pictures leave room for the new ones.
    New_Project_Setting_Reset();
    PictureOmissions omitted;
    DesignOpening::decodePictures(window(), *read);
    applyDesign(*read, path, mode);
    if (mode == QLatin1String("L"))
        holdDesignFile(path, identity, true);
    DesignOpening::reportOmissions(omitted.omissions(), workbookNote);
    confirmBoundWorkbookIsCurrent(false);
    return 1;
}

bool SKTWindowController::openNamedDesigns(const QStringList& paths)
{
    // The window holds one design: each one opened after it would replace the one before, and
    // hundreds named (a pattern) must not each read a file or have an alert of their own.
    std::vector<DesignOpening::NotOpened> left;
    qsizetype opened = -1;
    for (qsizetype i = 0; opened < 0 && i < paths.size(); ++i) {
        QString whyNot;
        if (openDesign(QFileInfo(paths[i]).absoluteFilePath(), QStringLiteral("L"), {}, &whyNot) == 1)
            opened = i;
        else
            left.push_back({ paths[i], whyNot });
    }
    if (opened >= 0) {
        for (qsizetype i = opened + 1; i < paths.size(); ++i)
            left.push_back({ paths[i], QStringLiteral("Not opened: the window holds one design at a time.") });
        Start_Card_Option = QStringLiteral("L");
        Undo_Redo_Button_state();
    }
    if (!left.empty())
        Show_NSLog_Message(QStringLiteral("%1 of the %2 designs named on the command line not opened; the alert names "
                                          "each and why.")
                               .arg(left.size())
                               .arg(paths.size()));
    DesignOpening::reportNotOpened(left, opened >= 0 ? paths[opened] : QString());
    return opened >= 0;
}

void SKTWindowController::applyDesign(DesignContents& contents, const QString& path, const QString& mode)
{
    New_Project_Setting_Reset();
    _graphicView->delete_all_control();
    _graphicView_BACK->delete_all_control();
    Project_File_Name = mode == QLatin1String("L") ? path : QString(QLatin1String(""));
    Not_Draw_Only_Prop_Change = true;

    Front_card_Prop = contents.front;
    Back_card_Prop = contents.back;
    Card_Shape = DesignFile::cardShapeFromCode(Front_card_Prop->Card_Shape);
    const QSizeF size = Front_card_Prop->Card_Size;
    Set_Document_Size(size);
    SetDocumentCanvasSize(size);
    Set_Card_Size_In_Control(
        QSizeF(Points_to_MM_Convert(float(size.width())), Points_to_MM_Convert(float(size.height()))));

    Excel_Binding_Use = contents.excelBindingUse;
    Excel_Source_Path = contents.excelSourcePath;
    spreadsheet->rebuildColumnsFromTitles(contents.columnTitles);
    spreadsheet->ListData = DesignFile::takeRows(contents);
    spreadsheet->source = { contents.workbookIdentity, QFileInfo(path).lastModified(), contents.workbookContent, 0,
        true, {}, contents.workbookIdentity };

    // Objects of a design from before column titles were kept take the title of their column in
    // the rows saved with it: they bind as before, and rows from another sheet follow the title.
    const QStringList titles = spreadsheet->columnTitles();
    for (const SKTDocument::Graphics* side : { &contents.frontGraphics, &contents.backGraphics }) {
        for (const SKTGraphicPtr& graphic : *side) {
            if (graphic && graphic->data_source_type == 2 && graphic->excel_col_title.isEmpty()
                && graphic->excel_col_indx >= 0 && graphic->excel_col_indx < titles.size())
                graphic->excel_col_title = titles.at(graphic->excel_col_indx);
        }
    }

    document_->Enable_Disable_Undo_Registraion(false);
    QList<int> frontIndexes, backIndexes;
    for (int i = 0; i < contents.frontGraphics.size(); ++i)
        frontIndexes.append(i);
    for (int i = 0; i < contents.backGraphics.size(); ++i)
        backIndexes.append(i);
    if (!frontIndexes.isEmpty())
        document_->insertGraphicsOnSide(SKTDocument::Side::Front, contents.frontGraphics, frontIndexes);
    if (!backIndexes.isEmpty())
        document_->insertGraphicsOnSide(SKTDocument::Side::Back, contents.backGraphics, backIndexes);

    if (mode == QLatin1String("L"))
        Set_Log_Name_In_Title();
    Not_Draw_Only_Prop_Change = false;
    applyCardSides();
    Show_RHS_Properties(nullptr);
    if (Back_card_Prop->Card_fill_chk && Back_card_Prop->Card_fill_style == QLatin1String("I"))
        set_Back_BG_Image(Back_card_Prop->Card_BG_Image_Path);
    if (Front_card_Prop->Card_fill_chk && Front_card_Prop->Card_fill_style == QLatin1String("I"))
        set_Front_BG_Image(Front_card_Prop->Card_BG_Image_Path);
    selectArrowTool();
    Refresh_Canvas();
    document_->Enable_Disable_Undo_Registraion(true);
    setUnsavedEdits(false);
}

QString SKTWindowController::chooseDesignToOpen() const
{
    return dialogs().chooseOpenFile(QStringLiteral("Open Design"), QString(), designFilter);
}

int SKTWindowController::Open_Log_File()
{
    const QString path = chooseDesignToOpen();
    if (path.isEmpty())
        return 0;
    return Read_and_load_design_Log(path, QStringLiteral("L"));
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    if (!Project_File_Name.isEmpty() && QFileInfo::exists(Project_File_Name))
        setWindowTitle(QStringLiteral("%1 ( %2 )[*]").arg(App_Name, QFileInfo(Project_File_Name).fileName()));
    else
        setWindowTitle(App_Name + QStringLiteral("[*]"));
}

bool SKTWindowController::saveChangesFirst(const QString& question, bool showMessages)
{
    if (!hasUnsavedChanges())
        return true;
    switch (dialogs().askSaveChanges(question)) {
    case DialogService::SaveChoice::Save:
        // A cancelled save dialog or a failed write keeps the design.
        return Save_project_file(false, showMessages);
    case DialogService::SaveChoice::DontSave:
        return true;
    case DialogService::SaveChoice::Cancel:
        break;
    }
    return false;
}

void SKTWindowController::New_Btn_Clicked()
{
    // Cancelling the wizard keeps the design as it is.
    if (saveChangesFirst(QStringLiteral("Do you want to save changes before opening new document?"), true)
        && runInvitationWizard())
        nameNewUntitledDesign();
    Undo_Redo_Button_state();
}

void SKTWindowController::nameNewUntitledDesign()
{
    const QString name = QStringLiteral("Untitled %1").arg(++untitledDesigns_);
    Front_card_Prop->Card_Name = name;
    Back_card_Prop->Card_Name = name;
    inspector_->card_setting_tab->card_name->setText(name);
}

void SKTWindowController::Open_Btn_Clicked()
{
    // The design on screen is replaced only by a file that has loaded; nothing is asked for a
    // file that will not open.
    const QString path = chooseDesignToOpen();
    if (path.isEmpty())
        return;
    openDesign(path, QStringLiteral("L"), [this] {
        return saveChangesFirst(QStringLiteral("Do you want to save changes before opening document?"), true);
    });
    Undo_Redo_Button_state();
}

void SKTWindowController::Save_Btn_Clicked()
{
    Save_project_file(false, true);
}

void SKTWindowController::SaveAs_Btn_Clicked()
{
    Save_project_file(true, true);
}
