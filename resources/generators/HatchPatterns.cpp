// Draws the hatch patterns that shapes and cards can be filled with into
// <folder>/Fill_Style_Image: dark strokes on a transparent ground, so the chosen
// background colour shows between them. Each picture is one tile of 12 x 12 points,
// drawn at 4 pixels per point and stating that resolution; strokes that leave one edge
// come back at the opposite edge, so the tiles join without seams.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int tilePoints = 12;
constexpr int pixelsPerPoint = 4;

using Stroke = std::function<void(QPainter&)>;

// Draws the strokes nine times, shifted by a tile in each direction, so that whatever
// crosses an edge reappears on the other side.
QImage tile(const Stroke& strokes)
{
    const int pixels = tilePoints * pixelsPerPoint;
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int dotsPerMeter = int(std::lround(72.0 * pixelsPerPoint / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
    QPen pen(QColor(40, 40, 40), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(QColor(40, 40, 40));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            painter.save();
            painter.translate(dx * tilePoints, dy * tilePoints);
            strokes(painter);
            painter.restore();
        }
    }
    return image;
}

void line(QPainter& p, double x1, double y1, double x2, double y2)
{
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hatch_patterns <resources folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Fill_Style_Image"));
    QDir().mkpath(folder);
    const double t = tilePoints;
    const struct
    {
        const char* name;
        Stroke strokes;
    } patterns[] = {
        { "Horizontal", [&](QPainter& p) { line(p, 0, 3, t, 3), line(p, 0, 9, t, 9); } },
        { "Vertical", [&](QPainter& p) { line(p, 3, 0, 3, t), line(p, 9, 0, 9, t); } },
        { "Cross",
            [&](QPainter& p) {
                line(p, 0, 6, t, 6);
                line(p, 6, 0, 6, t);
            } },
        { "Diagonal Up",
            [&](QPainter& p) { line(p, 0, t, t, 0), line(p, 0, t / 2, t / 2, 0), line(p, t / 2, t, t, t / 2); } },
        { "Diagonal Down",
            [&](QPainter& p) { line(p, 0, 0, t, t), line(p, t / 2, 0, t, t / 2), line(p, 0, t / 2, t / 2, t); } },
        { "Diagonal Cross",
            [&](QPainter& p) {
                line(p, 0, 0, t, t);
                line(p, 0, t, t, 0);
            } },
        { "Dots",
            [&](QPainter& p) {
                p.setPen(Qt::NoPen);
                p.drawEllipse(QPointF(3, 3), 1.2, 1.2);
                p.drawEllipse(QPointF(9, 9), 1.2, 1.2);
            } },
        { "Bricks",
            [&](QPainter& p) {
                line(p, 0, 0.5, t, 0.5);
                line(p, 0, 6.5, t, 6.5);
                line(p, 3, 0.5, 3, 6.5);
                line(p, 9, 6.5, 9, t + 0.5);
            } },
    };
    for (const auto& pattern : patterns) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(pattern.name) + QStringLiteral(".png"));
        if (!tile(pattern.strokes).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
