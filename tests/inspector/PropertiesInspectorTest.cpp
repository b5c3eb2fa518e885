#include "inspector/PropertiesInspector.h"

#include "widgets/ColorWell.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardBorderPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/InspectorHost.h"
#include "model/CardGlobals.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

// Records what the inspector asks of the main window.
class RecordingHost : public InspectorHost
{
public:
    Card_PropertyPtr card = Card_Property::create();
    QStringList calls;

    Card_PropertyPtr currentCardSettings() const override { return card; }
    QRectF frontCanvasBounds() const override { return QRectF(0, 0, 243, 154); }
    void selectArrowTool() override { calls << QStringLiteral("arrow"); }
    void clearCurrentSelection() override { calls << QStringLiteral("clear"); }
    void Enable_Standard_Button_For_Control() override { calls << QStringLiteral("control"); }
    void Enable_Standard_Button_For_Unlock() override { calls << QStringLiteral("unlock"); }
    void Disable_Standard_Button_For_Lock() override { calls << QStringLiteral("lock"); }
    void Disable_Standard_Button_For_Card() override { calls << QStringLiteral("card"); }
    void Update_Card_Graphics() override { calls << QStringLiteral("write"); }
    void Update_All_Card_Content() override { calls << QStringLiteral("content"); }
    void Apply_Size_Clicked() override { calls << QStringLiteral("size"); }
    void Open_Card_Size_Chooser() override { calls << QStringLiteral("chooser"); }
    void card_shape_CellClick(int) override { calls << QStringLiteral("shape"); }
    void fillCardSizeList(bool) override { }
    void Mark_List_New_Selection(int) override { }
    void applyCardPreset() override { }
    void Card_Image_Browse_Btn() override { }
    void Card_Image_Library_Btn() override { }

    // Object pages: writes are counted, and go into the objects given as the selection.
    QList<SKTGraphicPtr> selection;
    QStringList series;
    void writeSelectedGraphics(const GraphicWriter& write) override
    {
        calls << QStringLiteral("objects");
        for (const SKTGraphicPtr& graphic : selection)
            write(*graphic, selection.size());
    }
    SKTGraphicPtr currentGraphic() const override { return selection.isEmpty() ? nullptr : selection.front(); }
    void Refresh_Canvas() override { }
    void setUnsavedEdits(bool) override { }
    QStringList Get_datasheet_File_Name_Array() const override { return series; }
    bool spreadsheetBound() const override { return false; }
    QStringList spreadsheetColumnTitles() const override { return {}; }
    bool showsOnFirstCard(const SKTGraphicPtr&) override { return false; }
    void View_batch_Series_Button(const QString&, const QString&) override { }
    QString formattedNow(const QString& pattern) const override { return pattern; }
    bool Browse_User_Image_Manually() override { return false; }
    bool Browse_Library_Clip_Art() override { return false; }
    QString Library_Selected_Image() const override { return {}; }
    void Open_Barcode_Window() override { calls << QStringLiteral("barcode"); }
};

class InspectorTest : public ::testing::Test
{
protected:
    void TearDown() override { Not_Draw_Only_Prop_Change = false; }

    RecordingHost host;
    PropertiesInspector inspector { host };
};

} // namespace

TEST_F(InspectorTest, TheCardIsLoadedUnderTheGuardAndTheGuardIsReleased)
{
    host.card->Card_fill_chk = true;
    host.card->Card_fill_style = QStringLiteral("H");
    host.card->Card_bor_Stepper = 7;
    inspector.Show_RHS_Properties(nullptr);
    EXPECT_EQ(host.calls, QStringList({ "arrow", "clear", "card" })); // nothing written back while filling
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_EQ(inspector.card_brdr_tab->Card_bor_Stepper->value(), 7);
    EXPECT_EQ(host.card->Card_Size, QSizeF(243, 154));
    EXPECT_TRUE(inspector.card_bkgd_tab->Card_hatch_style->isEnabled());
    EXPECT_FALSE(inspector.card_bkgd_tab->Card_fill_clr->isEnabled());
}

TEST_F(InspectorTest, ACallWhileFillingChangesNothing)
{
    Not_Draw_Only_Prop_Change = true;
    inspector.Show_RHS_Properties(SKTGraphic::create<SKTLine>());
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(inspector.sett_tab->count(), 3);
}

