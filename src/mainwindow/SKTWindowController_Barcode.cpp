// The barcode window, opened on a barcode object of the current side.
#include "mainwindow/SKTWindowController.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodewindow/Barcode_Gen.h"
#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "inspector/BarcodePage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/MainBarcodeWindowHost.h"
#include "model/SKTBarcode.h"

#include <QCoreApplication>

#include <exception>

void SKTWindowController::Open_Barcode_Window()
{
    try {
        // The selection takes the settings only when the window ended with OK.
        const SKTGraphicPtr graphic = currentCanvas()->selectedGraphic();
        if (!graphic)
            return;
        // The window writes into the object: what it and the other barcodes take is one step,
        // named for the window whatever it changed (the data source is one of its settings).
        changeObjectsAsNamedStep(
            [this, &graphic] {
                if (!Open_Barcode_Window_For(graphic))
                    return;
                inspector_->barcode_tab->Update_Barcode_Graphics(*graphic);
                // The other selected barcodes took the settings: their pictures must show them too.
                for (const SKTGraphicPtr& other : currentCanvas()->selectedGraphics()) {
                    if (other == graphic || !dynamic_cast<SKTBarcode*>(other.get()))
                        continue;
                    if (const Picture picture = barcodePictureFromFields(*other); !picture.isNull())
                        showBarcodePicture(*other, picture);
                }
            },
            QCoreApplication::translate("ObjectSettingsState", "Barcode"));
        Refresh_Canvas();
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
    showBarcodePicture(*graphic, barcodeWindow_->Barcode_output_image());
    Refresh_Canvas();
    return true;
}

void SKTWindowController::showBarcodePicture(SKTGraphic& barcode, const Picture& picture)
{
    barcode.Set_Barcode_image(picture);
    // The object shows its picture at the picture's size; its handles follow.
    barcode.setBounds(QRectF(barcode.bounds().topLeft(), picture.size()));
}
