// Changes made on the panel as undo steps: the card's settings, and typing in the text box.
#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"
#include "mainwindow/TextWords.h"

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
        undo.beginGroup();
        registerCardSettingsUndo(side, was);
        undo.endGroup();
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
    UndoManager& undo = document_->undoManager(side);
    undo.beginGroup();
    registerTextWordsUndo(side, selected);
    undo.endGroup();
    refreshUndoActions();
}

void SKTWindowController::registerTextWordsUndo(SKTDocument::Side side, const SKTDocument::Graphics& texts)
{
    document_->undoManager(side).registerUndo([this, side, texts, words = TextWords::of(texts)] {
        registerTextWordsUndo(side, texts);
        words.restore();
        Refresh_Canvas();
    });
}

void SKTWindowController::showCurrentSelection()
{
    SKTGraphicView* canvas = currentCanvas();
    const SKTDocument::Graphics selected = canvas->selectedGraphics();
    SKTGraphicPtr current = canvas->selectedGraphic();
    if (!selected.contains(current))
        current = selected.isEmpty() ? nullptr : selected.last();
    canvas->setSelectedGraphic(current);
    const bool shownAlready = current ? current == inspector_->lastSelectedGraphic() : inspector_->showsCard();
    if (!shownAlready) {
        Show_RHS_Properties(current);
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
