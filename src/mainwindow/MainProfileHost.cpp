#include "mainwindow/MainProfileHost.h"

#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "profiles/User_Profile_Class.h"
#include "render/GraphicsRenderingInstaller.h"
#include "render/SKTRenderingView.h"

User_Profile_Class& MainProfileHost::profileRecord(Record record)
{
    switch (record) {
    case Record::Front:
        return *window_.Front_user_profile;
    case Record::Back:
        return *window_.Back_user_profile;
    default:
        return *window_.TEMP_user_profile;
    }
}

QList<SKTGraphicPtr> MainProfileHost::sideGraphics(bool back) const
{
    return back ? window_.Get_Back_Controls_Array() : window_.Get_Front_Controls_Array();
}

QImage MainProfileHost::sidePicture(const QList<SKTGraphicPtr>& graphics) const
{
    const CardSideBase base = GraphicsRenderingInstaller::sideNamedByCard_Front_Or_Back(
        window_.Front_card_Prop, window_.Back_card_Prop, window_.frontCanvasBounds());
    // The card as the canvas shows it: bound objects with their source's first value.
    QList<SKTGraphicPtr> firstCard;
    for (const SKTGraphicPtr& graphic : graphics) {
        if (SKTGraphicPtr shown = window_.shownOnFirstCard(graphic))
            firstCard.append(std::move(shown));
    }
    return SKTRenderingView::image_From_Card_Graphics(firstCard, false, base).toImage(72.0, Qt::white);
}

QList<SKTGraphicPtr> MainProfileHost::previewOnScratchSide()
{
    return window_.previewProfileOnScratchSide();
}

void MainProfileHost::Batch_Series_Button()
{
    window_.Batch_Series_Button();
}

void MainProfileHost::Delete_Excel_File_Temp_Folder()
{
    SKTWindowController::Delete_Excel_File_Temp_Folder();
}

int MainProfileHost::Check_And_Validate_File_Path(const QString& path)
{
    return SKTWindowController::Check_And_Validate_File_Path(path);
}

void MainProfileHost::importWorkbookColumns(const QString& path)
{
    window_.Open_Excel_Table_Import(path);
}

void MainProfileHost::setLibrarySelectedImage(const QString& path)
{
    ::Library_Selected_Image = path;
}

void MainProfileHost::viewWorkbook()
{
    window_.Open_Excel_Table_Viewer();
}
