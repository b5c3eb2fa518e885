#include "platform/CrispTextStamps.h"

#include "platform/CrispRects.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

// Places within a pixel that share a stamp.
constexpr int fineSteps = 1024;
// Stamps kept per thread; a batch of captions needs a few hundred.
constexpr qsizetype largestCache = 4096;

struct StampKey
{
    QString text;
    QString font;
    QRgb colour;
    double scaleX;
    double scaleY;
    int stepX;
    int stepY;

    bool operator==(const StampKey&) const = default;
};

size_t qHash(const StampKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.colour, key.scaleX, key.scaleY, key.stepX, key.stepY);
}

struct Stamp
{
    QImage image; // empty: the text left no ink
    QPoint offset; // of the image's top left from the whole-pixel origin
};

// One character (a surrogate pair at most): its glyph sits at the origin, so its place on
// the device is the origin's alone.
bool isOneCharacter(const QString& text)
{
    return text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate());
}

bool canStamp(const QPainter& painter, const QFont& font, const QString& text)
{
    const QPen& pen = painter.pen();
    return isOneCharacter(text) && (font.styleStrategy() & QFont::NoAntialias) && pen.style() == Qt::SolidLine
        && pen.brush().style() == Qt::SolidPattern && painter.opacity() >= 1.0 && !painter.hasClipping()
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver
        && painter.transform().type() <= QTransform::TxScale && isPlain32BitImage(painter.device())
        && painter.device()->devicePixelRatio() == 1;
}

// The character drawn by a painter like the given one, under its transform moved by whole
// pixels, cut to its ink; offset from the device origin of the character's place.
Stamp makeStamp(const QPainter& painter, const QFont& font, const QPointF& position, const QString& text, QPoint whole)
{
    const QTransform& transform = painter.transform();
    const QRectF bounds = QFontMetricsF(font, painter.device()).boundingRect(text).translated(position);
    // Room for what the metrics leave out (overhangs, rounding).
    const double margin = 4 + 0.5 * bounds.height();
    const QRectF area = transform.mapRect(bounds).adjusted(-margin, -margin, margin, margin);
    const QPoint corner(int(std::floor(area.left())), int(std::floor(area.top())));
    QImage canvas(
        int(std::ceil(area.width())) + 2, int(std::ceil(area.height())) + 2, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    // Fonts are sized for the device's resolution: the stamp gets the same.
    const QImage& device = *static_cast<const QImage*>(painter.device());
    canvas.setDotsPerMeterX(device.dotsPerMeterX());
    canvas.setDotsPerMeterY(device.dotsPerMeterY());
    {
        QPainter stamp(&canvas);
        stamp.setRenderHints(painter.renderHints());
        stamp.setPen(painter.pen());
        stamp.setFont(font);
        // Moving by whole pixels keeps every rounding the painter makes.
        stamp.setTransform(transform * QTransform::fromTranslate(-corner.x(), -corner.y()));
        stamp.drawText(position, text);
    }
    QRect ink;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                ink |= QRect(x, y, 1, 1);
        }
    }
    if (ink.isEmpty())
        return {};
    return { canvas.copy(ink), corner - whole + ink.topLeft() };
}

} // namespace

bool drawCrispTextStamp(
    QPainter& painter, const QFont& font, const QString& fontKey, const QPointF& position, const QString& text)
{
    if (!canStamp(painter, font, text))
        return false;
    const QTransform transform = painter.transform();
    // The character's place on the device: whole pixels, and what is left in fine steps (the
    // painter rounds to 64ths; finer steps keep its rounding).
    const QPointF origin = transform.map(position);
    const QPoint whole(int(std::floor(origin.x())), int(std::floor(origin.y())));
    const auto step = [](double fraction) { return int(std::floor(fraction * fineSteps)); };
    const int stepX = step(origin.x() - whole.x());
    const int stepY = step(origin.y() - whole.y());

    thread_local QHash<StampKey, Stamp> stamps;
    const StampKey key { text, fontKey, painter.pen().color().rgba(), transform.m11(), transform.m22(), stepX, stepY };
    auto found = stamps.constFind(key);
    if (found == stamps.constEnd()) {
        if (stamps.size() >= largestCache)
            stamps.clear();
        found = stamps.insert(key, makeStamp(painter, font, position, text, whole));
    }
    if (found->image.isNull())
        return true;
    painter.setTransform(QTransform());
    painter.drawImage(whole + found->offset, found->image);
    painter.setTransform(transform);
    return true;
}
