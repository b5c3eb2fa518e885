// Changes made on the panel as undo steps: the card's settings, the objects' settings, and
// typing in the text box.
#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <utility>

CardSettingsState SKTWindowController::cardSettingsState(SKTDocument::Side side) const
{
    return CardSettingsState::of(*Front_card_Prop, *Back_card_Prop, document_->graphicsOfSide(side));
}

void SKTWindowController::changeCardAsStep(const std::function<void()>& change)
{
    const SKTDocument::Side before = currentCanvas()->editedSide();
    const CardSettingsState was = cardSettingsState(before);
    change();
    if (cardSettingsState(before) == was)
        return;
    // A card made one-sided from the back shows the front: the step goes where Undo then works.
    const SKTDocument::Side side = currentCanvas()->editedSide();
    UndoManager& undo = document_->undoManager(side);
    if (side != SKTDocument::Side::Temp && undo.isRegistrationEnabled()) {
        // A step of its own, whatever else happens in this turn of the event loop.
        undo.runAsStep(QStringLiteral("Card Settings"), [&] { registerCardSettingsUndo(side, was); });
    } else {
        setUnsavedEdits(true);
    }
    refreshUndoActions();
    Refresh_Canvas();
}

void SKTWindowController::registerCardSettingsUndo(SKTDocument::Side side, const CardSettingsState& state)
{
    document_->undoManager(side).registerUndo([this, side, state] {
        registerCardSettingsUndo(side, cardSettingsState(side));
        state.restore(*Front_card_Prop, *Back_card_Prop);
        applyCardSides();
        if (inspector_->showsCard())
            reloadPanel();
        Refresh_Canvas();
    });
}

void SKTWindowController::textEditingRunStarted()
{
    // The box writes its words into a single selected text only.
    const SKTDocument::Graphics selected = currentCanvas()->selectedGraphics();
    const SKTDocument::Side side = currentCanvas()->editedSide();
    if (selected.size() != 1 || side == SKTDocument::Side::Temp || Not_Draw_Only_Prop_Change)
        return;
    document_->undoManager(side).runAsStep(
        ObjectSettingsState::typingName(), [&] { registerObjectSettingsUndo(side, ObjectSettingsState::of(selected)); });
    refreshUndoActions();
}

void SKTWindowController::changeObjectsAsStep(const std::function<void()>& change)
{
    changeObjectsAsNamedStep(change, QString());
}

void SKTWindowController::changeObjectsAsNamedStep(const std::function<void()>& change, const QString& stepName)
{
    if (changingObjects_) {
        change();
        return;
    }
    SKTGraphicView* canvas = currentCanvas();
    SKTDocument::Graphics objects = canvas->selectedGraphics();
    if (const SKTGraphicPtr current = canvas->selectedGraphic(); current && !objects.contains(current))
        objects.append(current);
    const SKTDocument::Side side = canvas->editedSide();
    const ObjectSettingsState was = ObjectSettingsState::of(objects);
    UndoManager& undo = document_->undoManager(side);
    const bool undoable = side != SKTDocument::Side::Temp && undo.isRegistrationEnabled();
    std::optional<QString> name;
    {
        // A step of its own, with what the objects register themselves (a barcode's new size).
        if (undoable)
            undo.beginGroup();
        changingObjects_ = true;
        const auto done = qScopeGuard([&] {
            changingObjects_ = false;
            if (undoable)
                undo.endGroup();
        });
        change();
        name = was.changeName();
        if (name && !stepName.isEmpty())
            name = stepName;
        // Typing registered its step when the run began.
        if (undoable && name && *name != ObjectSettingsState::typingName()) {
            registerObjectSettingsUndo(side, was);
            undo.setActionName(*name);
        }
    }
    if (!name)
        return;
    if (!undoable)
        setUnsavedEdits(true);
    refreshUndoActions();
}

void SKTWindowController::registerObjectSettingsUndo(SKTDocument::Side side, const ObjectSettingsState& state)
{
    document_->undoManager(side).registerUndo([this, side, state] {
        const SKTDocument::Graphics objects = state.graphics();
        registerObjectSettingsUndo(side, ObjectSettingsState::of(objects));
        state.restore();
        Refresh_Canvas();
    });
}

void SKTWindowController::beginChangeRun()
{
    const SKTDocument::Side side = currentCanvas()->editedSide();
    if (changeRunSide_ || side == SKTDocument::Side::Temp)
        return;
    changeRunSide_ = side;
    document_->undoManager(side).beginGroup();
}

void SKTWindowController::endChangeRun()
{
    if (!changeRunSide_)
        return;
    document_->undoManager(*std::exchange(changeRunSide_, std::nullopt)).endGroup();
    refreshUndoActions();
}

void SKTWindowController::showCurrentSelection()
{
    SKTGraphicView* canvas = currentCanvas();
    const SKTDocument::Graphics selected = canvas->selectedGraphics();
    SKTGraphicPtr current = canvas->selectedGraphic();
    if (!selected.contains(current))
        current = selected.isEmpty() ? nullptr : selected.last();
    canvas->setSelectedGraphic(current);
    if (current && current == inspector_->lastSelectedGraphic() && current->ctrl_is_locked != inspector_->showsLock()) {
        // Locking undone or redone: the object's pages, or the lock page, in place of the others.
        showObjectAfresh(current);
        return;
    }
    const bool shownAlready = current ? current == inspector_->lastSelectedGraphic() : inspector_->showsCard();
    if (!shownAlready) {
        showInPanel(current);
        return;
    }
    reloadPanel();
}

void SKTWindowController::reloadPanel()
{
    inspector_->reloadShownPages();
    // As when the card is shown: a size that is no preset selects none in the list.
    if (inspector_->showsCard())
        deselectPresetUnlessSizeMatches();
    else
        showSelectionPrinting();
}

void SKTWindowController::showObjectAfresh(const SKTGraphicPtr& graphic)
{
    // Showing the card forgets the inspected object, so showing it again rebuilds its tabs.
    const QScopedValueRollback filling(fillingPanel_, true);
    SKTGraphicView* canvas = currentCanvas();
    const QList<int> kept = canvas->selectionIndexes();
    Show_RHS_Properties(nullptr);
    canvas->changeSelectionIndexes(kept);
    canvas->setSelectedGraphic(graphic);
    Refresh_Canvas();
    Show_RHS_Properties(graphic);
}
