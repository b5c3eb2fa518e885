#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTZoomingScrollView.h"
#include "model/CardGlobals.h"
#include "model/ModelHooks.h"
#include "render/CardBasePainter.h"
#include "render/GraphicsRenderingInstaller.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QThread>

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
    // Objects drawn by export, print or mail workers ask for redraws too; the window is
    // only touched on the GUI thread.
    ModelHooks::setRefreshCanvas([] {
        const auto refresh = [] {
            if (SKTWindowController* main = defaultInstance())
                main->Refresh_Canvas();
        };
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        if (QThread::currentThread() == app->thread())
            refresh();
        else
            QMetaObject::invokeMethod(app, refresh, Qt::QueuedConnection);
    });
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
