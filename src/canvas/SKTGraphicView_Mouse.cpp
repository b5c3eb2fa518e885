#include "canvas/SKTGraphicView.h"

#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"
#include "common/Logging.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

// A handle is at least this many pixels wide on screen, so it stays grabbable when the
// card is zoomed out.
constexpr double minimumHandlePixels = 6.0;
constexpr double handlePoints = 6.0;
constexpr double moveThreshold = 2.0;

} // namespace

std::optional<SKTGraphicView::Hit> SKTGraphicView::graphicUnderPoint(const QPointF& point) const
{
    const Graphics& list = graphics();
    const auto selected = selectedSet();
    // Zoomed out, the handle's hit area grows to keep a fixed size on screen; the object's
    // own handle test is probed around the point within that area.
    const double reach = std::max(0.0, (minimumHandlePixels / factor_ - handlePoints) / 2.0);
    for (int i = 0; i < list.size(); ++i) {
        const SKTGraphicPtr& graphic = list[i];
        const bool isSelected = selected.count(graphic.get()) > 0;
        const QRectF area = graphic->drawingBounds().adjusted(-reach, -reach, reach, reach);
        if (!area.contains(point))
            continue;
        if (isSelected) {
            qint64 handle = graphic->handleUnderPoint(point);
            if (!handle && reach > 0.0) {
                const int steps = int(std::ceil(reach / (handlePoints / 2.0)));
                double nearest = 0.0;
                for (int sx = -steps; sx <= steps; ++sx) {
                    for (int sy = -steps; sy <= steps; ++sy) {
                        const QPointF offset(sx * reach / steps, sy * reach / steps);
                        const qint64 probed = graphic->handleUnderPoint(point + offset);
                        const double distance = std::hypot(offset.x(), offset.y());
                        if (probed && (!handle || distance < nearest)) {
                            handle = probed;
                            nearest = distance;
                        }
                    }
                }
            }
            if (handle)
                return Hit { graphic, i, true, handle };
        }
        if (graphic->drawingBounds().contains(point) && graphic->isContentsUnderPoint(point))
            return Hit { graphic, i, isSelected, 0 };
    }
    return std::nullopt;
}

void SKTGraphicView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A gesture whose release never came (the window lost the mouse) ends here.
    if (tracking_.mode != Tracking::Mode::None)
        finishTracking();
    stopEditing();
    setFocus(Qt::MouseFocusReason);
    const QPointF point = cardPointFromWidget(event->position());
    if (auto kind = currentGraphicClass(host_.Selected_Control_Tool())) {
        beginCreationByMouse(*kind, point);
        return;
    }
    _Selected_Graphic.reset();
    selectAndTrackMouse(point, event->modifiers().testFlag(Qt::ShiftModifier));
    if (!_Selected_Graphic.lock())
        host_.Show_RHS_Properties(nullptr);
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (currentGraphicClass(host_.Selected_Control_Tool())) {
        mousePressEvent(event);
        return;
    }
    const auto hit = graphicUnderPoint(cardPointFromWidget(event->position()));
    if (!hit) {
        // Nothing under a double click: an ordinary click.
        mousePressEvent(event);
        return;
    }
    // A double click changes neither the selection nor positions.
    _Selected_Graphic = hit->graphic;
    if (!hit->graphic->ctrl_is_visible)
        return;
    if (!hit->graphic->ctrl_is_locked) {
        startEditingGraphic(hit->graphic);
        if (isExactlyKind(*hit->graphic, GraphicKind::Barcode))
            host_.Open_Barcode_Window();
        else if (isExactlyKind(*hit->graphic, GraphicKind::Text))
            host_.editText(hit->graphic);
    }
}

