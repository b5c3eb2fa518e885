#pragma once

#include <QRectF>
#include <QWidget>

// A ruler along the top or the left of a side's scroll view, in points. It follows the
// card's place in the view (zoom and scrolling) and marks the bounds of an object being
// moved or resized.
class CardRuler : public QWidget
{
    Q_OBJECT

public:
    static constexpr int thickness = 20;

    explicit CardRuler(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Where card point 0 lies along the ruler, in pixels, and pixels per point.
    void setOrigin(double pixels, double factor);
    double origin() const { return origin_; }
    double factor() const { return factor_; }
    // The marks of an object's bounds in card points; a null rectangle removes them.
    void setMarkedBounds(const QRectF& bounds);

    // The step between labelled ticks, in points, so labels stay apart at any zoom.
    static double labelStep(double factor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    double origin_ = 0.0;
    double factor_ = 1.0;
    QRectF marked_;
};
