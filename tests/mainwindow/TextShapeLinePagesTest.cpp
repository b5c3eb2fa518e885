#include "ObjectPagesFixture.h"

#include "inspector/CardBackgroundPage.h"
#include "inspector/LinePage.h"
#include "inspector/ObjectBorderGroup.h"
#include "inspector/ObjectFillGroup.h"
#include "inspector/ShapePage.h"
#include "inspector/TextEditingPage.h"
#include "inspector/TextPropertiesPage.h"
#include "model/CardGlobals.h"
#include "platform/StyledText.h"
#include "widgets/ColorWell.h"

#include <QCheckBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <cmath>

namespace {

QString textOf(const SKTGraphicPtr& graphic)
{
    return graphic->Text_contents()->string;
}

} // namespace

TEST_F(ObjectPagesTest, EveryTextControlReachesTheTextObjectAndTheCanvas)
{
    startShown();
    const SKTGraphicPtr text = place(2);
    ASSERT_NE(text, nullptr);
    TextEditingPage& words = *inspector().text_edtng_tab;
    TextPropertiesPage& look = *inspector().text_prop_tab;
    EXPECT_EQ(words.Text_value_Edit->toPlainText(), textOf(text));

    QImage before = canvasPicture();
    turnOn(look.Text_Fill_Box->fill_chk);
    look.Text_Fill_Box->fill_clr->chooseColor(QColor(200, 0, 0));
    EXPECT_TRUE(text->_isDrawingFill);
    EXPECT_EQ(text->_fillColor, QColor(200, 0, 0));
    EXPECT_EQ(text->_fill_type, QStringLiteral("S"));
    EXPECT_NE(canvasPicture(), before);

    look.Text_Fill_Box->gradient_fill_rd->click();
    look.Text_Fill_Box->fill_Grd_1_clr->chooseColor(Qt::yellow);
    look.Text_Fill_Box->fill_Grd_2_clr->chooseColor(Qt::blue);
    look.Text_Fill_Box->grad_Stepper->setValue(45);
    EXPECT_EQ(text->_fill_type, QStringLiteral("G"));
    EXPECT_EQ(text->_fill_Grad_clr1, QColor(Qt::yellow));
    EXPECT_EQ(text->_fill_Grad_clr2, QColor(Qt::blue));
    EXPECT_EQ(text->_fill_grad_angle, 45.0);
    EXPECT_FALSE(look.Text_Fill_Box->fill_clr->isEnabled());

    before = canvasPicture();
    turnOn(look.Text_Border_Box->border_chk);
    look.Text_Border_Box->bordr_clr->chooseColor(QColor(0, 128, 0, 128));
    look.Text_Border_Box->bor_Stepper->setValue(3);
    choose(look.Text_Border_Box->border_style, 2);
    EXPECT_TRUE(text->_isDrawingStroke);
    EXPECT_EQ(text->_strokeColor, QColor(0, 128, 0, 128)); // the colour keeps its alpha
    EXPECT_EQ(text->_strokeWidth, 3.0);
    EXPECT_EQ(text->_stroke_border_type, QStringLiteral("DO"));
    EXPECT_NE(canvasPicture(), before);

    look.Text_alpha_Stepper->setValue(40);
    EXPECT_FLOAT_EQ(text->alpha_val, 0.4f);
    look.Text_Kern_Stepper->setValue(2.5);
    EXPECT_FLOAT_EQ(text->text_kerning, 2.5f);
    choose(look.Text_align_combo, 2);
    choose(look.Text_case_combo, 1);
    EXPECT_EQ(text->text_alignmnet, 2);
    EXPECT_EQ(text->text_transfrom_case, 1);

    before = canvasPicture();
    words.Text_clr->chooseColor(QColor(10, 20, 200));
    EXPECT_EQ(text->txt_clr, QColor(10, 20, 200));
    const QFont font(QStringLiteral("DejaVu Serif"), 22);
    words.changeTextFont(font);
    EXPECT_EQ(text->text_ctrl_font, font);
    EXPECT_EQ(words.Text_font_value->text(), QStringLiteral("DejaVu Serif ( 22.00 )"));
    EXPECT_NE(canvasPicture(), before);

    before = canvasPicture();
    words.Text_value_Edit->setPlainText(QStringLiteral("Welcome"));
    EXPECT_EQ(textOf(text), QStringLiteral("Welcome"));
    EXPECT_NE(canvasPicture(), before);
    EXPECT_TRUE(window->hasUnsavedChanges());

    // Showing the object again gives the same panel back.
    window->Show_RHS_Properties(nullptr);
    window->currentCanvas()->changeSelectionIndexes({ 0 });
    window->currentCanvas()->setSelectedGraphic(text);
    window->Show_RHS_Properties(text);
    EXPECT_EQ(look.Text_alpha_Stepper->value(), 40);
    EXPECT_TRUE(look.Text_Fill_Box->gradient_fill_rd->isChecked());
    EXPECT_EQ(look.Text_Border_Box->border_style->currentIndex(), 2);
    EXPECT_EQ(words.Text_value_Edit->toPlainText(), QStringLiteral("Welcome"));
    EXPECT_EQ(words.Text_value_Edit->textCursor().selectedText(), QStringLiteral("Welcome"));
}

