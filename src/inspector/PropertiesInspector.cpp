#include "inspector/PropertiesInspector.h"

#include "canvas/GraphicKind.h"
#include "inspector/AlignmentPage.h"
#include "inspector/BarcodePage.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardBorderPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/DataSourcePage.h"
#include "inspector/ImagePage.h"
#include "inspector/InspectorHost.h"
#include "inspector/LinePage.h"
#include "inspector/LockPage.h"
#include "inspector/PanelFillGuard.h"
#include "inspector/ShapePage.h"
#include "inspector/SignaturePage.h"
#include "inspector/TextEditingPage.h"
#include "inspector/TextPropertiesPage.h"
#include "model/CardGlobals.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

PropertiesInspector::PropertiesInspector(InspectorHost& host, QObject* parent)
    : QObject(parent)
    , sett_tab(new QTabWidget)
    , card_setting_tab(new CardSettingsPage(host))
    , card_bkgd_tab(new CardBackgroundPage(host))
    , card_brdr_tab(new CardBorderPage(host))
    , text_edtng_tab(new TextEditingPage(host))
    , text_prop_tab(new TextPropertiesPage)
    , datasource_tab(new DataSourcePage(host))
    , image_tab(new ImagePage(host))
    , line_tab(new LinePage(host))
    , sign_tab(new SignaturePage(host))
    , barcode_tab(new BarcodePage(host))
    , shape_tab(new ShapePage(host))
    , Lock_tab(new LockPage)
    , aligmnt_tab(new AlignmentPage)
    , host_(host)
    , shapeLabel_(QStringLiteral("Shape Properties"))
{
    sett_tab->setObjectName(QStringLiteral("sett_tab"));
    // Tab labels stay whole; arrows scroll through them when the panel is narrow.
    sett_tab->setElideMode(Qt::ElideNone);
    sett_tab->setUsesScrollButtons(true);
    // Pages out of the tab view belong to the tab view all the same, so they live as long.
    for (QWidget* page :
        std::initializer_list<QWidget*> { card_setting_tab, card_bkgd_tab, card_brdr_tab, text_edtng_tab, text_prop_tab,
            datasource_tab, image_tab, line_tab, sign_tab, barcode_tab, shape_tab, Lock_tab, aligmnt_tab })
        page->setParent(sett_tab);
    for (QWidget* page : sett_tab->findChildren<ObjectPage*>(Qt::FindDirectChildrenOnly))
        page->hide();
    connectObjectPages();
    insertCardPages();
    // One width for every selection, so the canvas beside it does not jump as the tabs
    // change: wide enough for the widest page and for the longest row of tabs.
    int width = 380;
    for (QWidget* page : sett_tab->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        width = std::max(width, page->minimumSizeHint().width() + 16);
    sett_tab->setFixedWidth(width);
}

void PropertiesInspector::connectObjectPages()
{
    for (ObjectPage* page : sett_tab->findChildren<ObjectPage*>(Qt::FindDirectChildrenOnly))
        page->setPrintObjectCheck(aligmnt_tab->print_object_chk);
    text_edtng_tab->setPropertiesPage(text_prop_tab);
    image_tab->setPathField(datasource_tab->Manual_image_path);
    connect(datasource_tab, &DataSourcePage::manualEntryChanged, text_edtng_tab,
        [this](bool manual) { text_edtng_tab->Text_value_Edit->setReadOnly(!manual); });
    connect(datasource_tab, &DataSourcePage::textValueShown, text_edtng_tab, &TextEditingPage::showText);
    connect(datasource_tab, &DataSourcePage::imagePathChanged, image_tab, &ImagePage::Update_Image_Graphics);
}

void PropertiesInspector::insertCardPages()
{
    insert(card_setting_tab, QStringLiteral("Card"));
    insert(card_bkgd_tab, QStringLiteral("Background"));
    insert(card_brdr_tab, QStringLiteral("Border"));
}

PropertiesInspector::~PropertiesInspector() = default;

void PropertiesInspector::Remove_All_Tab_Items()
{
    while (sett_tab->count() > 0) {
        QWidget* page = sett_tab->widget(0);
        sett_tab->removeTab(0);
        page->hide();
    }
}

void PropertiesInspector::insert(QWidget* page, const QString& label)
{
    sett_tab->addTab(page, label);
}

void PropertiesInspector::insert(ObjectPage* page, const QString& label, const SKTGraphic& graphic)
{
    page->load(graphic);
    insert(page, label);
}

void PropertiesInspector::Show_RHS_Properties(const SKTGraphicPtr& graphic)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    host_.selectArrowTool();
    showSelection(graphic);
}

void PropertiesInspector::showSelection(const SKTGraphicPtr& graphic)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    if (graphic)
        showGraphic(graphic);
    else
        showCard();
}

void PropertiesInspector::showCard()
{
    const PanelFillGuard guard;
    host_.clearCurrentSelection();
    host_.Disable_Standard_Button_For_Card();
    Last_Selected_Graphic.reset();
    Remove_All_Tab_Items();
    insertCardPages();
    sett_tab->setCurrentIndex(0);
    loadCardPages();
}

void PropertiesInspector::loadCardPages()
{
    const Card_PropertyPtr card = host_.currentCardSettings();
    if (!card)
        return;
    card_brdr_tab->load(*card);
    card_bkgd_tab->load(*card);
    card_setting_tab->load(*card, Card_Shape);
    // The side's place and size follow the front canvas: all sides have the same size.
    const QRectF bounds = host_.frontCanvasBounds();
    card->Card_Location = bounds.topLeft();
    card->Card_Size = bounds.size();
    card_prop_set(card->Card_fill_style);
    sett_tab->update();
}

