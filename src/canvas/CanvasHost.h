#pragma once

#include "model/SKTGraphic.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class SKTGraphicView;
class SKTGrid;

// What a canvas asks of the main window. The main window implements it; the canvas holds a
// pointer to it and never reaches the main window in any other way. Every call is made on
// the GUI thread.
class CanvasHost
{
public:
    // The sample pictures that new objects show until they get their own.
    enum class Placeholder
    {
        NoImage,
        BarcodeSample,
        SignatureSample,
        FingerprintSample
    };

    virtual ~CanvasHost() = default;

    // Fills the property panel for the object, or with the card's own settings for none.
    // Also puts the arrow tool back (the tool number lives only until the next call).
    virtual void Show_RHS_Properties(const SKTGraphicPtr& graphic) = 0;
    // Redraws the canvas of the current side (nothing while Card_Value_In_Process). The
    // canvas's own SKTGraphicView::Refresh_Canvas() is safe from any thread and during
    // painting; the implementation is expected to forward to it.
    virtual void Refresh_Canvas() = 0;
    // The object as the first card shows it: itself, a copy holding the first value of the
    // series or column it is bound to, or none when that source gives nothing.
    virtual SKTGraphicPtr shownOnFirstCard(const SKTGraphicPtr& graphic) { return graphic; }
    // What the canvas writes in the box of an object that shows nothing because the column it
    // was bound to is gone ("" for any other object).
    virtual QString goneColumnOf(const SKTGraphic&) { return QString(); }
    // Paints the current side's card base (shape, fill, background picture, border) on the
    // card's whole rectangle, in card points; the painter is clipped to what is redrawn.
    virtual void Card_Base_Drawing(QPainter& painter, const QRectF& rect) = 0;

    // The next position for a new or pasted object on a side ("F" or "B"); every call moves
    // the cascade on.
    virtual QPointF Control_New_Point(const QString& cardSide) = 0;
    // The current drawing tool: 0 arrow, 1 line, 2 text, 3 to 7 and 13 to 15 shapes, 8 image
    // file, 9 image library, 10 barcode, 11 signature, 12 fingerprint.
    virtual int Selected_Control_Tool() const = 0;
    // The picture file the next image object is made from ("" for none).
    virtual QString Library_Selected_Image() const = 0;
    virtual QImage placeholderPicture(Placeholder which) const = 0;
    // The grid that all canvases share; may be null.
    virtual SKTGrid* grid() const = 0;

    // Button states after an edit, a copy or a selection change.
    virtual void Undo_Redo_Button_state() = 0;
    virtual void Set_Paste_Button_Status() = 0;
    // The canvas's selection changed, however it was made (a click, the rubber band, Select All,
    // undo, paste, a removal, a command of the program): menus, tool bar and panel follow it.
    virtual void selectionDidChange(const SKTGraphicView& canvas) = 0;
    // A double click on a barcode object of the current side.
    virtual void Open_Barcode_Window() = 0;
    // A double click on an unlocked text object: what the user types next goes into it.
    virtual void editText(const SKTGraphicPtr& text) = 0;

    // Rulers. While they show, moves and resizes mark the moving bounds (card points) on
    // them; a null rectangle removes the marks.
    virtual bool rulersVisible() const = 0;
    virtual void setRulersVisible(bool visible) = 0;
    virtual void echoBoundsOnRulers(const QRectF& bounds) = 0;
};

// A host that does little: a white card base, a fixed cascade start and a grid of its own.
// It remembers what it was asked, for tests and for canvases shown without a main window.
class DefaultCanvasHost : public CanvasHost
{
public:
    DefaultCanvasHost();
    ~DefaultCanvasHost() override;

    void Show_RHS_Properties(const SKTGraphicPtr& graphic) override;
    void Refresh_Canvas() override { ++refreshCount; }
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override;
    QPointF Control_New_Point(const QString& cardSide) override;
    int Selected_Control_Tool() const override { return tool; }
    QString Library_Selected_Image() const override { return libraryImage; }
    QImage placeholderPicture(Placeholder which) const override;
    SKTGrid* grid() const override { return grid_.get(); }
    void Undo_Redo_Button_state() override { ++undoRedoStateCount; }
    void Set_Paste_Button_Status() override { ++pasteStatusCount; }
    void selectionDidChange(const SKTGraphicView& canvas) override;
    void Open_Barcode_Window() override { ++barcodeWindowCount; }
    void editText(const SKTGraphicPtr& text) override { textEdited = text; }
    bool rulersVisible() const override { return rulersShown; }
    void setRulersVisible(bool visible) override { rulersShown = visible; }
    void echoBoundsOnRulers(const QRectF& bounds) override { rulerBounds = bounds; }

    // What the canvas asked for, and settings a test may change.
    int tool = 0;
    QString libraryImage;
    QPointF nextPoint { 10.0, 10.0 }; // the first cascade position
    QPointF cascadeStep { 10.0, 10.0 };
    int newPointCount = 0;
    int refreshCount = 0;
    int undoRedoStateCount = 0;
    int pasteStatusCount = 0;
    int barcodeWindowCount = 0;
    int propertiesShownCount = 0;
    int selectionChangeCount = 0;
    qsizetype selectedAtLastChange = 0; // how many objects were selected at the last report
    bool rulersShown = false;
    QRectF rulerBounds;
    std::weak_ptr<SKTGraphic> propertiesShownFor; // empty after Show_RHS_Properties(nullptr)
    std::weak_ptr<SKTGraphic> textEdited;

private:
    std::unique_ptr<SKTGrid> grid_;
};
