#include "MainWindowFixture.h"

#include "canvas/SKTGraphicView.h"
#include "widgets/ColorWell.h"
#include "widgets/StepperSpinBox.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardBorderPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/DesignFile.h"
#include "model/CardGlobals.h"
#include "wizards/CardSizeFields.h"
#include "wizards/Card_Wizard.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

namespace {

void choose(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

SKTGraphicPtr place(SKTWindowController& main, int tool)
{
    main.action(QStringLiteral("Tool_%1").arg(tool))->trigger();
    return main.currentCanvas()->selectedGraphic();
}

} // namespace

TEST_F(MainWindowTest, EveryCardSettingIsReachableFromTheCardPages)
{
    SKTWindowController& main = start();
    PropertiesInspector& inspector = main.inspector();
    CardSettingsPage& card = *inspector.card_setting_tab;
    CardBackgroundPage& fill = *inspector.card_bkgd_tab;
    CardBorderPage& border = *inspector.card_brdr_tab;
    const Card_Property& settings = *main.Front_card_Prop;

    card.card_name->setText(QStringLiteral("  Summer Party "));
    emit card.card_name->editingFinished();
    EXPECT_EQ(settings.Card_Name, QStringLiteral("Summer Party"));
    choose(card.Sides_ComboBox, 1);
    EXPECT_EQ(settings.Card_Side, QStringLiteral("1"));
    choose(card.Preset_ComboBox, 1);
    EXPECT_EQ(settings.Card_Preset, QStringLiteral("Vertical"));
    choose(card.Category_ComboBox, 1);
    EXPECT_EQ(settings.Card_Category, QStringLiteral("Name Badge"));
    ASSERT_EQ(card.ColList->count(), 8);
    card.ColList->setCurrentRow(2);
    emit card.ColList->itemClicked(card.ColList->item(2));
    EXPECT_EQ(settings.Card_Sub_Category, QStringLiteral("Durable 1454 - Name Badge"));
    EXPECT_EQ(settings.Card_Cat_index, 2);

    card.width_Text->setValue(60.0);
    card.width_Text->stepBy(1);
    EXPECT_NEAR(main.currentCanvas()->cardSize().width(), 61.0 * 2.834645669291, 0.01);
    EXPECT_NEAR(settings.Card_Size.width(), 61.0 * 2.834645669291, 0.01);
    card.matrix_card_shape->button(2)->click();
    EXPECT_EQ(Card_Shape, 2);
    EXPECT_EQ(settings.Card_Shape, QStringLiteral("E"));

    border.Card_border_chk->click();
    EXPECT_FALSE(settings.Card_border_chk);
    border.Card_border_chk->click();
    border.Card_bor_Stepper->setValue(4);
    choose(border.Card_border_style, 4);
    EXPECT_EQ(settings.Card_bor_Stepper, 4);
    EXPECT_EQ(settings.Card_border_style, QStringLiteral("DDD"));

    fill.Card_fill_chk->click();
    EXPECT_TRUE(settings.Card_fill_chk);
    fill.Card_gradient_fill_rd->click();
    fill.Card_grad_Stepper->setValue(45);
    EXPECT_EQ(settings.Card_fill_style, QStringLiteral("G"));
    EXPECT_EQ(settings.Card_grad_Stepper, 45);
    EXPECT_TRUE(fill.Card_grad_Stepper->isEnabled());
    EXPECT_FALSE(fill.Card_fill_clr->isEnabled());
    fill.Card_Style_fill_rd->click();
    ASSERT_EQ(fill.Card_hatch_style->count(), 8); // our own patterns ship with the program
    choose(fill.Card_hatch_style, 3);
    EXPECT_EQ(settings.Card_fill_style, QStringLiteral("H"));
    EXPECT_EQ(settings.Card_hatch_style, fill.Card_hatch_style->itemText(3));

    const QString picture = folder.filePath(QStringLiteral("back.png"));
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    dialogs->fileAnswers = { picture };
    fill.Card_Image_fill_rd->click();
    main.Card_Image_Browse_Btn();
    choose(fill.Card_image_layout, 1);
    EXPECT_EQ(settings.Card_fill_style, QStringLiteral("I"));
    EXPECT_EQ(settings.Card_BG_Image_Path, picture);
    EXPECT_FALSE(settings.Card_BG_Image.isNull());
    EXPECT_EQ(settings.Card_BG_Image_Layout, QStringLiteral("Tile"));

    QFont font(QStringLiteral("DejaVu Sans"), 20);
    card.setContentFont(font);
    main.Update_All_Card_Content();
    EXPECT_EQ(settings.Card_Content_font, font);
    EXPECT_EQ(card.All_Text_font_value->text(), QStringLiteral("DejaVu Sans ( 20.00 )"));
}

// The card page's font label names the font that its Font… opens at and changes: the side's
// texts' as they are drawn, the card's own with no text on the side.
TEST_F(MainWindowTest, TheCardsFontLabelNamesTheFontItsButtonOpensAt)
{
    SKTWindowController& main = start();
    CardSettingsPage& card = *main.inspector().card_setting_tab;
    QPushButton* fontButton = nullptr;
    for (QPushButton* button : card.findChildren<QPushButton*>())
        if (button->text().startsWith(QStringLiteral("Fo&nt")))
            fontButton = button;
    ASSERT_NE(fontButton, nullptr);
    const auto labelMatchesTheDialog = [&](const char* when) {
        main.Show_RHS_Properties(nullptr);
        QFont opened;
        otherModal = [&](QDialog& dialog) {
            if (auto* fonts = qobject_cast<QFontDialog*>(&dialog))
                opened = fonts->currentFont();
            return 0;
        };
        fontButton->click();
        EXPECT_EQ(card.All_Text_font_value->text(),
            QStringLiteral("%1 ( %2 )").arg(opened.family()).arg(opened.pointSizeF(), 0, 'f', 2))
            << when;
    };
    main.Front_card_Prop->Card_Content_font = QFont(QStringLiteral("Times New Roman"), 14);
    labelMatchesTheDialog("no text on the side");
    const SKTGraphicPtr text = place(main, 2);
    text->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 11);
    labelMatchesTheDialog("a text of another font than the card's");
    EXPECT_EQ(card.All_Text_font_value->text(), QStringLiteral("DejaVu Sans ( 11.00 )"));
    text->text_ctrl_font = QFont(QStringLiteral("No Such Family Here"), 13);
    labelMatchesTheDialog("a text of a family this computer lacks");
}

