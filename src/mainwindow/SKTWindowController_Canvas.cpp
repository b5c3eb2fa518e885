#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "inspector/ImagePage.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"
#include "model/ModelHooks.h"
#include "render/CardBasePainter.h"
#include "render/GraphicsRenderingInstaller.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QThread>

#include <functional>

void SKTWindowController::buildCanvases()
{
    sides_ = new QStackedWidget;
    const auto addSide = [this](SKTDocument::Side side, SKTZoomingScrollView*& scroll) {
        auto* canvas = new SKTGraphicView(*document_, side, *this);
        scroll = new SKTZoomingScrollView;
        scroll->setDocumentView(canvas);
        connect(scroll, &SKTZoomingScrollView::factorChosen, this, &SKTWindowController::setZoomFactor);
        sides_->addWidget(scroll);
        return canvas;
    };
    _graphicView = addSide(SKTDocument::Side::Front, _zoomingScrollView);
    _graphicView_BACK = addSide(SKTDocument::Side::Back, _zoomingScrollView_BACK);
    _graphicView_TEMP = addSide(SKTDocument::Side::Temp, _zoomingScrollView_TEMP);
}

namespace {

// Runs an action on the main window on the GUI thread: at once there, queued from a worker.
void onGuiThread(const std::function<void(SKTWindowController&)>& action)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const auto run = [action] {
        if (SKTWindowController* main = SKTWindowController::defaultInstance())
            action(*main);
    };
    if (QThread::currentThread() == app->thread())
        run();
    else
        QMetaObject::invokeMethod(app, run, Qt::QueuedConnection);
}

} // namespace

void SKTWindowController::installModelHooks()
{
    // Pictures of objects made outside the canvas (clipboard, document data) draw on the
    // base of the side being edited.
    GraphicsRenderingInstaller::install([] {
        const SKTWindowController* main = defaultInstance();
        if (!main)
            return CardSideBase {};
        return GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(
            main->Front_card_Prop, main->Back_card_Prop, main->frontCanvasBounds());
    });
    // A new image or signature starts from neutral adjustments on the image page.
    ModelHooks::setResetImageEditingControls([] {
        onGuiThread([](SKTWindowController& main) { main.inspector().image_tab->Reset_Image_Editing_Controls(); });
    });
    // Objects drawn by export, print or mail workers ask for redraws too; the window is
    // only touched on the GUI thread.
    ModelHooks::setRefreshCanvas([] { onGuiThread([](SKTWindowController& main) { main.Refresh_Canvas(); }); });
}

SKTGraphicView* SKTWindowController::canvasOfSide(SKTDocument::Side side) const
{
    switch (side) {
    case SKTDocument::Side::Front:
        return _graphicView;
    case SKTDocument::Side::Back:
        return _graphicView_BACK;
    default:
        return _graphicView_TEMP;
    }
}

SKTGraphicView* SKTWindowController::currentCanvas() const
{
    return Card_Front_Or_Back == 0 ? _graphicView : _graphicView_BACK;
}

QRectF SKTWindowController::frontCanvasBounds() const
{
    return _graphicView ? QRectF(QPointF(), _graphicView->cardSize()) : QRectF();
}

void SKTWindowController::setZoomFactor(double factor)
{
    _zoomFactor = factor;
    for (SKTZoomingScrollView* scroll : { _zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP })
        scroll->setFactor(factor);
}

void SKTWindowController::Refresh_Canvas()
{
    if (Card_Value_In_Process)
        return;
    currentCanvas()->Refresh_Canvas();
}

void SKTWindowController::Card_Base_Drawing(QPainter& painter, const QRectF& rect)
{
    const Card_Property& card = Card_Front_Or_Back == 0 ? *Front_card_Prop : *Back_card_Prop;
    CardBasePainter::Card_Base_Drawing(painter, rect, card, Card_Shape, frontCanvasBounds());
}
