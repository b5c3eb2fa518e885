// Draws the card backgrounds and the clip art of the image library into a Resources folder:
//   Background/*.jpg, *.png         1011 x 639 pixels, the plastic card's proportions
//   LibraryImage/<Category>/*.png   256 x 256 pixels on a transparent ground
// Everything is drawn here with QPainter; the same seed gives the same pictures.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QString>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int cardWidth = 1011;
constexpr int cardHeight = 639;
constexpr int clipSize = 256;
constexpr double pi = 3.14159265358979323846;

QPainterPath starPath(QPointF centre, double outer, double inner, int points, double turn = -pi / 2)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = turn + i * pi / points;
        const QPointF p(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartPath(QPointF centre, double size)
{
    const double s = size / 2;
    QPainterPath path;
    path.moveTo(centre.x(), centre.y() + s);
    path.cubicTo(centre.x() - s * 1.9, centre.y() - s * 0.2, centre.x() - s * 0.9, centre.y() - s * 1.5, centre.x(),
        centre.y() - s * 0.55);
    path.cubicTo(centre.x() + s * 0.9, centre.y() - s * 1.5, centre.x() + s * 1.9, centre.y() - s * 0.2, centre.x(),
        centre.y() + s);
    return path;
}

void drawBalloon(QPainter& p, QPointF centre, double width, const QColor& colour, bool string = true)
{
    const double height = width * 1.25;
    QRadialGradient shine(centre - QPointF(width * 0.18, height * 0.2), width * 0.8);
    shine.setColorAt(0, colour.lighter(150));
    shine.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(140), width / 40.0));
    p.setBrush(shine);
    p.drawEllipse(centre, width / 2, height / 2);
    QPainterPath knot;
    const QPointF bottom(centre.x(), centre.y() + height / 2);
    knot.moveTo(bottom);
    knot.lineTo(bottom + QPointF(-width * 0.07, width * 0.09));
    knot.lineTo(bottom + QPointF(width * 0.07, width * 0.09));
    knot.closeSubpath();
    p.setBrush(colour.darker(120));
    p.drawPath(knot);
    if (!string)
        return;
    QPainterPath line(bottom + QPointF(0, width * 0.09));
    line.cubicTo(bottom + QPointF(-width * 0.2, width * 0.5), bottom + QPointF(width * 0.2, width * 0.8),
        bottom + QPointF(0, width * 1.1));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 90, 90), width / 60.0));
    p.drawPath(line);
}

void drawFlower(QPainter& p, QPointF centre, double radius, const QColor& petals, const QColor& heart, int count = 6)
{
    p.setPen(QPen(petals.darker(130), radius / 30.0));
    p.setBrush(petals);
    for (int i = 0; i < count; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(360.0 * i / count);
        p.drawEllipse(QPointF(radius * 0.55, 0), radius * 0.45, radius * 0.22);
        p.restore();
    }
    p.setBrush(heart);
    p.setPen(QPen(heart.darker(130), radius / 30.0));
    p.drawEllipse(centre, radius * 0.22, radius * 0.22);
}

void drawLeaf(QPainter& p, QPointF at, double length, double angleDegrees, const QColor& colour)
{
    p.save();
    p.translate(at);
    p.rotate(angleDegrees);
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.quadTo(length / 2, -length / 3, length, 0);
    leaf.quadTo(length / 2, length / 3, 0, 0);
    p.setPen(QPen(colour.darker(130), length / 30.0));
    p.setBrush(colour);
    p.drawPath(leaf);
    p.restore();
}

