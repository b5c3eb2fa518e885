#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "model/CardGlobals.h"

#include <QDoubleSpinBox>
#include <QStatusBar>

CardLayout SKTWindowController::currentCardLayout() const
{
    return { frontCanvasBounds().size(), Card_Shape, CardLayout::Side::of(*Front_card_Prop),
        CardLayout::Side::of(*Back_card_Prop) };
}

void SKTWindowController::applyCardSize()
{
    const QSizeF points(
        MM_to_Points_Convert(float(width_Text->value())), MM_to_Points_Convert(float(height_Text->value())));
    Set_Document_Size(points);
    SetDocumentCanvasSize(points);
    _graphicView->Refresh_ScrollView();
    deselectPresetUnlessSizeMatches();
    applyCardTextContent();
    if (!Not_Draw_Only_Prop_Change)
        writeCardSettings();
    Refresh_Canvas();
}

void SKTWindowController::applyCardSizeAsStep(const CardLayout& before)
{
    const SKTDocument::Side side = currentCanvas()->editedSide();
    UndoManager& undo = document_->undoManager(side);
    const int pastEdgeBefore = countReachingPastCard(before.canvasPoints, boxesOfBothSides());
    undo.beginGroup();
    applyCardSize();
    const CardLayout after = currentCardLayout();
    // A card that kept its size and shape is no step; the design is marked as it always was.
    if (after != before && undo.isRegistrationEnabled()) {
        registerCardLayoutUndo(side, before);
        undo.setActionName(before.changeName(after));
    } else if (!Not_Draw_Only_Prop_Change) {
        setUnsavedEdits(true);
    }
    undo.endGroup();
    refreshUndoActions();
    // The change stands; the person learns what it cut off, without a box to dismiss.
    if (const int pastEdge = countReachingPastCard(after.canvasPoints, boxesOfBothSides()); pastEdge > pastEdgeBefore)
        showNote(pastEdge == 1 ? tr("An object now reaches past the card's edge.")
                               : tr("%1 objects now reach past the card's edge.").arg(pastEdge));
}

QList<QRectF> SKTWindowController::boxesOfBothSides() const
{
    QList<QRectF> boxes;
    for (const SKTDocument::Side side : { SKTDocument::Side::Front, SKTDocument::Side::Back })
        for (const SKTGraphicPtr& graphic : document_->graphicsOfSide(side))
            boxes.append(graphic->bounds());
    return boxes;
}

void SKTWindowController::showNote(const QString& text)
{
    constexpr int shownMs = 15000;
    statusBar()->showMessage(text, shownMs);
}

void SKTWindowController::registerCardLayoutUndo(SKTDocument::Side side, const CardLayout& layout)
{
    document_->undoManager(side).registerUndo([this, side, layout] { restoreCardLayout(side, layout); });
}

void SKTWindowController::restoreCardLayout(SKTDocument::Side side, const CardLayout& layout)
{
    registerCardLayoutUndo(side, currentCardLayout());
    Card_Shape = layout.shape;
    layout.front.writeTo(*Front_card_Prop);
    layout.back.writeTo(*Back_card_Prop);
    Set_Document_Size(layout.canvasPoints);
    SetDocumentCanvasSize(layout.canvasPoints);
    _graphicView->Refresh_ScrollView();
    Set_Card_Size_In_Control(QSizeF(Points_to_MM_Convert(float(layout.canvasPoints.width())),
        Points_to_MM_Convert(float(layout.canvasPoints.height()))));
    // The panel shows the card as it is again: size, preset and shape.
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
}
