#include "barcodes/NKDBarcodeOffscreenView.h"

#include "barcodes/PrintOperationScope.h"
#include "common/Logging.h"

#include <QPainter>

#include <chrono>
#include <system_error>
#include <thread>

namespace {

constexpr std::chrono::milliseconds pollInterval(10);

} // namespace

Picture NKDBarcodeOffscreenView::recordRect(const QRectF& rect) const
{
    if (rect.isEmpty())
        return {};
    return Picture::record(rect.size(), [&](QPainter& painter) {
        painter.translate(-rect.topLeft());
        drawRect(painter);
    });
}

Picture NKDBarcodeOffscreenView::dataWithPDFInsideRect(const QRectF& rect)
{
    if (!PrintOperationScope::isCurrent())
        return recordRect(rect);

    Picture output;
    doneRendering_.store(false, std::memory_order_release);
    std::thread worker;
    try {
        worker = std::thread([this, rect, &output] {
            output = recordRect(rect);
            doneRendering_.store(true, std::memory_order_release);
        });
    } catch (const std::system_error& error) {
        Show_NSLog_Message(QStringLiteral("Barcode picture not made: %1").arg(QString::fromLocal8Bit(error.what())));
        return {};
    }
    while (!doneRendering())
        std::this_thread::sleep_for(pollInterval);
    worker.join();
    return output;
}