TEST_F(MainWindowTest, OpacityReachesTheFillColoursButNotTheBorder)
{
    SKTWindowController& main = start();
    CardBackgroundPage& fill = *main.inspector().card_bkgd_tab;
    fill.Card_fill_chk->click();
    fill.Card_fill_clr->chooseColor(Qt::red);
    fill.Card_alpha_Stepper->setValue(50);
    const Card_Property& settings = *main.Front_card_Prop;
    EXPECT_EQ(settings.Card_fill_clr.rgb(), QColor(Qt::red).rgb());
    EXPECT_NEAR(settings.Card_fill_clr.alphaF(), 0.5, 0.01);
    EXPECT_NEAR(settings.Card_fill_Grd_1_clr.alphaF(), 0.5, 0.01);
    EXPECT_NEAR(settings.Card_fill_Grd_2_clr.alphaF(), 0.5, 0.01);
    EXPECT_NEAR(settings.Card_hatch_bk_clr.alphaF(), 0.5, 0.01);
    EXPECT_FLOAT_EQ(settings.Card_alpha_Stepper, 0.5f);
    EXPECT_EQ(settings.Card_bordr_clr.alphaF(), 1.0);
    // Shown again, the panel reads back what it wrote.
    main.Show_RHS_Properties(nullptr);
    EXPECT_EQ(fill.Card_alpha_Stepper->value(), 50);
}

