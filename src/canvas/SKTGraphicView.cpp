#include "canvas/SKTGraphicView.h"

#include "canvas/CanvasHost.h"
#include "canvas/FittedNote.h"
#include "canvas/SKTGrid.h"
#include "model/CardEdge.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "render/CardBasePainter.h"
#include "render/CardClip.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QThread>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <unordered_set>

SKTGraphicView::SKTGraphicView(SKTDocument& document, Side side, CanvasHost& host, QWidget* parent)
    : QWidget(parent)
    , document_(document)
    , side_(side)
    , editedSide_(side)
    , host_(host)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setZoomFactor(1.0);
    connect(&document_, &SKTDocument::graphicsChanged, this, &SKTGraphicView::graphicsDidChange);
    if (SKTGrid* shared = grid())
        connect(shared, &SKTGrid::anyChanged, this, qOverload<>(&QWidget::update));
}

SKTGraphicView::~SKTGraphicView()
{
    endUndoGroupIfOpen();
}

SKTGrid* SKTGraphicView::grid() const
{
    return host_.grid();
}

void SKTGraphicView::setCardSize(const QSizeF& size)
{
    cardSize_ = size;
    fitToObjects();
}

void SKTGraphicView::setZoomFactor(double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return;
    factor_ = factor;
    fitToObjects();
}

void SKTGraphicView::fitToObjects()
{
    fitPending_ = false;
    if (tracking_.mode != Tracking::Mode::None)
        return;
    QRectF reach(QPointF(0, 0), cardSize_);
    for (const SKTGraphicPtr& graphic : graphics())
        if (graphic)
            reach = reach.united(graphic->drawingBounds());
    // Zoomed out, a handle is grabbed a few pixels around it: that room too.
    const double grab = 4.0 / factor_;
    if (reach != QRectF(QPointF(0, 0), cardSize_))
        reach.adjust(-grab, -grab, grab, grab);
    // Far-flung objects do not make a canvas larger than a widget may be.
    constexpr double maxPixels = 16000.0;
    const double limit = maxPixels / factor_;
    reach = reach.intersected(QRectF(-limit, -limit, cardSize_.width() + 2 * limit, cardSize_.height() + 2 * limit));
    const QPointF origin(std::ceil(-reach.left() * factor_), std::ceil(-reach.top() * factor_));
    const QSize size(std::max(1, int(std::ceil(origin.x() + reach.right() * factor_))),
        std::max(1, int(std::ceil(origin.y() + reach.bottom() * factor_))));
    if (origin == origin_ && size == this->size() && minimumSize() == maximumSize())
        return;
    origin_ = origin;
    setFixedSize(size);
    update();
    // The clip view draws the card's shadow where the card now is.
    if (parentWidget())
        parentWidget()->update();
}

void SKTGraphicView::fitToObjectsSoon()
{
    if (fitPending_)
        return;
    fitPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (fitPending_)
            fitToObjects();
    });
}

QPointF SKTGraphicView::cardPointFromWidget(const QPointF& widgetPoint) const
{
    return (widgetPoint - origin_) / factor_;
}

QPointF SKTGraphicView::widgetPointFromCard(const QPointF& cardPoint) const
{
    return cardPoint * factor_ + origin_;
}

QRectF SKTGraphicView::cardToWidget(const QRectF& rect) const
{
    return { rect.x() * factor_ + origin_.x(), rect.y() * factor_ + origin_.y(), rect.width() * factor_,
        rect.height() * factor_ };
}

QRectF SKTGraphicView::cardArea() const
{
    return cardToWidget(QRectF(QPointF(0, 0), cardSize_));
}

void SKTGraphicView::updateCard(const QRectF& cardRect)
{
    if (cardRect.isEmpty())
        return;
    // One pixel more on every side: antialiased edges reach past the exact rectangle.
    update(cardToWidget(cardRect).toAlignedRect().adjusted(-1, -1, 1, 1));
}

