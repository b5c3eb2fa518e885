#include "inspector/TextEditingPage.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/FontChoice.h"
#include "inspector/InspectorHost.h"
#include "inspector/ObjectBorderGroup.h"
#include "inspector/ObjectFillGroup.h"
#include "inspector/TextPropertiesPage.h"
#include "platform/StyledText.h"
#include "widgets/ColorWell.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

TextEditingPage::TextEditingPage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , Text_value_Edit(new QPlainTextEdit)
    , textLengthLabel(new QLabel)
    , Text_font_value(new QLabel)
    , Text_clr(new ColorWell)
    , insertDateButton(new QPushButton(tr("Insert &Date")))
    , insertTimeButton(new QPushButton(tr("Insert T&ime")))
    , host_(host)
{
    Text_value_Edit->setTabChangesFocus(true);
    Text_value_Edit->setToolTip(tr("The text of the object (at most %1 characters)").arg(maximumTextLength));
    Text_font_value->setWordWrap(true);
    insertDateButton->setToolTip(tr("Insert today's date in the chosen date format"));
    insertTimeButton->setToolTip(tr("Insert the time in the chosen time format"));
    auto* font = new QPushButton(tr("Fo&nt…"));
    font->setToolTip(tr("Choose the font of the text"));
    Text_clr->setToolTip(tr("Colour of the text"));

    auto* textLabel = new QLabel(tr("Te&xt:"));
    textLabel->setBuddy(Text_value_Edit);
    textLengthLabel->setToolTip(tr("Characters in the text, and the most it takes"));
    auto* textHeading = new QHBoxLayout;
    textHeading->addWidget(textLabel);
    textHeading->addStretch(1);
    textHeading->addWidget(textLengthLabel);
    auto* inserts = new QHBoxLayout;
    inserts->addWidget(insertDateButton);
    inserts->addWidget(insertTimeButton);
    inserts->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(font, Text_font_value);
    form->addRow(tr("Text c&olour:"), Text_clr);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textHeading);
    layout->addWidget(Text_value_Edit, 1);
    layout->addLayout(inserts);
    layout->addLayout(form);

    Text_value_Edit->installEventFilter(this);
    connect(Text_value_Edit, &QPlainTextEdit::textChanged, this, &TextEditingPage::textDidChange);
    connect(font, &QPushButton::clicked, this, &TextEditingPage::Text_Font_Changed);
    connect(Text_clr, &ColorWell::colorChosen, this, &TextEditingPage::Update_Text_Graphics);
    connect(insertDateButton, &QPushButton::clicked, this, &TextEditingPage::Text_Insert_Date);
    connect(insertTimeButton, &QPushButton::clicked, this, &TextEditingPage::Text_Insert_Time);
}

void TextEditingPage::setPropertiesPage(TextPropertiesPage* properties)
{
    properties_ = properties;
    connect(properties_, &TextPropertiesPage::changed, this, &TextEditingPage::Update_Text_Graphics);
}

bool TextEditingPage::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the box ends the run of typing, as the end of a drag ends a move.
    if (watched == Text_value_Edit && event->type() == QEvent::FocusOut)
        editingRun_ = false;
    return ObjectPage::eventFilter(watched, event);
}

void TextEditingPage::load(const SKTGraphic& graphic)
{
    editingRun_ = false;
    const QSignalBlocker blockText(Text_value_Edit);
    const QString text = graphic._Text_contents ? graphic._Text_contents->string : graphic.Text_Value;
    Text_value_Edit->setPlainText(text);
    Text_value_Edit->selectAll();
    showTextLength(int(text.size()));
    Text_font = graphic.text_ctrl_font.value_or(Text_value_Edit->font());
    Text_font_value->setText(CardSettingsPage::fontLabel(Text_font));
    Text_clr->setColor(graphic.txt_clr);
}