void SKTGraphicView::selectAndTrackMouse(const QPointF& point, bool extending)
{
    const auto hit = graphicUnderPoint(point);
    if (!hit) {
        if (!extending)
            changeSelectionIndexes({});
        beginMarquee(point);
        return;
    }
    const SKTGraphicPtr& graphic = hit->graphic;
    _Selected_Graphic = graphic;
    if (!graphic->_file_path.isEmpty())
        Show_Debug_Message(QFileInfo(graphic->_file_path).fileName());
    // A hidden object swallows the click.
    if (!graphic->ctrl_is_visible) {
        tracking_.mode = Tracking::Mode::Swallow;
        return;
    }
    if (graphic->ctrl_is_locked) {
        if (!hit->isSelected)
            changeSelectionIndexes({ hit->index });
        refresh();
        tracking_.mode = Tracking::Mode::Swallow;
    } else if (hit->handle) {
        beginResize(graphic, hit->handle);
    } else {
        bool isSelected = hit->isSelected;
        QList<int> indexes = selectionIndexes();
        if (extending) {
            if (isSelected)
                indexes.removeAll(hit->index);
            else
                indexes.append(hit->index);
            isSelected = !isSelected;
            changeSelectionIndexes(indexes);
        } else if (!isSelected) {
            changeSelectionIndexes({ hit->index });
            isSelected = true;
        }
        const bool amongOthers = !extending && indexes.size() > 1;
        if (isSelected)
            beginMoveSelectedGraphics(point);
        else
            tracking_.mode = Tracking::Mode::Swallow;
        // A drag moves the whole selection; a click without a drag picks the object alone.
        if (isSelected && amongOthers)
            tracking_.selectAloneOnClick = graphic;
    }
    host_.Show_RHS_Properties(_Selected_Graphic.lock());
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPointF point = cardPointFromWidget(event->position());
    switch (tracking_.mode) {
    case Tracking::Mode::Move:
        continueMove(point);
        break;
    case Tracking::Mode::Resize:
    case Tracking::Mode::Create:
        continueResize(point);
        break;
    case Tracking::Mode::Marquee:
        continueMarquee(point);
        break;
    case Tracking::Mode::None:
    case Tracking::Mode::Swallow:
        break;
    }
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    mouseMoveEvent(event);
    finishTracking();
}

// ---- Moving ----------------------------------------------------------------------------------

void SKTGraphicView::beginMoveSelectedGraphics(const QPointF& point)
{
    tracking_ = Tracking {};
    tracking_.mode = Tracking::Mode::Move;
    const Graphics selected = selectedGraphics();
    for (const auto& graphic : selected)
        tracking_.graphics.push_back(graphic);
    tracking_.startBounds = SKTGraphic::boundsOfGraphics(selected);
    tracking_.last = point;
    tracking_.offset = point - tracking_.startBounds.topLeft();
    tracking_.echoing = host_.rulersVisible();
    if (tracking_.echoing)
        echoOnRulers(tracking_.startBounds);
    // The whole drag is one undo step.
    document_.undoManager(editedSide_).beginGroup();
    tracking_.undoGroupOpen = true;
}

void SKTGraphicView::continueMove(const QPointF& mousePoint)
{
    QPointF point = mousePoint;
    if (!tracking_.moving) {
        if (std::abs(point.x() - tracking_.last.x()) < moveThreshold
            && std::abs(point.y() - tracking_.last.y()) < moveThreshold)
            return;
        tracking_.moving = true;
        _isHidingHandles = true;
    }
    if (SKTGrid* shared = grid()) {
        // The selection's bounding origin snaps, not the mouse.
        const QPointF origin = shared->constrainedPoint(point - tracking_.offset);
        point = origin + tracking_.offset;
    }
    if (point == tracking_.last)
        return;
    Graphics moving;
    for (const auto& weak : tracking_.graphics) {
        if (auto graphic = weak.lock())
            moving.append(graphic);
    }
    const QRectF before = SKTGraphic::drawingBoundsOfGraphics(moving, QRectF());
    const QPointF delta = point - tracking_.last;
    SKTGraphic::translateGraphics(moving, delta.x(), delta.y());
    updateCard(before.united(SKTGraphic::drawingBoundsOfGraphics(moving, QRectF())));
    if (tracking_.echoing)
        echoOnRulers(QRectF(point - tracking_.offset, tracking_.startBounds.size()));
    tracking_.last = point;
}

// ---- Resizing and creating --------------------------------------------------------------------

void SKTGraphicView::beginResize(const SKTGraphicPtr& graphic, qint64 handle)
{
    tracking_ = Tracking {};
    if (graphic->ctrl_is_locked)
        return;
    tracking_.mode = Tracking::Mode::Resize;
    tracking_.graphics.push_back(graphic);
    tracking_.handle = handle;
    tracking_.echoing = host_.rulersVisible();
    if (tracking_.echoing)
        echoOnRulers(graphic->bounds());
    document_.undoManager(editedSide_).beginGroup();
    tracking_.undoGroupOpen = true;
}

void SKTGraphicView::continueResize(const QPointF& mousePoint)
{
    SKTGraphicPtr graphic = tracking_.mode == Tracking::Mode::Create
        ? tracking_.creating
        : (tracking_.graphics.empty() ? nullptr : tracking_.graphics.front().lock());
    if (!graphic)
        return;
    QPointF point = mousePoint;
    if (SKTGrid* shared = grid())
        point = shared->constrainedPoint(point);
    const QRectF before = graphic->drawingBounds();
    tracking_.handle = graphic->resizeByMovingHandle(tracking_.handle, point);
    updateCard(before.united(graphic->drawingBounds()));
    if (tracking_.echoing)
        echoOnRulers(graphic->bounds());
}

