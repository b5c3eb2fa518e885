#include "canvas/SWCenteringClipView.h"

#include "canvas/SKTGraphicView.h"
#include "model/CardGlobals.h"
#include "render/CardBasePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Nearest whole number with halves away from zero, of the single-precision value.
double roundedCoordinate(double value)
{
    return std::round(static_cast<float>(value));
}

double constrainedAxis(double proposed, double document, double clip)
{
    const double max = document - clip;
    if (clip > document)
        return roundedCoordinate(max / 2.0);
    return roundedCoordinate(std::clamp(proposed, 0.0, max));
}

// The card's outline, rect being the card at the zoom's scale in the clip view.
QPainterPath silhouette(const QRectF& rect, int cardShape, double scale)
{
    const QRectF inPoints(0, 0, rect.width() / scale, rect.height() / scale);
    QTransform toWidget = QTransform::fromTranslate(rect.x(), rect.y());
    toWidget.scale(scale, scale);
    return toWidget.map(CardBasePainter::cardOutline(inPoints, cardShape));
}

} // namespace

SWCenteringClipView::SWCenteringClipView(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(false);
}

QPointF SWCenteringClipView::constrainScrollPoint(const QPointF& proposed, const QSizeF& document, const QSizeF& clip)
{
    return { constrainedAxis(proposed.x(), document.width(), clip.width()),
        constrainedAxis(proposed.y(), document.height(), clip.height()) };
}

void SWCenteringClipView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF all = rect();
    painter.fillRect(all, Qt::white);
    QLinearGradient backdrop(all.topLeft(), all.bottomLeft());
    backdrop.setColorAt(0.0, QColor::fromRgbF(0.88f, 0.88f, 0.88f));
    backdrop.setColorAt(1.0, QColor::fromRgbF(0.78f, 0.78f, 0.78f));
    painter.fillRect(all, backdrop);
    if (!document_)
        return;

    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = document_->cardArea().translated(document_->pos());
    const double scale = document_->zoomFactor();
    const QPainterPath outline = silhouette(card, Card_Shape, scale);
    // A soft shadow below and to the right: the outline in widening, fading rings.
    painter.setPen(Qt::NoPen);
    const QPainterPath shadow = outline.translated(3.0, 3.0);
    constexpr int rings = 8;
    constexpr double blur = 15.0;
    for (int ring = rings; ring >= 1; --ring) {
        QPen pen(QColor(0, 0, 0, 10), blur * ring / rings);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(shadow, pen);
    }
    painter.fillPath(shadow, QColor(0, 0, 0, 60));
    painter.fillPath(outline, palette().color(QPalette::Button));
}
