#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"
#include "dialogs/LinkButton.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "model/CardGlobals.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <cmath>

namespace {

struct Preset
{
    const char* name;
    float widthInches;
    float heightInches;
};

const Preset plasticCards[] = {
    { "CR80-Credit Card Size", 3.37f, 2.13f },
    { "CR79", 3.31f, 2.06f },
    { "CR90-Over Sized", 3.62f, 2.38f },
    { "CR100-Military Size", 3.88f, 2.62f },
    { "CR50", 3.5f, 1.75f },
    { "CR60", 3.25f, 2.34f },
    { "CR70", 2.88f, 2.12f },
};

const Preset nameBadges[] = {
    { "Durable 1452 - Name Badge", 2.36f, 1.58f },
    { "Durable 1453 - Name Badge", 2.95f, 1.58f },
    { "Durable 1454 - Name Badge", 2.95f, 1.58f },
    { "Durable 1455 - Name Badge", 3.54f, 2.13f },
    { "Durable 1456 - Name Badge", 3.54f, 2.36f },
    { "Durable 1457 - Name Badge", 2.36f, 3.54f },
    { "Durable 1458 - Name Badge", 3.94f, 4.09f },
    { "Durable 1459 - Name Badge", 5.91f, 4.96f },
};

const QString plasticCategory = QStringLiteral("PVC Card");
const QString listKey = QStringLiteral("Extension");

float inchesToMillimetres(float inches)
{
    return float(double(inches) * 25.4);
}

// The orientation list's text as the size look-up takes it.
QString orientationCode(const QString& orientation)
{
    return orientation == QLatin1String("Horizontal") ? QStringLiteral("H") : QStringLiteral("V");
}

} // namespace

QStringList SKTWindowController::presetNames(const QString& category) const
{
    QStringList names;
    if (category == plasticCategory) {
        for (const Preset& preset : plasticCards)
            names.append(QString::fromLatin1(preset.name));
    } else {
        for (const Preset& preset : nameBadges)
            names.append(QString::fromLatin1(preset.name));
    }
    return names;
}

QSizeF SKTWindowController::Get_My_card_Size(const QString& category, const QString& preset, int listIndex)
{
    float width = 30.0f, height = 30.0f;
    const bool plastic = category == plasticCategory;
    const int rows = plastic ? int(std::size(plasticCards)) : int(std::size(nameBadges));
    // A row outside the table names no card: an invalid size, which callers leave alone
    // (scaling the 30 by 30 start would make a 762 mm card).
    if (listIndex != -1 && (listIndex < 0 || listIndex >= rows))
        return QSizeF();
    if (listIndex >= 0) {
        const Preset& row = plastic ? plasticCards[listIndex] : nameBadges[listIndex];
        width = inchesToMillimetres(row.widthInches);
        height = inchesToMillimetres(row.heightInches);
    }
    if (preset == QLatin1String("V"))
        std::swap(width, height);
    return QSizeF(width, height);
}

void SKTWindowController::Set_Card_Size_In_Control(const QSizeF& millimetres)
{
    width_Text->setValue(float(millimetres.width()));
    height_Text->setValue(float(millimetres.height()));
}

QSizeF SKTWindowController::cardSizeInControl() const
{
    return QSizeF(width_Text->value(), height_Text->value());
}

void SKTWindowController::SetDocumentCanvasSize(const QSizeF& points)
{
    for (SKTGraphicView* canvas : { _graphicView, _graphicView_BACK, _graphicView_TEMP }) {
        canvas->setCardSize(QSizeF(0, 0));
        canvas->Refresh_Canvas();
    }
    for (SKTGraphicView* canvas : { _graphicView, _graphicView_BACK, _graphicView_TEMP }) {
        canvas->setCardSize(points);
        canvas->Refresh_Canvas();
    }
}

void SKTWindowController::Set_Document_Size(const QSizeF&)
{
    // The document keeps no canvas size of its own; callers follow with SetDocumentCanvasSize.
}

void SKTWindowController::Create_List(const QString& name)
{
    const QString trimmed = Trim_Str(name);
    if (trimmed.isEmpty())
        return;
    ListData.append(QVariantMap { { listKey, trimmed } });
}

QString SKTWindowController::Get_Item_Text(int row) const
{
    if (row < 0 || row >= ListData.size()) {
        Show_NSLog_Message(QStringLiteral("No card-size row %1.").arg(row));
        return QString(QLatin1String(""));
    }
    return ListData.at(row).value(listKey).toString();
}

