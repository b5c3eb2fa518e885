#include "canvas/CardRuler.h"

#include <QPainter>

#include <cmath>

CardRuler::CardRuler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , orientation_(orientation)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(thickness);
    else
        setFixedWidth(thickness);
    setAutoFillBackground(false);
}

void CardRuler::setOrigin(double pixels, double factor)
{
    if (pixels == origin_ && factor == factor_)
        return;
    origin_ = pixels;
    factor_ = factor > 0.0 ? factor : 1.0;
    update();
}

void CardRuler::setMarkedBounds(const QRectF& bounds)
{
    marked_ = bounds;
    update();
}

double CardRuler::labelStep(double factor)
{
    // At least 40 pixels between labels: 1, 2, 5, 10, 20, 50... points.
    static const double steps[] = { 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000 };
    for (const double step : steps) {
        if (step * factor >= 40.0)
            return step;
    }
    return 10000.0;
}

void CardRuler::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const bool horizontal = orientation_ == Qt::Horizontal;
    const double length = horizontal ? width() : height();
    const auto along = [&](double pixel, double from, double to) {
        if (horizontal)
            painter.drawLine(QPointF(pixel, from), QPointF(pixel, to));
        else
            painter.drawLine(QPointF(from, pixel), QPointF(to, pixel));
    };

    if (!marked_.isNull()) {
        const double start = origin_ + (horizontal ? marked_.left() : marked_.top()) * factor_;
        const double extent = (horizontal ? marked_.width() : marked_.height()) * factor_;
        const QRectF band = horizontal ? QRectF(start, 0, extent, thickness) : QRectF(0, start, thickness, extent);
        painter.fillRect(band, palette().color(QPalette::Highlight).lighter(170));
    }

    painter.setPen(palette().color(QPalette::WindowText));
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    const double step = labelStep(factor_);
    const double minor = step / (step >= 10 && std::fmod(step, 10) == 0 ? 10 : step >= 5 ? 5 : 2);
    const double first = std::floor(-origin_ / factor_ / minor) * minor;
    for (double point = first; origin_ + point * factor_ <= length; point += minor) {
        const double pixel = std::round(origin_ + point * factor_) + 0.5;
        const bool labelled = std::fmod(std::abs(point) + 1e-6, step) < 1e-3;
        along(pixel, labelled ? 0 : thickness * 0.65, thickness);
        if (labelled) {
            const QString text = QString::number(qRound(point));
            if (horizontal) {
                painter.drawText(QPointF(pixel + 2, 10), text);
            } else {
                // Read from below, like the vertical rulers of drawing programs.
                painter.save();
                painter.translate(thickness - 10, pixel + 2 + painter.fontMetrics().horizontalAdvance(text));
                painter.rotate(-90);
                painter.drawText(QPointF(0, 0), text);
                painter.restore();
            }
        }
    }
    painter.setPen(palette().color(QPalette::Mid));
    if (horizontal)
        painter.drawLine(0, height() - 1, width(), height() - 1);
    else
        painter.drawLine(width() - 1, 0, width() - 1, height());
}
