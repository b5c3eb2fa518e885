// The object pages' way back into the selected objects, their data sources, and the
// picture and barcode windows they open.
#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "common/MessageBoxes.h"
#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"
#include "series/View_Data_Series.h"

void SKTWindowController::writeSelectedGraphics(const GraphicWriter& write)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    SKTGraphicView* canvas = currentCanvas();
    const SKTDocument::Graphics selected = canvas->selectedGraphics();
    if (selected.isEmpty())
        return;
    changeObjectsAsStep([&] {
        for (const SKTGraphicPtr& graphic : selected) {
            write(*graphic, selected.size());
            canvas->startEditingGraphic(graphic);
        }
        if (selected.size() == 1)
            growNewTextToFit(selected.first());
    });
    Refresh_Canvas();
}

void SKTWindowController::sourcesChanged()
{
    if (inspector_)
        inspector_->reloadSourcePage();
    // The canvas draws bound objects from the rows as they are when it paints (a side out of
    // view paints when it is turned to): only the one in view must be asked.
    Refresh_Canvas();
}

SKTGraphicPtr SKTWindowController::currentGraphic() const
{
    return currentCanvas()->selectedGraphic();
}

bool SKTWindowController::spreadsheetBound() const
{
    return Excel_Binding_Use;
}

QStringList SKTWindowController::spreadsheetColumnTitles() const
{
    return spreadsheet->columnTitles();
}

QString SKTWindowController::Get_First_Value_Of_Dataset(const QString& seriesName) const
{
    return firstSeriesValue(seriesName);
}

QString SKTWindowController::Get_First_Value_Of_Excel_Binding(int column) const
{
    return spreadsheet->Get_First_Value_Of_Excel_Binding(column);
}

void SKTWindowController::View_batch_Series_Button(const QString& source, const QString& seriesName)
{
    if (source == QLatin1String("Manual"))
        return;
    if (source == QLatin1String("Series") && seriesName.trimmed().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    if (source != QLatin1String("Series")) {
        Open_Excel_Table_Viewer();
        return;
    }
    View_Data_Series& viewer = *View_Data_Series::defaultInstance();
    viewer.file_name = seriesName.trimmed();
    viewer.Open_Wnd();
}

bool SKTWindowController::Browse_Library_Clip_Art()
{
    if (Open_Image_Library_Window(QStringLiteral("C")) != 1)
        return false;
    ::Library_Selected_Image = lib_window_sel_file;
    return true;
}
