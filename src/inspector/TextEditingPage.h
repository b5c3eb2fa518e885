#pragma once

#include "inspector/ObjectPage.h"

#include <QFont>

class ColorWell;
class InspectorHost;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TextPropertiesPage;

// The page of a text object's words: the text itself with date and time inserts, its font
// and colour. Its update writes this page and the text properties page into the selection.
class TextEditingPage : public ObjectPage
{
    Q_OBJECT

public:
    explicit TextEditingPage(InspectorHost& host, QWidget* parent = nullptr);

    // The page with the border, fill, layout and the date and time formats.
    void setPropertiesPage(TextPropertiesPage* properties);
    void load(const SKTGraphic& graphic) override;

    // Writes both text pages into every selected object; the text itself only into a single
    // selected object.
    void Update_Text_Graphics();
    // The font chosen in the font dialog.
    void changeTextFont(const QFont& font);
    void Text_Insert_Date();
    void Text_Insert_Time();
    // Puts text into the view without announcing it, the cursor kept where it can be.
    void showText(const QString& text);

    // The most characters a text object holds.
    static constexpr int maximumTextLength = 250;

    QPlainTextEdit* Text_value_Edit = nullptr;
    QLabel* textLengthLabel = nullptr; // "N / 250"
    QFont Text_font;
    QLabel* Text_font_value = nullptr;
    ColorWell* Text_clr = nullptr;
    QPushButton* insertDateButton = nullptr;
    QPushButton* insertTimeButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textDidChange();
    void showTextLength(int length);
    // The text cut back to the limit, and where the cursor goes.
    QString withinLimit(const QString& text, int* cursor) const;
    void Text_Font_Changed();
    // Replaces the selection of the text with the current date or time in the chosen
    // pattern; without a pattern the message says so and nothing is inserted.
    void insertNow(const QString& pattern, const QString& missingMessage);

    InspectorHost& host_;
    TextPropertiesPage* properties_ = nullptr;
    // Typing since the text box took the focus or the object was shown: one undo step.
    bool editingRun_ = false;
};
