#include "barcodes/BarcodeText.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

namespace {

constexpr double pointsPerInch = 72.0;
constexpr float bandFactor = 1.35f;

// A 72-dpi device for font metrics; only read after its construction, so shared by threads.
const QImage& device72()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = int(std::lround(pointsPerInch / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFont spaced(const QFont& font, double kerning)
{
    QFont result(font);
    result.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    return result;
}

} // namespace

double capHeight(const QFont& font)
{
    return QFontMetricsF(font, &device72()).capHeight();
}

float bandHeightInches(const QFont& font)
{
    return float(bandFactor * capHeight(font) / pointsPerInch);
}

QSizeF measureText(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font, &device72());
    return { text.isEmpty() ? 0.0 : metrics.horizontalAdvance(text), metrics.height() };
}

Qt::Alignment alignmentFromWord(const QString& word)
{
    if (word == QLatin1String("Center"))
        return Qt::AlignHCenter;
    if (word == QLatin1String("Right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

void drawTextAt(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font, double kerning,
                const QColor& color)
{
    const QFont drawn = spaced(font, kerning);
    painter.setFont(drawn);
    painter.setPen(color);
    const double ascent = QFontMetricsF(drawn, &device72()).ascent();
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + ascent), text);
}

void drawTextInRect(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, double kerning,
                    const QColor& color, Qt::Alignment alignment)
{
    const QFont drawn = spaced(font, kerning);
    const QFontMetricsF metrics(drawn, &device72());
    const double textWidth = metrics.horizontalAdvance(text);
    double x = rect.left();
    if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - textWidth) / 2;
    else if (alignment & Qt::AlignRight)
        x = rect.right() - textWidth;
    painter.setFont(drawn);
    painter.setPen(color);
    painter.drawText(QPointF(x, rect.top() + metrics.ascent()), text);
}
