#pragma once

#include "model/SKTGraphic.h"

inline const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
inline const QString SKTLineEndPointKey = QStringLiteral("endPoint");

// A straight segment between two opposite corners of the bounds; the two flags say which.
class SKTLine : public SKTGraphic
{
    friend class SKTGraphic;

public:
    static constexpr qint64 beginHandle = 1;
    static constexpr qint64 endHandle = 2;

    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;
    void takeValuesOf(const SKTGraphic& saved) override;

    QPointF beginPoint() const;
    QPointF endPoint() const;
    void setBeginPoint(const QPointF& point);
    void setEndPoint(const QPointF& point);
    // The bounds of a segment; the flags (when asked for) say which way it runs.
    static QRectF boundsWithBeginPoint(const QPointF& begin, const QPointF& end, bool* pointsRight,
                                       bool* pointsDown);

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    bool canMakeNaturalSize() const override { return false; }
    QPainterPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The line with its caps.
    QRectF paintedBounds() const override;
    void drawHandlesInView(QPainter& painter, bool lock_hai) override;
    // Within half the stroke plus 2 points of the line, measured vertically.
    bool isContentsUnderPoint(const QPointF& point) const override;
    qint64 handleUnderPoint(const QPointF& point) const override;
    qint64 resizeByMovingHandle(qint64 handle, const QPointF& point) override;
    void setColor(const QColor& color) override;
    // Every change of the bounds moves the ends: observers of "beginPoint" and "endPoint"
    // are told.
    void setBounds(const QRectF& bounds) override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    std::optional<QString> presentablePropertyNameForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) const override;
    bool setValueForKey(const QString& key, const QVariant& value) override;
    // A new line is drawn out by its end point.
    qint64 creationSizingHandle() const override { return endHandle; }
    // The 93 keys, then the direction, so that a "/" line does not come back as "\".
    void encodeWithCoder(ArchiveWriter& archive) const override;
    void initWithCoder(const ArchiveObject& archive) override;

    bool _pointsRight = false; // the begin point is on the left edge
    bool _pointsDown = false;  // the begin point is on the upper edge (smaller y)

protected:
    SKTLine() = default;
    SKTLine(const SKTLine&) = default;

private:
    void setBoundsAndDirection(const QRectF& bounds, bool pointsRight, bool pointsDown);
    void copyKindFieldsTo(SKTGraphic& copy) const override;
};