TEST_F(ObjectPagesTest, ThreeTextsTakeTheBorderColourButNotTheText)
{
    startShown();
    const SKTGraphicPtr first = place(2);
    const SKTGraphicPtr second = place(2);
    const SKTGraphicPtr third = place(2);
    first->Text_contents()->setString(QStringLiteral("one"));
    second->Text_contents()->setString(QStringLiteral("two"));
    selectAllShowing(third);
    ASSERT_EQ(window->currentCanvas()->selectedGraphics().size(), 3);
    TextPropertiesPage& look = *inspector().text_prop_tab;

    look.Text_Border_Box->border_chk->setChecked(true);
    look.Text_Border_Box->bordr_clr->chooseColor(Qt::magenta);
    inspector().text_edtng_tab->Text_value_Edit->setPlainText(QStringLiteral("all of them?"));
    for (const SKTGraphicPtr& graphic : { first, second, third })
        EXPECT_EQ(graphic->_strokeColor, QColor(Qt::magenta));
    EXPECT_EQ(textOf(first), QStringLiteral("one"));
    EXPECT_EQ(textOf(second), QStringLiteral("two"));
    EXPECT_EQ(textOf(third), QStringLiteral("Text here"));
}

TEST_F(ObjectPagesTest, ThePlaceholderVanishesAndTextStopsAt250Characters)
{
    startShown();
    const SKTGraphicPtr text = place(2);
    QPlainTextEdit* edit = inspector().text_edtng_tab->Text_value_Edit;
    QTextCursor cursor = edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    edit->setTextCursor(cursor);
    edit->insertPlainText(QStringLiteral(" and more"));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral(" and more"));
    EXPECT_EQ(textOf(text), QStringLiteral(" and more"));

    edit->clear();
    edit->insertPlainText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(edit->toPlainText().size(), 250);
    EXPECT_EQ(textOf(text), QString(250, QLatin1Char('x')));
}

TEST_F(ObjectPagesTest, DatesAndTimesGoInAtTheCursor)
{
    startShown();
    const SKTGraphicPtr text = place(2);
    TextEditingPage& words = *inspector().text_edtng_tab;
    TextPropertiesPage& look = *inspector().text_prop_tab;
    words.Text_value_Edit->setPlainText(QStringLiteral("On !"));
    QTextCursor cursor = words.Text_value_Edit->textCursor();
    cursor.setPosition(3);
    words.Text_value_Edit->setTextCursor(cursor);
    look.Text_Date_style->setCurrentText(QStringLiteral("yyyy-MM-dd"));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    words.insertDateButton->click();
    EXPECT_EQ(textOf(text), QStringLiteral("On ") + today + QStringLiteral("!"));
    EXPECT_EQ(words.Text_value_Edit->toPlainText(), textOf(text));

    look.Text_Time_style->setCurrentIndex(-1);
    words.insertTimeButton->click();
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease select Time format."));
    EXPECT_EQ(textOf(text), QStringLiteral("On ") + today + QStringLiteral("!"));
}