QImage cardCanvas()
{
    QImage image(cardWidth, cardHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage clipCanvas()
{
    QImage image(clipSize, clipSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void begin(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
}

void fillVertical(QPainter& p, const QColor& top, const QColor& bottom)
{
    QLinearGradient gradient(0, 0, 0, cardHeight);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillRect(QRect(0, 0, cardWidth, cardHeight), gradient);
}

// ---- Backgrounds ------------------------------------------------------------------------

QImage skyGradient()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    fillVertical(p, QColor(0x7f, 0xb8, 0xf0), QColor(0xf7, 0xc6, 0xd9));
    QRandomGenerator random(11);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF c(random.bounded(cardWidth), random.bounded(cardHeight));
        const double r = 10 + random.bounded(50);
        QRadialGradient glow(c, r);
        glow.setColorAt(0, QColor(255, 255, 255, 110));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(glow);
        p.drawEllipse(c, r, r);
    }
    return image;
}

QImage confetti()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    p.fillRect(image.rect(), QColor(0xff, 0xfb, 0xf2));
    const QColor colours[] = { QColor(0xe6, 0x39, 0x46), QColor(0x2a, 0x9d, 0x8f), QColor(0xe9, 0xc4, 0x6a),
        QColor(0x45, 0x7b, 0x9d), QColor(0xf4, 0xa2, 0x61), QColor(0x9b, 0x5d, 0xe5) };
    QRandomGenerator random(7);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        // Thicker along the edges, so that the middle stays free for the texts.
        const double x = random.bounded(cardWidth);
        const double y = random.bounded(cardHeight);
        const double edge = std::min({ x, y, cardWidth - x, cardHeight - y });
        if (edge > 110 && random.bounded(4) != 0)
            continue;
        p.setBrush(colours[random.bounded(6)]);
        p.save();
        p.translate(x, y);
        p.rotate(random.bounded(180));
        if (random.bounded(2))
            p.drawRect(QRectF(-7, -3, 14, 6));
        else
            p.drawEllipse(QPointF(0, 0), 5, 5);
        p.restore();
    }
    return image;
}

QImage goldenBorder()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    p.fillRect(image.rect(), QColor(0xfd, 0xf8, 0xec));
    const QColor gold(0xc9, 0xa2, 0x27);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 10));
    p.drawRect(QRectF(24, 24, cardWidth - 48, cardHeight - 48));
    p.setPen(QPen(gold, 3));
    p.drawRect(QRectF(44, 44, cardWidth - 88, cardHeight - 88));
    p.setBrush(gold);
    p.setPen(Qt::NoPen);
    for (QPointF corner : { QPointF(44, 44), QPointF(cardWidth - 44, 44), QPointF(44, cardHeight - 44),
             QPointF(cardWidth - 44, cardHeight - 44) })
        p.drawPath(starPath(corner, 22, 8, 4, 0));
    return image;
}

QImage floralCorners()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    fillVertical(p, QColor(0xf1, 0xf8, 0xe9), QColor(0xdc, 0xed, 0xc8));
    const QColor leaf(0x7c, 0xb3, 0x42);
    const QPointF corners[] = { QPointF(0, 0), QPointF(cardWidth, 0), QPointF(0, cardHeight),
        QPointF(cardWidth, cardHeight) };
    for (QPointF corner : corners) {
        const double sx = corner.x() == 0 ? 1 : -1;
        const double sy = corner.y() == 0 ? 1 : -1;
        for (int i = 0; i < 5; ++i)
            drawLeaf(p, corner + QPointF(sx * (30 + 25 * i), sy * (90 - 15 * i)), 70, 30 * i + (sx > 0 ? 0 : 180),
                leaf);
        drawFlower(p, corner + QPointF(sx * 70, sy * 70), 55, QColor(0xf8, 0xbb, 0xd0), QColor(0xff, 0xd5, 0x4f));
        drawFlower(p, corner + QPointF(sx * 150, sy * 40), 35, QColor(0xff, 0xff, 0xff), QColor(0xff, 0xb3, 0x00));
        drawFlower(p, corner + QPointF(sx * 40, sy * 150), 35, QColor(0xce, 0x93, 0xd8), QColor(0xff, 0xd5, 0x4f), 5);
    }
    return image;
}

QImage sunsetStripes()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    QLinearGradient gradient(0, 0, cardWidth, cardHeight);
    gradient.setColorAt(0, QColor(0xff, 0x9a, 0x76));
    gradient.setColorAt(1, QColor(0xff, 0xe0, 0x8a));
    p.fillRect(image.rect(), gradient);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    for (int x = -cardHeight; x < cardWidth; x += 90) {
        QPolygonF band;
        band << QPointF(x, cardHeight) << QPointF(x + 40, cardHeight) << QPointF(x + 40 + cardHeight, 0)
             << QPointF(x + cardHeight, 0);
        p.drawPolygon(band);
    }
    return image;
}

