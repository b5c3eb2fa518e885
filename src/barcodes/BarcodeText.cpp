#include "barcodes/BarcodeText.h"

#include "platform/DeviceFont.h"
#include "platform/Picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>

namespace {

constexpr double pointsPerInch = 72.0;
constexpr float bandFactor = 1.35f;

int graphemeCount(const QString& text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    return count;
}

// Draws the text from its base line, with extra space after each character. Characters are
// placed one by one rather than through the font's letter spacing, which the painter drops
// on devices below 96 dpi. One layout of the whole text gives every character's place.
void drawSpaced(QPainter& painter, QPointF baseLine, const QString& text, const QFont& font, double kerning)
{
    painter.setFont(font);
    if (kerning == 0.0) {
        Picture::drawText(painter, baseLine, text);
        return;
    }
    QTextLayout layout(text, font, pointSizedDevice());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    int count = 0;
    while (graphemes.toNextBoundary() != -1) {
        const qsizetype end = graphemes.position();
        const double x = baseLine.x() + line.cursorToX(int(start)) + count * kerning;
        Picture::drawText(painter, QPointF(x, baseLine.y()), text.mid(start, end - start));
        start = end;
        ++count;
    }
}

} // namespace

double capHeight(const QFont& font)
{
    return QFontMetricsF(font, pointSizedDevice()).capHeight();
}

float bandHeightInches(const QFont& font)
{
    return float(bandFactor * capHeight(font) / pointsPerInch);
}

QSizeF measureText(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font, pointSizedDevice());
    return { text.isEmpty() ? 0.0 : metrics.horizontalAdvance(text), metrics.height() };
}

double lineHeight(const QFont& font)
{
    return QFontMetricsF(font, pointSizedDevice()).height();
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
    painter.setPen(color);
    const double ascent = QFontMetricsF(font, pointSizedDevice()).ascent();
    drawSpaced(painter, QPointF(topLeft.x(), topLeft.y() + ascent), text, font, kerning);
}

void drawTextInRect(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, double kerning,
    const QColor& color, Qt::Alignment alignment)
{
    const QFontMetricsF metrics(font, pointSizedDevice());
    const double textWidth = metrics.horizontalAdvance(text) + graphemeCount(text) * kerning;
    double x = rect.left();
    if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - textWidth) / 2;
    else if (alignment & Qt::AlignRight)
        x = rect.right() - textWidth;
    painter.setPen(color);
    drawSpaced(painter, QPointF(x, rect.top() + metrics.ascent()), text, font, kerning);
}