// ---- Objects and selection ----------------------------------------------------------------

const QColor SKTGraphicView::overflowWarningColour(255, 96, 0);

namespace {

// A text cut by its box or by the card's edge loses words or parts of letters, and a barcode
// past its box or the card's edge covers its neighbours or loses bars, on the canvas and on
// every card, with nothing else to show it: the outline says so. The canvas's alone.
void drawOverflowWarning(QPainter& painter, const SKTGraphic& graphic, const CardEdge& card)
{
    const auto* text = dynamic_cast<const SKTText*>(&graphic);
    const auto* barcode = dynamic_cast<const SKTBarcode*>(&graphic);
    if (text ? text->textFitsBounds(card) : !barcode || barcode->barcodeFitsBounds(card))
        return;
    QPen pen(SKTGraphicView::overflowWarningColour, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(barcode ? graphic.bounds().united(barcode->paintedBounds()) : graphic.bounds());
}

} // namespace

const SKTGraphicView::Graphics& SKTGraphicView::graphics() const
{
    return document_.graphicsOfSide(editedSide_);
}

void SKTGraphicView::setEditedSide(Side side)
{
    if (side == editedSide_)
        return;
    endUndoGroupIfOpen();
    const bool hadSelection = !selectedSet().empty();
    selection_.clear();
    _Selected_Graphic.reset();
    editedSide_ = side;
    update();
    if (hadSelection)
        host_.selectionDidChange(*this);
}

SKTGraphicPtr SKTGraphicView::graphicAt(int index) const
{
    const Graphics& list = graphics();
    return index >= 0 && index < list.size() ? list[index] : nullptr;
}

std::unordered_set<const SKTGraphic*> SKTGraphicView::selectedSet() const
{
    std::unordered_set<const SKTGraphic*> selected;
    for (const auto& weak : selection_) {
        if (auto graphic = weak.lock())
            selected.insert(graphic.get());
    }
    return selected;
}

QList<int> SKTGraphicView::selectionIndexes() const
{
    const std::unordered_set<const SKTGraphic*> selected = selectedSet();
    QList<int> indexes;
    const Graphics& list = graphics();
    for (int i = 0; i < list.size() && !selected.empty(); ++i) {
        if (selected.count(list[i].get()))
            indexes.append(i);
    }
    return indexes;
}

SKTGraphicView::Graphics SKTGraphicView::selectedGraphics() const
{
    Graphics selected;
    for (int index : selectionIndexes())
        selected.append(graphics()[index]);
    return selected;
}

void SKTGraphicView::setSelection(const Graphics& graphicsToSelect)
{
    const Graphics before = selectedGraphics();
    selection_.clear();
    for (const auto& graphic : graphicsToSelect)
        selection_.push_back(graphic);
    const Graphics after = selectedGraphics();
    // Only the objects whose selection state changed are redrawn.
    for (const auto& graphic : before) {
        if (!after.contains(graphic))
            updateCard(graphic->drawingBounds());
    }
    for (const auto& graphic : after) {
        if (!before.contains(graphic))
            updateCard(graphic->drawingBounds());
    }
    if (after != before)
        host_.selectionDidChange(*this);
}

void SKTGraphicView::changeSelectionIndexes(const QList<int>& indexes)
{
    Graphics chosen;
    for (int index : indexes) {
        if (auto graphic = graphicAt(index))
            chosen.append(graphic);
    }
    setSelection(chosen);
}

QList<int> SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF& rect) const
{
    QList<int> indexes;
    if (rect.width() <= 0.0 || rect.height() <= 0.0)
        return indexes;
    const Graphics& list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list[i]->drawingBounds().intersects(rect))
            indexes.append(i);
    }
    return indexes;
}

