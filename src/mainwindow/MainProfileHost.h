#pragma once

#include "profilewindows/ProfileDialogHost.h"

class SKTWindowController;

// The main window's side of the profile dialogs: its profile records, the sides' objects and
// pictures, the preview on the scratch side and the series and spreadsheet windows.
class MainProfileHost : public ProfileDialogHost
{
public:
    explicit MainProfileHost(SKTWindowController& window)
        : window_(window)
    { }

    User_Profile_Class& profileRecord(Record record) override;
    QList<SKTGraphicPtr> sideGraphics(bool back) const override;
    QImage sidePicture(const QList<SKTGraphicPtr>& graphics) const override;
    QList<SKTGraphicPtr> previewOnScratchSide() override;
    void Batch_Series_Button() override;
    void Delete_Excel_File_Temp_Folder() override;
    int Check_And_Validate_File_Path(const QString& path) override;
    void importWorkbookColumns(const QString& path) override;
    void setLibrarySelectedImage(const QString& path) override;
    void viewWorkbook() override;

private:
    SKTWindowController& window_;
};
