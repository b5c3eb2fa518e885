#pragma once

#include "model/LaidOutText.h"
#include "model/SKTGraphic.h"

class CardEdge;

// A text shown in the object's bounds.
class SKTText : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;

    bool canSetDrawingStroke() const override { return false; }
    QRectF drawingBounds() const override;
    // Fill, border and the trimmed text in the object's one font, colour, alignment,
    // kerning and case; nothing at all when the trimmed text is empty. While being created
    // or edited only a thin frame just outside the bounds.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    bool drawsNothing() const override { return displayedText().isEmpty(); }
    // Unless locked: the size the stored text needs at the current width.
    void makeNaturalSize() override;
    QSet<QString> keysForValuesToObserveForUndo() const override;

    // The size the stored text (untrimmed, with its own fonts) needs at the current width.
    QSizeF naturalSize() const;
    // Keeps origin and width; the height becomes the natural height.
    void setHeightToMatchContents();
    // Widens the box to show its text on one line, then wraps beyond maxWidth, and takes the
    // height of the lines; never smaller than minimum. Like fitting the height, no undo step.
    void growToFitText(const QSizeF& minimum, double maxWidth);
    // Whether the text as drawn shows whole on the card: no line left out below the box, no
    // glyph cut at the box's edges nor by the card's outline. Lays the text out once;
    // callable on any thread.
    bool textFitsBounds(const CardEdge& card) const;
    // The size a value needs drawn as this object draws its text (font, kerning, case), with
    // a line only at each line break: the lines' width and the depth of their ink.
    QSizeF drawnSizeOf(const QString& value) const;
    // The object's font, or the one a text naming none is drawn in.
    QFont drawingFont() const;

    bool _boundsBeingChangedToMatchContents = false;

protected:
    SKTText() = default;
    SKTText(const SKTText&) = default;

private:
    QString displayedText() const;
    // The trimmed text in the drawing's font, kerning, case and alignment, at the bounds' width.
    LaidOutText drawnLayout(const QString& text, double width) const;
};
