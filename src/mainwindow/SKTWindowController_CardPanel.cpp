#include "mainwindow/SKTWindowController.h"

#include "canvas/GraphicKind.h"
#include "canvas/SKTGraphicView.h"
#include "common/MessageBoxes.h"
#include "inspector/AlignmentPage.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"
#include "model/ModelDefaults.h"
#include "model/PictureFile.h"
#include "model/SKTText.h"
#include "platform/DialogService.h"
#include "platform/GuiThread.h"
#include "widgets/ColorWell.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

Card_PropertyPtr SKTWindowController::currentCardSettings() const
{
    return Card_Front_Or_Back == 0 ? Front_card_Prop : Back_card_Prop;
}

void SKTWindowController::clearCurrentSelection()
{
    currentCanvas()->Clear_Control_Selection();
}

void SKTWindowController::Show_RHS_Properties(const SKTGraphicPtr& graphic)
{
    const QScopedValueRollback filling(fillingPanel_, true);
    inspector_->Show_RHS_Properties(graphic);
    afterPanelShown(graphic);
}

void SKTWindowController::showInPanel(const SKTGraphicPtr& graphic)
{
    const QScopedValueRollback filling(fillingPanel_, true);
    inspector_->showSelection(graphic);
    afterPanelShown(graphic);
}

void SKTWindowController::afterPanelShown(const SKTGraphicPtr& graphic)
{
    // A design may name a preset its card does not have: the list shows no preset then.
    if (!graphic)
        deselectPresetUnlessSizeMatches();
    else
        showSelectionPrinting();
}

void SKTWindowController::showSelectionPrinting()
{
    const SKTGraphicView* canvas = currentCanvas();
    if (!inspector_ || !canvas)
        return;
    const SKTDocument::Graphics selected = canvas->selectedGraphics();
    if (selected.isEmpty())
        return;
    const auto printing = std::count_if(
        selected.cbegin(), selected.cend(), [](const SKTGraphicPtr& graphic) { return graphic->print_object == 0; });
    inspector_->aligmnt_tab->showPrinting(printing, selected.size());
}

void SKTWindowController::sideGraphicsChanged(SKTDocument::Side side)
{
    // An inspected object that left its side (undo, a removal elsewhere) gives way to the
    // card, once the change is complete.
    const SKTGraphicPtr shown = inspector_->lastSelectedGraphic();
    if (!shown || side != (Card_Front_Or_Back == 0 ? SKTDocument::Side::Front : SKTDocument::Side::Back))
        return;
    QTimer::singleShot(0, this, [this, weak = std::weak_ptr<SKTGraphic>(shown)] {
        const SKTGraphicPtr graphic = weak.lock();
        if (inspector_->showsCard() || inspector_->lastSelectedGraphic() != graphic)
            return;
        if (!graphic || (!Get_Front_Controls_Array().contains(graphic) && !Get_Back_Controls_Array().contains(graphic)))
            Show_RHS_Properties(nullptr);
    });
}

void SKTWindowController::card_prop_set(const QString& fillStyle)
{
    inspector_->card_prop_set(fillStyle);
}

void SKTWindowController::Card_Prop_Clicked()
{
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Update_Card_Graphics()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    changeCardAsStep([this] { writeCardSettings(); });
}

void SKTWindowController::writeCardSettings()
{
    const bool front = Card_Front_Or_Back == 0;
    Card_Property& card = front ? *Front_card_Prop : *Back_card_Prop;
    inspector_->writeCardPages(card, front);
    card.Card_Side_Name = front ? QStringLiteral("F") : QStringLiteral("B");
    // The number of sides belongs to the card, whichever side's panel chose it.
    (front ? *Back_card_Prop : *Front_card_Prop).Card_Side = card.Card_Side;
    applyCardSides();
    card.Card_Shape = Card_Shape == 0 ? QStringLiteral("R")
        : Card_Shape == 1             ? QStringLiteral("RR")
                                      : QStringLiteral("E");
    const QRectF bounds = frontCanvasBounds();
    card.Card_Location = bounds.topLeft();
    card.Card_Size = bounds.size();
    card.Card_Create_Mode = QStringLiteral("W");
    // Both sides have the one size of the card, so they name the same preset.
    Card_Property& other = front ? *Back_card_Prop : *Front_card_Prop;
    other.Card_Preset = card.Card_Preset;
    other.Card_Category = card.Card_Category;
    other.Card_Sub_Category = card.Card_Sub_Category;
    other.Card_Cat_index = card.Card_Cat_index;
}

void SKTWindowController::applyCardSides()
{
    const bool twoSided = Front_card_Prop->Card_Side != QLatin1String("1");
    CARD_SIDE_STR = twoSided ? QStringLiteral("2") : QStringLiteral("1");
    // A disabled action takes its shortcut with it.
    if (QAction* back = action(QStringLiteral("Back_Side_btn")))
        back->setEnabled(twoSided);
    if (!twoSided && Card_Front_Or_Back != 0)
        Select_front_side();
}

void SKTWindowController::Update_All_Card_Content()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    changeCardAsStep([this] {
        applyCardTextContent();
        writeCardSettings();
    });
}

