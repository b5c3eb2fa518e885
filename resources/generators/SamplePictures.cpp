// Draws the placeholder pictures of new card objects into a folder:
//   no.png              image object without a picture, 100 x 100 points
//   sign_sample.png     signature sample, 100 x 50 points
//   fingerprints.png    fingerprint sample, 50 x 50 points
//   barcode_sample.png  barcode sample (a valid EAN-13), 120 x 60 points
// Each is drawn at 4 pixels per point (288 dpi) and says so in its file, so it stays sharp
// when a card is printed.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cmath>
#include <cstdio>

namespace {

constexpr int pixelsPerPoint = 4;

QImage canvas(int widthPoints, int heightPoints, const QColor& background)
{
    QImage image(widthPoints * pixelsPerPoint, heightPoints * pixelsPerPoint, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    const int dotsPerMeter = int(std::lround(72.0 * pixelsPerPoint / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// Paints in points on the picture.
void beginPoints(QPainter& painter, QImage& image)
{
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(pixelsPerPoint, pixelsPerPoint);
}

// Sized in the painter's point units: the scale makes it sharp.
QFont sansFont(int sizeInPoints, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(sizeInPoints);
    font.setBold(bold);
    return font;
}

// A light grey card with a framed landscape icon and "No Image".
QImage noImage()
{
    QImage image = canvas(100, 100, QColor(0xf4, 0xf4, 0xf4));
    QPainter painter;
    beginPoints(painter, image);
    painter.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2, 2, 96, 96), 6, 6);

    const QColor icon(0xb4, 0xb4, 0xb4);
    const QRectF frame(27, 20, 46, 36);
    painter.setPen(QPen(icon, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawRoundedRect(frame, 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(icon);
    painter.drawEllipse(QPointF(62, 30), 4.5, 4.5); // the sun
    QPainterPath hills;
    hills.moveTo(31, 52);
    hills.lineTo(44, 35);
    hills.lineTo(53, 46);
    hills.lineTo(58, 40);
    hills.lineTo(69, 52);
    hills.closeSubpath();
    painter.drawPath(hills);

    painter.setPen(QColor(0x8c, 0x8c, 0x8c));
    painter.setFont(sansFont(11, true));
    painter.drawText(QRectF(0, 62, 100, 20), Qt::AlignCenter, QStringLiteral("No Image"));
    return image;
}

// A flowing, pen-like stroke with loops and an underline flourish on a clear background.
QImage signatureSample()
{
    QImage image = canvas(100, 50, Qt::transparent);
    QPainter painter;
    beginPoints(painter, image);
    const QColor ink(0x1d, 0x2b, 0x64);

    QPainterPath writing;
    writing.moveTo(8, 34);
    writing.cubicTo(10, 18, 16, 8, 20, 10);
    writing.cubicTo(24, 12, 18, 30, 14, 36);
    writing.cubicTo(20, 26, 26, 22, 28, 28);
    writing.cubicTo(29, 33, 33, 33, 36, 27);
    writing.cubicTo(38, 22, 43, 22, 42, 28);
    writing.cubicTo(41, 34, 36, 33, 38, 28);
    writing.cubicTo(41, 22, 46, 20, 48, 26);
    writing.cubicTo(50, 32, 52, 34, 55, 28);
    writing.cubicTo(58, 20, 62, 6, 66, 9);
    writing.cubicTo(69, 12, 62, 28, 60, 34);
    writing.cubicTo(64, 26, 68, 24, 70, 29);
    writing.cubicTo(72, 34, 76, 33, 79, 27);
    writing.cubicTo(81, 23, 85, 24, 84, 29);
    writing.cubicTo(83, 33, 88, 33, 92, 26);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(writing);

    QPainterPath flourish;
    flourish.moveTo(12, 42);
    flourish.cubicTo(35, 38, 65, 37, 90, 40);
    painter.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(flourish);
    return image;
}

// Ridges as broken concentric arcs about a core, inside the oval of a finger tip.
QImage fingerprintSample()
{
    QImage image = canvas(50, 50, Qt::transparent);
    QPainter painter;
    beginPoints(painter, image);
    QPainterPath tip;
    tip.addEllipse(QRectF(8, 3, 34, 44));
    painter.setClipPath(tip);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x3c, 0x3c, 0x44), 1.05, Qt::SolidLine, Qt::RoundCap));

    const QPointF core(25, 24);
    for (int ridge = 0; ridge < 14; ++ridge) {
        const double rx = 2.0 + ridge * 1.75;
        const double ry = 3.0 + ridge * 2.1;
        const QRectF box(core.x() - rx, core.y() - ry, 2 * rx, 2 * ry);
        // Each ridge leaves a gap that wanders round the core, as real ridges end and fork.
        const int gapAt = (ridge * 67 + 200) % 360;
        const int gap = 18 + (ridge % 3) * 10;
        painter.drawArc(box, (gapAt + gap) * 16, (360 - 2 * gap) * 16);
        if (ridge > 3 && ridge % 4 == 0)
            painter.drawArc(box, gapAt * 16, (gap / 2) * 16);
    }
    return image;
}

// EAN-13 bars of a valid number with its digits underneath.
QString ean13Modules(const QString& digits)
{
    static const char* left[2][10] = {
        {"0001101", "0011001", "0010011", "0111101", "0100011", "0110001", "0101111", "0111011", "0110111", "0001011"},
        {"0100111", "0110011", "0011011", "0100001", "0011101", "0111001", "0000101", "0010001", "0001001", "0010111"}};
    static const char* right[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                    "1001110", "1010000", "1000100", "1001000", "1110100"};
    static const char* parity[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                     "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
    const int first = digits[0].digitValue();
    QString modules = QStringLiteral("101");
    for (int i = 1; i <= 6; ++i)
        modules += QString::fromLatin1(left[parity[first][i - 1] == 'G'][digits[i].digitValue()]);
    modules += QStringLiteral("01010");
    for (int i = 7; i <= 12; ++i)
        modules += QString::fromLatin1(right[digits[i].digitValue()]);
    modules += QStringLiteral("101");
    return modules;
}

QString withCheckDigit(const QString& twelveDigits)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelveDigits[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return twelveDigits + QString::number((10 - sum % 10) % 10);
}

QImage barcodeSample()
{
    QImage image = canvas(120, 60, Qt::white);
    const QString number = withCheckDigit(QStringLiteral("123456789012"));
    const QString modules = ean13Modules(number);
    QPainter painter(&image);
    // Whole pixels per module keep the bars crisp and readable by scanners.
    const int module = 4;
    const int left = (image.width() - int(modules.size()) * module) / 2;
    const int top = 16;
    const int barHeight = 170;
    const int guardExtra = 22;
    auto isGuard = [](int index) { return index < 3 || (index >= 45 && index < 50) || index >= 92; };
    for (int i = 0; i < modules.size(); ++i)
        if (modules[i] == QLatin1Char('1'))
            painter.fillRect(left + i * module, top, module, barHeight + (isGuard(i) ? guardExtra : 0), Qt::black);

    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int textTop = top + barHeight + 2;
    const QRectF firstDigit(left - 11 * module + 8, textTop, 8 * module, 34);
    painter.drawText(firstDigit, Qt::AlignRight | Qt::AlignTop, number.left(1));
    painter.drawText(QRectF(left + 3 * module, textTop, 42 * module, 34), Qt::AlignCenter | Qt::AlignTop, number.mid(1, 6));
    painter.drawText(QRectF(left + 50 * module, textTop, 42 * module, 34), Qt::AlignCenter | Qt::AlignTop, number.mid(7, 6));
    return image;
}

bool save(const QImage& image, const QDir& folder, const char* name)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
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
    const bool written = save(noImage(), folder, "no.png") && save(signatureSample(), folder, "sign_sample.png")
        && save(fingerprintSample(), folder, "fingerprints.png") && save(barcodeSample(), folder, "barcode_sample.png");
    return written ? 0 : 1;
}
