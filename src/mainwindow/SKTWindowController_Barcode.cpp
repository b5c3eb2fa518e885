// The barcode window, opened on a barcode object of the current side.
#include "mainwindow/SKTWindowController.h"

#include "barcodewindow/Barcode_Gen.h"
#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "inspector/BarcodePage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/MainBarcodeWindowHost.h"

#include <exception>

void SKTWindowController::Open_Barcode_Window()
{
    try {
        // The selection takes the settings only when the window ended with OK.
        const SKTGraphicPtr graphic = currentCanvas()->selectedGraphic();
        if (graphic && Open_Barcode_Window_For(graphic))
            inspector_->barcode_tab->Update_Barcode_Graphics(*graphic);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
}

bool SKTWindowController::Open_Barcode_Window_For(const SKTGraphicPtr& graphic)
{
    if (!barcodeWindow_) {
        barcodeHost_ = std::make_unique<MainBarcodeWindowHost>(*this);
        barcodeWindow_ = std::make_unique<Barcode_Gen>(*barcodeHost_, this);
    }
    if (!barcodeWindow_->Open_Wnd(graphic))
        return false;
    const Picture picture = barcodeWindow_->Barcode_output_image();
    graphic->Set_Barcode_image(picture);
    // The object shows its picture at the picture's size; its handles follow.
    graphic->setBounds(QRectF(graphic->bounds().topLeft(), picture.size()));
    Refresh_Canvas();
    return true;
}