QImage balloonParty()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    fillVertical(p, QColor(0xe3, 0xf2, 0xfd), QColor(0xff, 0xff, 0xff));
    const QColor colours[] = { QColor(0xef, 0x53, 0x50), QColor(0x42, 0xa5, 0xf5), QColor(0xff, 0xca, 0x28),
        QColor(0x66, 0xbb, 0x6a), QColor(0xab, 0x47, 0xbc) };
    const QPointF left[] = { QPointF(70, 120), QPointF(150, 90), QPointF(110, 200) };
    const QPointF right[] = { QPointF(cardWidth - 70, 130), QPointF(cardWidth - 150, 95), QPointF(cardWidth - 105, 210) };
    int k = 0;
    for (QPointF at : left)
        drawBalloon(p, at, 90, colours[k++ % 5]);
    for (QPointF at : right)
        drawBalloon(p, at, 90, colours[k++ % 5]);
    return image;
}

QImage starryNight()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    fillVertical(p, QColor(0x0d, 0x1b, 0x4c), QColor(0x3a, 0x2c, 0x7a));
    QRandomGenerator random(3);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 120; ++i) {
        const QPointF c(random.bounded(cardWidth), random.bounded(cardHeight));
        const double r = 2 + random.bounded(9);
        p.setBrush(QColor(255, 245, 200, 120 + random.bounded(135)));
        p.drawPath(starPath(c, r, r * 0.4, 5));
    }
    p.setBrush(QColor(0xff, 0xf3, 0xc4));
    p.drawEllipse(QPointF(cardWidth - 120, 110), 55, 55);
    p.setBrush(QColor(0x16, 0x24, 0x5a));
    p.drawEllipse(QPointF(cardWidth - 95, 95), 50, 50);
    return image;
}

QImage polkaDots()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    p.fillRect(image.rect(), QColor(0xfc, 0xe4, 0xec));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xff, 0xff));
    for (int row = 0; row * 60 < cardHeight + 60; ++row)
        for (int col = 0; col * 60 < cardWidth + 60; ++col)
            p.drawEllipse(QPointF(col * 60 + (row % 2) * 30, row * 60), 12, 12);
    return image;
}

QImage ribbonFrame()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    p.fillRect(image.rect(), Qt::white);
    const QColor ribbon(0xc6, 0x28, 0x28);
    p.setPen(Qt::NoPen);
    p.setBrush(ribbon);
    p.drawRect(QRectF(0, 0, cardWidth, 28));
    p.drawRect(QRectF(0, cardHeight - 28, cardWidth, 28));
    p.drawRect(QRectF(cardWidth - 180, 0, 30, cardHeight));
    // A bow where the bands cross.
    const QPointF knot(cardWidth - 165, 14);
    QPainterPath loops;
    loops.moveTo(knot);
    loops.cubicTo(knot + QPointF(-90, 40), knot + QPointF(-90, 100), knot);
    loops.moveTo(knot);
    loops.cubicTo(knot + QPointF(90, 40), knot + QPointF(90, 100), knot);
    p.setBrush(ribbon.darker(110));
    p.drawPath(loops);
    p.setBrush(ribbon.darker(130));
    p.drawEllipse(knot + QPointF(0, 20), 18, 18);
    return image;
}

QImage heartsGarden()
{
    QImage image = cardCanvas();
    QPainter p;
    begin(p, image);
    fillVertical(p, QColor(0xff, 0xeb, 0xee), QColor(0xf8, 0xbb, 0xd0));
    QRandomGenerator random(5);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 45; ++i) {
        const double x = random.bounded(cardWidth);
        const double y = random.bounded(cardHeight);
        if (x > 200 && x < cardWidth - 200 && y > 120 && y < cardHeight - 120)
            continue;
        p.setBrush(QColor(0xe9, 0x1e, 0x63, 90 + random.bounded(120)));
        p.drawPath(heartPath(QPointF(x, y), 20 + random.bounded(40)));
    }
    return image;
}

// ---- Clip art -----------------------------------------------------------------------------

using Drawing = std::function<void(QPainter&)>;

