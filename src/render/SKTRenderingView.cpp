#include "render/SKTRenderingView.h"

#include "common/Logging.h"
#include "model/Card_Property.h"
#include "render/CardBasePainter.h"
#include "render/CardClip.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <cmath>
#include <exception>

namespace {

void logFailure(const char* what, const QString& reason)
{
    Show_NSLog_Message(QStringLiteral("%1: %2").arg(QString::fromLatin1(what), reason));
}

QRectF drawingBoundsOf(const QList<SKTGraphicPtr>& graphics)
{
    QRectF united;
    for (const SKTGraphicPtr& graphic : graphics) {
        if (graphic)
            united = united.isNull() ? graphic->drawingBounds() : united.united(graphic->drawingBounds());
    }
    return united;
}

} // namespace

SKTRenderingView::SKTRenderingView(const QRectF& frame, const QList<SKTGraphicPtr>& graphics, CardSideBase base,
                                   const QString& printJobTitle)
    : frame_(frame)
    , graphics_(graphics)
    , base_(std::move(base))
    , printJobTitle_(printJobTitle)
{
}

void SKTRenderingView::drawRect(QPainter& painter, const QRectF& rect) const
{
    try {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (base_.settings)
            CardBasePainter::Card_Base_Drawing(painter, rect, *base_.settings, base_.cardShape, base_.frame);
        // An object reaching past the card's edge is cut to the card's shape, so what lies
        // off the card never reaches paper or a file. Only those objects are clipped: a
        // clipped drawing is slower to play back and larger in a PDF.
        const QPainterPath card = CardBasePainter::cardOutline(frame_, base_.cardShape);
        // Index 0 is the front-most object: it is painted last.
        for (qsizetype index = graphics_.size() - 1; index >= 0; --index) {
            const SKTGraphicPtr& graphic = graphics_.at(index);
            if (!graphic || graphic->print_object != 0)
                continue;
            if (!CardClip::reachesPast(card, *graphic)) {
                graphic->drawContentsInView(painter, false);
                continue;
            }
            painter.save();
            CardClip::cutTo(painter, frame_, base_.cardShape);
            graphic->drawContentsInView(painter, false);
            painter.restore();
        }
    } catch (const std::exception& error) {
        // No message box here: this runs inside a paint, possibly on a worker thread.
        logFailure("Drawing a card side failed", QString::fromUtf8(error.what()));
    }
}

Picture SKTRenderingView::image_From_Card_Graphics(const QList<SKTGraphicPtr>& graphics, bool /*print_box*/,
                                                   const CardSideBase& base)
{
    try {
        const SKTRenderingView view(base.frame, graphics, base);
        return Picture::record(view.frame().size(), [&](QPainter& painter) {
            painter.translate(-view.frame().topLeft());
            view.drawRect(painter, view.frame());
        });
    } catch (const std::exception& error) {
        logFailure("Rendering a card side failed", QString::fromUtf8(error.what()));
    }
    return {};
}

QByteArray SKTRenderingView::pdfDataWithGraphics_data(const QList<SKTGraphicPtr>& graphics, const CardSideBase& base)
{
    return image_From_Card_Graphics(graphics, false, base).toPdf();
}

QByteArray SKTRenderingView::tiffDataWithGraphics(const QList<SKTGraphicPtr>& graphics, int* error)
{
    // Tested before any bounds: the union of no objects would be some other rectangle.
    const QRectF area = drawingBoundsOf(graphics);
    if (graphics.isEmpty() || area.isEmpty()) {
        if (error)
            *error = noObjectsError;
        return {};
    }
    try {
        QImage image(int(std::ceil(area.width())), int(std::ceil(area.height())), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            throw std::bad_alloc();
        const int dotsPerMeter72 = int(std::lround(72.0 / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter72);
        image.setDotsPerMeterY(dotsPerMeter72);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.translate(-area.topLeft());
            for (qsizetype index = graphics.size() - 1; index >= 0; --index) {
                const SKTGraphicPtr& graphic = graphics.at(index);
                if (!graphic)
                    continue;
                painter.save();
                painter.setClipRect(graphic->drawingBounds(), Qt::IntersectClip);
                graphic->drawContentsInView(painter, false);
                painter.restore();
            }
        }
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "tiff");
        if (!writer.write(image)) {
            logFailure("Writing TIFF data failed", writer.errorString());
            return {};
        }
        return data;
    } catch (const std::exception& failure) {
        logFailure("Rendering objects as TIFF failed", QString::fromUtf8(failure.what()));
    }
    return {};
}
