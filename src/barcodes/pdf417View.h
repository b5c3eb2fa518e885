#pragma once

#include "barcodes/pdf417param.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>

// The PDF417 symbol of the barcode window: encodes a string with the view's error level,
// keeps the symbol as a picture of the view's size, and archives its settings. It holds
// no widget; the barcode window shows what getImage() returns.
class pdf417View
{
public:
    enum ImageState { ImageReady = 0, NoText = 1, EncodingFailed = 2 };

    explicit pdf417View(const QSizeF& frameSize = QSizeF());

    // The size in points of the picture that drawWithText() makes.
    void setFrameSize(const QSizeF& size);
    QSizeF frameSize() const;

    // Encodes the text and returns the new image state. The text is encoded as ISO-8859-1
    // when every character fits, else as UTF-8.
    int drawWithText(const QString& text);
    int getImageState() const;
    // Whether drawWithText() would make a symbol of the text at the level; logs nothing.
    static bool holds(const QString& text, int errorLevel);
    // The symbol stretched over the frame; null unless the last drawWithText() made one.
    Picture getImage() const;
    // The symbol with one pixel per module (see pdf417BitImage); null as getImage() is.
    QImage getBitImage() const;
    // Columns, rows and error level of the last symbol made.
    const pdf417param& encoding() const;

    void setErrorLevel(int level);
    int getErrorLevel() const;
    void toggleTargetState();
    void toggleSourceState();
    bool getTargetState() const;
    bool getSourceState() const;

    // Settings, state and symbol as a sequential archive.
    QByteArray encodeWithCoder() const;
    // A view from an archive; null, with the reason in *error, for data that is not one.
    static std::unique_ptr<pdf417View> initWithCoder(const QByteArray& archive, QString* error = nullptr);

private:
    void _drawEmptyString();
    void _eraseOldDrawing();
    void showBitImage(const QImage& bitImage);

    QSizeF bounds;
    int errorLevel = 2;
    bool isDragTarget = false;
    bool isDragSource = false;
    int imageState = NoText;
    QImage bitImage;
    Picture pdf417Image;
    pdf417param p;
};
