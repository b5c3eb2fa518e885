#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "inspector/AlignmentPage.h"
#include "inspector/LockPage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/ActionIcons.h"
#include "mainwindow/MainMailHost.h"
#include "mainwindow/MainPrintHost.h"
#include "model/CardGlobals.h"
#include "model/SKTGraphicPasteboard.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStackedWidget>

namespace {

struct Command
{
    const char* name;
    QString text;
    const char* theme; // freedesktop icon name, "" for none
    const char* drawing; // our own picture where the theme has none
    QKeySequence shortcut;
    QString toolTip;
};

} // namespace

QAction* SKTWindowController::action(const QString& name) const
{
    return actions_.value(name);
}

void SKTWindowController::createActions()
{
    const auto make = [this](const Command& command, std::function<void()> run) {
        auto* made
            = new QAction(ActionIcons::icon(QString::fromLatin1(command.theme), QString::fromLatin1(command.drawing)),
                command.text, this);
        made->setObjectName(QString::fromLatin1(command.name));
        if (!command.shortcut.isEmpty())
            made->setShortcut(command.shortcut);
        QString tip = command.toolTip.isEmpty()
            ? QString(command.text).remove(QLatin1Char('&')).remove(QStringLiteral("…"))
            : command.toolTip;
        if (!command.shortcut.isEmpty())
            tip += QStringLiteral(" (%1)").arg(command.shortcut.toString(QKeySequence::NativeText));
        made->setToolTip(tip);
        made->setStatusTip(tip);
        connect(made, &QAction::triggered, this, std::move(run));
        actions_.insert(made->objectName(), made);
        return made;
    };

    // File.
    make({ "New_Btn", tr("&New"), "document-new", "card", QKeySequence::New, tr("Start a new card") },
        [this] { New_Btn_Clicked(); });
    make({ "Open_Btn", tr("&Open…"), "document-open", "card", QKeySequence::Open, tr("Open a saved design") },
        [this] { Open_Btn_Clicked(); });
    make({ "Save_Btn", tr("&Save"), "document-save", "card", QKeySequence::Save, tr("Save the design") },
        [this] { Save_Btn_Clicked(); });
    make({ "SaveAs_Btn", tr("Save &As…"), "document-save-as", "card", QKeySequence::SaveAs,
             tr("Save the design under a new name") },
        [this] { SaveAs_Btn_Clicked(); });
    make({ "Template_Btn", tr("Save as &Template…"), "", "template", {},
             tr("Save the design as a template of your own") },
        [this] { Export_As_Template_Clicked(); });
    make({ "New_Template_Btn", tr("New f&rom Template…"), "document-new-from-template", "template", {},
             tr("Start a new design from a template") },
        [this] { New_From_Template_Clicked(); });
    make({ "Export_Btn", tr("&Export…"), "", "export", QKeySequence(tr("Ctrl+E")), tr("Export the card as pictures") },
        [this] { Export_Button(); });
    make({ "Print_Btn", tr("&Print…"), "document-print", "card", QKeySequence::Print, tr("Print cards") },
        [this] { MainPrintHost::Print_Button(*this); });
    make({ "Mail_Btn", tr("&Mail…"), "mail-send", "card", {}, tr("Send cards by e-mail") }, [this] {
        if (!mailHost_)
            mailHost_ = new MainMailHost(*this);
        mailHost_->Mail_Button();
    });
    make({ "Exit_Btn", tr("&Quit"), "application-exit", "card", QKeySequence::Quit, tr("Quit Galavite") },
        [this] { close(); });

    // Edit.
    make({ "Undo_btn", tr("&Undo"), "edit-undo", "arrow", QKeySequence::Undo, {} }, [this] { Undo_Clicked(); });
    make({ "Redo_btn", tr("&Redo"), "edit-redo", "arrow", QKeySequence::Redo, {} }, [this] { Redo_Clicked(); });
    make({ "Cut_btn", tr("Cu&t"), "edit-cut", "", QKeySequence::Cut, {} }, [this] { Cut_Clicked(); });
    make({ "Copy_btn", tr("&Copy"), "edit-copy", "", QKeySequence::Copy, {} }, [this] { Copy_Clicked(); });
    make({ "Paste_btn", tr("&Paste"), "edit-paste", "", QKeySequence::Paste, {} }, [this] { Paste_Clicked(); });
    make({ "Delete_btn", tr("&Delete"), "edit-delete", "", QKeySequence::Delete, {} }, [this] { Delete_Clicked(); });
    make({ "SelectAll_btn", tr("Select &All"), "edit-select-all", "", QKeySequence::SelectAll, {} },
        [this] { Select_All_Clicked(); });
    make(
        { "Lock_btn", tr("&Lock"), "changes-prevent", "", QKeySequence(tr("Ctrl+L")), tr("Lock the selected objects") },
        [this] { Lock_Clicked(); });
    make({ "Unlock_btn", tr("U&nlock"), "changes-allow", "", QKeySequence(tr("Ctrl+Shift+L")),
             tr("Unlock the selected objects") },
        [this] { Unlock_Clicked(); });

    // Arrange.
    make({ "Begin_Front_btn", tr("Bring to &Front"), "go-top", "", QKeySequence(tr("Ctrl+Shift+F")), {} },
        [this] { Begin_Front_Clicked(); });
    make({ "Send_Back_btn", tr("Send to &Back"), "go-bottom", "", QKeySequence(tr("Ctrl+Shift+B")), {} },
        [this] { Send_Back_Clicked(); });
    const struct
    {
        Command command;
        Layout layout;
    } layouts[] = {
        { { "Align_Left", tr("Align &Left Edges"), "", "align-left", {}, {} }, Layout::Left },
        { { "Align_Right", tr("Align &Right Edges"), "", "align-right", {}, {} }, Layout::Right },
        { { "Align_Top", tr("Align &Top Edges"), "", "align-top", {}, {} }, Layout::Top },
        { { "Align_Bottom", tr("Align B&ottom Edges"), "", "align-bottom", {}, {} }, Layout::Bottom },
        { { "Align_Horz", tr("Align &Horizontal Centres"), "", "align-hcentre", {}, {} }, Layout::HorizontalCentres },
        { { "Align_Vert", tr("Align &Vertical Centres"), "", "align-vcentre", {}, {} }, Layout::VerticalCentres },
        { { "Align_Center", tr("&Centre on Card"), "", "centre", {}, {} }, Layout::Centre },
        { { "Make_Same_Width", tr("Same &Width"), "", "same-width", {}, {} }, Layout::SameWidth },
        { { "Make_Same_Height", tr("Same H&eight"), "", "same-height", {}, {} }, Layout::SameHeight },
        { { "Make_Natural", tr("&Natural Size"), "", "natural", {}, {} }, Layout::NaturalSize },
        { { "Align_To_Grid", tr("Align to &Grid"), "", "to-grid", {}, {} }, Layout::ToGrid },
    };
    QList<QAction*> layoutActions;
    for (const auto& entry : layouts)
        layoutActions.append(make(entry.command, [this, layout = entry.layout] { layoutCommand(layout); }));
    make({ "Grid_Btn", tr("Gr&id…"), "", "grid", {}, tr("Grid spacing, colour and showing") },
        [this] { toggleGridShowing(); });
    QAction* snap
        = make({ "Grid_Snap", tr("&Snap to Grid"), "", "snap", {}, {} }, [this] { toggleGridConstraining(); });
    snap->setCheckable(true);

    // View.
    auto* sideGroup = new QActionGroup(this);
    const Command sides[] = {
        { "Front_Side_btn", tr("&Front Side"), "", "front", QKeySequence(tr("Ctrl+1")),
            tr("Show the front of the card") },
        { "Back_Side_btn", tr("&Back Side"), "", "back", QKeySequence(tr("Ctrl+2")), tr("Show the back of the card") },
        { "Temp_Side_btn", tr("&Scratch Side"), "", "scratch", QKeySequence(tr("Ctrl+3")),
            tr("Preview the current side's objects on the scratch side") },
    };
    const std::function<void()> sideRuns[]
        = { [this] { Select_front_side(); }, [this] { Select_back_side(); }, [this] { Temp_Card_Btn_Clicked(); } };
    for (int i = 0; i < 3; ++i)
        sideGroup->addAction(make(sides[i], sideRuns[i]))->setCheckable(true);
    QAction* rulers
        = make({ "Rulers_chk", tr("&Rulers"), "", "rulers", QKeySequence(tr("Ctrl+R")), tr("Show the rulers") }, [] {});
    rulers->setCheckable(true);
    connect(rulers, &QAction::toggled, this, &SKTWindowController::Show_Hide_Ruler_ChkBox);
    make({ "Zoom_In", tr("Zoom &In"), "zoom-in", "", QKeySequence::ZoomIn, {} }, [this] { zoomBy(1); });
    make({ "Zoom_Out", tr("Zoom &Out"), "zoom-out", "", QKeySequence::ZoomOut, {} }, [this] { zoomBy(-1); });
    make({ "Zoom_Actual", tr("&Actual Size"), "zoom-original", "", QKeySequence(tr("Ctrl+0")), {} },
        [this] { setZoomFactor(1.0); });

    // Card.
    make({ "Card_Prop_Btn", tr("Card &Properties"), "document-properties", "card", {}, tr("Show the card's settings") },
        [this] { Card_Prop_Clicked(); });
    make({ "Card_Bckgrnd_Btn", tr("Card &Background…"), "preferences-desktop-wallpaper", "picture", {},
             tr("Choose a background picture from the image library") },
        [this] { Card_Bckgrnd_Clicked(); });
    make({ "Profile_Btn", tr("P&rofile…"), "contact-new", "", {}, tr("Place a profile on the current side") },
        [this] { User_Profile_Button_Clicked(); });
    make({ "Batch_Series_Btn", tr("&Series…"), "", "series", {}, tr("Manage batch series") },
        [this] { Batch_Series_Button(); });
    make({ "Create_Series_Btn", tr("&New Series…"), "", "series", {}, tr("Create a series of values") },
        [this] { Create_Series_Button(); });
    make({ "Import_Btn", tr("&Import…"), "", "import", {}, tr("Import series from a spreadsheet, text or pictures") },
        [this] { Open_Import_Wizard(1, 0); });

    // Help.
    make({ "Help_Btn", tr("&Help"), "help-contents", "", QKeySequence::HelpContents, {} }, [this] { Help_Button(); });
    make({ "Share_Btn", tr("&Share Galavite…"), "emblem-shared", "", {}, tr("Open the page for comments on Galavite") },
        [this] { openLink(Link::ShareIt); });
    make({ "About_Btn", tr("&About Galavite"), "help-about", "", {}, {} }, [this] { About_Button(); });
    make({ "Promotion_S_Btn", tr("Galavite S&tickers…"), "", "", {}, tr("Sheets of stickers and labels") },
        [this] { Open_Promotion(QStringLiteral("S")); });
    make({ "Promotion_R_Btn", tr("Galavite &Receipts…"), "", "", {}, tr("Receipt books and vouchers") },
        [this] { Open_Promotion(QStringLiteral("R")); });
    make({ "Promotion_B_Btn", tr("Galavite &Barcodes…"), "", "", {}, tr("Barcode labels") },
        [this] { Open_Promotion(QStringLiteral("B")); });

    // Drawing tools: one exclusive group; each places its object at once.
    auto* toolGroup = new QActionGroup(this);
    const Command tools[ToolCount] = {
        { "Tool_0", tr("Arrow"), "", "arrow", {}, tr("Select and move objects") },
        { "Tool_1", tr("Line"), "", "line", {}, tr("Add a line") },
        { "Tool_2", tr("Text"), "", "text", {}, tr("Add a text") },
        { "Tool_3", tr("Rectangle"), "", "rectangle", {}, tr("Add a rectangle") },
        { "Tool_4", tr("Ellipse"), "", "ellipse", {}, tr("Add an ellipse") },
        { "Tool_5", tr("Rounded Rectangle"), "", "rounded", {}, tr("Add a rounded rectangle") },
        { "Tool_6", tr("Triangle"), "", "triangle", {}, tr("Add a triangle") },
        { "Tool_7", tr("Diamond"), "", "diamond", {}, tr("Add a diamond") },
        { "Tool_8", tr("Image"), "", "picture", {}, tr("Add a picture from a file") },
        { "Tool_9", tr("Image Library"), "", "library", {}, tr("Add a picture from the image library") },
        { "Tool_10", tr("Barcode"), "", "barcode", {}, tr("Add a barcode") },
        { "Tool_11", tr("Signature"), "", "signature", {}, tr("Add a signature") },
        { "Tool_12", tr("Fingerprint"), "", "fingerprint", {}, tr("Add a fingerprint") },
        { "Tool_13", tr("Star"), "", "star", {}, tr("Add a star") },
        { "Tool_14", tr("Double Star"), "", "doublestar", {}, tr("Add a double star") },
        { "Tool_15", tr("Polygon"), "", "polygon", {}, tr("Add a polygon") },
    };
    for (int tool = 0; tool < ToolCount; ++tool) {
        QAction* made = make(tools[tool], [this, tool] { selectTool(tool); });
        made->setCheckable(true);
        toolGroup->addAction(made);
    }
    action(QStringLiteral("Tool_0"))->setChecked(true);

    inspector_->aligmnt_tab->setCommands(layoutActions);
    inspector_->Lock_tab->setUnlockAction(action(QStringLiteral("Unlock_btn")));
    connect(inspector_->aligmnt_tab, &AlignmentPage::printObjectToggled, this,
        &SKTWindowController::Print_object_chk_changed);
    // What another program copies changes Paste at once; a locked object keeps it off.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        const SKTGraphicPtr shown = inspector_->lastSelectedGraphic();
        if (!shown || !shown->ctrl_is_locked)
            Set_Paste_Button_Status();
    });
    connect(_grid, &SKTGrid::alignWithGridAvailable, this, &SKTWindowController::updateLayoutActions);
    // Nothing is selected at first: the card's states.
    Disable_Standard_Button_For_Card();
    refreshUndoActions();
}