void SKTWindowController::Mark_List_New_Selection(int row)
{
    // Showing a row is no choice of the user's: the card keeps its size.
    const QSignalBlocker blocker(ColList);
    ColList->clearSelection();
    if (row >= 0 && row < ColList->count())
        ColList->setCurrentRow(row);
    else
        ColList->setCurrentRow(-1);
}

int SKTWindowController::selectedPresetRow() const
{
    const QList<QListWidgetItem*> selected = ColList->selectedItems();
    return selected.isEmpty() ? -1 : ColList->row(selected.first());
}

void SKTWindowController::deselectPresetUnlessSizeMatches()
{
    const int row = selectedPresetRow();
    if (row < 0)
        return;
    const CardSettingsPage& page = *inspector_->card_setting_tab;
    const QSizeF preset = Get_My_card_Size(
        page.Category_ComboBox->currentText(), orientationCode(page.Preset_ComboBox->currentText()), row);
    const QSizeF shown = cardSizeInControl();
    // The fields hold three decimals of a millimetre.
    constexpr double tolerance = 0.0015;
    if (!preset.isValid() || std::abs(preset.width() - shown.width()) > tolerance
        || std::abs(preset.height() - shown.height()) > tolerance)
        Mark_List_New_Selection(-1);
}

void SKTWindowController::Set_Card_Preset_In_Control(const QString& category, const QString& orientation, int row)
{
    CardSettingsPage& page = *inspector_->card_setting_tab;
    for (auto [box, text] : { std::pair { page.Category_ComboBox, category }, { page.Preset_ComboBox, orientation } }) {
        const QSignalBlocker blocker(box);
        if (const int index = box->findText(text); index >= 0)
            box->setCurrentIndex(index);
    }
    fillCardSizeList(page.Category_ComboBox->currentText() == plasticCategory);
    Mark_List_New_Selection(row);
    deselectPresetUnlessSizeMatches();
}

void SKTWindowController::applyCardPreset()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    const CardSettingsPage& page = *inspector_->card_setting_tab;
    const QString orientation = orientationCode(page.Preset_ComboBox->currentText());
    QSizeF size;
    if (const int row = selectedPresetRow(); row >= 0) {
        size = Get_My_card_Size(page.Category_ComboBox->currentText(), orientation, row);
    } else {
        // A card of its own size keeps it, turned to the orientation chosen.
        size = cardSizeInControl();
        if ((orientation == QLatin1String("H")) != (size.width() >= size.height()))
            size.transpose();
    }
    if (!size.isValid())
        return;
    Set_Card_Size_In_Control(size);
    Apply_Size_Clicked();
}

void SKTWindowController::reloadCardSizeList()
{
    const QSignalBlocker blocker(ColList);
    ColList->clear();
    for (const QVariantMap& row : ListData)
        ColList->addItem(row.value(listKey).toString());
}

void SKTWindowController::fillCardSizeList(bool plasticCards)
{
    ListData.clear();
    reloadCardSizeList();
    for (const QString& name : plasticCards ? pvc_card_arry : paper_card_arry)
        Create_List(name);
    reloadCardSizeList();
    Mark_List_New_Selection(0);
}

void SKTWindowController::openLink(Link link)
{
    static const QString site = QStringLiteral("https://www.example.com/galavite");
    QString address;
    switch (link) {
    case Link::SupportMail:
        address = QStringLiteral("mailto:support@example.com");
        break;
    case Link::ResellerMail:
        address = QStringLiteral("mailto:partners@example.com?subject=Affiliate%20or%20partnership%20enquiry"
                                 "&body=Business%20name%20and%20contact%20information%3A%0A%0A"
                                 "Kind%20of%20partnership%20wanted%20(affiliate%2C%20reseller%20or%20other)%3A%0A");
        break;
    case Link::Website1:
        address = QStringLiteral("https://www.example.com/");
        break;
    case Link::Website2:
        address = site;
        break;
    case Link::Website3:
        address = QStringLiteral("https://www.example.com/card-software");
        break;
    case Link::GooglePlus:
        address = QStringLiteral("https://plus.google.com/share?url=") + site;
        break;
    case Link::FaceBook:
        address = QStringLiteral("https://www.facebook.com/sharer/sharer.php?u=") + site;
        break;
    case Link::Twitter:
        address = QStringLiteral("https://twitter.com/intent/tweet?url=") + site;
        break;
    case Link::FacebookLike:
        address = QStringLiteral("https://www.facebook.com/plugins/like.php?href=") + site;
        break;
    case Link::ShareIt:
        address = site + QStringLiteral("/comments");
        break;
    }
    Open_Link(address);
}