void SKTGraphicView::pruneSelection()
{
    const Graphics& list = graphics();
    std::unordered_set<const SKTGraphic*> onSide;
    for (const auto& graphic : list)
        onSide.insert(graphic.get());
    const auto gone = [&](const std::weak_ptr<SKTGraphic>& weak) {
        auto graphic = weak.lock();
        return !graphic || !onSide.count(graphic.get());
    };
    const std::size_t before = selection_.size();
    selection_.erase(std::remove_if(selection_.begin(), selection_.end(), gone), selection_.end());
    if (gone(_Selected_Graphic))
        _Selected_Graphic.reset();
    if (selection_.size() != before)
        host_.selectionDidChange(*this);
}

void SKTGraphicView::graphicsDidChange(SKTDocument::Side side)
{
    if (side != editedSide_)
        return;
    pruneSelection();
    update();
    fitToObjectsSoon();
}

void SKTGraphicView::invalidateGraphics(const Graphics& graphicsToRedraw)
{
    for (const auto& graphic : graphicsToRedraw)
        updateCard(graphic->drawingBounds());
}

void SKTGraphicView::insertOnSide(const Graphics& graphicsToInsert, const QList<int>& indexes)
{
    document_.insertGraphicsOnSide(editedSide_, graphicsToInsert, indexes);
}

void SKTGraphicView::removeOnSide(const QList<int>& indexes)
{
    document_.removeGraphicsOnSide(editedSide_, indexes);
}

// ---- Redrawing ---------------------------------------------------------------------------

void SKTGraphicView::Refresh_Canvas()
{
    if (QThread::currentThread() != thread()) {
        QPointer<SKTGraphicView> self(this);
        QMetaObject::invokeMethod(
            this,
            [self] {
                if (self)
                    self->update();
            },
            Qt::QueuedConnection);
        return;
    }
    // Every object's drawing ends by asking for a redraw; honouring that while painting
    // would repaint forever.
    if (painting_)
        return;
    update();
    // An object moved or sized by a command may now reach further past the card.
    fitToObjectsSoon();
}

void SKTGraphicView::refresh()
{
    host_.Refresh_Canvas();
    Refresh_Canvas();
}

void SKTGraphicView::paintEvent(QPaintEvent* event)
{
    painting_ = true;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin_);
    painter.scale(factor_, factor_);
    const QRectF dirty = QRectF(event->rect()).adjusted(-1, -1, 1, 1);
    const QRectF rect(QPointF(cardPointFromWidget(dirty.topLeft())), dirty.size() / factor_);
    const QRectF card = rect.intersected(QRectF(QPointF(0, 0), cardSize_));

    // The base is the whole card's, clipped to the part redrawn: built on that part alone,
    // its border would frame whatever is in view when zoomed in.
    painter.save();
    painter.setClipRect(card, Qt::IntersectClip);
    host_.Card_Base_Drawing(painter, QRectF(QPointF(0, 0), cardSize_));
    painter.restore();
    if (SKTGrid* shared = grid())
        shared->drawRect(painter, card);

    const Graphics list = graphics(); // a drawing object may ask for changes; keep this pass's list
    const auto selected = selectedSet();
    const SKTGraphicPtr creating = _creatingGraphic.lock();
    const QRectF wholeCard(QPointF(0, 0), cardSize_);
    const int cardShape = Card_Shape.load();
    const CardEdge edge(wholeCard, cardShape);
    const QPainterPath outline = CardBasePainter::cardOutline(wholeCard, cardShape);
    for (int i = int(list.size()) - 1; i >= 0; --i) {
        const SKTGraphicPtr& graphic = list[i];
        const bool beingCreated = graphic == creating;
        const SKTGraphicPtr shown
            = !graphic->ctrl_is_visible || beingCreated ? graphic : host_.shownOnFirstCard(graphic);
        // The first card's barcode may be wider than the one the object holds.
        QRectF drawingBounds = graphic->drawingBounds();
        if (shown && shown != graphic)
            drawingBounds = drawingBounds.united(shown->drawingBounds());
        if (!drawingBounds.intersects(rect))
            continue;
        const bool withHandles = !_isHidingHandles && !beingCreated && selected.count(graphic.get());
        painter.save();
        painter.setClipRect(drawingBounds, Qt::IntersectClip);
        if (graphic->ctrl_is_visible) {
            // Cut to the card's shape as on paper, so the canvas shows no ink that the card
            // loses; the canvas's own marks below stay whole.
            if (shown) {
                painter.save();
                if (CardClip::reachesPast(outline, *shown))
                    CardClip::cutTo(painter, wholeCard, cardShape);
                shown->drawContentsInView(painter, beingCreated);
                painter.restore();
            }
            if (!beingCreated && (!shown || shown->drawsNothing())) {
                drawPlaceholderOutline(painter, graphic->bounds());
                if (!shown)
                    drawPlaceholderNote(painter, graphic->bounds(), host_.goneColumnOf(*graphic));
            }
            if (!beingCreated && shown)
                drawOverflowWarning(painter, *shown, edge);
        }
        if (withHandles) {
            graphic->drawHandlesInView(painter, graphic->ctrl_is_locked);
            _Selected_Graphic = graphic;
        }
        painter.restore();
    }
    // An object being sized by the mouse joins its side only when the drag ends.
    if (tracking_.creating) {
        painter.save();
        painter.setClipRect(tracking_.creating->drawingBounds(), Qt::IntersectClip);
        tracking_.creating->drawContentsInView(painter, true);
        painter.restore();
    }

    if (!_marqueeSelectionBounds.isNull()) {
        QPen pen(palette().color(QPalette::Highlight), 1.0);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(_marqueeSelectionBounds);
    }
    painting_ = false;
}