// ---- Rubber band ---------------------------------------------------------------------------

void SKTGraphicView::beginMarquee(const QPointF& point)
{
    tracking_ = Tracking {};
    tracking_.mode = Tracking::Mode::Marquee;
    tracking_.oldSelection = selectionIndexes();
    tracking_.start = point;
}

void SKTGraphicView::continueMarquee(const QPointF& point)
{
    const QPointF& start = tracking_.start;
    const QRectF band(std::min(start.x(), point.x()), std::min(start.y(), point.y()), std::abs(point.x() - start.x()),
        std::abs(point.y() - start.y()));
    if (band == _marqueeSelectionBounds)
        return;
    updateCard(_marqueeSelectionBounds.adjusted(-1, -1, 1, 1));
    _marqueeSelectionBounds = band;
    updateCard(band.adjusted(-1, -1, 1, 1));
    const QList<int> touched = indexesOfGraphicsIntersectingRect(band);
    if (touched.isEmpty())
        return;
    QList<int> indexes = tracking_.oldSelection;
    for (int index : touched) {
        if (indexes.contains(index))
            indexes.removeAll(index);
        else
            indexes.append(index);
    }
    std::sort(indexes.begin(), indexes.end());
    changeSelectionIndexes(indexes);
}

// ---- End of a gesture ----------------------------------------------------------------------

void SKTGraphicView::finishTracking()
{
    Tracking done = std::move(tracking_);
    tracking_ = Tracking {};
    if (done.echoing)
        echoOnRulers(QRectF());
    switch (done.mode) {
    case Tracking::Mode::Move:
        if (done.moving) {
            _isHidingHandles = false;
            updateCard(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics(), QRectF()));
        } else if (const SKTGraphicPtr alone = done.selectAloneOnClick.lock()) {
            setSelection({ alone });
        }
        refresh();
        break;
    case Tracking::Mode::Marquee:
        updateCard(_marqueeSelectionBounds.adjusted(-1, -1, 1, 1));
        _marqueeSelectionBounds = QRectF();
        refresh();
        break;
    case Tracking::Mode::Create:
        finishCreation(done.creating);
        host_.Show_RHS_Properties(nullptr);
        break;
    case Tracking::Mode::Resize:
    case Tracking::Mode::Swallow:
    case Tracking::Mode::None:
        break;
    }
    if (done.undoGroupOpen) {
        UndoManager& undo = document_.undoManager(editedSide_);
        undo.setActionName(done.mode == Tracking::Mode::Resize ? QStringLiteral("Resize") : QStringLiteral("Move"));
        undo.endGroup();
    }
    // A drag is an edit: undo, redo and the modified mark follow it.
    if ((done.mode == Tracking::Mode::Move && done.moving) || done.mode == Tracking::Mode::Resize)
        host_.Undo_Redo_Button_state();
    fitToObjects();
}

void SKTGraphicView::endUndoGroupIfOpen()
{
    if (tracking_.undoGroupOpen)
        document_.undoManager(editedSide_).endGroup();
    tracking_ = Tracking {};
}

void SKTGraphicView::echoOnRulers(const QRectF& bounds)
{
    host_.echoBoundsOnRulers(bounds);
}

// ---- Keys ------------------------------------------------------------------------------------

void SKTGraphicView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveLeft();
        break;
    case Qt::Key_Right:
        moveRight();
        break;
    case Qt::Key_Up:
        moveUp();
        break;
    case Qt::Key_Down:
        moveDown();
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        deleteSelection();
        break;
    case Qt::Key_Escape:
        clearSelectionAndShowCard();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SKTGraphicView::clearSelectionAndShowCard()
{
    if (tracking_.mode != Tracking::Mode::None)
        finishTracking();
    deselectAll();
    _Selected_Graphic.reset();
    host_.Show_RHS_Properties(nullptr);
    setFocus(Qt::OtherFocusReason);
}

void SKTGraphicView::moveSelectedGraphicsByX(double dx, double dy)
{
    const Graphics selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    hideHandlesMomentarily();
    const QRectF before = SKTGraphic::drawingBoundsOfGraphics(selected, QRectF());
    asNamedStep(QStringLiteral("Move"), [&] { SKTGraphic::translateGraphics(selected, dx, dy); });
    updateCard(before.united(SKTGraphic::drawingBoundsOfGraphics(selected, QRectF())));
    // A nudge is an edit: undo, redo and the modified mark follow it.
    host_.Undo_Redo_Button_state();
}
