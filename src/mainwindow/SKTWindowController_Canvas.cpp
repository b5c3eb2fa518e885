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
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <atomic>

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
    // The scratch list holds the objects of the side it shows, so every edit shows there.
    connect(document_.get(), &SKTDocument::graphicsChanged, this, [this](SKTDocument::Side side) {
        if (scratchSideShown() && side == _graphicView_TEMP->editedSide())
            document_->setGraphicsOfSide(SKTDocument::Side::Temp, document_->graphicsOfSide(side));
    });
}

bool SKTWindowController::scratchSideShown() const
{
    return sides_ && sides_->currentIndex() == 2;
}

namespace {

// Requests from export, print or mail workers drawing their own copies of objects. A worker
// only raises a flag and the GUI thread takes the flags up on a timer: nothing made on a
// worker crosses threads, and a batch of cards asks for one redraw, not one per object.
std::atomic<bool> canvasRefreshRequested { false };
std::atomic<bool> imageControlsResetRequested { false };
constexpr int workerRequestsIntervalMs = 100;

bool onGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
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
        if (!onGuiThread())
            imageControlsResetRequested = true;
        else if (SKTWindowController* main = defaultInstance())
            main->inspector().image_tab->Reset_Image_Editing_Controls();
    });
    ModelHooks::setRefreshCanvas([] {
        if (!onGuiThread())
            canvasRefreshRequested = true;
        else if (SKTWindowController* main = defaultInstance())
            main->Refresh_Canvas();
    });
    auto* workerRequests = new QTimer(QCoreApplication::instance());
    workerRequests->setInterval(workerRequestsIntervalMs);
    QObject::connect(workerRequests, &QTimer::timeout, [] {
        SKTWindowController* main = defaultInstance();
        if (imageControlsResetRequested.exchange(false) && main)
            main->inspector().image_tab->Reset_Image_Editing_Controls();
        if (canvasRefreshRequested.exchange(false) && main)
            main->Refresh_Canvas();
    });
    workerRequests->start();
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
    // The scratch canvas edits the current side: commands act on the selection the user sees.
    if (scratchSideShown())
        return _graphicView_TEMP;
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

void SKTWindowController::selectionDidChange(const SKTGraphicView& canvas)
{
    // A design being loaded shows the card once it is whole.
    if (inspector_ && !fillingPanel_ && !Not_Draw_Only_Prop_Change && &canvas == currentCanvas()) {
        const QScopedValueRollback filling(fillingPanel_, true);
        showCurrentSelection();
    }
    updateLayoutActions();
}

void SKTWindowController::Card_Base_Drawing(QPainter& painter, const QRectF& rect)
{
    const Card_Property& card = Card_Front_Or_Back == 0 ? *Front_card_Prop : *Back_card_Prop;
    CardBasePainter::Card_Base_Drawing(painter, rect, card, Card_Shape, frontCanvasBounds());
}