QImage clip(const Drawing& draw)
{
    QImage image = clipCanvas();
    QPainter p;
    begin(p, image);
    draw(p);
    return image;
}

void balloon(QPainter& p, const QColor& colour)
{
    drawBalloon(p, QPointF(128, 100), 130, colour);
}

void balloonBunch(QPainter& p)
{
    drawBalloon(p, QPointF(90, 95), 90, QColor(0xef, 0x53, 0x50));
    drawBalloon(p, QPointF(166, 95), 90, QColor(0x42, 0xa5, 0xf5));
    drawBalloon(p, QPointF(128, 70), 90, QColor(0xff, 0xca, 0x28));
}

void star(QPainter& p, const QColor& colour, int points, double innerShare)
{
    p.setPen(QPen(colour.darker(140), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(colour);
    p.drawPath(starPath(QPointF(128, 134), 112, 112 * innerShare, points));
}

void shootingStar(QPainter& p)
{
    QLinearGradient tail(20, 230, 150, 110);
    tail.setColorAt(0, QColor(255, 202, 40, 0));
    tail.setColorAt(1, QColor(255, 202, 40, 220));
    QPainterPath trail;
    trail.moveTo(20, 236);
    trail.lineTo(140, 96);
    trail.lineTo(170, 126);
    trail.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(tail);
    p.drawPath(trail);
    p.setPen(QPen(QColor(0xf9, 0xa8, 0x25), 4));
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawPath(starPath(QPointF(170, 92), 70, 30, 5));
}

void sparkles(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xc1, 0x07));
    p.drawPath(starPath(QPointF(110, 140), 90, 18, 4, 0));
    p.setBrush(QColor(0x29, 0xb6, 0xf6));
    p.drawPath(starPath(QPointF(196, 66), 45, 9, 4, 0));
    p.setBrush(QColor(0xec, 0x40, 0x7a));
    p.drawPath(starPath(QPointF(200, 200), 32, 7, 4, 0));
}

void heart(QPainter& p, const QColor& colour)
{
    QLinearGradient shade(0, 30, 0, 230);
    shade.setColorAt(0, colour.lighter(130));
    shade.setColorAt(1, colour.darker(110));
    p.setPen(QPen(colour.darker(150), 5));
    p.setBrush(shade);
    p.drawPath(heartPath(QPointF(128, 132), 190));
}

void twoHearts(QPainter& p)
{
    p.setPen(QPen(QColor(0x88, 0x0e, 0x4f), 4));
    p.setBrush(QColor(0xf0, 0x62, 0x92));
    p.drawPath(heartPath(QPointF(100, 120), 140));
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawPath(heartPath(QPointF(160, 150), 140));
}

