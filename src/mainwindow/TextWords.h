#pragma once

#include "model/SKTGraphic.h"
#include "platform/StyledText.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

// The words of texts and the boxes that hold them, as typing in the panel's text box
// changes them (a new text grows with its words).
class TextWords
{
public:
    // The words of the texts among the objects, as they are now.
    static TextWords of(const QList<SKTGraphicPtr>& graphics);
    // Puts each text's words and box back as they were taken.
    void restore() const;

private:
    struct Words
    {
        SKTGraphicPtr text;
        QString value;
        std::optional<StyledText> contents;
        QRectF bounds;
    };

    std::vector<Words> words_;
};