TEST_F(MainWindowTest, BlankNamesAndTheBacksUnfilledStyle)
{
    SKTWindowController& main = start();
    CardSettingsPage& card = *main.inspector().card_setting_tab;
    card.card_name->setText(QStringLiteral("   "));
    emit card.card_name->editingFinished();
    EXPECT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Untitled"));

    // With the fill off the front keeps the chosen style, the back stores "S".
    CardBackgroundPage& fill = *main.inspector().card_bkgd_tab;
    fill.card_prop_set(QStringLiteral("G"));
    main.Update_Card_Graphics();
    EXPECT_EQ(main.Front_card_Prop->Card_fill_style, QStringLiteral("G"));
    main.Select_back_side();
    fill.card_prop_set(QStringLiteral("G"));
    main.Update_Card_Graphics();
    EXPECT_EQ(main.Back_card_Prop->Card_fill_style, QStringLiteral("S"));
    EXPECT_EQ(main.Back_card_Prop->Card_Side_Name, QStringLiteral("B"));
    main.Select_front_side();
}

TEST_F(MainWindowTest, TheContentColourReachesEveryTextOfTheCurrentSideOnly)
{
    SKTWindowController& main = start();
    const SKTGraphicPtr first = place(main, 2);
    const QFont ownFont(QStringLiteral("DejaVu Sans"), 9);
    first->text_ctrl_font = ownFont;
    const SKTGraphicPtr second = place(main, 2);
    second->txt_clr = Qt::green;
    const SKTGraphicPtr shape = place(main, 3);
    const QColor shapeColour = shape->txt_clr;
    main.Select_back_side();
    const SKTGraphicPtr backText = place(main, 2);
    const QColor backColour = backText->txt_clr;
    main.Select_front_side();

    main.inspector().card_setting_tab->All_Text_clr->chooseColor(Qt::blue);
    EXPECT_EQ(first->txt_clr, QColor(Qt::blue));
    EXPECT_EQ(second->txt_clr, QColor(Qt::blue));
    EXPECT_EQ(shape->txt_clr, shapeColour);
    EXPECT_EQ(backText->txt_clr, backColour);
    EXPECT_EQ(main.Front_card_Prop->Card_Content_clr, QColor(Qt::blue));
    // An unchanged font leaves each text's own font alone.
    EXPECT_EQ(first->text_ctrl_font, ownFont);
}

TEST_F(MainWindowTest, ABackgroundPictureSwitchesThePictureFillOnAndAnEmptyPathChangesNothing)
{
    SKTWindowController& main = start();
    const auto before = main.Back_card_Prop->copy();
    main.set_Back_BG_Image(QString());
    EXPECT_EQ(main.Back_card_Prop->Card_fill_chk, before->Card_fill_chk);
    EXPECT_EQ(main.Back_card_Prop->Card_fill_style, before->Card_fill_style);

    const QString picture = folder.filePath(QStringLiteral("bg.png"));
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    image.save(picture);
    main.set_Front_BG_Image(picture);
    const Card_Property& front = *main.Front_card_Prop;
    EXPECT_TRUE(front.Card_fill_chk);
    EXPECT_EQ(front.Card_fill_style, QStringLiteral("I"));
    EXPECT_EQ(front.Card_BG_Image.size(), QSize(30, 20));
    // The panel shows it at once.
    EXPECT_TRUE(main.inspector().card_bkgd_tab->Card_Image_fill_rd->isChecked());
    EXPECT_EQ(main.inspector().card_bkgd_tab->Card_Image_path->text(), picture);
}

