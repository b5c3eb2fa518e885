#pragma once

#include "model/SKTGraphic.h"

#include <QImage>
#include <QList>
#include <QString>

class User_Profile_Class;

// What the profile dialogs ask of the main window: its three profile records, the sides'
// objects and pictures, the preview's scratch side and the series and spreadsheet windows.
class ProfileDialogHost
{
public:
    enum class Record
    {
        Front,
        Back,
        Temp
    };

    virtual ~ProfileDialogHost() = default;

    virtual User_Profile_Class& profileRecord(Record record) = 0;
    // The objects of the front (false) or back side, in drawing order.
    virtual QList<SKTGraphicPtr> sideGraphics(bool back) const = 0;
    // A picture of objects on the current side's base.
    virtual QImage sidePicture(const QList<SKTGraphicPtr>& graphics) const = 0;
    // Puts copies of the current side's objects on the scratch side, places the scratch
    // record on them and returns them; the card itself is left as it was.
    virtual QList<SKTGraphicPtr> previewOnScratchSide() = 0;
    // The series manager, run modally.
    virtual void Batch_Series_Button() = 0;
    // Removes the folder a workbook is unpacked into.
    virtual void Delete_Excel_File_Temp_Folder() = 0;
    // 0 when the path names a file or folder; otherwise says so and answers 1.
    virtual int Check_And_Validate_File_Path(const QString& path) = 0;
    // The spreadsheet column picker on a workbook: on OK it replaces the imported table.
    virtual void importWorkbookColumns(const QString& path) = 0;
    // The picture file the next image object is made from.
    virtual void setLibrarySelectedImage(const QString& path) = 0;
    // Shows the imported table.
    virtual void viewWorkbook() = 0;
};
