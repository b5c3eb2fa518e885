#include "mailing/MailAddresses.h"
#include "mailing/PauseText.h"
#include "mailing/RecipientRows.h"

#include <gtest/gtest.h>

TEST(MailAddresses, AddressTest)
{
    EXPECT_TRUE(isValidEmail(QStringLiteral("  a@b.co  ")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("a@b.c"))); // shorter than 6
    EXPECT_FALSE(isValidEmail(QStringLiteral("abc@defg")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("a@b@c.com")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("       ")));
}

TEST(MailAddresses, RecipientListIsTrimmedAndRefusedWhole)
{
    EXPECT_EQ(parseRecipients(QStringLiteral("one@x.com, two@y.org")),
        (QStringList { QStringLiteral("one@x.com"), QStringLiteral("two@y.org") }));
    EXPECT_EQ(parseRecipients(QStringLiteral("one@x.com,, ")), QStringList { QStringLiteral("one@x.com") });
    // A bad piece anywhere refuses the list, not only the last one.
    EXPECT_FALSE(parseRecipients(QStringLiteral("bad, one@x.com")));
    EXPECT_FALSE(parseRecipients(QStringLiteral("one@x.com, bad")));
    EXPECT_FALSE(parseRecipients(QStringLiteral(" , ")));
    EXPECT_FALSE(parseRecipients(QStringLiteral("a@x.com\r\nBcc: c@y.com")));
    EXPECT_FALSE(parseRecipients(QStringLiteral("a@x.com\tb@y.com")));
}

TEST(MailAddresses, ARecipientIsMisdirectedOnlyWhenAnotherRowAndNotItsOwnHoldsItsAddress)
{
    const QStringList family { QStringLiteral("home@x.org"), QStringLiteral("home@x.org"), QStringLiteral("-"),
        QStringLiteral("eve@x.org") };
    // Two rows share an address; a stranger's address and the list past the rows are not compared.
    EXPECT_TRUE(misdirectedCards({ QStringLiteral("home@x.org"), QStringLiteral("home@x.org"),
                                     QStringLiteral("new@x.org"), QStringLiteral("eve@x.org"),
                                     QStringLiteral("home@x.org") },
        { family })
                    .isEmpty());
    const QList<MisdirectedCard> cards
        = misdirectedCards({ QStringLiteral("eve@x.org"), QStringLiteral("home@x.org") }, { family });
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].recipient, QStringLiteral("eve@x.org"));
    EXPECT_EQ(cards[0].cardRow, 1);
    EXPECT_EQ(cards[0].addressRow, 4);
    // A column where addresses are the few is no column of addresses.
    EXPECT_TRUE(misdirectedCards({ QStringLiteral("eve@x.org") },
        { { QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("eve@x.org") } })
                    .isEmpty());
}

TEST(PauseText, UnitsAppearFromTheirFirstWholeUnitAndAreSingularBelowTwo)
{
    EXPECT_EQ(pauseText(0), QStringLiteral("Pausing the process for 0 Second."));
    EXPECT_EQ(pauseText(1000), QStringLiteral("Pausing the process for 1 Second."));
    EXPECT_EQ(pauseText(90'000), QStringLiteral("Pausing the process for 1 Minute 30 Seconds."));
    EXPECT_EQ(pauseText(3599'000), QStringLiteral("Pausing the process for 59 Minutes 59 Seconds."));
    EXPECT_EQ(pauseText(7200'000), QStringLiteral("Pausing the process for 2 Hours 0 Minute 0 Second."));
    EXPECT_EQ(pauseText(3661'999), QStringLiteral("Pausing the process for 1 Hour 1 Minute 1 Second."));
}