namespace {

QSizeF cardMillimetres(SKTWindowController& main)
{
    const QSizeF points = main.currentCanvas()->cardSize();
    return QSizeF(points.width() * 0.3527777777778, points.height() * 0.3527777777778);
}

void expectSize(const QSizeF& actual, double width, double height)
{
    EXPECT_NEAR(actual.width(), width, 0.01);
    EXPECT_NEAR(actual.height(), height, 0.01);
}

void clickRow(QListWidget& list, int row)
{
    QListWidgetItem* item = list.item(row);
    ASSERT_NE(item, nullptr);
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

} // namespace

TEST_F(MainWindowTest, ThePanelsPresetOrientationAndCategoryResizeTheCard)
{
    SKTWindowController& main = start();
    main.show();
    CardSettingsPage& card = *main.inspector().card_setting_tab;
    const Card_Property& settings = *main.Front_card_Prop;

    // A new category takes its first preset, as in the size chooser.
    choose(card.Category_ComboBox, 1);
    expectSize(cardMillimetres(main), 59.944, 40.132);
    EXPECT_EQ(settings.Card_Sub_Category, QStringLiteral("Durable 1452 - Name Badge"));

    clickRow(*card.ColList, 3);
    expectSize(cardMillimetres(main), 89.916, 54.102);
    expectSize(main.cardSizeInControl(), 89.916, 54.102);
    EXPECT_EQ(settings.Card_Category, QStringLiteral("Name Badge"));
    EXPECT_EQ(settings.Card_Sub_Category, QStringLiteral("Durable 1455 - Name Badge"));
    EXPECT_EQ(settings.Card_Cat_index, 3);
    EXPECT_NEAR(settings.Card_Size.width(), 89.916 * 2.834645669291, 0.01);

    choose(card.Preset_ComboBox, 1);
    expectSize(cardMillimetres(main), 54.102, 89.916);
    EXPECT_EQ(settings.Card_Preset, QStringLiteral("Vertical"));
    EXPECT_EQ(settings.Card_Cat_index, 3);

    // A size of the user's own is no preset; turning it keeps the size.
    card.width_Text->setValue(70.0);
    card.width_Text->stepBy(1);
    EXPECT_EQ(settings.Card_Cat_index, -1);
    EXPECT_TRUE(settings.Card_Sub_Category.isEmpty());
    EXPECT_TRUE(card.ColList->selectedItems().isEmpty());
    expectSize(cardMillimetres(main), 71.0, 89.916);
    choose(card.Preset_ComboBox, 0);
    expectSize(cardMillimetres(main), 89.916, 71.0);
    EXPECT_EQ(settings.Card_Preset, QStringLiteral("Horizontal"));

    // Showing the other side and back again shows what the front stores.
    main.Select_back_side();
    main.Select_front_side();
    EXPECT_EQ(card.Category_ComboBox->currentText(), QStringLiteral("Name Badge"));
    EXPECT_EQ(card.Preset_ComboBox->currentText(), QStringLiteral("Horizontal"));
    EXPECT_TRUE(card.ColList->selectedItems().isEmpty());
    expectSize(cardMillimetres(main), 89.916, 71.0);
}

TEST_F(MainWindowTest, TheWizardsAndTheChoosersPresetIsWhatThePanelShowsAndTheFileStores)
{
    wizardAnswers = { WizardAnswer { .category = QStringLiteral("Name Badge"), .sizeIndex = 3, .vertical = true } };
    SKTWindowController& main = start();
    main.show();
    CardSettingsPage& card = *main.inspector().card_setting_tab;
    for (const Card_PropertyPtr& side : { main.Front_card_Prop, main.Back_card_Prop }) {
        EXPECT_EQ(side->Card_Category, QStringLiteral("Name Badge"));
        EXPECT_EQ(side->Card_Preset, QStringLiteral("Vertical"));
        EXPECT_EQ(side->Card_Sub_Category, QStringLiteral("Durable 1455 - Name Badge"));
        EXPECT_EQ(side->Card_Cat_index, 3);
    }
    EXPECT_EQ(card.Category_ComboBox->currentText(), QStringLiteral("Name Badge"));
    ASSERT_EQ(card.ColList->selectedItems().size(), 1);
    EXPECT_EQ(card.ColList->selectedItems().first()->text(), QStringLiteral("Durable 1455 - Name Badge"));
    expectSize(cardMillimetres(main), 54.102, 89.916);

    otherModal = [](QDialog& dialog) {
        auto* chooser = qobject_cast<Card_Wizard*>(&dialog);
        if (!chooser)
            return 0;
        CardSizeFields& fields = *chooser->fields;
        fields.Category_ComboBox->setCurrentIndex(0);
        emit fields.Category_ComboBox->activated(0);
        fields.ColList->setCurrentRow(2);
        // The orientation alone turns the chosen preset.
        fields.Preset_ComboBox->setCurrentIndex(1);
        emit fields.Preset_ComboBox->activated(1);
        chooser->OK_Click();
        return chooser->result();
    };
    main.Open_Card_Size_Chooser();
    expectSize(cardMillimetres(main), 60.452, 91.948);
    const Card_Property& settings = *main.Front_card_Prop;
    EXPECT_EQ(settings.Card_Category, QStringLiteral("PVC Card"));
    EXPECT_EQ(settings.Card_Preset, QStringLiteral("Vertical"));
    EXPECT_EQ(settings.Card_Sub_Category, QStringLiteral("CR90-Over Sized"));
    EXPECT_EQ(settings.Card_Cat_index, 2);

    Project_File_Name = folder.filePath(QStringLiteral("preset.dcard"));
    ASSERT_TRUE(main.Save_project_file(false, false));
    const DesignFile::ReadResult saved = DesignFile::readFile(Project_File_Name);
    ASSERT_EQ(saved.status, DesignFile::Status::Loaded);
    EXPECT_EQ(saved.contents.front->Card_Sub_Category, QStringLiteral("CR90-Over Sized"));
    EXPECT_EQ(saved.contents.front->Card_Preset, QStringLiteral("Vertical"));
    EXPECT_EQ(saved.contents.back->Card_Sub_Category, QStringLiteral("CR90-Over Sized"));
}

namespace {

void trigger(SKTWindowController& main, const char* name)
{
    main.action(QString::fromLatin1(name))->trigger();
}

bool enabled(SKTWindowController& main, const char* name)
{
    return main.action(QString::fromLatin1(name))->isEnabled();
}

// One object placed and saved: its step stays under the card's, and the saved state is clean.
SKTGraphicPtr placeAndSave(SKTWindowController& main, const QString& path)
{
    const SKTGraphicPtr placed = place(main, 3);
    main.document().undoManager(main.currentCanvas()->editedSide()).checkpoint();
    Project_File_Name = path;
    EXPECT_TRUE(main.Save_project_file(false, false));
    EXPECT_FALSE(main.isWindowModified());
    return placed;
}

} // namespace

TEST_F(MainWindowTest, ASizeFromTheChooserIsOneUndoStepThatUndoAndRedoTakeBackAndForth)
{
    SKTWindowController& main = start();
    main.show();
    const CardSettingsPage& panel = *main.inspector().card_setting_tab;
    const Card_Property& front = *main.Front_card_Prop;
    const Card_Property& back = *main.Back_card_Prop;
    const SKTGraphicPtr placed = placeAndSave(main, folder.filePath(QStringLiteral("sized.dcard")));
    ASSERT_TRUE(placed);
    const QRectF where = placed->bounds();
    expectSize(cardMillimetres(main), 85.598, 54.102);

    otherModal = [](QDialog& dialog) {
        auto* chooser = qobject_cast<Card_Wizard*>(&dialog);
        if (!chooser)
            return 0;
        CardSizeFields& fields = *chooser->fields;
        fields.Category_ComboBox->setCurrentIndex(1);
        emit fields.Category_ComboBox->activated(1);
        fields.ColList->setCurrentRow(3);
        chooser->OK_Click();
        return chooser->result();
    };
    main.Open_Card_Size_Chooser();
    expectSize(cardMillimetres(main), 89.916, 54.102);
    EXPECT_EQ(front.Card_Sub_Category, QStringLiteral("Durable 1455 - Name Badge"));
    EXPECT_TRUE(main.isWindowModified());
    ASSERT_TRUE(enabled(main, "Undo_btn"));
    EXPECT_EQ(placed->bounds(), where);

    trigger(main, "Undo_btn");
    expectSize(cardMillimetres(main), 85.598, 54.102);
    expectSize(main.cardSizeInControl(), 85.598, 54.102);
    for (const Card_Property* side : { &front, &back }) {
        EXPECT_EQ(side->Card_Category, QStringLiteral("PVC Card"));
        EXPECT_EQ(side->Card_Sub_Category, QStringLiteral("CR80-Credit Card Size"));
        EXPECT_EQ(side->Card_Cat_index, 0);
        EXPECT_EQ(side->Card_Preset, QStringLiteral("Horizontal"));
    }
    EXPECT_NEAR(front.Card_Size.width(), 85.598 * 2.834645669291, 0.01);
    EXPECT_EQ(panel.Category_ComboBox->currentText(), QStringLiteral("PVC Card"));
    ASSERT_EQ(panel.ColList->selectedItems().size(), 1);
    EXPECT_EQ(panel.ColList->selectedItems().first()->text(), QStringLiteral("CR80-Credit Card Size"));
    // Back at the saved state, and only the size went: the placed object is still there.
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
    EXPECT_EQ(placed->bounds(), where);
    EXPECT_TRUE(enabled(main, "Redo_btn"));

    trigger(main, "Redo_btn");
    expectSize(cardMillimetres(main), 89.916, 54.102);
    expectSize(main.cardSizeInControl(), 89.916, 54.102);
    EXPECT_EQ(back.Card_Sub_Category, QStringLiteral("Durable 1455 - Name Badge"));
    EXPECT_EQ(panel.Category_ComboBox->currentText(), QStringLiteral("Name Badge"));
    EXPECT_TRUE(main.isWindowModified());

    // A cancelled chooser is no step: Undo still takes back the size.
    otherModal = [](QDialog&) { return 0; };
    main.Open_Card_Size_Chooser();
    trigger(main, "Undo_btn");
    expectSize(cardMillimetres(main), 85.598, 54.102);
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
}

// Each is one step named for what it changed; a turn that leaves an object past the card's edge,
// and a paste that lands wholly off the turned card, stand and say so in the status bar.
TEST_F(MainWindowTest, AShapeOrOrientationChangeIsOneNamedUndoStepOfTheSideShown)
{
    SKTWindowController& main = start();
    main.show();
    QButtonGroup& shapes = *main.inspector().card_setting_tab->matrix_card_shape;
    trigger(main, "Back_Side_btn");
    placeAndSave(main, folder.filePath(QStringLiteral("shaped.dcard")));

    shapes.button(2)->click();
    ASSERT_EQ(Card_Shape, 2);
    EXPECT_EQ(main.Back_card_Prop->Card_Shape, QStringLiteral("E"));
    EXPECT_TRUE(main.isWindowModified());
    EXPECT_EQ(main.action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Card Shape"));

    trigger(main, "Undo_btn");
    EXPECT_EQ(Card_Shape, 0);
    EXPECT_EQ(main.Back_card_Prop->Card_Shape, QStringLiteral("R"));
    EXPECT_TRUE(shapes.button(0)->isChecked());
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_EQ(main.Get_Back_Control_Count(), 1);

    // Clicking the shape the card has changes nothing and leaves Redo as it was.
    shapes.button(0)->click();
    ASSERT_TRUE(enabled(main, "Redo_btn"));
    trigger(main, "Redo_btn");
    EXPECT_EQ(Card_Shape, 2);
    EXPECT_TRUE(shapes.button(2)->isChecked());

    // The step belongs to the back: the front has nothing to undo.
    trigger(main, "Front_Side_btn");
    EXPECT_FALSE(enabled(main, "Undo_btn"));

    const SKTGraphicPtr right = place(main, 3);
    right->setBounds(QRectF(190, 20, 40, 30));
    trigger(main, "Copy_btn");
    choose(main.inspector().card_setting_tab->Preset_ComboBox, 1);
    expectSize(cardMillimetres(main), 54.102, 85.598);
    EXPECT_EQ(main.action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Orientation"));
    EXPECT_EQ(main.statusBar()->currentMessage(), QStringLiteral("An object now reaches past the card's edge."));
    // On the other side the paste keeps the place it was copied from.
    trigger(main, "Back_Side_btn");
    trigger(main, "Paste_btn");
    ASSERT_EQ(main.Get_Back_Control_Count(), 2);
    EXPECT_EQ(main.statusBar()->currentMessage(), QStringLiteral("The pasted object lies wholly off the card."));
    trigger(main, "Front_Side_btn");
    trigger(main, "Undo_btn");
    expectSize(cardMillimetres(main), 85.598, 54.102);
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
}