void SKTGraphicView::drawPlaceholderOutline(QPainter& painter, const QRectF& bounds) const
{
    // One screen pixel wide and dashed whatever the zoom: a mark of the canvas, not of the card.
    QPen pen(palette().color(QPalette::Mid), 0.0, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds.adjusted(0.5 / factor_, 0.5 / factor_, -0.5 / factor_, -0.5 / factor_));
    painter.restore();
}

void SKTGraphicView::drawPlaceholderNote(QPainter& painter, const QRectF& bounds, const QString& note) const
{
    if (note.isEmpty())
        return;
    // Screen-sized whatever the zoom, like the outline: it tells the person, it is not printed.
    painter.save();
    painter.scale(1.0 / factor_, 1.0 / factor_);
    const QRectF box(bounds.topLeft() * factor_, bounds.size() * factor_);
    const QRectF inside = box.adjusted(3, 2, -3, -2);
    // A small box gets a smaller font, then the note cut short: the tool tip gives it whole.
    const FittedNote fitted = FittedNote::fit(note, font(), inside.size(), this);
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(fitted.font);
    painter.drawText(inside, fitted.flags, fitted.text);
    painter.restore();
}

bool SKTGraphicView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // Over an object that shows nothing for a gone column: the whole note the box may cut.
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = graphicUnderPoint(cardPointFromWidget(help->pos()));
    const QString note = hit && hit->graphic->ctrl_is_visible ? host_.goneColumnOf(*hit->graphic) : QString();
    if (note.isEmpty())
        return QWidget::event(event);
    QToolTip::showText(help->globalPos(), note, this);
    return true;
}

// ---- Handles that hide while arrow keys move the selection ----------------------------------

void SKTGraphicView::hideHandlesMomentarily()
{
    if (!_handleShowingTimer) {
        _handleShowingTimer = new QTimer(this);
        _handleShowingTimer->setSingleShot(true);
        connect(_handleShowingTimer, &QTimer::timeout, this, [this] {
            _isHidingHandles = false;
            updateCard(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics(), QRectF()));
        });
    }
    _handleShowingTimer->start(handleShowingDelay);
    _isHidingHandles = true;
    updateCard(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics(), QRectF()));
}

void SKTGraphicView::startEditingGraphic(const SKTGraphicPtr&)
{
    // No kind of object has an in-place editor: text is typed in the property panel.
}