void heartWithArrow(QPainter& p)
{
    heart(p, QColor(0xe5, 0x39, 0x35));
    p.setPen(QPen(QColor(0x6d, 0x4c, 0x41), 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(20, 210), QPointF(236, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6d, 0x4c, 0x41));
    QPolygonF tip;
    tip << QPointF(246, 42) << QPointF(212, 52) << QPointF(234, 76);
    p.drawPolygon(tip);
}

void heartOutline(QPainter& p)
{
    p.setPen(QPen(QColor(0xd8, 0x1b, 0x60), 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(heartPath(QPointF(128, 132), 180));
}

void cake(QPainter& p)
{
    p.setPen(QPen(QColor(0x8d, 0x6e, 0x63), 3));
    p.setBrush(QColor(0xff, 0xe0, 0xb2));
    p.drawRoundedRect(QRectF(28, 150, 200, 80), 10, 10);
    p.setBrush(QColor(0xf4, 0x8f, 0xb1));
    p.drawRoundedRect(QRectF(48, 100, 160, 56), 8, 8);
    p.setBrush(QColor(0x8d, 0x6e, 0x63));
    p.drawRect(QRectF(20, 226, 216, 10));
    for (int i = 0; i < 3; ++i) {
        const double x = 88 + i * 40;
        p.setPen(QPen(QColor(0x42, 0x42, 0x42), 2));
        p.setBrush(i == 1 ? QColor(0x42, 0xa5, 0xf5) : QColor(0xff, 0xee, 0x58));
        p.drawRect(QRectF(x - 6, 60, 12, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x98, 0x00));
        p.drawEllipse(QPointF(x, 48), 7, 12);
    }
}

void gift(QPainter& p)
{
    p.setPen(QPen(QColor(0x1b, 0x5e, 0x20), 3));
    p.setBrush(QColor(0x43, 0xa0, 0x47));
    p.drawRect(QRectF(40, 110, 176, 126));
    p.drawRect(QRectF(30, 84, 196, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xfd, 0xd8, 0x35));
    p.drawRect(QRectF(116, 84, 24, 152));
    QPainterPath bow;
    bow.moveTo(128, 84);
    bow.cubicTo(70, 20, 60, 90, 128, 84);
    bow.cubicTo(196, 90, 186, 20, 128, 84);
    p.setPen(QPen(QColor(0xf9, 0xa8, 0x25), 3));
    p.drawPath(bow);
}

void partyHat(QPainter& p)
{
    QPolygonF cone;
    cone << QPointF(128, 24) << QPointF(50, 228) << QPointF(206, 228);
    p.setPen(QPen(QColor(0x4a, 0x14, 0x8c), 4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(QColor(0x7e, 0x57, 0xc2));
    p.drawPolygon(cone);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(110 + (i % 2) * 36, 90 + i * 35), 9, 9);
    p.setBrush(QColor(0xef, 0x53, 0x50));
    p.drawEllipse(QPointF(128, 24), 16, 16);
}

void gardenFlower(QPainter& p, const QColor& petals, int count)
{
    p.setPen(QPen(QColor(0x33, 0x69, 0x1e), 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(128, 128), QPointF(128, 250));
    drawLeaf(p, QPointF(128, 200), 70, -30, QColor(0x7c, 0xb3, 0x42));
    drawLeaf(p, QPointF(128, 220), 70, 210, QColor(0x7c, 0xb3, 0x42));
    drawFlower(p, QPointF(128, 100), 95, petals, QColor(0xff, 0xc1, 0x07), count);
}

void tulip(QPainter& p)
{
    p.setPen(QPen(QColor(0x33, 0x69, 0x1e), 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(128, 120), QPointF(128, 250));
    drawLeaf(p, QPointF(128, 230), 90, -60, QColor(0x7c, 0xb3, 0x42));
    QPainterPath bloom;
    bloom.moveTo(70, 50);
    bloom.lineTo(99, 80);
    bloom.lineTo(128, 40);
    bloom.lineTo(157, 80);
    bloom.lineTo(186, 50);
    bloom.cubicTo(196, 120, 170, 140, 128, 140);
    bloom.cubicTo(86, 140, 60, 120, 70, 50);
    p.setPen(QPen(QColor(0xad, 0x14, 0x57), 4));
    p.setBrush(QColor(0xec, 0x40, 0x7a));
    p.drawPath(bloom);
}

void bouquet(QPainter& p)
{
    p.setPen(QPen(QColor(0x33, 0x69, 0x1e), 6, Qt::SolidLine, Qt::FlatCap));
    for (int dx : { -50, 0, 50 })
        p.drawLine(QPointF(128 + dx, 90), QPointF(128, 240));
    drawFlower(p, QPointF(78, 90), 50, QColor(0xff, 0x8a, 0x65), QColor(0xff, 0xeb, 0x3b));
    drawFlower(p, QPointF(178, 90), 50, QColor(0xba, 0x68, 0xc8), QColor(0xff, 0xeb, 0x3b));
    drawFlower(p, QPointF(128, 62), 56, QColor(0xff, 0xff, 0xff), QColor(0xff, 0xb3, 0x00));
    QPolygonF wrap;
    wrap << QPointF(90, 150) << QPointF(166, 150) << QPointF(140, 240) << QPointF(116, 240);
    p.setPen(QPen(QColor(0xbc, 0xaa, 0xa4), 3));
    p.setBrush(QColor(0xef, 0xeb, 0xe9));
    p.drawPolygon(wrap);
}

void leafSprig(QPainter& p)
{
    p.setPen(QPen(QColor(0x33, 0x69, 0x1e), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 230), QPointF(220, 30));
    for (int i = 0; i < 5; ++i) {
        const QPointF at(60 + i * 36, 208 - i * 40);
        drawLeaf(p, at, 70, -100, QColor(0x66, 0xbb, 0x6a));
        drawLeaf(p, at, 70, 10, QColor(0x43, 0xa0, 0x47));
    }
}

bool save(const QImage& image, const QString& path, int quality = -1)
{
    if (image.save(path, nullptr, quality))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: card_art RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = root.mkpath(QStringLiteral("Background"));
    const QDir backgrounds(root.filePath(QStringLiteral("Background")));
    // JPEG for the soft gradients, PNG for flat colours that it keeps small and crisp.
    const struct
    {
        const char* name;
        QImage (*draw)();
    } cards[] = { { "Sky Glow.jpg", skyGradient }, { "Confetti.png", confetti }, { "Golden Frame.png", goldenBorder },
        { "Floral Corners.jpg", floralCorners }, { "Sunset Stripes.jpg", sunsetStripes },
        { "Balloon Party.jpg", balloonParty }, { "Starry Night.jpg", starryNight }, { "Polka Dots.png", polkaDots },
        { "Red Ribbon.png", ribbonFrame }, { "Sweet Hearts.jpg", heartsGarden } };
    for (const auto& card : cards)
        ok &= save(card.draw(), backgrounds.filePath(QString::fromLatin1(card.name)), 85);

    const struct
    {
        const char* category;
        const char* name;
        Drawing draw;
    } clips[] = {
        { "Party", "Red Balloon.png", [](QPainter& p) { balloon(p, QColor(0xe5, 0x39, 0x35)); } },
        { "Party", "Blue Balloon.png", [](QPainter& p) { balloon(p, QColor(0x1e, 0x88, 0xe5)); } },
        { "Party", "Yellow Balloon.png", [](QPainter& p) { balloon(p, QColor(0xfd, 0xd8, 0x35)); } },
        { "Party", "Green Balloon.png", [](QPainter& p) { balloon(p, QColor(0x43, 0xa0, 0x47)); } },
        { "Party", "Balloon Bunch.png", balloonBunch },
        { "Stars", "Gold Star.png", [](QPainter& p) { star(p, QColor(0xff, 0xc1, 0x07), 5, 0.45); } },
        { "Stars", "Silver Star.png", [](QPainter& p) { star(p, QColor(0xcf, 0xd8, 0xdc), 5, 0.45); } },
        { "Stars", "Eight Point Star.png", [](QPainter& p) { star(p, QColor(0x42, 0xa5, 0xf5), 8, 0.6); } },
        { "Stars", "Shooting Star.png", shootingStar },
        { "Stars", "Sparkles.png", sparkles },
        { "Hearts", "Red Heart.png", [](QPainter& p) { heart(p, QColor(0xe5, 0x39, 0x35)); } },
        { "Hearts", "Pink Heart.png", [](QPainter& p) { heart(p, QColor(0xf0, 0x62, 0x92)); } },
        { "Hearts", "Two Hearts.png", twoHearts },
        { "Hearts", "Heart and Arrow.png", heartWithArrow },
        { "Hearts", "Heart Outline.png", heartOutline },
        { "Party", "Birthday Cake.png", cake },
        { "Party", "Gift Box.png", gift },
        { "Party", "Party Hat.png", partyHat },
        { "Flowers", "Daisy.png", [](QPainter& p) { gardenFlower(p, QColor(0xff, 0xff, 0xff), 10); } },
        { "Flowers", "Pink Flower.png", [](QPainter& p) { gardenFlower(p, QColor(0xf4, 0x8f, 0xb1), 6); } },
        { "Flowers", "Tulip.png", tulip },
        { "Flowers", "Bouquet.png", bouquet },
        { "Flowers", "Leaf Sprig.png", leafSprig },
    };
    for (const auto& item : clips) {
        const QString folder = QStringLiteral("LibraryImage/") + QString::fromLatin1(item.category);
        ok &= root.mkpath(folder);
        ok &= save(clip(item.draw), QDir(root.filePath(folder)).filePath(QString::fromLatin1(item.name)));
    }
    return ok ? 0 : 1;
}
