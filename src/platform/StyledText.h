#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

// A text with runs of character attributes: the stored form of a text object's contents.
// Run lengths count UTF-16 code units of `string`, like QString positions; together they
// cover the whole string (an empty string has no runs).
struct StyledText
{
    struct Run
    {
        int length = 0;
        std::optional<QFont> font; // none: the reader's default font
        QColor color;              // invalid: the reader's default colour

        bool operator==(const Run&) const = default;
    };

    QString string;
    std::vector<Run> runs;

    // One run over the whole text.
    static StyledText plain(const QString& text, const QFont& font, const QColor& color);

    // Replaces the characters, keeping the attributes of the first run for the new text.
    void setString(const QString& text);
    // True when the runs are non-negative and add up to the string's length.
    bool isConsistent() const;

    bool operator==(const StyledText&) const = default;
};
