#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "common/MessageBoxes.h"
#include "dialogs/Grid_Wizard.h"
#include "model/CardGlobals.h"

#include <QAction>
#include <QLabel>
#include <QStackedWidget>

// ---- Edit commands: the canvas of the current side does the work ---------------------------

void SKTWindowController::Undo_Clicked()
{
    currentCanvas()->undo();
    showCurrentSelection();
}

void SKTWindowController::Redo_Clicked()
{
    currentCanvas()->redo();
    showCurrentSelection();
}

void SKTWindowController::Cut_Clicked()
{
    currentCanvas()->cut();
}

void SKTWindowController::Copy_Clicked()
{
    currentCanvas()->copy();
}

void SKTWindowController::Paste_Clicked()
{
    SKTGraphicView* canvas = currentCanvas();
    const qsizetype objectsBefore = canvas->document().graphicsOfSide(canvas->editedSide()).size();
    canvas->paste();
    showCurrentSelection();
    // Objects copied from a larger card may land where this card is not: the paste stands.
    if (canvas->document().graphicsOfSide(canvas->editedSide()).size() == objectsBefore)
        return;
    QList<QRectF> pasted;
    for (const SKTGraphicPtr& graphic : canvas->selectedGraphics())
        pasted.append(graphic->bounds());
    if (const int off = countWhollyOffCard(canvas->cardSize(), pasted); off > 0)
        showNote(off == 1 ? tr("The pasted object lies wholly off the card.")
                          : tr("%1 pasted objects lie wholly off the card.").arg(off));
}

void SKTWindowController::Delete_Clicked()
{
    currentCanvas()->deleteSelection();
}

void SKTWindowController::Select_All_Clicked()
{
    currentCanvas()->selectAll();
}

void SKTWindowController::Begin_Front_Clicked()
{
    currentCanvas()->bringToFront();
}

void SKTWindowController::Send_Back_Clicked()
{
    currentCanvas()->sendToBack();
}

void SKTWindowController::Lock_Clicked()
{
    lockSelection(true);
}

void SKTWindowController::Unlock_Clicked()
{
    lockSelection(false);
}

void SKTWindowController::lockSelection(bool lock)
{
    if (lock)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();
    SKTGraphicView* canvas = currentCanvas();
    const SKTDocument::Graphics selected = canvas->selectedGraphics();
    if (selected.isEmpty()) {
        Show_MessageBox(lock ? QStringLiteral("Please select a control to Lock.")
                             : QStringLiteral("Please select a control to Unlock."));
        return;
    }
    // Locking names its step after the setting; unlocking after the command, not as locking.
    changeObjectsAsNamedStep(
        [&] {
            for (const SKTGraphicPtr& graphic : selected)
                graphic->ctrl_is_locked = lock;
        },
        lock ? QString() : tr("Unlock"));
    showObjectAfresh(selected.last());
}

// ---- Sides -----------------------------------------------------------------------------------

void SKTWindowController::changeViewController(int index)
{
    if (index < 0 || index > 2)
        return;
    sides_->setCurrentIndex(index);
    static const char* const names[3] = { "Front_Side_btn", "Back_Side_btn", "Temp_Side_btn" };
    if (QAction* side = action(QString::fromLatin1(names[index])))
        side->setChecked(true);
}

void SKTWindowController::Select_front_side()
{
    Front_back_label->setText(QStringLiteral("Front"));
    Card_Front_Or_Back = 0;
    changeViewController(0);
    Show_RHS_Properties(nullptr);
    refreshUndoActions();
}

void SKTWindowController::Select_back_side()
{
    Front_back_label->setText(QStringLiteral("Back"));
    Card_Front_Or_Back = 1;
    changeViewController(1);
    Show_RHS_Properties(nullptr);
    refreshUndoActions();
}

