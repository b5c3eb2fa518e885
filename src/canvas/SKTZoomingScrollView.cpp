#include "canvas/SKTZoomingScrollView.h"

#include "canvas/CardRuler.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SWCenteringClipView.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

SKTZoomingScrollView::SKTZoomingScrollView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setViewport(new SWCenteringClipView);
    // The pop-up sits beside the horizontal scroll bar, so that bar is always there.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    validateFactorPopUpButton();
    horizontalRuler_ = new CardRuler(Qt::Horizontal, this);
    verticalRuler_ = new CardRuler(Qt::Vertical, this);
    horizontalRuler_->hide();
    verticalRuler_->hide();
}

void SKTZoomingScrollView::setRulersVisible(bool visible)
{
    const int margin = visible ? CardRuler::thickness : 0;
    setViewportMargins(margin, margin, 0, 0);
    horizontalRuler_->setVisible(visible);
    verticalRuler_->setVisible(visible);
    layoutRulers();
}

bool SKTZoomingScrollView::rulersVisible() const
{
    return !horizontalRuler_->isHidden();
}

void SKTZoomingScrollView::echoBoundsOnRulers(const QRectF& bounds)
{
    horizontalRuler_->setMarkedBounds(bounds);
    verticalRuler_->setMarkedBounds(bounds);
}

void SKTZoomingScrollView::layoutRulers()
{
    if (horizontalRuler_->isHidden())
        return;
    const QRect clip = viewport()->geometry();
    horizontalRuler_->setGeometry(clip.left(), clip.top() - CardRuler::thickness, clip.width(), CardRuler::thickness);
    verticalRuler_->setGeometry(clip.left() - CardRuler::thickness, clip.top(), CardRuler::thickness, clip.height());
    // Where card point 0 is inside the clip view.
    const QPoint origin
        = canvas_ ? canvas_->mapToParent(canvas_->widgetPointFromCard(QPointF(0, 0)).toPoint()) : QPoint();
    horizontalRuler_->setOrigin(origin.x(), factor_);
    verticalRuler_->setOrigin(origin.y(), factor_);
}

const QList<QPair<double, QString>>& SKTZoomingScrollView::zoomFactors()
{
    static const QList<QPair<double, QString>> table
        = { { double(0.1f), QStringLiteral("10%") }, { 0.25, QStringLiteral("25%") }, { 0.5, QStringLiteral("50%") },
              { 0.75, QStringLiteral("75%") }, { 1.0, QStringLiteral("100%") }, { 1.25, QStringLiteral("125%") },
              { 1.5, QStringLiteral("150%") }, { 2.0, QStringLiteral("200%") }, { 4.0, QStringLiteral("400%") },
              { 8.0, QStringLiteral("800%") }, { 16.0, QStringLiteral("1600%") } };
    return table;
}

SWCenteringClipView* SKTZoomingScrollView::clipView() const
{
    return static_cast<SWCenteringClipView*>(viewport());
}

void SKTZoomingScrollView::validateFactorPopUpButton()
{
    if (factorPopUp_)
        return;
    factorPopUp_ = new QComboBox;
    QFont small = factorPopUp_->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2.0));
    factorPopUp_->setFont(small);
    for (const auto& [factor, label] : zoomFactors())
        factorPopUp_->addItem(label, factor);
    factorPopUp_->setCurrentIndex(4);
    // Sized to its labels: the scroll bar beside it keeps the rest of the width.
    factorPopUp_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    addScrollBarWidget(factorPopUp_, Qt::AlignLeft);
    connect(factorPopUp_, &QComboBox::activated, this, [this](int index) {
        const double chosen = factorPopUp_->itemData(index).toDouble();
        setFactor(chosen);
        emit factorChosen(chosen);
    });
}

void SKTZoomingScrollView::setDocumentView(SKTGraphicView* canvas)
{
    if (canvas_)
        canvas_->removeEventFilter(this);
    canvas_ = canvas;
    canvas->setParent(viewport());
    canvas->installEventFilter(this);
    clipView()->setDocumentView(canvas);
    // A canvas is first the card alone: an opened design's far objects then scroll to it.
    cardOrigin_ = QPointF(0, 0);
    originFactor_ = factor_;
    canvas->setZoomFactor(factor_);
    canvas->show();
    keepCardInPlace();
}

void SKTZoomingScrollView::setFactor(double factor)
{
    if (!(factor > 0.0))
        return;
    factor_ = factor;
    {
        const QSignalBlocker blocker(factorPopUp_);
        const int row = factorPopUp_->findData(factor);
        if (row >= 0)
            factorPopUp_->setCurrentIndex(row);
    }
    if (canvas_)
        canvas_->setZoomFactor(factor);
    updateScrollBars();
}

QSizeF SKTZoomingScrollView::clipBoundsSize() const
{
    return QSizeF(viewport()->size()) / factor_;
}

void SKTZoomingScrollView::updateScrollBars()
{
    if (!canvas_)
        return;
    const QSize document = canvas_->size();
    const QSize clip = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, document.width() - clip.width()));
    horizontalScrollBar()->setPageStep(clip.width());
    verticalScrollBar()->setRange(0, std::max(0, document.height() - clip.height()));
    verticalScrollBar()->setPageStep(clip.height());
    centerDocument();
}

void SKTZoomingScrollView::keepCardInPlace()
{
    if (!canvas_)
        return;
    const QPointF cardAt = canvas_->widgetPointFromCard(QPointF(0, 0));
    // A new zoom keeps the scroll position as it was.
    const QPoint shift = originFactor_ == factor_ ? (cardAt - cardOrigin_).toPoint() : QPoint();
    cardOrigin_ = cardAt;
    originFactor_ = factor_;
    const QPoint scrolled(horizontalScrollBar()->value() + shift.x(), verticalScrollBar()->value() + shift.y());
    updateScrollBars();
    horizontalScrollBar()->setValue(scrolled.x());
    verticalScrollBar()->setValue(scrolled.y());
}

void SKTZoomingScrollView::centerDocument()
{
    if (!canvas_)
        return;
    const QPointF origin = SWCenteringClipView::constrainScrollPoint(
        QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value()), QSizeF(canvas_->size()),
        QSizeF(viewport()->size()));
    canvas_->move(-int(origin.x()), -int(origin.y()));
    viewport()->update();
    layoutRulers();
}

bool SKTZoomingScrollView::viewportEvent(QEvent* event)
{
    // The clip view paints its own backdrop; the scroll area would paint nothing there.
    if (event->type() == QEvent::Paint)
        return false;
    return QAbstractScrollArea::viewportEvent(event);
}

bool SKTZoomingScrollView::eventFilter(QObject* watched, QEvent* event)
{
    // A new card size or zoom resizes the canvas: scroll ranges and centring follow.
    if (watched == canvas_ && event->type() == QEvent::Resize)
        keepCardInPlace();
    return QAbstractScrollArea::eventFilter(watched, event);
}

void SKTZoomingScrollView::mousePressEvent(QMouseEvent* event)
{
    // The canvas takes the clicks on the card; what reaches here fell beside it.
    if (event->button() == Qt::LeftButton && canvas_)
        canvas_->clearSelectionAndShowCard();
    QAbstractScrollArea::mousePressEvent(event);
}

void SKTZoomingScrollView::scrollContentsBy(int, int)
{
    centerDocument();
}

void SKTZoomingScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}