std::optional<QFont> SKTWindowController::firstTextFont() const
{
    const auto isText = [](const SKTGraphicPtr& graphic) { return isExactlyKind(*graphic, GraphicKind::Text); };
    const SKTDocument::Graphics selected = currentCanvas()->selectedGraphics();
    const SKTDocument::Graphics& side = Card_Front_Or_Back != 0 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    for (const SKTDocument::Graphics* graphics : { &selected, &side }) {
        const auto text = std::find_if(graphics->cbegin(), graphics->cend(), isText);
        // A text of an older design may name no font: the one it is drawn in.
        if (text != graphics->cend())
            return static_cast<const SKTText&>(**text).drawingFont();
    }
    return std::nullopt;
}

void SKTWindowController::applyCardTextContent()
{
    CardSettingsPage& page = *inspector_->card_setting_tab;
    const QColor color = page.All_Text_clr->color();
    const bool colorChanged = color != page.All_Text_clr_COPY;
    const bool fontChanged = !page.All_Text_font_COPY || page.All_Text_font != *page.All_Text_font_COPY;
    for (const SKTGraphicPtr& graphic :
        Card_Front_Or_Back != 0 ? Get_Back_Controls_Array() : Get_Front_Controls_Array()) {
        if (!isExactlyKind(*graphic, GraphicKind::Text))
            continue;
        if (colorChanged)
            graphic->txt_clr = color;
        if (fontChanged)
            graphic->text_ctrl_font = page.All_Text_font;
    }
    // The next change is measured against what the objects now have.
    page.All_Text_clr_COPY = color;
    page.All_Text_font_COPY = page.All_Text_font;
    // New text objects take the card's text colour and font too.
    All_Text_font_Default = page.All_Text_font;
    All_Text_clr_Default = color;
}

void SKTWindowController::Apply_Size_Clicked()
{
    applyCardSizeAsStep(currentCardLayout());
}

void SKTWindowController::card_shape_CellClick(int row)
{
    const CardLayout before = currentCardLayout();
    Card_Shape = row;
    applyCardSizeAsStep(before);
}

void SKTWindowController::Card_Image_Browse_Btn()
{
    const QString path = dialogs().chooseOpenFile(
        tr("Background Picture"), QString(), tr("Pictures (*.jpg *.jpeg *.jpe *.jfif *.gif *.bmp *.png *.tif *.tiff)"));
    if (path.isEmpty())
        return;
    const QImage held = acceptBackgroundPicture(path);
    if (held.isNull())
        return;
    changeCardAsStep([this, &path] {
        Card_Front_Or_Back == 0 ? set_Front_BG_Image(path) : set_Back_BG_Image(path);
        writeCardSettings();
    });
}

void SKTWindowController::Card_Image_Library_Btn()
{
    if (Open_Image_Library_Window(QStringLiteral("B")) != 1)
        return;
    const QImage held = acceptBackgroundPicture(lib_window_sel_file);
    if (held.isNull())
        return;
    changeCardAsStep([this] {
        Card_Front_Or_Back == 0 ? set_Front_BG_Image(lib_window_sel_file) : set_Back_BG_Image(lib_window_sel_file);
        writeCardSettings();
    });
}

void SKTWindowController::Card_Bckgrnd_Clicked()
{
    Show_RHS_Properties(nullptr);
    if (Open_Image_Library_Window(QStringLiteral("B")) != 1)
        return;
    const QImage held = acceptBackgroundPicture(lib_window_sel_file);
    if (held.isNull())
        return;
    CardBackgroundPage& page = *inspector_->card_bkgd_tab;
    changeCardAsStep([this, &page] {
        page.Card_fill_chk->setChecked(true);
        card_prop_set(QStringLiteral("I"));
        Card_Front_Or_Back == 0 ? set_Front_BG_Image(lib_window_sel_file) : set_Back_BG_Image(lib_window_sel_file);
        writeCardSettings();
    });
    sett_tab->setCurrentWidget(&page);
}

QImage SKTWindowController::acceptBackgroundPicture(const QString& path)
{
    QString why;
    QImage picture;
    // A large picture takes seconds to decode: the window keeps drawing meanwhile.
    runAwayFromGuiThread([&] { picture = PictureFile::load(path, &why); });
    if (picture.isNull())
        Show_MessageBox_With_Reason(
            tr("\"%1\" cannot be used as the background picture.").arg(QFileInfo(path).fileName()), why);
    return picture;
}

namespace {

// Gives a side its background picture; an empty path changes nothing.
bool setBackgroundPicture(Card_Property& card, QLineEdit& pathField, const QString& path)
{
    pathField.setText(path);
    if (path.isEmpty())
        return false;
    card.Card_fill_chk = true;
    card.Card_fill_style = QStringLiteral("I");
    card.Card_BG_Image_Path = path;
    // A large picture takes seconds to decode: the window keeps drawing meanwhile.
    QImage picture;
    runAwayFromGuiThread([&picture, &path] { picture = PictureFile::load(path); });
    card.Card_BG_Image = picture;
    return true;
}

} // namespace

// The side is drawn anew with its picture: the wizard's card shows it whole, not only where
// its texts were drawn since.
void SKTWindowController::set_Front_BG_Image(const QString& path)
{
    if (!setBackgroundPicture(*Front_card_Prop, *inspector_->card_bkgd_tab->Card_Image_path, path))
        return;
    Show_RHS_Properties(nullptr);
    _graphicView->Refresh_Canvas();
}

void SKTWindowController::set_Back_BG_Image(const QString& path)
{
    if (!setBackgroundPicture(*Back_card_Prop, *inspector_->card_bkgd_tab->Card_Image_path, path))
        return;
    Show_RHS_Properties(nullptr);
    _graphicView_BACK->Refresh_Canvas();
}
