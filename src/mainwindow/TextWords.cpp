#include "mainwindow/TextWords.h"

#include "canvas/GraphicKind.h"

#include <memory>

TextWords TextWords::of(const QList<SKTGraphicPtr>& graphics)
{
    TextWords taken;
    for (const SKTGraphicPtr& graphic : graphics) {
        if (!isExactlyKind(*graphic, GraphicKind::Text))
            continue;
        // The text storage is changed in place, so its value is kept, not the pointer.
        std::optional<StyledText> contents;
        if (graphic->_Text_contents)
            contents = *graphic->_Text_contents;
        taken.words_.push_back({ graphic, graphic->Text_Value, std::move(contents), graphic->bounds() });
    }
    return taken;
}

void TextWords::restore() const
{
    for (const Words& words : words_) {
        SKTGraphic& text = *words.text;
        text.Text_Value = words.value;
        text._Text_contents = words.contents ? std::make_shared<StyledText>(*words.contents) : nullptr;
        text.setBounds(words.bounds);
    }
}