TEST_F(ObjectPagesTest, TheGuardBlocksEveryWriteButTheControlsStillFollow)
{
    startShown();
    const SKTGraphicPtr shape = place(3);
    ShapePage& page = *inspector().shape_tab;
    const double width = shape->_strokeWidth;
    const float alpha = shape->alpha_val;
    Not_Draw_Only_Prop_Change = true;
    page.Shape_Border_Box->bor_Stepper->setValue(9);
    page.Shape_Fill_Box->fill_chk->click();
    page.shape_alpha_Stepper->setValue(10);
    Not_Draw_Only_Prop_Change = false;
    EXPECT_EQ(shape->_strokeWidth, width);
    EXPECT_EQ(shape->alpha_val, alpha);
    EXPECT_EQ(page.Shape_Border_Box->bor_Stepper->value(), 9);
    EXPECT_EQ(page.Shape_Fill_Box->Fill_Box->isEnabled(), page.Shape_Fill_Box->fill_chk->isChecked());
}

TEST_F(ObjectPagesTest, ShapeFillBorderOpacityAndExtras)
{
    startShown();
    const SKTGraphicPtr shape = place(3);
    ShapePage& page = *inspector().shape_tab;
    ObjectFillGroup& fill = *page.Shape_Fill_Box;
    ObjectBorderGroup& border = *page.Shape_Border_Box;

    // Fill off stores "S" whatever radio is on; on again stores the radio's type.
    turnOn(fill.fill_chk);
    fill.gradient_fill_rd->click();
    EXPECT_EQ(shape->_fill_type, QStringLiteral("G"));
    fill.fill_chk->click();
    EXPECT_FALSE(shape->_isDrawingFill);
    EXPECT_EQ(shape->_fill_type, QStringLiteral("S"));
    fill.fill_chk->click();
    EXPECT_EQ(shape->_fill_type, QStringLiteral("G"));
    fill.Style_fill_rd->click();
    ASSERT_GT(fill.hatch_style->count(), 1);
    choose(fill.hatch_style, 1);
    fill.hatch_bk_clr->chooseColor(Qt::cyan);
    EXPECT_EQ(shape->_fill_type, QStringLiteral("H"));
    EXPECT_EQ(shape->_fill_hatch_type, fill.hatch_style->itemText(1));
    EXPECT_EQ(shape->_fill_htch_clr, QColor(Qt::cyan));
    EXPECT_TRUE(fill.hatch_style->isEnabled());
    EXPECT_FALSE(fill.grad_Stepper->isEnabled());

    // Border off keeps the colour and width; on again writes the panel's.
    turnOn(border.border_chk);
    border.bordr_clr->chooseColor(Qt::red);
    border.bor_Stepper->setValue(5);
    border.border_chk->click();
    border.bordr_clr->setColor(Qt::blue);
    border.bor_Stepper->setValue(7);
    EXPECT_FALSE(shape->_isDrawingStroke);
    EXPECT_EQ(shape->_strokeColor, QColor(Qt::red));
    EXPECT_EQ(shape->_strokeWidth, 5.0);
    border.border_chk->click();
    EXPECT_EQ(shape->_strokeColor, QColor(Qt::blue));
    EXPECT_EQ(shape->_strokeWidth, 7.0);

    const QImage before = canvasPicture();
    page.shape_alpha_Stepper->setValue(40);
    EXPECT_FLOAT_EQ(shape->alpha_val, 0.4f);
    EXPECT_NE(canvasPicture(), before);

    const SKTGraphicPtr rounded = place(5);
    EXPECT_TRUE(page.shape_cor_radius_Stepper->isVisible());
    page.shape_cor_radius_Stepper->setValue(12);
    EXPECT_FLOAT_EQ(rounded->cor_rad_val_val, 12.0f);
    const SKTGraphicPtr star = place(14);
    page.double_star_Stepper->setValue(3);
    EXPECT_EQ(star->double_star_type, 3);
    const SKTGraphicPtr polygon = place(15);
    page.polygon_Stepper->setValue(4);
    EXPECT_EQ(polygon->polygon_type, 4);
}

