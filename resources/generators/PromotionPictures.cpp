// Draws the banner tile, the promotion pattern tile and the three promotion pictures.
// Usage: promotion_pictures RESOURCES-FOLDER
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage canvas(int width, int height, QColor background)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(background);
    return image;
}

QImage bannerTile()
{
    QImage image = canvas(96, 56, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 56);
    sky.setColorAt(0, QColor(54, 104, 178));
    sky.setColorAt(1, QColor(96, 150, 214));
    painter.fillRect(image.rect(), sky);
    // Diagonal stripes that meet their neighbours across the tile's edges.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 10));
    for (int x = -96; x <= 192; x += 48)
        painter.drawLine(x, 56, x + 56, 0);
    return image;
}

QImage patternTile()
{
    QImage image = canvas(40, 40, QColor(246, 240, 228));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(226, 206, 170));
    painter.drawEllipse(QPointF(10, 10), 4, 4);
    painter.drawEllipse(QPointF(30, 30), 4, 4);
    return image;
}

void frame(QPainter& painter, QColor colour)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
}

QImage stickers()
{
    QImage image = canvas(256, 256, Qt::transparent);
    QPainter painter(&image);
    frame(painter, QColor(236, 94, 120));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(48, 40, 160, 176), 10, 10);
    const QColor dots[] = { QColor(250, 190, 60), QColor(90, 180, 120), QColor(80, 140, 220) };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            painter.setBrush(dots[(row + column) % 3]);
            painter.drawEllipse(QPointF(82 + column * 46, 80 + row * 48), 18, 18);
        }
    return image;
}

QImage receipts()
{
    QImage image = canvas(256, 256, Qt::transparent);
    QPainter painter(&image);
    frame(painter, QColor(70, 160, 120));
    QPainterPath paper;
    paper.moveTo(72, 36);
    paper.lineTo(184, 36);
    paper.lineTo(184, 216);
    for (int x = 184; x > 72; x -= 14) {
        paper.lineTo(x - 7, 206);
        paper.lineTo(x - 14, 216);
    }
    paper.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(paper);
    painter.setPen(QPen(QColor(120, 120, 120), 6, Qt::SolidLine, Qt::RoundCap));
    for (int y = 70; y <= 170; y += 25)
        painter.drawLine(92, y, y % 50 == 20 ? 164 : 140, y);
    return image;
}

QImage barcodes()
{
    QImage image = canvas(256, 256, Qt::transparent);
    QPainter painter(&image);
    frame(painter, QColor(60, 90, 170));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(40, 64, 176, 128), 10, 10);
    painter.setBrush(Qt::black);
    const int widths[] = { 4, 2, 6, 2, 3, 5, 2, 4, 2, 6, 3, 2, 4, 2, 5, 3, 2, 4 };
    double x = 58;
    for (size_t bar = 0; bar < std::size(widths); ++bar) {
        if (bar % 2 == 0)
            painter.drawRect(QRectF(x, 84, widths[bar], 88));
        x += widths[bar] + 2.5;
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: promotion_pictures RESOURCES-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const bool written = bannerTile().save(folder + QStringLiteral("banner.png"))
        && patternTile().save(folder + QStringLiteral("pattern_1.jpg"), "JPEG", 92)
        && stickers().save(folder + QStringLiteral("promotion_S.png"))
        && receipts().save(folder + QStringLiteral("promotion_R.png"))
        && barcodes().save(folder + QStringLiteral("promotion_B.png"));
    return written ? 0 : 1;
}