// ---- Button states -------------------------------------------------------------------------

void SKTWindowController::setEditActionsEnabled(
    bool cut, bool copy, bool del, bool front, bool back, bool lock, bool unlock)
{
    action(QStringLiteral("Cut_btn"))->setEnabled(cut);
    action(QStringLiteral("Copy_btn"))->setEnabled(copy);
    action(QStringLiteral("Delete_btn"))->setEnabled(del);
    action(QStringLiteral("Begin_Front_btn"))->setEnabled(front);
    action(QStringLiteral("Send_Back_btn"))->setEnabled(back);
    action(QStringLiteral("Lock_btn"))->setEnabled(lock);
    action(QStringLiteral("Unlock_btn"))->setEnabled(unlock);
    // The layout commands work on unlocked objects: with the card or a locked object shown
    // there is nothing for them.
    for (const char* name :
        { "Align_Left", "Align_Right", "Align_Top", "Align_Bottom", "Align_Horz", "Align_Vert", "Align_Center" })
        action(QString::fromLatin1(name))->setEnabled(lock);
    updateLayoutActions();
}

void SKTWindowController::updateLayoutActions()
{
    QAction* natural = action(QStringLiteral("Make_Natural"));
    if (!natural)
        return; // the canvases report selections before the commands exist
    // Lock is on exactly while an unlocked object is shown.
    const bool unlockedShown = action(QStringLiteral("Lock_btn"))->isEnabled();
    const SKTGraphicView* canvas = currentCanvas();
    using Command = SKTGraphicView::Command;
    const bool sameSize = unlockedShown && canvas->isCommandEnabled(Command::SameSize);
    action(QStringLiteral("Make_Same_Width"))->setEnabled(sameSize);
    action(QStringLiteral("Make_Same_Height"))->setEnabled(sameSize);
    natural->setEnabled(unlockedShown && canvas->isCommandEnabled(Command::MakeNaturalSize));
    action(QStringLiteral("Align_To_Grid"))
        ->setEnabled(unlockedShown && _grid->isAlwaysShown() && canvas->isCommandEnabled(Command::AlignWithGrid));
}

