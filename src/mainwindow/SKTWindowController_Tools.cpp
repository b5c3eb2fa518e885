#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "inspector/PropertiesInspector.h"
#include "inspector/TextEditingPage.h"
#include "model/LaidOutText.h"
#include "model/ModelDefaults.h"
#include "model/CardGlobals.h"
#include "model/PictureFile.h"
#include "model/SKTText.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"

#include <QAction>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <cmath>

QString Library_Selected_Image;
QString lib_window_sel_file;

QString SKTWindowController::Library_Selected_Image() const
{
    return ::Library_Selected_Image;
}

QImage SKTWindowController::placeholderPicture(Placeholder which) const
{
    switch (which) {
    case Placeholder::BarcodeSample:
        return barcode_sample_img;
    case Placeholder::SignatureSample:
        return sign_sample_img;
    case Placeholder::FingerprintSample:
        return fp_sample_img;
    case Placeholder::NoImage:
        break;
    }
    return no_image;
}

void SKTWindowController::selectTool(int tool)
{
    Selected_Control_Tool_ = tool;
    Select_tool_action();
}

void SKTWindowController::Select_tool_action()
{
    const bool placesText = Selected_Control_Tool_ == TextTool;
    selectedToolDidChange();
    Refresh_Canvas();
    const SKTGraphicPtr placed = currentCanvas()->selectedGraphic();
    Show_RHS_Properties(placed);
    // A new text is there to be typed into; anything else is nudged with the arrow keys, so
    // the keys go to the canvas, not to whatever had the focus before the tool was chosen.
    if (placesText && placed && isExactlyKind(*placed, GraphicKind::Text)) {
        startGrowingText(placed);
        editText(placed);
    } else {
        currentCanvas()->setFocus(Qt::OtherFocusReason);
    }
}

void SKTWindowController::editText(const SKTGraphicPtr& text)
{
    Show_RHS_Properties(text);
    TextEditingPage* page = inspector_->text_edtng_tab;
    const int tab = sett_tab->indexOf(page);
    if (tab < 0)
        return;
    sett_tab->setCurrentIndex(tab);
    page->Text_value_Edit->selectAll();
    page->Text_value_Edit->setFocus(Qt::OtherFocusReason);
}

void SKTWindowController::startGrowingText(const SKTGraphicPtr& text)
{
    growingText_ = text;
    growingTextPlacedSize_ = text->bounds().size();
    growingTextBounds_ = text->bounds();
}

void SKTWindowController::growNewTextToFit(const SKTGraphicPtr& graphic)
{
    const SKTGraphicPtr growing = growingText_.lock();
    auto* text = dynamic_cast<SKTText*>(graphic.get());
    if (!growing || growing != graphic || !text)
        return;
    if (text->bounds() != growingTextBounds_) {
        growingText_.reset();
        return;
    }
    const double roomOnCard = frontCanvasBounds().width() - text->bounds().left();
    text->growToFitText(growingTextPlacedSize_, roomOnCard);
    growingTextBounds_ = text->bounds();
}

namespace {

// Room for a new text's words on one line, so that it shows whole.
QSizeF newTextSize()
{
    const SKTGraphicPtr sample = createGraphicOfKind(GraphicKind::Text);
    const LaidOutText laidOut(sample->Text_Value, sample->text_ctrl_font.value_or(All_Text_font_Default), 0.0,
        10000.0, Qt::AlignLeft | Qt::AlignAbsolute);
    return { std::ceil(laidOut.usedWidth()) + 2.0, std::ceil(laidOut.height()) + 1.0 };
}

} // namespace

void SKTWindowController::selectArrowTool()
{
    Selected_Control_Tool_ = ArrowTool;
    if (QAction* arrow = action(QStringLiteral("Tool_0")))
        arrow->setChecked(true);
    selectedToolDidChange();
}

void SKTWindowController::selectedToolDidChange()
{
    const std::optional<GraphicKind> kind = currentGraphicClass(Selected_Control_Tool_);
    if (!kind)
        return;
    QRectF rect(0, 0, 50, 50);
    if (Selected_Control_Tool_ == ImageTool) {
        if (!Browse_User_Image_Manually())
            return;
    } else if (Selected_Control_Tool_ == ImageLibraryTool) {
        if (Open_Image_Library_Window(QStringLiteral("C")) != 1)
            return;
        ::Library_Selected_Image = lib_window_sel_file;
        Show_Debug_Message(::Library_Selected_Image);
    }
    if (Selected_Control_Tool_ == TextTool)
        rect.setSize(newTextSize());
    if (Selected_Control_Tool_ == SignatureTool)
        rect.setSize(QSizeF(100, 50));
    const bool front = Card_Front_Or_Back == 0;
    currentCanvas()->createGraphicOfClass(
        *kind, true, rect, front ? QStringLiteral("F") : QStringLiteral("B"), QString(), QString());
}

bool SKTWindowController::Browse_User_Image_Manually()
{
    ::Library_Selected_Image = dialogs().chooseOpenFile(QStringLiteral("Choose Picture"), QString(),
        QStringLiteral("Pictures (*.jpg *.jpeg *.jpe *.jfif *.gif *.bmp *.png *.tif *.tiff)"));
    if (::Library_Selected_Image.isEmpty())
        return false;
    // A file that merely carries a picture's extension would make an empty image object. (A
    // file gone meanwhile still makes one, showing the missing-picture placeholder.) It is read
    // away from the GUI thread, and the image object made from it then shares this copy.
    if (!QFileInfo::exists(::Library_Selected_Image))
        return true;
    const QString path = ::Library_Selected_Image;
    QString error;
    QImage chosen;
    runAwayFromGuiThread([&] { chosen = PictureFile::load(path, &error); });
    if (!chosen.isNull())
        return true;
    Show_MessageBox(QStringLiteral("\"%1\" cannot be opened as a picture: %2")
                        .arg(QFileInfo(::Library_Selected_Image).fileName(), error));
    ::Library_Selected_Image = QString(QLatin1String(""));
    return false;
}
