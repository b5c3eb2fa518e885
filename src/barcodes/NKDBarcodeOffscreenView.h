#pragma once

#include "barcodes/BarcodeSettings.h"
#include "platform/Picture.h"

#include <QImage>
#include <QRectF>

#include <atomic>

class NKDBarcode;
class QPainter;

// Paints one barcode picture, in one of two modes fixed when it is made:
// - linear: a barcode object's background, bars, caption, header and footer;
// - two-dimensional: a finished symbol picture on white, framed by the settings' header and
//   footer.
// Colours, fonts, margins and alignments come from a copy of the settings taken when the
// view is made. Geometry follows the barcode model (points, y upwards); painting converts to
// the painter's y-down coordinates.
class NKDBarcodeOffscreenView
{
public:
    // The barcode is not owned and must outlive the view.
    NKDBarcodeOffscreenView(const NKDBarcode& barcode, const BarcodeSettings& settings);
    // The symbol is drawn unscaled at its size in points.
    NKDBarcodeOffscreenView(const Picture& image2d, const BarcodeSettings& settings);
    NKDBarcodeOffscreenView(const QImage& image2d, const QSizeF& sizeInPoints, const BarcodeSettings& settings);

    // (0, 0, width, height) in points: for a linear barcode the widest of the shown header, the
    // shown footer and the barcode, by the barcode's height; for a symbol the settings' size.
    QRectF bounds() const { return bounds_; }
    bool isTwoDimensional() const { return barcode_ == nullptr; }
    const NKDBarcode* barcode() const { return barcode_; }

    // Paints the whole picture on a painter whose coordinates are points, y down, origin at
    // the top left of the bounds.
    void drawRect(QPainter& painter) const;

    // The picture of a rectangle of the bounds. While a print operation runs on the calling
    // thread it is made on a worker thread that the caller waits for.
    Picture dataWithPDFInsideRect(const QRectF& rect);

    // Set by the worker when its picture is final.
    bool doneRendering() const { return doneRendering_.load(std::memory_order_acquire); }

private:
    void paintLinear(QPainter& painter) const;
    void paintBars(QPainter& painter, double& lastBarHeight) const;
    void paintCaption(QPainter& painter, double captionBase) const;
    void paintTwoDimensional(QPainter& painter) const;
    void paintHeader(QPainter& painter, const QString& text, double bottom) const;
    void paintFooter(QPainter& painter, const QString& text) const;
    Picture recordRect(const QRectF& rect) const;

    // A rectangle given bottom-up, as the painter's y-down rectangle.
    QRectF flipped(double x, double y, double width, double height) const;

    const NKDBarcode* barcode_ = nullptr;
    BarcodeSettings settings_;
    Picture symbol_;
    QImage symbolImage_;
    QSizeF symbolSize_;
    QRectF bounds_;
    std::atomic<bool> doneRendering_ { false };
};
