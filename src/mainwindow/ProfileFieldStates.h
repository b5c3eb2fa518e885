#pragma once

#include "model/SKTGraphic.h"
#include "platform/StyledText.h"

#include <optional>
#include <vector>

// What placing a profile changes in the profile fields already on a side, beyond what undo
// observes by itself (bounds, fill and stroke): their texts, photos, visibility and sources.
class ProfileFieldStates
{
public:
    // The states of the profile fields among the objects, as they are now.
    static ProfileFieldStates of(const QList<SKTGraphicPtr>& graphics);
    // Puts each field back as it was taken.
    void restore() const;

private:
    struct State
    {
        SKTGraphicPtr field;
        QString text;
        std::optional<StyledText> contents;
        bool visible = false;
        QString filePath;
        qint32 sourceType = 0;
        QString seriesName;
        qint32 seriesIndex = 0;
        bool spreadsheet = false;
        qint32 spreadsheetColumn = 0;
        QString spreadsheetColumnTitle;
    };

    std::vector<State> states_;
};
