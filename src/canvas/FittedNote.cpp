#include "canvas/FittedNote.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

bool fitsWhole(const QString& note, const QFont& font, const QSizeF& box, const QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    // A word wider than the box would be cut inside it, which reads as another word.
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& word : note.split(blanks, Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > box.width())
            return false;
    }
    const QRectF needed = metrics.boundingRect(QRectF(QPointF(0, 0), box), Qt::AlignCenter | Qt::TextWordWrap, note);
    return needed.height() <= box.height();
}

} // namespace

FittedNote FittedNote::fit(const QString& note, const QFont& font, const QSizeF& box, const QPaintDevice* device)
{
    QFont sized = font;
    qreal size = font.pointSizeF() > 0 ? font.pointSizeF() : minimumPointSize;
    for (;;) {
        sized.setPointSizeF(size);
        if (fitsWhole(note, sized, box, device))
            return { sized, note, Qt::AlignCenter | Qt::TextWordWrap };
        if (size <= minimumPointSize)
            break;
        size = std::max(minimumPointSize, size - 0.5);
    }
    const QFontMetricsF metrics(sized, device);
    return { sized, metrics.elidedText(note, Qt::ElideRight, std::max<qreal>(0, box.width())), Qt::AlignCenter };
}