void SKTWindowController::Select_temp_design_side()
{
    Front_back_label->setText(QStringLiteral("TEMP"));
    changeViewController(2);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Temp_Card_Btn_Clicked()
{
    Select_temp_design_side();
    Temp_Design_Control_Assign();
}

void SKTWindowController::Temp_Design_Control_Assign()
{
    // The list is replaced whole, so pressing the button again gives no second set.
    const SKTDocument::Side current = Card_Front_Or_Back == 0 ? SKTDocument::Side::Front : SKTDocument::Side::Back;
    _graphicView_TEMP->setEditedSide(current);
    document_->setGraphicsOfSide(SKTDocument::Side::Temp, document_->graphicsOfSide(current));
    _graphicView_TEMP->Refresh_Canvas();
}

void SKTWindowController::Show_Hide_Ruler_ChkBox(bool shown)
{
    setRulersVisible(shown);
}

void SKTWindowController::setRulersVisible(bool visible)
{
    rulersVisible_ = visible;
    for (SKTZoomingScrollView* scroll : { _zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP })
        scroll->setRulersVisible(visible);
    if (QAction* rulers = action(QStringLiteral("Rulers_chk")); rulers && rulers->isChecked() != visible)
        rulers->setChecked(visible);
}

void SKTWindowController::echoBoundsOnRulers(const QRectF& bounds)
{
    for (SKTZoomingScrollView* scroll : { _zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP })
        scroll->echoBoundsOnRulers(bounds);
}

void SKTWindowController::zoomBy(int steps)
{
    const auto& table = SKTZoomingScrollView::zoomFactors();
    int row = 0;
    while (row + 1 < table.size() && table.at(row).first < _zoomFactor - 1e-6)
        ++row;
    row = std::clamp(row + steps, 0, int(table.size()) - 1);
    setZoomFactor(table.at(row).first);
}

void SKTWindowController::User_Profile_Button_Clicked()
{
    const bool back = Card_Front_Or_Back != 0;
    if (Open_User_Profile_Window(true, back ? QStringLiteral("B") : QStringLiteral("F")) == 1) {
        if (back)
            Fill_User_profile_info_back_side();
        else
            Fill_User_profile_info_front_side();
        showCurrentSelection();
    }
    Refresh_Canvas();
}

void SKTWindowController::Print_object_chk_changed(int value)
{
    changeObjectsAsStep([this, value] { currentCanvas()->print_contol_or_not(value); });
}

// ---- Layout and grid commands -----------------------------------------------------------------

void SKTWindowController::layoutCommand(Layout command)
{
    SKTGraphicView* canvas = currentCanvas();
    if ((command == Layout::SameWidth || command == Layout::SameHeight) && canvas->selectedGraphics().size() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    if (command == Layout::ToGrid && !_grid->isAlwaysShown()) {
        Show_MessageBox(QStringLiteral("Please use grid option first."));
        return;
    }
    switch (command) {
    case Layout::Left:
        canvas->alignLeftEdges();
        break;
    case Layout::Right:
        canvas->alignRightEdges();
        break;
    case Layout::Top:
        canvas->alignTopEdges();
        break;
    case Layout::Bottom:
        canvas->alignBottomEdges();
        break;
    case Layout::HorizontalCentres:
        canvas->alignHorizontalCenters();
        break;
    case Layout::VerticalCentres:
        canvas->alignVerticalCenters();
        break;
    case Layout::Centre:
        canvas->alignformCenter();
        break;
    case Layout::SameWidth:
        canvas->makeSameWidth();
        break;
    case Layout::SameHeight:
        canvas->makeSameHeight();
        break;
    case Layout::NaturalSize:
        canvas->makeNaturalSize();
        break;
    case Layout::ToGrid:
        canvas->alignWithGrid();
        break;
    }
    Refresh_Canvas();
}

void SKTWindowController::toggleGridConstraining()
{
    _grid->setConstraining(!_grid->isConstraining());
    action(QStringLiteral("Grid_Snap"))->setChecked(_grid->isConstraining());
}

void SKTWindowController::toggleGridShowing()
{
    if (!gridWindow_) {
        gridWindow_ = new Grid_Wizard(this);
        connect(gridWindow_, &Grid_Wizard::colorChosen, this, &SKTWindowController::Grid_Clr_Changed);
        connect(gridWindow_, &Grid_Wizard::spacingChosen, this, &SKTWindowController::Grid_Slider_Changed);
        connect(gridWindow_, &Grid_Wizard::shownChosen, this, &SKTWindowController::Grid_Show_Hide_Changed);
    }
    gridWindow_->load(_grid->color(), _grid->spacing(), _grid->isAlwaysShown());
    gridWindow_->Open_Wnd();
}

void SKTWindowController::Grid_Clr_Changed(const QColor& color)
{
    _grid->setColorDirectly(color);
    _grid->setAlwaysShown(true);
    if (gridWindow_)
        gridWindow_->load(_grid->color(), _grid->spacing(), true);
}

void SKTWindowController::Grid_Slider_Changed(double spacing)
{
    _grid->setSpacingDirectly(spacing);
    _grid->setAlwaysShown(true);
    if (gridWindow_)
        gridWindow_->load(_grid->color(), _grid->spacing(), true);
}

void SKTWindowController::Grid_Show_Hide_Changed(bool shown)
{
    _grid->setAlwaysShown(shown);
}
