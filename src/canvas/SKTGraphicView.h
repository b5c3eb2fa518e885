#pragma once

#include "canvas/GraphicKind.h"
#include "model/SKTDocument.h"

#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

class CanvasHost;
class QMimeData;
class QTimer;
class SKTGrid;

// The canvas of one card side: paints the card base, the grid and the side's objects
// (index 0 front-most: drawn last, hit first), keeps the selection, and turns mouse and
// keys into edits. Works in card points; the zoom factor scales the widget.
//
// Every reference the canvas keeps to an object is weak: an object that leaves its side
// simply drops out of the selection and of _Selected_Graphic.
class SKTGraphicView : public QWidget
{
    Q_OBJECT

public:
    using Graphics = SKTDocument::Graphics;
    using Side = SKTDocument::Side;

    SKTGraphicView(SKTDocument& document, Side side, CanvasHost& host, QWidget* parent = nullptr);
    ~SKTGraphicView() override;

    Side side() const { return side_; }
    // The side whose list the canvas shows and edits: its own, except for the scratch canvas,
    // which is a live view of the side being designed (its edits are that side's, undo too).
    Side editedSide() const { return editedSide_; }
    void setEditedSide(Side side);
    SKTDocument& document() const { return document_; }
    CanvasHost& host() const { return host_; }
    SKTGrid* grid() const;

    // The card's size in points and the zoom factor. The canvas is the card and, around it,
    // room for whatever of the side's objects (and their handles) reaches past the card's edge.
    QSizeF cardSize() const { return cardSize_; }
    void setCardSize(const QSizeF& size);
    double zoomFactor() const { return factor_; }
    void setZoomFactor(double factor);
    QPointF cardPointFromWidget(const QPointF& widgetPoint) const;
    QPointF widgetPointFromCard(const QPointF& cardPoint) const;
    // The card's rectangle in the canvas's own coordinates.
    QRectF cardArea() const;

    // ---- Objects and selection ----------------------------------------------------------
    const Graphics& graphics() const;
    // Ascending indexes; the first is the front-most selected object.
    QList<int> selectionIndexes() const;
    Graphics selectedGraphics() const;
    // Every change of the selection, this one or any other, is reported to the host once.
    void changeSelectionIndexes(const QList<int>& indexes);
    QList<int> indexesOfGraphicsIntersectingRect(const QRectF& rect) const;
    SKTGraphicPtr selectedGraphic() const { return _Selected_Graphic.lock(); }
    void setSelectedGraphic(const SKTGraphicPtr& graphic) { _Selected_Graphic = graphic; }
    bool isHidingHandles() const { return _isHidingHandles; }
    QRectF marqueeSelectionBounds() const { return _marqueeSelectionBounds; }

    // Redraws the canvas. Ignored while the canvas paints (every object's drawing asks for
    // it); from another thread it is posted to the GUI thread.
    void Refresh_Canvas();

    // Hit test from the front: handles of selected objects, then contents. Hidden objects
    // are hit too. Handles stay at least a few pixels wide at any zoom.
    struct Hit
    {
        SKTGraphicPtr graphic;
        int index = -1;
        bool isSelected = false;
        qint64 handle = 0;
    };
    std::optional<Hit> graphicUnderPoint(const QPointF& point) const;

    // ---- Creation (new objects go in front, as one undo step) ----------------------------
    // With a mouse point the object is sized by the drag that follows (see mousePressEvent);
    // without, it is placed by useRect/boundRect or at the host's next position.
    SKTGraphicPtr createGraphicOfClass(GraphicKind kind, bool useRect, const QRectF& boundRect, const QString& cardSide,
        const QString& ctrlValue, const QString& ctrlID);
    // Puts a value into the text or image object with the identifier, or creates it.
    void ReplaceGraphicText(GraphicKind kind, bool useRect, const QRectF& boundRect, const QString& cardSide,
        const QString& ctrlValue, const QString& ctrlID);
    // The in-place editing hook: no kind has an editor, so these do nothing.
    void startEditingGraphic(const SKTGraphicPtr& graphic);
    void stopEditing() { }

    // ---- Commands ---------------------------------------------------------------------------
    bool There_Is_Any_Lock_Contrl() const;
    void copy();
    void cut();
    void paste();
    // The next paste of what the clipboard holds lands where it was copied from, as after
    // a fresh copy (a new design starts its own run of pastes).
    void forgetPasteCascade() { _pasteCascadeNumber = 0; }
    void deleteSelection();
    void undo();
    void redo();
    void bringToFront();
    void sendToBack();
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignformCenter();
    void makeSameWidth();
    void makeSameHeight();
    void makeNaturalSize();
    void alignWithGrid();
    void print_contol_or_not(int value);
    void selectAll();
    void deselectAll();
    void Clear_Control_Selection() { deselectAll(); }
    // Escape, or a click beside the card: nothing selected, the card's settings shown.
    void clearSelectionAndShowCard();
    void showOrHideRulers();
    // Redraws the scroll view around the canvas too (its backdrop shows the card's outline).
    void Refresh_ScrollView();
    // Whether a command can run now (menu and button validation).
    enum class Command
    {
        MakeNaturalSize,
        AlignWithGrid,
        Delete,
        BringToFront,
        SendToBack,
        Cut,
        Copy,
        AlignEdges,
        SameSize,
        Other
    };
    bool isCommandEnabled(Command command) const;
    // A picture (in points, 72 dpi) pasted from another program: written as a PNG into the
    // pasted-pictures folder of the Resources and placed with its top-left at the point.
    bool makeNewImageFromPasteboard(const QMimeData* data, const QPointF& topLeft);

