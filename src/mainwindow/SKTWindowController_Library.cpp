#include "mainwindow/SKTWindowController.h"

#include "library/BackgroundGallery.h"
#include "library/Image_Library.h"
#include "model/CardGlobals.h"

#include <QDockWidget>

void SKTWindowController::buildBackgroundGallery()
{
    imageBrowser = new BackgroundGallery;
    auto* dock = new QDockWidget(QStringLiteral("Backgrounds"), this);
    dock->setObjectName(QStringLiteral("Background_Gallery_Dock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setWidget(imageBrowser);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    // The front gets the picture whichever side is shown.
    connect(imageBrowser, &BackgroundGallery::backgroundChosen, this, [this](const QString& path) {
        set_Front_BG_Image(path);
        Refresh_Canvas();
    });
}

int SKTWindowController::Open_Image_Library_Window(const QString& mode)
{
    Image_Library* library = Image_Library::defaultInstance();
    library->control_or_BG = mode;
    const int result = library->Open_Library_Window();
    if (result == 1)
        lib_window_sel_file = library->selected_image;
    return result;
}
