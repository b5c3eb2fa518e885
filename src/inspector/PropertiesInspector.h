#pragma once

#include "model/SKTGraphic.h"

#include <QObject>
#include <QString>

#include <memory>

class AlignmentPage;
class Card_Property;
class BarcodePage;
class CardBackgroundPage;
class CardBorderPage;
class CardSettingsPage;
class DataSourcePage;
class ImagePage;
class InspectorHost;
class LinePage;
class LockPage;
class ObjectPage;
class QTabWidget;
class QWidget;
class ShapePage;
class SignaturePage;
class TextEditingPage;
class TextPropertiesPage;

// The right-hand tab view: the card's pages when nothing is selected, the pages of the
// object's kind for an object, the lock page alone for a locked object.
class PropertiesInspector : public QObject
{
    Q_OBJECT

public:
    explicit PropertiesInspector(InspectorHost& host, QObject* parent = nullptr);
    ~PropertiesInspector() override;

    // Rebuilds the tabs for the object, or for the card side with none. Does nothing while
    // the panel is being filled.
    void Show_RHS_Properties(const SKTGraphicPtr& graphic);
    // The same, leaving the drawing tool as it is: for a selection made while a tool places
    // its object.
    void showSelection(const SKTGraphicPtr& graphic);
    // Fills the pages shown again from the card or the object, keeping the tab in front.
    void reloadShownPages();
    // The source page shown for an object lists the columns and series there are now.
    void reloadSourcePage();
    // Whether the lock page stands for the object shown.
    bool showsLock() const;
    // The fill radio buttons and enabled controls of a fill style, and the border and fill
    // groups as their check boxes say.
    void card_prop_set(const QString& fillStyle);
    void Remove_All_Tab_Items();
    // Writes the card pages into the side's settings.
    void writeCardPages(Card_Property& card, bool frontSide) const;
    // The object the tabs were last built for; empty after the card was shown.
    SKTGraphicPtr lastSelectedGraphic() const { return Last_Selected_Graphic.lock(); }
    bool showsCard() const;
    // "NONE" or the one-letter code of the kind shown.
    QString selectedControlName() const { return sel_control_name; }

    QTabWidget* sett_tab = nullptr;
    CardSettingsPage* card_setting_tab = nullptr;
    CardBackgroundPage* card_bkgd_tab = nullptr;
    CardBorderPage* card_brdr_tab = nullptr;
    TextEditingPage* text_edtng_tab = nullptr;
    TextPropertiesPage* text_prop_tab = nullptr;
    DataSourcePage* datasource_tab = nullptr;
    ImagePage* image_tab = nullptr;
    LinePage* line_tab = nullptr;
    SignaturePage* sign_tab = nullptr;
    BarcodePage* barcode_tab = nullptr;
    ShapePage* shape_tab = nullptr;
    LockPage* Lock_tab = nullptr;
    AlignmentPage* aligmnt_tab = nullptr;

private:
    void showCard();
    void loadCardPages();
    void insertCardPages();
    // Gives the object pages the shared print check box and lets them reach each other.
    void connectObjectPages();
    void showGraphic(const SKTGraphicPtr& graphic);
    // Inserts the object's pages, or the lock page alone.
    void insertPagesOf(const SKTGraphic& graphic);
    void insert(QWidget* page, const QString& label);
    void insert(ObjectPage* page, const QString& label, const SKTGraphic& graphic);

    InspectorHost& host_;
    std::weak_ptr<SKTGraphic> Last_Selected_Graphic;
    QString sel_control_name = QStringLiteral("NONE");
    QString shapeLabel_;
};
