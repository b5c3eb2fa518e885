#pragma once

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

#include <QFont>
#include <QRectF>
#include <QStringList>

#include <functional>
#include <optional>

// What the properties inspector and its pages ask of the main window. The main window
// implements it; pages reach nothing else.
class InspectorHost
{
public:
    virtual ~InspectorHost() = default;

    // The settings of the side being edited (front or back; the scratch side has none).
    virtual Card_PropertyPtr currentCardSettings() const = 0;
    // The front card's rectangle in points: every side has the same size.
    virtual QRectF frontCanvasBounds() const = 0;

    // Puts the arrow tool back and empties the selection of the current side's canvas.
    virtual void selectArrowTool() = 0;
    virtual void clearCurrentSelection() = 0;

    // The button states for what the inspector shows.
    virtual void Enable_Standard_Button_For_Control() = 0;
    virtual void Enable_Standard_Button_For_Unlock() = 0;
    virtual void Disable_Standard_Button_For_Lock() = 0;
    virtual void Disable_Standard_Button_For_Card() = 0;

    // The card pages' way back: write the panel into the side's settings and redraw.
    virtual void Update_Card_Graphics() = 0;
    // The content colour or font changed: apply to the side's text objects, then write.
    virtual void Update_All_Card_Content() = 0;
    // The font of the selected text, else of the first text on the side shown; none without one.
    virtual std::optional<QFont> firstTextFont() const { return std::nullopt; }
    // The size fields in millimetres apply to every side's canvas.
    virtual void Apply_Size_Clicked() = 0;
    // The card-size chooser.
    virtual void Open_Card_Size_Chooser() = 0;
    virtual void card_shape_CellClick(int row) = 0;
    // The card-size list shows the presets of the category.
    virtual void fillCardSizeList(bool plasticCards) = 0;
    virtual void Mark_List_New_Selection(int row) = 0;
    // The panel's preset, orientation or category was chosen: the card takes that size, as
    // from the card-size chooser. With no preset selected the orientation turns the card.
    virtual void applyCardPreset() = 0;
    // Background picture from a file or from the image library.
    virtual void Card_Image_Browse_Btn() = 0;
    virtual void Card_Image_Library_Btn() = 0;

    // ---- The object pages' way back ----------------------------------------------------
    // Writes into every selected object of the current side, whatever its kind, lets the
    // side's canvas take each one up again, marks the design modified and redraws. Nothing
    // happens while the panel is being filled or with no selection. The writer learns how
    // many objects are selected.
    using GraphicWriter = std::function<void(SKTGraphic& graphic, qsizetype selectedCount)>;
    virtual void writeSelectedGraphics(const GraphicWriter& write) = 0;
    // Typing in the text box began a run of edits, before its first change is written: one
    // undo step puts back the selected texts' words as they were.
    virtual void textEditingRunStarted() { }
    // Runs a change of the selected objects (and the current one): what it altered is one
    // undo step, named after it, and the design is marked changed; nothing altered, no step.
    // writeSelectedGraphics runs its writer so; a change inside another joins its step.
    virtual void changeObjectsAsStep(const std::function<void()>& change) { change(); }
    // A slider's drag began or ended: the changes between are one undo step.
    virtual void beginChangeRun() { }
    virtual void endChangeRun() { }
    // The current object of the side's canvas (the one the pages show); null for none.
    virtual SKTGraphicPtr currentGraphic() const = 0;
    virtual void Refresh_Canvas() = 0;
    virtual void setUnsavedEdits(bool edited) = 0;

    // ---- Data sources -------------------------------------------------------------------
    // The stored series, by name.
    virtual QStringList Get_datasheet_File_Name_Array() const = 0;
    // Whether a spreadsheet table is bound to the design, and its column titles (the
    // row-number column first).
    virtual bool spreadsheetBound() const = 0;
    virtual QStringList spreadsheetColumnTitles() const = 0;
    // Whether the object, bound as it is, shows something on the first card: a text a value,
    // a picture a picture it can read.
    virtual bool showsOnFirstCard(const SKTGraphicPtr& graphic) = 0;
    // How the canvas names the column an object was bound to when the table no longer has it
    // ("" when it is not so bound or the column is there).
    virtual QString goneColumnOf(const SKTGraphic&) { return QString(); }
    // Shows the chosen series or the spreadsheet table.
    virtual void View_batch_Series_Button(const QString& source, const QString& seriesName) = 0;

    // The current date and time in a date-format pattern of the text page's lists.
    virtual QString formattedNow(const QString& pattern) const = 0;

    // ---- Pictures and the barcode window --------------------------------------------------
    // An open dialog for one picture file; true with a choice, which Library_Selected_Image
    // then gives ("" after Cancel).
    virtual bool Browse_User_Image_Manually() = 0;
    // The image library on clip art; true with a choice, which Library_Selected_Image gives.
    virtual bool Browse_Library_Clip_Art() = 0;
    virtual QString Library_Selected_Image() const = 0;
    // The barcode window on the current object; the selection takes its settings on OK.
    virtual void Open_Barcode_Window() = 0;
};
