// Changes made on the panel are undo steps of the side shown: the card's text colour and font,
// its name, sides, border and fill, and typing in the text box; and after Undo, Paste or a
// placed profile the panel shows the object that is selected.
#include "ObjectPagesFixture.h"
#include "TemplateChoice.h"

#include "canvas/GraphicKind.h"
#include "inspector/CardBackgroundPage.h"
#include "inspector/CardBorderPage.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/TextEditingPage.h"
#include "model/CardGlobals.h"
#include "profiles/User_Profile_Class.h"
#include "profilewindows/Show_User_Profile.h"
#include "widgets/ColorWell.h"
#include "wizards/Template_Wizard.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <vector>

namespace {

struct Look
{
    SKTGraphicPtr text;
    QColor color;
    std::optional<QFont> font;
};

std::vector<Look> looksOfTexts(const SKTDocument::Graphics& graphics)
{
    std::vector<Look> looks;
    for (const SKTGraphicPtr& graphic : graphics)
        if (isExactlyKind(*graphic, GraphicKind::Text))
            looks.push_back({ graphic, graphic->txt_clr, graphic->text_ctrl_font });
    return looks;
}

void expectOwnLooks(const std::vector<Look>& looks, const char* after)
{
    for (const Look& look : looks) {
        EXPECT_EQ(look.text->txt_clr, look.color) << after;
        EXPECT_EQ(look.text->text_ctrl_font, look.font) << after;
    }
}

QString wordsOf(const SKTGraphic& text)
{
    return text._Text_contents ? text._Text_contents->string : text.Text_Value;
}

class CardPanelUndoTest : public ObjectPagesTest
{
protected:
    void trigger(const char* name) { window->action(QString::fromLatin1(name))->trigger(); }
    bool enabled(const char* name) { return window->action(QString::fromLatin1(name))->isEnabled(); }

    // The built-in template of that name, from the template browser.
    bool openTemplate(const QString& name)
    {
        otherModal = [name](QDialog& dialog) {
            auto* browser = qobject_cast<Template_Wizard*>(&dialog);
            if (!browser)
                return 0;
            dialog.setResult(0);
            chooseTemplate(*browser, name, false);
            return dialog.result();
        };
        return window->Open_Template_Browser();
    }

    void save(const QString& name)
    {
        window->document().undoManager(window->currentCanvas()->editedSide()).checkpoint();
        Project_File_Name = folder.filePath(name);
        ASSERT_TRUE(window->Save_project_file(false, false));
        ASSERT_FALSE(window->isWindowModified());
    }

    // Answers the next font dialog with OK: on `chosen`, or on the font it opened at. Notes
    // the family the dialog opened at.
    void answerFontDialog(std::optional<QFont> chosen, QString* openedFamily)
    {
        otherModal = [chosen, openedFamily](QDialog& dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(&dialog);
            if (!fonts)
                return 0;
            *openedFamily = fonts->currentFont().family();
            if (chosen)
                fonts->setCurrentFont(*chosen);
            return int(QDialog::Accepted);
        };
    }

