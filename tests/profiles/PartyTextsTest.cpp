#include "profiles/PartyTexts.h"

#include <gtest/gtest.h>

namespace {

struct Expected
{
    const char* id;
    QRectF rect;
};

void expectLayout(const PartyDetails& details, const std::vector<Expected>& expected)
{
    const std::vector<PartyText> texts = partyTextLayout(details);
    ASSERT_EQ(texts.size(), expected.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].controlID, QString::fromLatin1(expected[i].id)) << i;
        EXPECT_EQ(texts[i].rect, expected[i].rect) << expected[i].id;
    }
}

TEST(PartyTexts, AllSevenInTwoColumns)
{
    const PartyDetails all { "Party", "Ann", "Come along", "Bob", "The Hall", "Mar 9, 2027", "18:30" };
    expectLayout(all,
        { { "PARTY_TITLE", QRectF(20, 20, 200, 20) }, { "PARTY_TO", QRectF(20, 50, 200, 20) },
            { "PARTY_MSG", QRectF(40, 80, 200, 60) }, { "PARTY_FROM", QRectF(20, 180, 100, 40) },
            { "PARTY_VENUE", QRectF(20, 220, 100, 60) }, { "PARTY_DATE", QRectF(160, 180, 100, 40) },
            { "PARTY_TIME", QRectF(160, 220, 100, 40) } });
    const std::vector<PartyText> texts = partyTextLayout(all);
    EXPECT_EQ(texts[0].text, QStringLiteral("Party"));
    EXPECT_EQ(texts[1].text, QStringLiteral("Dear Ann,"));
    EXPECT_EQ(texts[2].text, QStringLiteral("Come along"));
    EXPECT_EQ(texts[3].text, QStringLiteral("From:\nBob"));
    EXPECT_EQ(texts[4].text, QStringLiteral("Venue:\nThe Hall"));
    EXPECT_EQ(texts[5].text, QStringLiteral("Date:\nMar 9, 2027"));
    EXPECT_EQ(texts[6].text, QStringLiteral("Time:\n18:30"));
}

TEST(PartyTexts, MissingDetailsTakeNoPlace)
{
    EXPECT_TRUE(partyTextLayout({}).empty());
    expectLayout({ .date = "Mar 9", .time = "18:30" },
        { { "PARTY_DATE", QRectF(160, 20, 100, 40) }, { "PARTY_TIME", QRectF(160, 60, 100, 40) } });
    expectLayout({ .message = "Hello", .from = "Bob" },
        { { "PARTY_MSG", QRectF(40, 20, 200, 60) }, { "PARTY_FROM", QRectF(20, 120, 100, 40) } });
    // The time takes the date's place, level with the host.
    expectLayout({ .from = "Bob", .time = "18:30" },
        { { "PARTY_FROM", QRectF(20, 20, 100, 40) }, { "PARTY_TIME", QRectF(160, 20, 100, 40) } });
}

} // namespace
