#include "canvas/FittedNote.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

QStringList wordsOf(const QString& note)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return note.split(blanks, Qt::SkipEmptyParts);
}

bool fitsWhole(const QString& note, const QFont& font, const QSizeF& box, const QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    // A word wider than the box would be cut inside it, which reads as another word.
    for (const QString& word : wordsOf(note)) {
        if (metrics.horizontalAdvance(word) > box.width())
            return false;
    }
    const QRectF needed = metrics.boundingRect(QRectF(QPointF(0, 0), box), Qt::AlignCenter | Qt::TextWordWrap, note);
    return needed.height() <= box.height();
}

// The note wrapped at word boundaries, each word too wide cut short, and the lines past the
// box's height folded into its last line, cut short.
QString cutShort(const QString& note, const QFontMetricsF& metrics, const QSizeF& box)
{
    const qreal width = std::max<qreal>(0, box.width());
    QStringList lines;
    for (const QString& word : wordsOf(note)) {
        const QString joined = lines.isEmpty() ? QString() : lines.last() + u' ' + word;
        if (!lines.isEmpty() && metrics.horizontalAdvance(joined) <= width)
            lines.last() = joined;
        else
            lines << word;
    }
    const qsizetype room = std::max<qsizetype>(1, qsizetype(box.height() / metrics.lineSpacing()));
    if (lines.size() > room)
        lines = lines.mid(0, room - 1) << lines.mid(room - 1).join(u' ');
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(u'\n');
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
    return { sized, cutShort(note, QFontMetricsF(sized, device), box), Qt::AlignCenter };
}
