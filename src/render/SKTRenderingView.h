#pragma once

#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

#include <memory>

class Card_Property;
class QPainter;

// The base under a side's objects: that side's card settings, the card's shape (the row of
// the card-shape matrix) and the card's full rectangle (the front canvas's bounds, which
// both sides share).
struct CardSideBase
{
    std::shared_ptr<const Card_Property> settings; // none: no base is painted
    int cardShape = 0;
    QRectF frame;
};

// Renders a card side outside the canvas: the side's base, then its objects (index 0 on
// top), leaving out objects marked not to print, all cut to the card's shape. Plain code
// with no widget: everything it draws from comes in as parameters, so a worker thread can
// render while the canvas draws the same side. The objects are shared, not copied.
class SKTRenderingView
{
public:
    SKTRenderingView(const QRectF& frame, const QList<SKTGraphicPtr>& graphics, CardSideBase base,
                     const QString& printJobTitle = {});

    // Paints the base on rect and every printable object, bottom-most first. A failure is
    // logged; what was drawn stays.
    void drawRect(QPainter& painter, const QRectF& rect) const;

    QRectF frame() const { return frame_; }
    QString printJobTitle() const { return printJobTitle_; }

    // The picture of a side over its base, of the card's size in points; resolution
    // independent (print, export at any dpi, PDF). A null picture after a failure (logged).
    // print_box is accepted for the print page view; every route renders the same way.
    static Picture image_From_Card_Graphics(const QList<SKTGraphicPtr>& graphics, bool print_box,
                                            const CardSideBase& base);

    // One page of PDF of the side's picture; empty after a failure.
    static QByteArray pdfDataWithGraphics_data(const QList<SKTGraphicPtr>& graphics, const CardSideBase& base);

    // The objects alone, each cut to its drawing bounds, on the rectangle they cover, as
    // TIFF data at 72 dpi. No objects: empty data and error code 3.
    static QByteArray tiffDataWithGraphics(const QList<SKTGraphicPtr>& graphics, int* error);

    // The error code of TIFF data asked for no objects.
    static constexpr int noObjectsError = 3;

private:
    QRectF frame_;
    QList<SKTGraphicPtr> graphics_;
    CardSideBase base_;
    QString printJobTitle_;
};
