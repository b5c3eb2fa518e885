#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "model/CardGlobals.h"

#include <QAction>

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
    selectedToolDidChange();
    Refresh_Canvas();
    Show_RHS_Properties(currentCanvas()->selectedGraphic());
}

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
        // The image library window comes with its own subsystem; until then the library
        // offers the picture last chosen in it.
        if (lib_window_sel_file.isEmpty())
            return;
        ::Library_Selected_Image = lib_window_sel_file;
        Show_NSLog_Message(::Library_Selected_Image);
    }
    if (Selected_Control_Tool_ == BarcodeTool)
        rect.setSize(QSizeF(120, 60));
    if (Selected_Control_Tool_ == SignatureTool)
        rect.setSize(QSizeF(100, 50));
    const bool front = Card_Front_Or_Back == 0;
    (front ? _graphicView : _graphicView_BACK)
        ->createGraphicOfClass(
            *kind, true, rect, front ? QStringLiteral("F") : QStringLiteral("B"), QString(), QString());
}
