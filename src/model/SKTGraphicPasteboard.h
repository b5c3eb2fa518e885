#pragma once

#include "model/SKTError.h"
#include "model/SKTGraphic.h"
#include "platform/PlistValue.h"

#include <QByteArray>
#include <QList>

#include <functional>

// Card objects as clipboard data: a binary property list whose root array holds one keyed
// archive per object.
inline const QString SKTGraphicViewPasteboardType = QStringLiteral("Apple Sketch 2 pasteboard type");

namespace SKTGraphicPasteboard {

using Graphics = QList<SKTGraphicPtr>;

QByteArray pasteboardDataWithGraphics(const Graphics& graphics);
// One archive (data) per object.
PlistArray propertiesWithGraphics(const Graphics& graphics);
// The objects read back; none, with error code 2, when the data is not a property list
// with an array at its root.
Graphics graphicsWithPasteboardData(const QByteArray& data, SKTError* error = nullptr);
// Reads each archive; an element that is not an archive of an object is dropped. An image
// object whose picture file still exists loads it again.
Graphics graphicsWithProperties(const PlistArray& archives);

// Places pasted objects: the first at (x, y), each later one at the next position that
// nextPosition (the main window's cascade for that side) hands out. Locked objects keep
// their archived position.
void Paste_Location_Of_Graphics(const Graphics& graphics, double x, double y, const QString& cardSide,
                                const std::function<QPointF(const QString& cardSide)>& nextPosition);

// The system clipboard: our format first, plus PDF and TIFF when the renderer offers them.
void writeToClipboard(const Graphics& graphics);
bool clipboardHasGraphics();
Graphics readFromClipboard(SKTError* error = nullptr);

} // namespace SKTGraphicPasteboard