TEST_F(InspectorTest, ObjectsSetTheButtonStatesOnEveryCallAndNameTheirKind)
{
    const SKTGraphicPtr fingerprint = SKTGraphic::create<SKTSignature>();
    fingerprint->Set_Sign_Or_FP(QStringLiteral("F"));
    fingerprint->ctrl_is_locked = true;
    inspector.Show_RHS_Properties(fingerprint);
    inspector.Show_RHS_Properties(fingerprint);
    EXPECT_EQ(host.calls, QStringList({ "arrow", "control", "lock", "arrow", "control", "lock" }));
    EXPECT_EQ(inspector.selectedControlName(), QStringLiteral("F"));
    inspector.Show_RHS_Properties(SKTGraphic::create<SKTLine>());
    EXPECT_EQ(inspector.selectedControlName(), QStringLiteral("NONE"));
    EXPECT_EQ(host.calls.last(), QStringLiteral("unlock"));
}

TEST_F(InspectorTest, EachFillStyleEnablesOnlyItsControls)
{
    CardBackgroundPage& page = *inspector.card_bkgd_tab;
    page.Card_fill_chk->setChecked(true);
    struct Expected
    {
        const char* style;
        bool solid, gradient, hatch, picture;
    };
    const Expected table[] = {
        { "S", true, false, false, false },
        { "G", false, true, false, false },
        { "H", false, false, true, false },
        { "I", false, false, false, true },
        { "?", true, false, false, false },
    };
    for (const Expected& expected : table) {
        inspector.card_prop_set(QString::fromLatin1(expected.style));
        EXPECT_EQ(page.Card_fill_clr->isEnabled(), expected.solid) << expected.style;
        EXPECT_EQ(page.Card_fill_Grd_1_clr->isEnabled(), expected.gradient) << expected.style;
        EXPECT_EQ(page.Card_grad_Stepper->isEnabled(), expected.gradient) << expected.style;
        EXPECT_EQ(page.Card_hatch_style->isEnabled(), expected.hatch) << expected.style;
        EXPECT_EQ(page.Card_hatch_bk_clr->isEnabled(), expected.hatch) << expected.style;
        EXPECT_EQ(page.Card_image_box->isEnabled(), expected.picture) << expected.style;
        EXPECT_EQ(page.selectedFillStyle(), expected.solid ? QStringLiteral("S") : QString::fromLatin1(expected.style));
    }
    page.Card_fill_chk->setChecked(false);
    inspector.card_prop_set(QStringLiteral("G"));
    EXPECT_FALSE(page.Card_Fill_Box->isEnabled());
    EXPECT_TRUE(host.calls.isEmpty()); // setting the radios writes nothing
}

TEST_F(InspectorTest, CardPagesWriteWhatTheyShow)
{
    host.card->Card_border_style = QStringLiteral("DO");
    host.card->Card_Name = QStringLiteral("Party");
    host.card->Card_Side = QStringLiteral("1");
    inspector.Show_RHS_Properties(nullptr);
    const auto written = Card_Property::create();
    inspector.writeCardPages(*written, true);
    EXPECT_EQ(written->Card_border_style, QStringLiteral("DO"));
    EXPECT_EQ(written->Card_Name, QStringLiteral("Party"));
    EXPECT_EQ(written->Card_Side, QStringLiteral("1"));
    EXPECT_EQ(written->Card_bor_Stepper, host.card->Card_bor_Stepper);

    // A style code outside the table leaves the list where it was.
    host.card->Card_border_style = QStringLiteral("ZZ");
    inspector.Show_RHS_Properties(nullptr);
    EXPECT_EQ(inspector.card_brdr_tab->Card_border_style->currentIndex(), 2);
}

TEST_F(InspectorTest, FillingTheObjectPagesWritesNothingBack)
{
    host.series = { QStringLiteral("Guests") };
    const QList<SKTGraphicPtr> kinds { SKTGraphic::create<SKTText>(), SKTGraphic::create<SKTImage>(),
        SKTGraphic::create<SKTLine>(), SKTGraphic::create<SKTSignature>(), SKTGraphic::create<SKTBarcode>(),
        SKTGraphic::create<Shape_Control>() };
    for (const SKTGraphicPtr& graphic : kinds) {
        // Values the pages' controls would announce if they were set with signals on.
        graphic->_strokeWidth = 6;
        graphic->alpha_val = 0.3f;
        graphic->_isDrawingFill = true;
        graphic->_fill_type = QStringLiteral("G");
        graphic->data_source_type = 1;
        graphic->batch_list_name = QStringLiteral("Guests");
        graphic->hue_val = 0.5f;
        host.selection = { graphic };
        host.calls.clear();
        inspector.Show_RHS_Properties(graphic);
        EXPECT_FALSE(host.calls.contains(QStringLiteral("objects"))) << host.calls.join(' ').toStdString();
        EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    }
}
