#include "barcodes/pdf417View.h"

#include "barcodes/pdf417Images.h"
#include "common/Logging.h"

#include <QDataStream>
#include <QIODevice>

#include <cmath>
#include <cstring>

namespace {

constexpr char ARCHIVE_TAG[] = "pdf417View";
constexpr int ARCHIVE_TAG_LENGTH = sizeof(ARCHIVE_TAG) - 1;
constexpr qint32 ARCHIVE_VERSION = 1;
// Larger than any card, small enough to keep the picture arithmetic sane.
constexpr double MAX_FRAME_POINTS = 100000.0;

// A symbol of 1 to 30 data columns, each 17 modules wide, between start and stop patterns
// and row indicators; 3 to 90 rows. The range comes first: archived sizes are arbitrary.
bool validSymbolSize(qint32 width, qint32 height)
{
    constexpr qint32 narrowest = 17 * (1 + 3) + 18;
    constexpr qint32 widest = 17 * (30 + 3) + 18;
    return height >= 3 && height <= 90 && width >= narrowest && width <= widest && (width - 18) % 17 == 0;
}

} // namespace

QByteArray pdf417View::encodeWithCoder() const
{
    QByteArray archive;
    QDataStream out(&archive, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out.writeRawData(ARCHIVE_TAG, ARCHIVE_TAG_LENGTH);
    out << ARCHIVE_VERSION << bounds.width() << bounds.height();
    out << qint32(errorLevel) << quint8(isDragTarget) << quint8(isDragSource) << qint32(imageState);
    // The symbol as its bit image, 0 x 0 when there is none.
    out << qint32(bitImage.width()) << qint32(bitImage.height());
    const int bytesPerRow = (bitImage.width() + 7) / 8;
    for (int y = 0; y < bitImage.height(); ++y)
        out.writeRawData(reinterpret_cast<const char*>(bitImage.constScanLine(y)), bytesPerRow);
    return archive;
}

std::unique_ptr<pdf417View> pdf417View::initWithCoder(const QByteArray& archive, QString* error)
{
    Show_Debug_Message(QStringLiteral("unarchiving pdf417View"));
    auto fail = [error](const QString& reason) -> std::unique_ptr<pdf417View> {
        if (error)
            *error = QStringLiteral("The PDF417 view could not be read: %1.").arg(reason);
        return nullptr;
    };
    QDataStream in(archive);
    in.setVersion(QDataStream::Qt_6_0);
    char tag[ARCHIVE_TAG_LENGTH];
    qint32 version = 0;
    if (in.readRawData(tag, ARCHIVE_TAG_LENGTH) != ARCHIVE_TAG_LENGTH || std::memcmp(tag, ARCHIVE_TAG, ARCHIVE_TAG_LENGTH) != 0)
        return fail(QStringLiteral("it is not a PDF417 view"));
    in >> version;
    if (in.status() != QDataStream::Ok || version != ARCHIVE_VERSION)
        return fail(QStringLiteral("unknown version"));

    double width = 0;
    double height = 0;
    qint32 level = 0;
    quint8 target = 0;
    quint8 source = 0;
    qint32 state = 0;
    qint32 symbolWidth = 0;
    qint32 symbolHeight = 0;
    in >> width >> height >> level >> target >> source >> state >> symbolWidth >> symbolHeight;
    if (in.status() != QDataStream::Ok)
        return fail(QStringLiteral("it is cut short"));
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0 || height < 0 || width > MAX_FRAME_POINTS
        || height > MAX_FRAME_POINTS)
        return fail(QStringLiteral("the frame size is out of range"));
    if (target > 1 || source > 1)
        return fail(QStringLiteral("a drag flag is neither on nor off"));
    if (state != ImageReady && state != NoText && state != EncodingFailed)
        return fail(QStringLiteral("the image state is unknown"));
    const bool hasSymbol = symbolWidth != 0 || symbolHeight != 0;
    if (hasSymbol && !validSymbolSize(symbolWidth, symbolHeight))
        return fail(QStringLiteral("the symbol size is not a PDF417 size"));
    if (hasSymbol != (state == ImageReady))
        return fail(QStringLiteral("the image state does not match the symbol"));

    auto view = std::make_unique<pdf417View>(QSizeF(width, height));
    view->errorLevel = level;
    view->isDragTarget = target != 0;
    view->isDragSource = source != 0;
    view->imageState = state;
    if (hasSymbol) {
        QImage bits(symbolWidth, symbolHeight, QImage::Format_Mono);
        bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        const int bytesPerRow = (symbolWidth + 7) / 8;
        for (int y = 0; y < symbolHeight; ++y) {
            if (in.readRawData(reinterpret_cast<char*>(bits.scanLine(y)), bytesPerRow) != bytesPerRow)
                return fail(QStringLiteral("the symbol is cut short"));
        }
        view->showBitImage(bits);
    }
    if (!in.atEnd())
        return fail(QStringLiteral("it has data after its end"));
    return view;
}
