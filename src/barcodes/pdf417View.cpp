#include "barcodes/pdf417View.h"

#include "barcodes/pdf417Images.h"
#include "common/Logging.h"

namespace {

// The bar height the picture gets when the view has no size yet, in modules per row.
constexpr double NATURAL_ROW_MODULES = 3.0;

QByteArray symbolBytes(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xff)
            return text.toUtf8();
    }
    return text.toLatin1();
}

void encode(pdf417param& p, const QString& text, int errorLevel)
{
    pdf417init(p);
    p.text = symbolBytes(text);
    p.lenText = int(p.text.size());
    p.options = PDF417_USE_ERROR_LEVEL | PDF417_INVERT_BITMAP;
    p.errorLevel = errorLevel;
    p.aspectRatio = 1.0f;
    paintCode(p);
}

} // namespace

bool pdf417View::holds(const QString& text, int errorLevel)
{
    pdf417param p;
    encode(p, text, errorLevel);
    return p.error == PDF417_ERROR_NONE;
}

pdf417View::pdf417View(const QSizeF& frameSize)
    : bounds(frameSize)
{
    _drawEmptyString();
}

void pdf417View::setFrameSize(const QSizeF& size)
{
    bounds = size;
}

QSizeF pdf417View::frameSize() const
{
    return bounds;
}

int pdf417View::drawWithText(const QString& text)
{
    if (text.isEmpty()) {
        _drawEmptyString();
        return imageState;
    }
    encode(p, text, errorLevel);
    if (p.error != PDF417_ERROR_NONE) {
        Show_NSLog_Message(QStringLiteral("Error encountered while drawing barcode, error %1.").arg(p.error));
        // The previous symbol must not stand in for this value.
        _eraseOldDrawing();
        imageState = EncodingFailed;
        return imageState;
    }
    showBitImage(pdf417BitImage(p));
    imageState = ImageReady;
    return imageState;
}

void pdf417View::showBitImage(const QImage& image)
{
    bitImage = image;
    QSizeF size = bounds;
    if (size.isEmpty())
        size = QSizeF(image.width(), image.height() * NATURAL_ROW_MODULES);
    pdf417Image = pdf417Picture(image, size);
}

int pdf417View::getImageState() const
{
    return imageState;
}

Picture pdf417View::getImage() const
{
    return pdf417Image;
}

QImage pdf417View::getBitImage() const
{
    return bitImage;
}

const pdf417param& pdf417View::encoding() const
{
    return p;
}

void pdf417View::setErrorLevel(int level)
{
    errorLevel = level;
    Show_Debug_Message(QStringLiteral("ErrorLevel set to %1").arg(level));
}

int pdf417View::getErrorLevel() const
{
    return errorLevel;
}

void pdf417View::toggleTargetState()
{
    isDragTarget = !isDragTarget;
    Show_Debug_Message(QStringLiteral("TargetState set to %1").arg(int(isDragTarget)));
}

void pdf417View::toggleSourceState()
{
    isDragSource = !isDragSource;
    Show_Debug_Message(QStringLiteral("SourceState set to %1").arg(int(isDragSource)));
}

bool pdf417View::getTargetState() const
{
    return isDragTarget;
}

bool pdf417View::getSourceState() const
{
    return isDragSource;
}

void pdf417View::_drawEmptyString()
{
    _eraseOldDrawing();
    imageState = NoText;
}

void pdf417View::_eraseOldDrawing()
{
    bitImage = QImage();
    pdf417Image = Picture();
    pdf417free(p);
}