void PropertiesInspector::showGraphic(const SKTGraphicPtr& graphic)
{
    host_.Enable_Standard_Button_For_Control();
    if (graphic->ctrl_is_locked)
        host_.Disable_Standard_Button_For_Lock();
    else
        host_.Enable_Standard_Button_For_Unlock();
    if (Last_Selected_Graphic.lock() == graphic)
        return;
    Last_Selected_Graphic = graphic;
    Remove_All_Tab_Items();
    aligmnt_tab->load(*graphic);
    sel_control_name = QStringLiteral("NONE");
    {
        const PanelFillGuard guard;
        insertPagesOf(*graphic);
        sett_tab->setCurrentIndex(0);
    }
    for (int tab = 0; tab < sett_tab->count(); ++tab)
        if (auto* page = qobject_cast<ObjectPage*>(sett_tab->widget(tab)))
            page->afterFill(*graphic);
    if (!graphic->ctrl_is_locked)
        insert(aligmnt_tab, QStringLiteral("Alignment"));
    sett_tab->update();
}

void PropertiesInspector::insertPagesOf(const SKTGraphic& graphic)
{
    const bool locked = graphic.ctrl_is_locked;
    const auto lockOr = [&](const QString& lockLabel, const std::function<void()>& pages) {
        if (locked)
            insert(Lock_tab, lockLabel, graphic);
        else
            pages();
    };
    if (isExactlyKind(graphic, GraphicKind::Text)) {
        sel_control_name = QStringLiteral("T");
        lockOr(QStringLiteral("Text Properties"), [&] {
            datasource_tab->data_source_title->setText(QStringLiteral("Text Source"));
            datasource_tab->manual_brws_box->setVisible(false);
            insert(text_edtng_tab, QStringLiteral("Text"), graphic);
            insert(text_prop_tab, QStringLiteral("Text Properties"), graphic);
            insert(datasource_tab, QStringLiteral("Text Source"), graphic);
        });
    } else if (isExactlyKind(graphic, GraphicKind::Image)) {
        sel_control_name = QStringLiteral("I");
        lockOr(QStringLiteral("Image Properties"), [&] {
            datasource_tab->data_source_title->setText(QStringLiteral("Image Source"));
            datasource_tab->manual_brws_box->setVisible(true);
            insert(datasource_tab, QStringLiteral("Image Source"), graphic);
            insert(image_tab, QStringLiteral("Image"), graphic);
        });
    } else if (isExactlyKind(graphic, GraphicKind::Line)) {
        lockOr(QStringLiteral("Line Properties"), [&] { insert(line_tab, QStringLiteral("Line"), graphic); });
    } else if (isExactlyKind(graphic, GraphicKind::Signature)) {
        sel_control_name = graphic.sign_or_fingureprint;
        lockOr(QStringLiteral("Signature Properties"), [&] {
            insert(sign_tab,
                graphic.sign_or_fingureprint == QLatin1String("S") ? QStringLiteral("Signature Properties")
                                                                   : QStringLiteral("FingrePrint Properties"),
                graphic);
        });
    } else if (isExactlyKind(graphic, GraphicKind::Barcode)) {
        lockOr(QStringLiteral("Barcode Properties"), [&] { insert(barcode_tab, QStringLiteral("Barcode"), graphic); });
    } else {
        const QString code = graphic.Get_shape_type();
        // A code outside the eight shapes keeps the label and title shown before.
        if (const QString title = ShapePage::titleOfShape(code); !title.isEmpty()) {
            shapeLabel_ = title;
            shape_tab->Shape_prop_title->setText(title);
        }
        shape_tab->hideExtras();
        lockOr(shapeLabel_, [&] {
            shape_tab->showExtrasOf(code);
            insert(shape_tab, shapeLabel_, graphic);
        });
    }
}

void PropertiesInspector::reloadShownPages()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    if (showsCard()) {
        const PanelFillGuard guard;
        loadCardPages();
        return;
    }
    const SKTGraphicPtr graphic = Last_Selected_Graphic.lock();
    if (!graphic)
        return;
    QList<ObjectPage*> shown;
    for (int tab = 0; tab < sett_tab->count(); ++tab)
        if (auto* page = qobject_cast<ObjectPage*>(sett_tab->widget(tab)))
            shown.append(page);
    {
        const PanelFillGuard guard;
        for (ObjectPage* page : shown)
            page->load(*graphic);
    }
    for (ObjectPage* page : shown)
        page->afterFill(*graphic);
}

void PropertiesInspector::reloadSourcePage()
{
    const SKTGraphicPtr graphic = Last_Selected_Graphic.lock();
    if (Not_Draw_Only_Prop_Change || !graphic || sett_tab->indexOf(datasource_tab) < 0)
        return;
    const PanelFillGuard guard;
    datasource_tab->showSourcesNow(*graphic);
}

bool PropertiesInspector::showsLock() const
{
    return sett_tab->indexOf(Lock_tab) >= 0;
}

bool PropertiesInspector::showsCard() const
{
    return sett_tab->indexOf(card_setting_tab) >= 0;
}

void PropertiesInspector::card_prop_set(const QString& fillStyle)
{
    card_brdr_tab->enableBorderBox();
    card_bkgd_tab->card_prop_set(fillStyle);
    sett_tab->update();
}

void PropertiesInspector::writeCardPages(Card_Property& card, bool frontSide) const
{
    card_brdr_tab->writeTo(card);
    card_bkgd_tab->writeTo(card, frontSide);
    card_setting_tab->writeTo(card);
}