    QPushButton* fontButton(QWidget* page)
    {
        for (QPushButton* button : page->findChildren<QPushButton*>())
            if (button->text().startsWith(QStringLiteral("Fo&nt")))
                return button;
        return nullptr;
    }
};

TEST_F(CardPanelUndoTest, TheCardsTextColourAndFontAreEachOneStepThatGivesEveryTextItsOwnBack)
{
    // The wizard's texts ask for a family this computer does not have.
    wizardAnswers = { WizardAnswer { .partyDetails = true } };
    SKTWindowController& main = startShown();
    const std::vector<Look> party = looksOfTexts(main.Get_Front_Controls_Array());
    ASSERT_FALSE(party.empty());
    const SKTGraphicPtr title = party.front().text;
    ASSERT_TRUE(title->text_ctrl_font.has_value());
    const QString missing = title->text_ctrl_font->family();
    ASSERT_NE(QFontInfo(*title->text_ctrl_font).family(), missing) << "the family is installed here";
    const QString drawnIn = QFontInfo(*title->text_ctrl_font).family();
    save(QStringLiteral("party.dcard"));

    // The text's own Font…: opens at the face the text is drawn in; OK as it opened changes nothing.
    main.currentCanvas()->changeSelectionIndexes({ int(main.Get_Front_Controls_Array().indexOf(title)) });
    main.currentCanvas()->setSelectedGraphic(title);
    main.Show_RHS_Properties(title);
    QString opened;
    answerFontDialog(std::nullopt, &opened);
    fontButton(inspector().text_edtng_tab)->click();
    EXPECT_EQ(opened, drawnIn);
    EXPECT_EQ(title->text_ctrl_font->family(), missing);
    // The card's Font… alike, at the first text's face.
    main.Show_RHS_Properties(nullptr);
    answerFontDialog(std::nullopt, &opened);
    fontButton(inspector().card_setting_tab)->click();
    EXPECT_EQ(opened, drawnIn);
    expectOwnLooks(party, "an unchanged OK");
    EXPECT_EQ(title->text_ctrl_font->family(), missing);
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(main.isWindowModified());

    // The name badge's texts each have their own colour and font.
    ASSERT_TRUE(openTemplate(QStringLiteral("Name Badge")));
    main.Show_RHS_Properties(nullptr);
    const std::vector<Look> badge = looksOfTexts(main.Get_Front_Controls_Array());
    ASSERT_GE(badge.size(), 2u);
    save(QStringLiteral("badge.dcard"));
    CardSettingsPage& card = *inspector().card_setting_tab;

    card.All_Text_clr->chooseColor(Qt::red);
    for (const Look& look : badge)
        EXPECT_EQ(look.text->txt_clr, QColor(Qt::red));
    ASSERT_TRUE(enabled("Undo_btn"));
    EXPECT_EQ(window->action(QStringLiteral("Undo_btn"))->text(), QStringLiteral("&Undo Card Settings"));
    EXPECT_TRUE(main.isWindowModified());
    trigger("Undo_btn");
    expectOwnLooks(badge, "undoing the colour");
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_NE(card.All_Text_clr->color(), QColor(Qt::red));
    // The panel shows the card as it is again: its size is no preset, so none is selected.
    EXPECT_TRUE(card.ColList->selectedItems().isEmpty());
    trigger("Redo_btn");
    for (const Look& look : badge)
        EXPECT_EQ(look.text->txt_clr, QColor(Qt::red));
    trigger("Undo_btn");

    const QFont chosen(QStringLiteral("DejaVu Sans"), 20);
    answerFontDialog(chosen, &opened);
    fontButton(&card)->click();
    EXPECT_EQ(opened, QFontInfo(badge.front().font.value_or(QFont())).family());
    for (const Look& look : badge) {
        ASSERT_TRUE(look.text->text_ctrl_font.has_value());
        EXPECT_EQ(look.text->text_ctrl_font->family(), QStringLiteral("DejaVu Sans"));
        EXPECT_EQ(look.text->text_ctrl_font->pointSize(), 20);
    }
    trigger("Undo_btn");
    expectOwnLooks(badge, "undoing the font");
    EXPECT_FALSE(main.isWindowModified());

    // OK on the font as the dialog opened is no change and no step: Redo stays.
    ASSERT_TRUE(enabled("Redo_btn"));
    answerFontDialog(std::nullopt, &opened);
    fontButton(&card)->click();
    expectOwnLooks(badge, "an unchanged OK");
    EXPECT_TRUE(enabled("Redo_btn"));
    EXPECT_FALSE(main.isWindowModified());
}

TEST_F(CardPanelUndoTest, TheCardsNameSidesBorderAndFillAreEachOneStep)
{
    SKTWindowController& main = startShown();
    const SKTGraphicPtr shape = place(SKTWindowController::RectTool);
    ASSERT_TRUE(shape);
    main.Show_RHS_Properties(nullptr);
    save(QStringLiteral("card.dcard"));
    CardSettingsPage& card = *inspector().card_setting_tab;
    CardBorderPage& border = *inspector().card_brdr_tab;
    CardBackgroundPage& fill = *inspector().card_bkgd_tab;
    const Card_Property& front = *main.Front_card_Prop;
    const Card_Property& back = *main.Back_card_Prop;

    card.card_name->setText(QStringLiteral("Staff Badge"));
    emit card.card_name->editingFinished();
    choose(card.Sides_ComboBox, 1);
    border.Card_border_chk->click();
    fill.Card_fill_chk->click();
    ASSERT_EQ(front.Card_Name, QStringLiteral("Staff Badge"));
    ASSERT_EQ(back.Card_Side, QStringLiteral("1"));
    ASSERT_FALSE(front.Card_border_chk);
    ASSERT_TRUE(front.Card_fill_chk);
    EXPECT_FALSE(enabled("Back_Side_btn"));
    // Leaving the name unchanged is no step.
    emit card.card_name->editingFinished();

    trigger("Undo_btn");
    EXPECT_FALSE(front.Card_fill_chk);
    EXPECT_FALSE(fill.Card_fill_chk->isChecked());
    EXPECT_FALSE(front.Card_border_chk);
    trigger("Undo_btn");
    EXPECT_TRUE(front.Card_border_chk);
    EXPECT_TRUE(border.Card_border_chk->isChecked());
    EXPECT_EQ(front.Card_Side, QStringLiteral("1"));
    trigger("Undo_btn");
    EXPECT_EQ(front.Card_Side, QStringLiteral("2"));
    EXPECT_EQ(back.Card_Side, QStringLiteral("2"));
    EXPECT_EQ(card.Sides_ComboBox->currentIndex(), 0);
    EXPECT_TRUE(enabled("Back_Side_btn"));
    EXPECT_EQ(front.Card_Name, QStringLiteral("Staff Badge"));
    trigger("Undo_btn");
    EXPECT_EQ(front.Card_Name, QStringLiteral("Untitled"));
    EXPECT_EQ(card.card_name->text(), QStringLiteral("Untitled"));
    // Back at the saved design: the object placed before is still there.
    EXPECT_FALSE(main.isWindowModified());
    EXPECT_EQ(main.Get_Front_Controls_Array(), SKTDocument::Graphics { shape });

    trigger("Redo_btn");
    EXPECT_EQ(front.Card_Name, QStringLiteral("Staff Badge"));
    EXPECT_EQ(card.card_name->text(), QStringLiteral("Staff Badge"));
    EXPECT_TRUE(main.isWindowModified());
}

TEST_F(CardPanelUndoTest, TypingInTheTextBoxIsOneStepPerRunOfTyping)
{
    SKTWindowController& main = startShown();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const SKTGraphicPtr text = place(SKTWindowController::TextTool);
    ASSERT_TRUE(text);
    QPlainTextEdit* box = inspector().text_edtng_tab->Text_value_Edit;
    ASSERT_EQ(QApplication::focusWidget(), box);
    const QString placed = wordsOf(*text);
    const QString welcome = QStringLiteral("Welcome to the annual gathering of the society");

    QTest::keyClicks(box, welcome);
    EXPECT_EQ(wordsOf(*text), welcome);
    EXPECT_TRUE(enabled("Undo_btn"));
    main.currentCanvas()->setFocus();
    // The second run: everything selected and one key.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X);
    ASSERT_EQ(wordsOf(*text), QStringLiteral("x"));
    main.currentCanvas()->setFocus();

    trigger("Undo_btn");
    EXPECT_EQ(wordsOf(*text), welcome);
    EXPECT_EQ(box->toPlainText(), welcome);
    trigger("Undo_btn");
    EXPECT_EQ(wordsOf(*text), placed);
    EXPECT_EQ(main.Get_Front_Control_Count(), 1);
    trigger("Redo_btn");
    EXPECT_EQ(wordsOf(*text), welcome);
    EXPECT_EQ(box->toPlainText(), welcome);
}

TEST_F(CardPanelUndoTest, AfterUndoPasteAndAProfileThePanelShowsTheSelectedObject)
{
    SKTWindowController& main = startShown();
    SKTGraphicView& canvas = *main.currentCanvas();
    const SKTGraphicPtr shape = place(SKTWindowController::RectTool);
    ASSERT_TRUE(shape);
    main.document().undoManager().checkpoint();
    const auto expectShown = [&](const char* after) {
        const SKTDocument::Graphics selected = canvas.selectedGraphics();
        ASSERT_FALSE(selected.isEmpty()) << after;
        EXPECT_FALSE(inspector().showsCard()) << after;
        EXPECT_TRUE(selected.contains(inspector().lastSelectedGraphic())) << after;
    };

    trigger("Delete_btn");
    ASSERT_TRUE(inspector().showsCard());
    trigger("Undo_btn");
    ASSERT_EQ(canvas.selectedGraphics(), SKTDocument::Graphics { shape });
    expectShown("Undo");

    trigger("Copy_btn");
    main.Show_RHS_Properties(nullptr);
    trigger("Paste_btn");
    ASSERT_EQ(main.Get_Front_Control_Count(), 2);
    expectShown("Paste");
    EXPECT_NE(inspector().lastSelectedGraphic(), shape);

    main.Show_RHS_Properties(nullptr);
    otherModal = [](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        profile->row(User_Profile_Class::Field::Name).value->setText(QStringLiteral("Cara Diaz"));
        profile->OK_Btn_Clicked();
        return profile->result();
    };
    trigger("Profile_Btn");
    Fill_User_Profile = false;
    ASSERT_EQ(main.Get_Front_Control_Count(), 3);
    expectShown("the profile");
}

} // namespace
