#include "platform/StyledText.h"

StyledText StyledText::plain(const QString& text, const QFont& font, const QColor& color)
{
    StyledText styled;
    styled.string = text;
    if (!text.isEmpty())
        styled.runs.push_back(Run{int(text.size()), font, color});
    return styled;
}

void StyledText::setString(const QString& text)
{
    Run first = runs.empty() ? Run{} : runs.front();
    string = text;
    runs.clear();
    if (!text.isEmpty()) {
        first.length = int(text.size());
        runs.push_back(first);
    }
}

bool StyledText::isConsistent() const
{
    qsizetype total = 0;
    for (const Run& run : runs) {
        if (run.length <= 0)
            return false;
        total += run.length;
    }
    return total == string.size();
}