void TextEditingPage::Update_Text_Graphics()
{
    if (!properties_)
        return;
    host_.writeSelectedGraphics([this](SKTGraphic& graphic, qsizetype selected) {
        graphic.print_object = printObjectValue(graphic);
        properties_->Text_Border_Box->writeTo(graphic);
        properties_->Text_Fill_Box->writeTo(graphic);
        graphic.txt_clr = Text_clr->color();
        graphic.text_ctrl_font = Text_font;
        if (selected == 1)
            graphic.Text_contents()->setString(Text_value_Edit->toPlainText());
        graphic.alpha_val = float(properties_->Text_alpha_Stepper->value()) / 100.0f;
        graphic.text_alignmnet = properties_->Text_align_combo->currentIndex();
        graphic.text_transfrom_case = properties_->Text_case_combo->currentIndex();
        graphic.text_kerning = float(properties_->Text_Kern_Stepper->value());
    });
}

void TextEditingPage::textDidChange()
{
    QString text = Text_value_Edit->toPlainText();
    const QString placeholder = QStringLiteral("Text here");
    bool changed = false;
    if (text.contains(placeholder)) {
        text.remove(placeholder);
        changed = true;
    }
    int cursor = -1;
    if (text.size() > maximumTextLength) {
        text = withinLimit(text, &cursor);
        changed = true;
    }
    if (changed)
        showText(text);
    if (cursor >= 0) {
        QTextCursor placed = Text_value_Edit->textCursor();
        placed.setPosition(cursor);
        Text_value_Edit->setTextCursor(placed);
    }
    showTextLength(int(text.size()));
    if (!editingRun_) {
        editingRun_ = true;
        host_.textEditingRunStarted();
    }
    Update_Text_Graphics();
}

QString TextEditingPage::withinLimit(const QString& text, int* cursor) const
{
    // The characters just typed or pasted end at the cursor: the excess is cut from their end,
    // so the text around them stays as it was.
    const int excess = int(text.size()) - maximumTextLength;
    const int end = Text_value_Edit->textCursor().position();
    if (end < excess || end > text.size()) {
        *cursor = maximumTextLength;
        return text.left(maximumTextLength);
    }
    *cursor = end - excess;
    return QString(text).remove(end - excess, excess);
}

void TextEditingPage::showTextLength(int length)
{
    textLengthLabel->setText(QStringLiteral("%1 / %2").arg(length).arg(maximumTextLength));
}

void TextEditingPage::showText(const QString& text)
{
    const int position = std::min(Text_value_Edit->textCursor().position(), int(text.size()));
    const QSignalBlocker blockText(Text_value_Edit);
    Text_value_Edit->setPlainText(text);
    QTextCursor cursor = Text_value_Edit->textCursor();
    cursor.setPosition(position);
    Text_value_Edit->setTextCursor(cursor);
    showTextLength(int(text.size()));
}

void TextEditingPage::Text_Font_Changed()
{
    if (const std::optional<QFont> font = chooseChangedFont(Text_font, tr("Font of the Text"), this))
        changeTextFont(*font);
}

void TextEditingPage::changeTextFont(const QFont& font)
{
    Text_font = font;
    Text_font_value->setText(CardSettingsPage::fontLabel(font));
    Update_Text_Graphics();
}

void TextEditingPage::Text_Insert_Date()
{
    if (properties_)
        insertNow(properties_->Text_Date_style->currentText(), QStringLiteral("Please select Date format."));
}

void TextEditingPage::Text_Insert_Time()
{
    if (properties_)
        insertNow(properties_->Text_Time_style->currentText(), QStringLiteral("Please select Time format."));
}

void TextEditingPage::insertNow(const QString& pattern, const QString& missingMessage)
{
    const QString trimmed = pattern.trimmed();
    if (trimmed.isEmpty()) {
        Show_MessageBox(missingMessage);
        return;
    }
    // The insert goes through the same checks as typing, which then writes the text.
    Text_value_Edit->textCursor().insertText(host_.formattedNow(trimmed));
}