TEST_F(ObjectPagesTest, SteppersKeepNumbersInRangeAndNeverPassOnNaN)
{
    startShown();
    const SKTGraphicPtr shape = place(3);
    shape->_strokeWidth = std::nan("");
    shape->alpha_val = -3.0f;
    window->Show_RHS_Properties(nullptr);
    window->currentCanvas()->changeSelectionIndexes({ 0 });
    window->currentCanvas()->setSelectedGraphic(shape);
    window->Show_RHS_Properties(shape);
    ShapePage& page = *inspector().shape_tab;
    EXPECT_EQ(page.Shape_Border_Box->bor_Stepper->value(), 0);
    EXPECT_EQ(page.shape_alpha_Stepper->value(), 0);
    page.Shape_Border_Box->border_chk->setChecked(true);
    QSpinBox* width = page.Shape_Border_Box->bor_Stepper;
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("-8"));
    QTest::keyClick(width, Qt::Key_Return);
    page.Shape_Border_Box->bordr_clr->chooseColor(Qt::black);
    EXPECT_FALSE(std::isnan(shape->_strokeWidth));
    EXPECT_GE(shape->_strokeWidth, 0.0);
    page.shape_alpha_Stepper->setValue(250);
    EXPECT_FLOAT_EQ(shape->alpha_val, 1.0f);
}

TEST_F(ObjectPagesTest, EveryLineControlReachesTheLine)
{
    startShown();
    const SKTGraphicPtr line = place(1);
    ASSERT_NE(line, nullptr);
    line->_isDrawingStroke = false;
    LinePage& page = *inspector().line_tab;
    QImage before = canvasPicture();
    page.Line_Wdt_Stepper->setValue(6);
    EXPECT_TRUE(line->_isDrawingStroke); // a line always draws its stroke
    EXPECT_EQ(line->_strokeWidth, 6.0);
    EXPECT_NE(canvasPicture(), before);
    page.Line_clr->chooseColor(Qt::darkGreen);
    EXPECT_EQ(line->_strokeColor, QColor(Qt::darkGreen));
    choose(page.Line_border_style, 4);
    EXPECT_EQ(line->_stroke_border_type, QStringLiteral("DDD"));
    choose(page.Line_cap_style, 1);
    choose(page.Line_ori_style, 2);
    EXPECT_EQ(line->_line_cap_style, 1);
    EXPECT_EQ(line->_line_ori, 2);
    before = canvasPicture();
    page.Line_alpha_Stepper->setValue(40);
    EXPECT_FLOAT_EQ(line->alpha_val_stroke, 0.4f);
    EXPECT_NE(canvasPicture(), before);
}

TEST_F(ObjectPagesTest, TheHatchFillWithoutAPatternTakesTheFirstOne)
{
    startShown();
    const SKTGraphicPtr shape = place(3);
    ObjectFillGroup& fill = *inspector().shape_tab->Shape_Fill_Box;
    turnOn(fill.fill_chk);
    ASSERT_EQ(fill.hatch_style->currentIndex(), -1); // a new shape has no pattern
    const QImage solid = canvasPicture();
    fill.Style_fill_rd->click();
    ASSERT_GT(fill.hatch_style->count(), 0);
    EXPECT_EQ(shape->_fill_type, QStringLiteral("H"));
    EXPECT_EQ(shape->_fill_hatch_type, fill.hatch_style->itemText(0));
    EXPECT_NE(canvasPicture(), solid);

    window->Show_RHS_Properties(nullptr);
    CardBackgroundPage& card = *inspector().card_bkgd_tab;
    turnOn(card.Card_fill_chk);
    card.Card_hatch_style->setCurrentIndex(-1);
    card.Card_Style_fill_rd->click();
    EXPECT_EQ(window->Front_card_Prop->Card_fill_style, QStringLiteral("H"));
    EXPECT_EQ(window->Front_card_Prop->Card_hatch_style, card.Card_hatch_style->itemText(0));
}
