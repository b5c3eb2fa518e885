#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "model/CardGlobals.h"
#include "model/PictureFile.h"
#include "platform/DialogService.h"

#include <QTabWidget>

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
    selectedToolDidChange();
}

void SKTWindowController::selectedToolDidChange()
{
    const std::optional<GraphicKind> kind = currentGraphicClass(Selected_Control_Tool_);
    if (!kind)
        return;
    QRectF rect(0, 0, 50, 50);
    if (Selected_Control_Tool_ == ImageTool) {
        ::Library_Selected_Image = dialogs().chooseOpenFile(QStringLiteral("Choose Picture"), QString(),
            QStringLiteral("Pictures (*.jpg *.jpeg *.jpe *.jfif *.gif *.bmp *.png *.tif *.tiff)"));
        if (::Library_Selected_Image.isEmpty())
            return;
    } else if (Selected_Control_Tool_ == ImageLibraryTool) {
        if (Open_Image_Library_Window(QStringLiteral("C")) != 1)
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

void SKTWindowController::Show_RHS_Properties(const SKTGraphicPtr& graphic)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    Selected_Control_Tool_ = ArrowTool;
    Last_Selected_Graphic = graphic;
    // The object tabs come with the property panel; the card's five tabs always show.
    if (sett_tab->count() != 5) {
        while (sett_tab->count() > 0)
            sett_tab->removeTab(0);
        static const char* const names[5] = { "Card", "Info", "Size", "Background", "Border" };
        for (int i = 0; i < 5; ++i)
            sett_tab->addTab(tabItems[size_t(i)], QString::fromLatin1(names[i]));
    }
}

void SKTWindowController::Undo_Redo_Button_state()
{
    // The undo and redo buttons come with the edit commands.
}

namespace {
// The side shows the picture as its fill. A path stored by another installation is read from
// our own Resources folder; the stored path itself is kept.
void setBackgroundPicture(Card_Property& card, const QString& path)
{
    if (path.isEmpty())
        return;
    card.Card_fill_chk = true;
    card.Card_fill_style = QStringLiteral("I");
    card.Card_BG_Image_Path = path;
    card.Card_BG_Image = PictureFile::load(path);
}
} // namespace

void SKTWindowController::set_Front_BG_Image(const QString& path)
{
    setBackgroundPicture(*Front_card_Prop, path);
}

void SKTWindowController::set_Back_BG_Image(const QString& path)
{
    setBackgroundPicture(*Back_card_Prop, path);
}