    void moveSelectedGraphicsByX(double dx, double dy);
    void moveLeft() { moveSelectedGraphicsByX(-1.0, 0.0); }
    void moveRight() { moveSelectedGraphicsByX(1.0, 0.0); }
    void moveUp() { moveSelectedGraphicsByX(0.0, -1.0); }
    void moveDown() { moveSelectedGraphicsByX(0.0, 1.0); }
    void hideHandlesMomentarily();

    // ---- Services for the main window and the profile code -------------------------------
    void delete_all_control();
    // The first text or image object (exactly those kinds) with the identifier.
    SKTGraphicPtr Selcect_Ctrl_With_ID(const QString& identifier) const;
    void Hide_all_Text_control_FUP_Control();
    void delete_all_Text_control();

    static constexpr int handleShowingDelay = 500; // milliseconds
    // The outline of a text that does not fit its box or is cut by the card's edge: shown on
    // the canvas only, never exported or printed.
    static const QColor overflowWarningColour;
    // The folder under the Resources that pasted pictures are written to.
    static QString pastedPicturesFolder();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One mouse gesture from press to release.
    struct Tracking
    {
        enum class Mode
        {
            None,
            Move,
            Resize,
            Marquee,
            Create,
            Swallow
        } mode
            = Mode::None;
        std::vector<std::weak_ptr<SKTGraphic>> graphics; // moved objects, or the one resized
        QRectF startBounds;
        QPointF last;
        QPointF offset;
        qint64 handle = 0;
        bool moving = false;
        bool echoing = false;
        bool undoGroupOpen = false;
        QList<int> oldSelection;
        QPointF start;
        SKTGraphicPtr creating; // not in the side yet: inserted on release when it has a size
        std::weak_ptr<SKTGraphic> selectAloneOnClick;
    };

    // The selected objects that are still alive, for membership tests.
    std::unordered_set<const SKTGraphic*> selectedSet() const;
    void graphicsDidChange(SKTDocument::Side side);
    void pruneSelection();
    void setSelection(const Graphics& graphics);
    void invalidateGraphics(const Graphics& graphics);
    void refresh();
    void drawPlaceholderOutline(QPainter& painter, const QRectF& bounds) const;
    // Names in the box why an object shows nothing on the first card.
    void drawPlaceholderNote(QPainter& painter, const QRectF& bounds, const QString& note) const;
    QRectF cardToWidget(const QRectF& rect) const;
    void updateCard(const QRectF& cardRect);
    SKTGraphicPtr graphicAt(int index) const;
    void insertOnSide(const Graphics& graphics, const QList<int>& indexes);
    void removeOnSide(const QList<int>& indexes);
    void endUndoGroupIfOpen();

    // Mouse.
    void selectAndTrackMouse(const QPointF& point, bool extending);
    void beginMoveSelectedGraphics(const QPointF& point);
    void continueMove(const QPointF& point);
    void beginResize(const SKTGraphicPtr& graphic, qint64 handle);
    void continueResize(const QPointF& point);
    void beginMarquee(const QPointF& point);
    void continueMarquee(const QPointF& point);
    void beginCreationByMouse(GraphicKind kind, const QPointF& point);
    void finishTracking();
    void echoOnRulers(const QRectF& bounds);

    // Creation.
    SKTGraphicPtr newGraphic(GraphicKind kind, const QPointF& origin, const QString& ctrlValue) const;
    void finishCreation(const SKTGraphicPtr& graphic);

    // Commands.
    bool refuseIfLocked() const;
    void alignSelection(const QString& name,
        const std::function<QPointF(const QRectF& reference, const QRectF& bounds)>& withReference,
        const std::function<QPointF(const QRectF& bounds)>& alone);
    void runUndoStep(bool redoing);
    void restackSelection(bool toFront);
    // One undo step named as the Edit menu shows it; a change that does nothing makes none.
    void asNamedStep(const QString& name, const std::function<void()>& change);
    void makeSameSize(bool width);
    bool pasteGraphicsFromClipboard(const QMimeData* data);

    // Sizes the canvas to the card and what reaches past it. Not during a mouse gesture, which
    // would move the card under the mouse; the gesture's end calls it.
    void fitToObjects();
    // fitToObjects once the events at hand have run, however many changes asked for it.
    void fitToObjectsSoon();

    SKTDocument& document_;
    Side side_;
    Side editedSide_;
    CanvasHost& host_;
    QSizeF cardSize_ { 243.0, 154.0 };
    double factor_ = 1.0;

    std::vector<std::weak_ptr<SKTGraphic>> selection_;
    std::weak_ptr<SKTGraphic> _Selected_Graphic;
    std::weak_ptr<SKTGraphic> _creatingGraphic;
    QRectF _marqueeSelectionBounds;
    bool _isHidingHandles = false;
    QTimer* _handleShowingTimer = nullptr;
    qint64 _pasteboardChangeCount = -1;
    qint64 _pasteCascadeNumber = 0;
    QByteArray pasteboardContentsSeen_; // stands for the system clipboard's change count
    bool painting_ = false;
    bool fitPending_ = false;
    QPointF origin_; // where card point (0, 0) is on the canvas, in pixels
    Tracking tracking_;
};
