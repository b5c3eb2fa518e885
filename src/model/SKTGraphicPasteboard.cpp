#include "model/SKTGraphicPasteboard.h"

#include "common/Logging.h"
#include "model/GraphicsRendering.h"
#include "model/SKTImage.h"
#include "platform/PropertyList.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

#include <typeinfo>

namespace SKTGraphicPasteboard {

PlistArray propertiesWithGraphics(const Graphics& graphics)
{
    PlistArray archives;
    archives.reserve(graphics.size());
    for (const SKTGraphicPtr& graphic : graphics)
        archives.emplace_back(graphic->archivedData());
    return archives;
}

QByteArray pasteboardDataWithGraphics(const Graphics& graphics)
{
    return PropertyList::write(PlistValue(propertiesWithGraphics(graphics)), PropertyList::Format::Binary);
}

Graphics graphicsWithPasteboardData(const QByteArray& data, SKTError* error)
{
    QString reason;
    const PlistValue root = PropertyList::read(data, &reason);
    if (!root.isArray()) {
        if (error)
            *error = SKTErrorWithCode(2);
        Show_NSLog_Message(QStringLiteral("Clipboard data refused: ") +
                           (reason.isEmpty() ? QStringLiteral("its root is not an array") : reason));
        return {};
    }
    return graphicsWithProperties(root.toArray());
}

Graphics graphicsWithProperties(const PlistArray& archives)
{
    Graphics graphics;
    for (const PlistValue& archive : archives) {
        if (!archive.isData())
            continue;
        QString reason;
        SKTGraphicPtr graphic = SKTGraphic::unarchive(archive.toData(), &reason);
        if (!graphic) {
            Show_NSLog_Message(QStringLiteral("A pasted card object was skipped: ") + reason);
            continue;
        }
        // Exactly an image, not a signature: it loads its picture again from its file.
        if (typeid(*graphic) == typeid(SKTImage)) {
            Show_Debug_Message(graphic->_file_path);
            if (QFileInfo(graphic->_file_path).isFile())
                graphic->setFilePath(graphic->_file_path);
        }
        graphics.append(graphic);
    }
    return graphics;
}

void Paste_Location_Of_Graphics(const Graphics& graphics, double x, double y, const QString& cardSide,
                                const std::function<QPointF(const QString& cardSide)>& nextPosition)
{
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        QPointF position(x, y);
        if (i > 0 && nextPosition)
            position = nextPosition(cardSide);
        const SKTGraphicPtr& graphic = graphics[i];
        if (graphic->ctrl_is_locked)
            continue;
        QRectF bounds = graphic->bounds();
        bounds.moveTopLeft(position);
        graphic->setBounds(bounds);
    }
}

void writeToClipboard(const Graphics& graphics)
{
    auto* mime = new QMimeData;
    mime->setData(SKTGraphicViewPasteboardType, pasteboardDataWithGraphics(graphics));
    const GraphicsRendering& rendering = graphicsRendering();
    if (rendering.pdfOfGraphics) {
        const QByteArray pdf = rendering.pdfOfGraphics(graphics);
        if (!pdf.isEmpty())
            mime->setData(QStringLiteral("application/pdf"), pdf);
    }
    if (rendering.tiffOfGraphics) {
        int errorCode = 0;
        const QByteArray tiff = rendering.tiffOfGraphics(graphics, &errorCode);
        if (!tiff.isEmpty())
            mime->setData(QStringLiteral("image/tiff"), tiff);
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool clipboardHasGraphics()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasFormat(SKTGraphicViewPasteboardType);
}

Graphics readFromClipboard(SKTError* error)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(SKTGraphicViewPasteboardType))
        return {};
    return graphicsWithPasteboardData(mime->data(SKTGraphicViewPasteboardType), error);
}

} // namespace SKTGraphicPasteboard
