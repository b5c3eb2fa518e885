// Draws the program's icon for the desktop's application menu, one PNG per size:
//   OUTPUT_FOLDER/<size>x<size>/galavite.png  for 48, 128 and 256 pixels
// Two cards, one turned over another: a coral card behind, and a white one in front with a
// teal band and lines of text.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

// Drawn on a 256-unit square, scaled to the size.
constexpr double units = 256.0;

QPainterPath card(double width, double height)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(-width / 2, -height / 2, width, height), 14, 14);
    return path;
}

void drawCard(QPainter& painter, QPointF centre, double degrees, const std::function<void(const QPainterPath&)>& draw)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(degrees);
    draw(card(176, 116));
    painter.restore();
}

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / units, size / units);

    const QColor coral(0xE8, 0x73, 0x5A);
    const QColor teal(0x1F, 0x8A, 0x8A);
    const QColor slate(0x2F, 0x48, 0x58);

    drawCard(painter, { 114, 110 }, -12, [&](const QPainterPath& shape) {
        painter.fillPath(shape, coral);
        painter.strokePath(shape, QPen(coral.darker(130), 4));
    });
    drawCard(painter, { 144, 156 }, 6, [&](const QPainterPath& shape) {
        painter.fillPath(shape.translated(4, 6), QColor(0, 0, 0, 60)); // shadow
        painter.fillPath(shape, Qt::white);
        painter.save();
        painter.setClipPath(shape);
        painter.fillRect(QRectF(-88, -58, 176, 34), teal);
        painter.restore();
        painter.setPen(Qt::NoPen);
        painter.setBrush(slate.lighter(170));
        for (int line = 0; line < 3; ++line)
            painter.drawRoundedRect(QRectF(-70, -8 + line * 18, line == 2 ? 70 : 110, 9), 4, 4);
        // A heart in the corner.
        QPainterPath heart(QPointF(60, 44));
        heart.cubicTo(QPointF(34, 26), QPointF(44, 0), QPointF(60, 14));
        heart.cubicTo(QPointF(76, 0), QPointF(86, 26), QPointF(60, 44));
        painter.fillPath(heart, coral);
        painter.strokePath(shape, QPen(slate, 4));
    });
    painter.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : { 48, 128, 256 }) {
        const QString name = QStringLiteral("%1x%1").arg(size);
        const QString path = folder.filePath(name + QStringLiteral("/galavite.png"));
        if (!folder.mkpath(name) || !icon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
