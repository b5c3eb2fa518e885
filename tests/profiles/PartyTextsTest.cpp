#include "profiles/PartyTexts.h"

#include <QStringList>

#include <gtest/gtest.h>


namespace {

// A stand-in for the text layout: every character half the point size wide, lines 1.2 times
// the point size high, words wrapped greedily and line feeds kept.
QSizeF measureFixedPitch(const QString& text, double width, double pointSize)
{
    const double character = pointSize * 0.5;
    double widest = 0.0;
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        double line = 0.0;
        ++lines;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const double wordWidth = character * double(word.size());
            const double withSpace = line > 0.0 ? line + character + wordWidth : wordWidth;
            if (line > 0.0 && withSpace > width) {
                ++lines;
                line = wordWidth;
            } else {
                line = withSpace;
            }
            widest = std::max(widest, line);
        }
    }
    return { widest, lines * pointSize * 1.2 };
}

const PartyDetails everything { "Birthday Party", "Ann and Family", "Please come and celebrate with us, there will be cake",
    "Bob", "The Old Mill, Riverside Road", "Mar 9, 2027", "18:30" };

void expectInsideAndApart(const PartyLayout& layout, const QSizeF& card, const PartyTextMeasure& measure)
{
    const QRectF cardRect(QPointF(0, 0), card);
    for (size_t i = 0; i < layout.texts.size(); ++i) {
        const PartyText& text = layout.texts[i];
        EXPECT_TRUE(cardRect.contains(text.rect)) << text.controlID.toStdString() << " on " << card.width() << "x"
                                                  << card.height();
        const QSizeF needed = measure(text.text, text.rect.width(), layout.pointSize);
        EXPECT_LE(needed.height(), text.rect.height()) << text.controlID.toStdString();
        EXPECT_LE(needed.width(), text.rect.width()) << text.controlID.toStdString();
        for (size_t j = i + 1; j < layout.texts.size(); ++j)
            EXPECT_FALSE(text.rect.intersects(layout.texts[j].rect))
                << text.controlID.toStdString() << " and " << layout.texts[j].controlID.toStdString();
    }
}

TEST(PartyTexts, AllSevenFitInsideCardsOfEverySizeAndOrientationWithoutOverlapping)
{
    // From a tall narrow badge to a wide card, each both ways round.
    for (const QSizeF card : { QSizeF(242.6, 153.0), QSizeF(215.4, 153.0), QSizeF(170.0, 99.2), QSizeF(283.5, 198.4),
             QSizeF(141.7, 85.0) }) {
        for (const QSizeF turned : { card, card.transposed() }) {
            const PartyLayout layout = partyTextLayout(everything, turned, 14.0, measureFixedPitch);
            ASSERT_EQ(layout.texts.size(), 7u);
            EXPECT_LE(layout.pointSize, 14.0);
            EXPECT_GE(layout.pointSize, 4.0);
            expectInsideAndApart(layout, turned, measureFixedPitch);
        }
    }
}

TEST(PartyTexts, TextsKeepTheirOrderWordingAndArrangement)
{
    const PartyLayout layout = partyTextLayout(everything, QSizeF(600, 400), 14.0, measureFixedPitch);
    ASSERT_EQ(layout.texts.size(), 7u);
    EXPECT_EQ(layout.pointSize, 14.0); // room enough: the largest size
    QStringList ids;
    for (const PartyText& text : layout.texts)
        ids.append(text.controlID);
    EXPECT_EQ(ids, QStringList({ "PARTY_TITLE", "PARTY_TO", "PARTY_MSG", "PARTY_FROM", "PARTY_VENUE", "PARTY_DATE",
                       "PARTY_TIME" }));
    EXPECT_EQ(layout.texts[1].text, QStringLiteral("Dear Ann and Family,"));
    EXPECT_EQ(layout.texts[3].text, QStringLiteral("From:\nBob"));
    EXPECT_EQ(layout.texts[4].text, QStringLiteral("Venue:\nThe Old Mill, Riverside Road"));
    EXPECT_EQ(layout.texts[5].text, QStringLiteral("Date:\nMar 9, 2027"));
    EXPECT_EQ(layout.texts[6].text, QStringLiteral("Time:\n18:30"));
    // The message is indented; date and time stand beside host and venue, level with the host.
    EXPECT_GT(layout.texts[2].rect.left(), layout.texts[0].rect.left());
    EXPECT_EQ(layout.texts[5].rect.top(), layout.texts[3].rect.top());
    EXPECT_GT(layout.texts[5].rect.left(), layout.texts[3].rect.right());
    expectInsideAndApart(layout, QSizeF(600, 400), measureFixedPitch);
}

TEST(PartyTexts, MissingDetailsTakeNoPlace)
{
    EXPECT_TRUE(partyTextLayout({}, QSizeF(242.6, 153.0), 14.0, measureFixedPitch).texts.empty());
    const PartyLayout dateAndTime
        = partyTextLayout({ .date = "Mar 9", .time = "18:30" }, QSizeF(242.6, 153.0), 14.0, measureFixedPitch);
    ASSERT_EQ(dateAndTime.texts.size(), 2u);
    EXPECT_EQ(dateAndTime.texts[0].controlID, QStringLiteral("PARTY_DATE"));
    EXPECT_LE(dateAndTime.texts[0].rect.top(), 18.0); // at the top, nothing above it
    const PartyLayout messageAndHost
        = partyTextLayout({ .message = "Hello", .from = "Bob" }, QSizeF(242.6, 153.0), 14.0, measureFixedPitch);
    ASSERT_EQ(messageAndHost.texts.size(), 2u);
    EXPECT_LE(messageAndHost.texts[0].rect.top(), 18.0);
    const double gap = messageAndHost.texts[1].rect.top() - messageAndHost.texts[0].rect.bottom();
    EXPECT_GT(gap, 0.0);
    EXPECT_LT(gap, messageAndHost.pointSize); // no room kept for the missing texts
}

TEST(PartyTexts, ACardTooSmallForAnyFontStillKeepsEveryBoxInsideAndApart)
{
    const QSizeF tiny(30, 20);
    const PartyLayout layout = partyTextLayout(everything, tiny, 14.0, measureFixedPitch);
    ASSERT_EQ(layout.texts.size(), 7u);
    EXPECT_EQ(layout.pointSize, 4.0);
    const QRectF card(QPointF(0, 0), tiny);
    for (size_t i = 0; i < layout.texts.size(); ++i) {
        EXPECT_TRUE(card.contains(layout.texts[i].rect));
        for (size_t j = i + 1; j < layout.texts.size(); ++j)
            EXPECT_FALSE(layout.texts[i].rect.intersects(layout.texts[j].rect));
    }
}

} // namespace