void SKTWindowController::Enable_Standard_Button_For_Control()
{
    refreshUndoActions();
    setEditActionsEnabled(true, true, true, true, true, true, false);
    Set_Paste_Button_Status();
}

void SKTWindowController::Enable_Standard_Button_For_Unlock()
{
    Enable_Standard_Button_For_Control();
}

void SKTWindowController::Disable_Standard_Button_For_Lock()
{
    setEditActionsEnabled(false, false, false, false, false, false, true);
    action(QStringLiteral("Paste_btn"))->setEnabled(false);
}

void SKTWindowController::Disable_Standard_Button_For_Card()
{
    setEditActionsEnabled(false, false, false, false, false, false, false);
    Set_Paste_Button_Status();
}

void SKTWindowController::Set_Paste_Button_Status()
{
    // Only our own objects paste from here: file names alone leave Paste off.
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    action(QStringLiteral("Paste_btn"))->setEnabled(held && held->hasFormat(SKTGraphicViewPasteboardType));
}

void SKTWindowController::Undo_Redo_Button_state()
{
    refreshUndoActions();
    // A move or resize may give an object its natural size already.
    updateLayoutActions();
}

void SKTWindowController::refreshUndoActions()
{
    // Undo and Redo work on the history of the side being shown.
    UndoManager& undo = document_->undoManager(currentCanvas()->editedSide());
    const auto show = [this](const char* name, bool enabled, const QString& command, const QString& step) {
        QAction* shown = action(QString::fromLatin1(name));
        shown->setEnabled(enabled);
        // The menu names the step; the tool button keeps its short word.
        shown->setText(step.isEmpty() ? command : tr("%1 %2").arg(command, step));
        shown->setIconText(QString(command).remove(QLatin1Char('&')));
    };
    show("Undo_btn", undo.canUndo(), tr("&Undo"), undo.undoActionName());
    show("Redo_btn", undo.canRedo(), tr("&Redo"), undo.redoActionName());
    updateModifiedMark();
}
