#pragma once

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QPainter;
class QTimer;

// The canvas grid: drawn all the time or for a moment after its spacing changes, and the
// points and rectangles that snap to it. One grid is shared by the canvases of all sides.
class SKTGrid : public QObject
{
    Q_OBJECT

public:
    static constexpr int SKTGridTemporaryShowingTime = 1000; // milliseconds

    explicit SKTGrid(QObject* parent = nullptr);
    ~SKTGrid() override;

    QColor color() const { return _color; }
    double spacing() const { return _spacing; }
    // The main window writes colour and spacing straight in, then calls setAlwaysShown(true),
    // whose announcement redraws the canvases.
    void setColorDirectly(const QColor& color) { _color = color; }
    void setSpacingDirectly(double spacing) { _spacing = spacing; }

    // A real change shows the grid for a moment unless it is always shown.
    void setSpacing(double spacing);

    bool isAlwaysShown() const { return _isAlwaysShown; }
    // Always announces "any" (and alwaysShownChanged), even when the value stays.
    void setAlwaysShown(bool alwaysShown);
    bool isConstraining() const { return _isConstraining; }
    void setConstraining(bool constraining);

    bool isUsable() const { return _spacing > 0.0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }
    bool isShowingTemporarily() const { return _hidingTimer != nullptr; }

    // The nearest grid point (halves up) while usable and constraining; else the point.
    QPointF constrainedPoint(const QPointF& point) const;
    // Both corners snapped to the nearest grid points; callers check canAlign() first.
    QRectF alignedRect(const QRectF& rect) const;

    // Draws the lines that cross the rectangle, when usable and shown.
    void drawRect(QPainter& painter, const QRectF& rect) const;

signals:
    // Any of colour, spacing, always shown or constraining changed, or the temporary
    // showing ended: canvases redraw.
    void anyChanged();
    // Enables the main window's align-with-grid button exactly when the grid now shows.
    void alignWithGridAvailable(bool available);

private:
    void stopShowingGridForTimer();
    void stopHidingTimer();
    double snapped(double coordinate) const;

    QColor _color;
    double _spacing = 9.0;
    bool _isAlwaysShown = false;
    bool _isConstraining = false;
    QTimer* _hidingTimer = nullptr;
};
