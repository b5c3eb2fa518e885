// Clipboard data in our own format pasted onto a canvas, then the side painted, hit and
// laid out: whatever the objects read from the data hold.
#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "model/SKTGraphicPasteboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void ensureWidgetApplication()
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    new QApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureWidgetApplication();
    auto* mime = new QMimeData;
    mime->setData(SKTGraphicViewPasteboardType, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    QGuiApplication::clipboard()->setMimeData(mime);

    SKTDocument document;
    DefaultCanvasHost host;
    SKTGraphicView view(document, SKTDocument::Side::Back, host);
    view.paste();
    view.selectAll();
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&target);
    view.graphicUnderPoint(QPointF(20, 20));
    view.alignWithGrid();
    view.alignformCenter();
    view.bringToFront();
    view.deleteSelection();
    return 0;
}
