#include "profiles/PartyTexts.h"

std::vector<PartyText> partyTextLayout(const PartyDetails& details)
{
    std::vector<PartyText> texts;
    const float x = 20.0f;
    float y = 20.0f;
    const auto place = [&](const QString& detail, const char* id, const QString& text, QRectF rect) {
        if (!detail.isEmpty())
            texts.push_back({ QString::fromLatin1(id), text, rect });
        return !detail.isEmpty();
    };
    if (place(details.title, "PARTY_TITLE", details.title, QRectF(x, y, 200, 20)))
        y += 30;
    if (place(
            details.to, "PARTY_TO", QStringLiteral("Dear ") + details.to + QStringLiteral(","), QRectF(x, y, 200, 20)))
        y += 30;
    if (place(details.message, "PARTY_MSG", details.message, QRectF(x + 20, y, 200, 60)))
        y += 100;
    // The date and the time form a second column, level with the host.
    float line = y;
    if (place(details.from, "PARTY_FROM", QStringLiteral("From:\n") + details.from, QRectF(x, y, 100, 40)))
        y += 40;
    // The venue's box is taller than the step to the next line.
    if (place(details.venue, "PARTY_VENUE", QStringLiteral("Venue:\n") + details.venue, QRectF(x, y, 100, 60)))
        y += 40;
    if (place(details.date, "PARTY_DATE", QStringLiteral("Date:\n") + details.date, QRectF(x + 140, line, 100, 40)))
        line += 40;
    place(details.time, "PARTY_TIME", QStringLiteral("Time:\n") + details.time, QRectF(x + 140, line, 100, 40));
    return texts;
}
