#include "model/CardPainting.h"

#include "common/Globals.h"
#include "model/PictureFile.h"

#include <QDir>
#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>
#include <numeric>

QList<qreal> CardPainting::borderDashLengths(const QString& borderCode)
{
    if (borderCode == QLatin1String("DA"))
        return {8.0, 2.0};
    if (borderCode == QLatin1String("DO"))
        return {4.0, 6.0};
    if (borderCode == QLatin1String("DD"))
        return {24.0, 10.0, 6.0, 10.0};
    if (borderCode == QLatin1String("DDD"))
        return {24.0, 8.0, 8.0, 8.0, 8.0, 8.0};
    return {};
}

namespace {
// Qt strokes each dash on its own, piece by piece along curves, and its work grows with the
// pieces times the pen's width. Past these bounds the outline is drawn solid: a few thousand
// dashes along one path cannot be told from a line, and dashes under a pen wider than the
// panels offer, or more of them than the budget of dashes times width (in points), take
// seconds. The bounds keep every dashed border the panels allow on a card-sized outline (80
// dashes at 50 points).
constexpr double maxDashesPerPath = 5000.0;
constexpr double widestDashedPen = 100.0;
constexpr double maxDashesTimesWidth = 4000.0;

bool drawsDashes(const QList<qreal>& dashes, double penWidth, double pathLength)
{
    if (dashes.isEmpty() || penWidth > widestDashedPen)
        return false;
    const double patternLength = std::accumulate(dashes.begin(), dashes.end(), 0.0);
    const double dashCount = pathLength / patternLength * double(dashes.size() / 2);
    // Written so that a length that is not a number draws solid.
    return dashCount <= maxDashesPerPath && dashCount * penWidth <= maxDashesTimesWidth;
}
} // namespace

double CardPainting::drawnWidth(double width)
{
    return std::isfinite(width) && width > 0.0 ? std::min(width, widestPen) : 0.0;
}

QPen CardPainting::outlinePen(const QColor& color, double width, const QString& borderCode,
                              Qt::PenCapStyle cap, double pathLength)
{
    const double penWidth = drawnWidth(width);
    QPen pen(color.isValid() ? QBrush(color) : QBrush(Qt::NoBrush), penWidth, Qt::SolidLine, cap,
             Qt::MiterJoin);
    pen.setMiterLimit(10.0);
    QList<qreal> dashes = borderDashLengths(borderCode);
    if (drawsDashes(dashes, penWidth, pathLength)) {
        // Qt counts dashes in pen widths; a hairline (width 0) takes them as they are.
        if (penWidth > 0.0) {
            for (qreal& length : dashes)
                length /= penWidth;
        }
        pen.setDashPattern(dashes);
        pen.setDashOffset(0.0);
    }
    return pen;
}

void CardPainting::strokePath(QPainter& painter, const QPainterPath& path, const QPen& pen)
{
    const QRectF box = path.boundingRect();
    bool curved = false;
    for (int i = 0; i < path.elementCount() && !curved; ++i)
        curved = path.elementAt(i).isCurveTo();
    if (!curved || pen.widthF() <= std::min(box.width(), box.height())) {
        painter.strokePath(path, pen);
        return;
    }
    // Lines at twice the card's resolution in points: the outline's union, which keeps Qt's
    // work to milliseconds whatever the pen's width, grows with their number.
    const QTransform fine = QTransform::fromScale(2.0, 2.0);
    const QTransform back = fine.inverted();
    QPainterPath lines;
    lines.setFillRule(Qt::WindingFill);
    for (const QPolygonF& polygon : path.toSubpathPolygons(fine))
        lines.addPolygon(back.map(polygon));
    painter.fillPath(QPainterPathStroker(pen).createStroke(lines).simplified(), pen.brush());
}

QLinearGradient CardPainting::angledGradient(const QRectF& box, double degrees, const QColor& from,
                                             const QColor& to)
{
    const double radians = std::isfinite(degrees) ? qDegreesToRadians(degrees) : 0.0;
    const double dx = std::cos(radians);
    const double dy = std::sin(radians);
    const double halfLength = (box.width() * std::abs(dx) + box.height() * std::abs(dy)) / 2.0;
    const QPointF centre = box.center();
    const QPointF offset(halfLength * dx, halfLength * dy);
    QLinearGradient gradient(centre - offset, centre + offset);
    gradient.setColorAt(0.0, from.isValid() ? from : QColor(Qt::transparent));
    gradient.setColorAt(1.0, to.isValid() ? to : QColor(Qt::transparent));
    gradient.setSpread(QGradient::PadSpread);
    return gradient;
}

QImage CardPainting::hatchPicture(const QString& patternName)
{
    // The name comes from a design file: it names a file inside the pattern folder only.
    if (patternName.isEmpty() || patternName.contains(QLatin1Char('/'))
        || patternName.contains(QLatin1Char('\\')) || patternName == QLatin1String("..")
        || patternName == QLatin1String("."))
        return {};
    const QString path = QDir(Resource_Path).filePath(QStringLiteral("Fill_Style_Image/")
                                                      + patternName + QStringLiteral(".png"));
    return PictureFile::load(path);
}

QBrush CardPainting::tiledBrush(const QImage& picture)
{
    if (picture.isNull())
        return Qt::NoBrush;
    QBrush brush(picture);
    // One tile is the picture's size in points; the painter's transform does the rest, and
    // the default brush origin keeps the tiles anchored at the card's origin.
    const QSizeF points = PictureFile::sizeInPoints(picture);
    if (points.width() > 0 && points.height() > 0)
        brush.setTransform(QTransform::fromScale(points.width() / picture.width(),
                                                 points.height() / picture.height()));
    return brush;
}

double CardPainting::clampedOpacity(double opacity)
{
    if (std::isnan(opacity))
        return 1.0;
    return std::clamp(opacity, 0.0, 1.0);
}

QColor CardPainting::withOpacity(QColor color, double opacity)
{
    if (color.isValid())
        color.setAlphaF(float(clampedOpacity(opacity)));
    return color;
}
