#include "mainwindow/SKTWindowController.h"

#include "library/BackgroundGallery.h"
#include "library/Image_Library.h"
#include "model/CardGlobals.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"

#include <QDockWidget>

void SKTWindowController::buildBackgroundGallery()
{
    imageBrowser = new BackgroundGallery;
    auto* dock = new QDockWidget(QStringLiteral("Backgrounds"), this);
    dock->setObjectName(QStringLiteral("Background_Gallery_Dock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setWidget(imageBrowser);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    connect(imageBrowser, &BackgroundGallery::backgroundChosen, this, &SKTWindowController::applyGalleryBackground);
}

void SKTWindowController::applyGalleryBackground(const QString& path)
{
    if (path.isEmpty())
        return;
    const QImage held = acceptBackgroundPicture(path);
    if (held.isNull())
        return;
    // The front gets the picture whichever side is shown. With the back shown, the front
    // comes forward: the picture is seen where it went, and Undo, which works on the side
    // shown, takes it back.
    if (Card_Front_Or_Back != 0)
        Select_front_side();
    // The clicks of a double-click choose the picture again: no change, no step.
    const Card_Property& front = *Front_card_Prop;
    if (front.Card_fill_chk && front.Card_fill_style == QLatin1String("I") && front.Card_BG_Image_Path == path)
        return;
    document_->undoManager(SKTDocument::Side::Front).runAsStep(QStringLiteral("Card Background"), [&] {
        registerFrontBackgroundUndo();
        set_Front_BG_Image(path);
    });
    Refresh_Canvas();
    refreshUndoActions();
}

void SKTWindowController::registerFrontBackgroundUndo()
{
    const Card_Property& now = *Front_card_Prop;
    document_->undoManager(SKTDocument::Side::Front)
        .registerUndo([this, fill = now.Card_fill_chk, style = now.Card_fill_style, path = now.Card_BG_Image_Path,
                          picture = now.Card_BG_Image] {
            registerFrontBackgroundUndo();
            Card_Property& card = *Front_card_Prop;
            card.Card_fill_chk = fill;
            card.Card_fill_style = style;
            card.Card_BG_Image_Path = path;
            card.Card_BG_Image = picture;
            if (Card_Front_Or_Back == 0)
                Show_RHS_Properties(nullptr);
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
