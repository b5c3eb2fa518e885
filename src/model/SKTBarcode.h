#pragma once

#include "model/SKTGraphic.h"

#include <mutex>

class CardEdge;

// A barcode, shown as the picture in _barcode_image.
class SKTBarcode : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;
    void takeValuesOf(const SKTGraphic& saved) override;

    // Made centred on a point at the size of its picture (or of the sample).
    void initWithPosition(const QPointF& centre);
    // Chooses the picture to show: the barcode picture, or the sample while there is none.
    Picture barcode_image_var_assign();

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }
    // The picture at its own size from the bounds' origin, whatever the bounds' size.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The bounds' and the barcode picture's, which a value wider than the box reaches past it.
    QRectF drawingBounds() const override;
    // Whether the barcode picture shows whole: within the box (past it, it covers what lies
    // beside) and on the card. Callable on any thread.
    bool barcodeFitsBounds(const CardEdge& card) const;
    // The picture at its own size from the bounds' origin.
    QRectF paintedBounds() const override;

protected:
    SKTBarcode() = default;
    SKTBarcode(const SKTBarcode& other);

private:
    mutable std::mutex contentsMutex_;
    Picture _contents;
};
