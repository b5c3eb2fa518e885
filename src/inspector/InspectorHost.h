#pragma once

#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

#include <QRectF>

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
    // The size fields in millimetres apply to every side's canvas.
    virtual void Apply_Size_Clicked() = 0;
    virtual void card_shape_CellClick(int row) = 0;
    // The card-size list shows the presets of the category.
    virtual void fillCardSizeList(bool plasticCards) = 0;
    virtual void Mark_List_New_Selection(int row) = 0;
    // Background picture from a file or from the image library.
    virtual void Card_Image_Browse_Btn() = 0;
    virtual void Card_Image_Library_Btn() = 0;
};
