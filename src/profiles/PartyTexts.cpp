#include "profiles/PartyTexts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double smallestPointSize = 4.0;
constexpr double pointSizeStep = 0.5;

struct Entry
{
    const char* id;
    QString text;
};

class Attempt
{
public:
    Attempt(const QRectF& room, double pointSize, const PartyTextMeasure& measure)
        : room_(room)
        , pointSize_(pointSize)
        , gap_(pointSize * 0.4)
        , measure_(measure)
    {
    }

    // Places a text in a column from (x, y), `width` wide; false when a word is wider than
    // the column.
    bool place(const Entry& entry, double x, double& y, double width, std::vector<PartyText>& into) const
    {
        const QSizeF needed = measure_(entry.text, width, pointSize_);
        if (needed.width() > width + 0.01)
            return false;
        // Whole points and one to spare, so that rounding never cuts the last line.
        const double height = std::ceil(needed.height()) + 1.0;
        into.push_back({ QString::fromLatin1(entry.id), entry.text, QRectF(x, y, width, height) });
        y += height + gap_;
        return true;
    }

    // Lays the texts out; nothing when they do not fit the room.
    std::optional<std::vector<PartyText>> layOut(
        const std::vector<Entry>& across, const Entry* message, const std::vector<Entry>& left,
        const std::vector<Entry>& right, bool twoColumns) const
    {
        std::vector<PartyText> texts;
        double y = room_.top();
        for (const Entry& entry : across)
            if (!place(entry, room_.left(), y, room_.width(), texts))
                return std::nullopt;
        if (message) {
            const double indent = std::min(pointSize_ * 1.4, room_.width() * 0.1);
            if (!place(*message, room_.left() + indent, y, room_.width() - indent, texts))
                return std::nullopt;
        }
        double bottom = y;
        if (twoColumns) {
            const double column = (room_.width() - 2 * gap_) / 2;
            double leftY = y, rightY = y;
            for (const Entry& entry : left)
                if (!place(entry, room_.left(), leftY, column, texts))
                    return std::nullopt;
            for (const Entry& entry : right)
                if (!place(entry, room_.left() + column + 2 * gap_, rightY, column, texts))
                    return std::nullopt;
            bottom = std::max(leftY, rightY);
        } else {
            for (const auto* column : { &left, &right })
                for (const Entry& entry : *column)
                    if (!place(entry, room_.left(), bottom, room_.width(), texts))
                        return std::nullopt;
        }
        if (bottom - gap_ > room_.bottom())
            return std::nullopt;
        return texts;
    }

private:
    QRectF room_;
    double pointSize_;
    double gap_;
    const PartyTextMeasure& measure_;
};

// Where nothing fits even in the smallest font, the boxes share the card's height in order,
// so each stays inside the card and clear of the others.
std::vector<PartyText> stacked(const std::vector<Entry>& entries, const QRectF& room)
{
    std::vector<PartyText> texts;
    const double height = room.height() / double(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        texts.push_back({ QString::fromLatin1(entries[i].id), entries[i].text,
            QRectF(room.left(), room.top() + height * double(i), room.width(), height) });
    return texts;
}

} // namespace

PartyLayout partyTextLayout(
    const PartyDetails& details, const QSizeF& cardSize, double largestPointSize, const PartyTextMeasure& measure)
{
    std::vector<Entry> across, left, right, all;
    std::optional<Entry> message;
    const auto add = [&all](std::vector<Entry>* list, const QString& detail, const char* id, const QString& text) {
        if (detail.isEmpty())
            return;
        if (list)
            list->push_back({ id, text });
        all.push_back({ id, text });
    };
    add(&across, details.title, "PARTY_TITLE", details.title);
    add(&across, details.to, "PARTY_TO", QStringLiteral("Dear ") + details.to + QStringLiteral(","));
    add(nullptr, details.message, "PARTY_MSG", details.message);
    if (!details.message.isEmpty())
        message = all.back();
    add(&left, details.from, "PARTY_FROM", QStringLiteral("From:\n") + details.from);
    add(&left, details.venue, "PARTY_VENUE", QStringLiteral("Venue:\n") + details.venue);
    add(&right, details.date, "PARTY_DATE", QStringLiteral("Date:\n") + details.date);
    add(&right, details.time, "PARTY_TIME", QStringLiteral("Time:\n") + details.time);
    if (all.empty())
        return {};

    const double margin = std::clamp(std::min(cardSize.width(), cardSize.height()) * 0.06, 2.0, 18.0);
    const QRectF room = QRectF(QPointF(0, 0), cardSize).adjusted(margin, margin, -margin, -margin);
    const bool bothColumns = !left.empty() && !right.empty();
    for (double size = largestPointSize; size >= smallestPointSize; size -= pointSizeStep) {
        const Attempt attempt(room, size, measure);
        for (const bool twoColumns : { true, false }) {
            if (twoColumns && !bothColumns)
                continue;
            if (auto texts = attempt.layOut(across, message ? &*message : nullptr, left, right, twoColumns)) {
                // Placing order: title, guest, message, host, venue, date, time.
                std::vector<PartyText> ordered;
                for (const Entry& entry : all)
                    for (const PartyText& text : *texts)
                        if (text.controlID == QLatin1String(entry.id))
                            ordered.push_back(text);
                return { ordered, size };
            }
        }
    }
    return { stacked(all, room), smallestPointSize };
}
