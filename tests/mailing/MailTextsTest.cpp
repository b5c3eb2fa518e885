#include "mailing/MailAddresses.h"
#include "mailing/MailRunResult.h"
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

TEST(MailAddresses, RecipientListIsReadAsMailboxesAndRefusedWholeNamingThePiece)
{
    const auto recipients = [](const char* list) { return parseRecipients(QString::fromUtf8(list)).recipients; };
    const auto refused = [](const char* list) { return parseRecipients(QString::fromUtf8(list)).notAnAddress; };
    EXPECT_EQ(recipients("one@x.com, two@y.org"), (QStringList { "one@x.com", "two@y.org" }));
    EXPECT_EQ(recipients("one@x.com,, "), QStringList { "one@x.com" });
    // As a mail program copies them: names, quoted names holding commas, semicolons, lines.
    EXPECT_EQ(recipients("Hugo Ostrow <m268@club.example>, \"Noack, Lukas\" <M252@Club.Example>;"
                         "<m1@x.org>\r\n Dr. Ida O'Neil\t<ida@x.org> , k@x.org (Karl, Junior)"),
        (QStringList { "Hugo Ostrow <m268@club.example>", "\"Noack, Lukas\" <M252@Club.Example>", "<m1@x.org>",
            "Dr. Ida O'Neil <ida@x.org>", "k@x.org (Karl, Junior)" }));
    const std::pair<const char*, const char*> addresses[]
        = { { "Hugo Ostrow <m268@club.example>", "m268@club.example" },
              { "\"Noack, Lukas\" <M252@Club.Example>", "M252@Club.Example" }, { "k@x.org (Karl)", "k@x.org" },
              { "Jürgen Müller < j@x.org >", "j@x.org" }, { "\"a b\"@x.org", "\"a b\"@x.org" } };
    for (const auto& [mailbox, address] : addresses)
        EXPECT_EQ(mailboxAddress(QString::fromUtf8(mailbox)), QString::fromUtf8(address)) << mailbox;
    // A bad piece anywhere refuses the list, and is named.
    EXPECT_EQ(refused("bad, one@x.com"), QStringLiteral("bad"));
    EXPECT_EQ(refused("one@x.com, Noack, Lukas <m252@club.example>"), QStringLiteral("Noack"));
    EXPECT_EQ(refused("Lukas m252@club.example"), QStringLiteral("Lukas m252@club.example"));
    EXPECT_EQ(refused("a@x.com\r\nBcc: c@y.com"), QStringLiteral("Bcc: c@y.com"));
    EXPECT_EQ(refused("a@x.com\tb@y.com"), QStringLiteral("a@x.com b@y.com"));
    for (const char* bad : { "\"Noack, Lukas <m252@club.example>", "Ann <a@x.org", "Ann <a@x.org> b", "a@@x.org",
             "<a@x.org> <b@x.org>", "a.@x.org", "m@x.org\x01", "Ann@Home <a@x.org>" })
        EXPECT_FALSE(refused(bad).isEmpty()) << bad;
    EXPECT_FALSE(parseRecipients(QStringLiteral(" , ")).isValid());
    EXPECT_TRUE(notAnAddressReason(QStringLiteral("Noack")).startsWith(QStringLiteral("\"Noack\" is not an e-mail")));
}

TEST(MailAddresses, ARecipientIsMisdirectedOnlyWhenAnotherRowAndNotItsOwnHoldsItsAddress)
{
    const QStringList family { QStringLiteral("home@x.org"), QStringLiteral("home@x.org"), QStringLiteral("-"),
        QStringLiteral("eve@x.org") };
    // Two rows share an address; a stranger's address and the list past the rows are not compared.
    EXPECT_TRUE(
        misdirectedCards({ QStringLiteral("home@x.org"), QStringLiteral("home@x.org"), QStringLiteral("new@x.org"),
                             QStringLiteral("eve@x.org"), QStringLiteral("home@x.org") },
            { family })
            .isEmpty());
    const QList<MisdirectedCard> cards
        = misdirectedCards({ QStringLiteral("eve@x.org"), QStringLiteral("home@x.org") }, { family });
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].recipient, QStringLiteral("eve@x.org"));
    EXPECT_EQ(cards[0].cardRow, 1);
    EXPECT_EQ(cards[0].addressRow, 4);
    // Recipients and values are compared by their address, however written.
    const QList<MisdirectedCard> named
        = misdirectedCards({ QStringLiteral("\"Eve, Home\" <EVE@x.org>"), QStringLiteral("Home <home@x.org>") },
            { { QStringLiteral("Home <home@x.org>"), QStringLiteral("eve@x.org") } });
    ASSERT_EQ(named.size(), 2);
    EXPECT_EQ(named[0].recipient, QStringLiteral("\"Eve, Home\" <EVE@x.org>"));
    EXPECT_EQ(named[1].addressRow, 1);
    // A column where addresses are the few is no column of addresses.
    EXPECT_TRUE(misdirectedCards({ QStringLiteral("eve@x.org") },
        { { QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("eve@x.org") } })
                    .isEmpty());
}

TEST(MailAddresses, RecipientsPastTheLastRowAreNamedBeforeAndAfterTheRun)
{
    QStringList recipients;
    for (int i = 1; i <= 9; ++i)
        recipients << QStringLiteral("m%1@club.example").arg(i);
    EXPECT_EQ(recipientsWithoutRowQuestion(recipients.mid(0, 3), 2),
        QStringLiteral("There are only 2 rows, so only the first 2 recipients would get a card; 1 of the 3 recipients "
                       "would get none:\n\nm3@club.example\n\nSend anyway?"));
    EXPECT_TRUE(
        recipientsWithoutRowQuestion(recipients, 1)
            .startsWith(QStringLiteral("There is only 1 row, so only the first recipient would get a card; 8 of "
                                       "the 9 recipients would get none:\n\nm2@club.example\n")));
    EXPECT_TRUE(recipientsWithoutRowQuestion(recipients, 1).contains(QStringLiteral("m6@club.example\n… and 3 more.")));

    MailRunResult result;
    result.planned = 9;
    result.sent = 7;
    result.batchRows = 7;
    result.withoutRow = recipients.mid(7);
    EXPECT_EQ(mailRunMessage(result),
        QStringLiteral("2 recipients got no card, as there are only 7 rows (m8@club.example; m9@club.example).\n\n"
                       "E-mails sent: 7 of 9."));
    EXPECT_EQ(mailRunDetails(result),
        QStringLiteral("m8@club.example (recipient 8 of 9): no card sent, as there are only 7 rows.\nm9@club.example "
                       "(recipient 9 of 9): no card sent, as there are only 7 rows."));
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
