#include "mailing/MailAddresses.h"
#include "mailing/MailRunResult.h"
#include "mailing/PauseText.h"
#include "mailing/RecipientRows.h"
#include "mailing/SentMails.h"

#include <QDateTime>

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

// Every card mailed to a row's person is that row's, in every card mode.
TEST(MailAddresses, ARecipientWhoseRowHoldsAnotherAddressOrWhoIsAnotherRowsIsAskedAboutInEveryMode)
{
    const auto list = [](std::initializer_list<const char*> values) {
        QStringList texts;
        for (const char* value : values)
            texts << QString::fromUtf8(value);
        return texts;
    };
    // Two rows share a family address; the cell of row 3 holds none.
    const QList<QStringList> family { list({ "Ann", "Bob", "Cyd", "Eve" }),
        list({ "home@x.org", "Home <HOME@x.org>", "-", "eve@x.org" }) };
    // Row per recipient: rows' own addresses, a stranger at an empty cell and the list past the
    // rows are not asked about.
    EXPECT_TRUE(
        misdirectedCards(list({ "home@x.org", "home@x.org", "new@x.org", "\"Eve, Home\" <EVE@x.org>", "home@x.org" }),
            RowAddresses(family))
            .isEmpty());
    // Swapped, mistyped, or another row's person at the empty cell: each named with the row's own address.
    const QList<MisdirectedCard> cards = misdirectedCards(
        list({ "eve@x.org", "home@x.exmaple", "eve@x.org", "Home <home@x.org>" }), RowAddresses(family));
    const RecipientQuestion asked = misdirectedCardsQuestion(cards);
    EXPECT_EQ(asked.text,
        QStringLiteral("The recipients do not match the rows: each recipient gets the card of the row at the same "
                       "place in the list, and 4 recipients would get the card of a row that holds another "
                       "address.\n\neve@x.org would get the card of row 1 (home@x.org), though row 4 holds that "
                       "address.\nhome@x.exmaple would get the card of row 2 (HOME@x.org), though no row holds that "
                       "address.\neve@x.org would get the card of row 3 (no address), though row 4 holds that "
                       "address.\nHome <home@x.org> would get the card of row 4 (eve@x.org), though rows 1 and 2 hold "
                       "that address.\n\nSend anyway?"));
    EXPECT_TRUE(asked.details.isEmpty()); // the text names them all
    EXPECT_TRUE(misdirectedCardsQuestion({}).isEmpty());
    // An address many rows share: the text names its first rows, the details every one.
    const QStringList office = QStringList(6, QStringLiteral("office@x.org")) << QStringLiteral("ann@x.org");
    const RecipientQuestion shared = misdirectedCardsQuestion(
        misdirectedCards(QStringList(7, QStringLiteral("office@x.org")), RowAddresses({ office })));
    EXPECT_TRUE(shared.text.contains(QStringLiteral("row 7 (ann@x.org), though rows 1, 2, 3 and 3 more hold that")))
        << shared.text.toStdString();
    EXPECT_TRUE(shared.details.endsWith(QStringLiteral("though rows 1, 2, 3, 4, 5 and 6 hold that address.")));

    // A column where most members have no address still counts for those who have one.
    const QList<QStringList> sparse { list({ "ann@x.org", "-", "none", "n/a", "eve@x.org" }) };
    // Eve would get Ann's card, and Ann the card of a row without an address.
    const QList<MisdirectedCard> swapped = misdirectedCards(list({ "eve@x.org", "ann@x.org" }), RowAddresses(sparse));
    ASSERT_EQ(swapped.size(), 2);
    EXPECT_EQ(swapped[0].addressRows, QList<int> { 4 });
    EXPECT_EQ(swapped[1].addressRows, QList<int> { 0 });
    // Rows without any address have nothing to compare.
    EXPECT_TRUE(
        misdirectedCards(list({ "eve@x.org", "ann@x.org" }), RowAddresses({ list({ "Ann", "Bob" }) })).isEmpty());

    // The card as shown is the first row's: other rows' people are asked about, the first
    // row's own and a colleague's proof are not.
    EXPECT_TRUE(shownCardToOtherRows(list({ "home@x.org", "proof@office.example" }), RowAddresses(family)).isEmpty());
    const QList<MisdirectedCard> shown
        = shownCardToOtherRows(list({ "proof@office.example", "Eve <eve@x.org>" }), RowAddresses(family));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shownCardQuestion(shown).text.startsWith(
        QStringLiteral("The card mailed is the one shown, which carries the values of row 1, and 1 recipient whose "
                       "address another row holds would get it.\n\nEve <eve@x.org> would get the card of row 1 "
                       "(home@x.org), though row 4 holds that address.")));

    // Every row's card to every recipient: each row's person is told how many cards are not theirs.
    const QList<MisdirectedCard> all
        = otherRowsCardsToRowPeople(list({ "shop@print.example", "HOME@x.org", "eve@x.org" }), RowAddresses(family));
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(otherRowsCardsQuestion(all).text,
        QStringLiteral(
            "Every row's card goes to every recipient, and 2 recipients whose address a row holds would "
            "get the cards of other rows.\n\nHOME@x.org (the address of rows 1 and 2) would get the cards of "
            "2 other rows.\neve@x.org (the address of row 4) would get the cards of 3 other rows.\n\nSend "
            "anyway?"));
    EXPECT_TRUE(otherRowsCardsToRowPeople(list({ "shop@print.example" }), RowAddresses(family)).isEmpty());
    EXPECT_TRUE(
        otherRowsCardsToRowPeople(list({ "home@x.org" }), RowAddresses({ list({ "home@x.org", "home@x.org" }) }))
            .isEmpty());

    // Cells as people keep them: every address a cell holds is its row's, a parent's too.
    const QList<QStringList> kept { list({ "m1@x.org; parent1@x.org", "m2@x.org,\nparent2@x.org",
        "Pohl, Mona <m3@x.org>", "m4@x.org / Parent4@X.org", "MAILTO:m5@x.org?subject=Card", "m6@x.org\u200B",
        "\u2060<mailto:m7@x.org>\t", "a/b@x.org", "Pohl, Mona", "-" }) };
    EXPECT_EQ(cellAddresses(kept[0][3]), list({ "m4@x.org", "Parent4@X.org" }));
    EXPECT_EQ(cellAddresses(kept[0][7]), list({ "a/b@x.org" }));
    // Wherever an address stands and whatever parts it from the next, it is read; one in a
    // quoted name or a comment is part of the name; a domain ends where its letters do.
    const std::pair<const char*, QStringList> anywhere[]
        = { { "m264@club.example parent264@family.example", { "m264@club.example", "parent264@family.example" } },
              { "Member: a@x.org\tE-mail:b@y.org", { "a@x.org", "b@y.org" } },
              { "team: a@x.org, b@y.org;", { "a@x.org", "b@y.org" } },
              { "a@x.org|b@y.org and C@Z.org.", { "a@x.org", "b@y.org", "C@Z.org" } },
              { "Ann <mailto:a@x.org?body=x#top>", { "a@x.org" } },
              { "\"a@x.org\" <b@y.org> (was c@z.org)", { "b@y.org" } }, { "(d@x.org) \"e@x.org", { "e@x.org" } },
              // An escape or a link's query is never a second address; an address's own slash is its own.
              { "mailto:a@x.org%0D%0ABcc:evil@y.org", { "a@x.org" } },
              { "Ann <mailto:a@x.org%0ABcc:evil@y.org>, mailto:b@x.org?cc=evil@y.org c@z.org",
                  { "a@x.org", "b@x.org", "c@z.org" } },
              { "bob/smith@x.org other@y.org", { "bob/smith@x.org", "other@y.org" } },
              { "a@x.org/b|c@y.org|d@z.org", { "a@x.org", "b|c@y.org", "d@z.org" } } };
    for (const auto& [cell, addresses] : anywhere)
        EXPECT_EQ(cellAddresses(QString::fromUtf8(cell)), addresses) << cell;
    EXPECT_TRUE(mailboxAddress(QStringLiteral("a@example.org?body=x")).isEmpty());
    // An "@" that gives no address is named with its cell, never taken for no address.
    const RowAddresses unread(
        { list({ "Ann", "(ann@x.org)", "b@x.org@y.org", "-" }), list({ "", "", "b@x.org", "@" }) });
    ASSERT_EQ(unread.unreadableRows().size(), 2);
    EXPECT_EQ(unreadableRowsQuestion(unread.unreadableRows()).text,
        QStringLiteral("2 rows hold an \"@\" but no e-mail address this program can read, so their cards cannot be "
                       "checked against the recipients:\n\nRow 2: \"(ann@x.org)\"\nRow 4: \"@\"\n\nSend anyway?"));
    EXPECT_TRUE(misdirectedCards(list({ "parent1@x.org", "m2@x.org", "m3@x.org", "parent4@x.org", "m5@x.org",
                                     "m6@x.org", "Mona <m7@x.org>", "a/b@x.org", "new@x.org", "eve@x.org" }),
        RowAddresses(kept))
                    .isEmpty());
    // Members typed in each other's place are asked about, named with all their row holds.
    const QList<MisdirectedCard> crossed = misdirectedCards(
        list({ "parent2@x.org", "m1@x.org", "m6@x.org", "m4@x.org", "m3@x.org" }), RowAddresses(kept));
    ASSERT_EQ(crossed.size(), 4);
    EXPECT_EQ(crossed[0].rowAddresses, list({ "m1@x.org", "parent1@x.org" }));
    EXPECT_EQ(crossed[0].addressRows, QList<int> { 1 });
    EXPECT_EQ(crossed[3].recipient, QStringLiteral("m3@x.org"));
    EXPECT_EQ(crossed[3].addressRows, QList<int> { 2 });
}

// The text names the first five; the details name every one.
TEST(MailAddresses, AQuestionAboutManyRecipientsNamesFiveAndListsAllInItsDetails)
{
    QStringList members, recipients;
    for (int i = 1; i <= 30; ++i) {
        members << QStringLiteral("m%1@club.example").arg(i);
        recipients << QStringLiteral("m%1@club.example").arg(31 - i);
    }
    const RecipientQuestion asked = misdirectedCardsQuestion(misdirectedCards(recipients, RowAddresses({ members })));
    EXPECT_EQ(asked.details.count(u'\n'), 29);
    EXPECT_TRUE(asked.details.endsWith(
        QStringLiteral("m1@club.example would get the card of row 30 (m30@club.example), though row 1 holds that "
                       "address.")));
    EXPECT_TRUE(asked.text.contains(QStringLiteral("m26@club.example would get the card of row 5 (m5@club.example), "
                                                   "though row 26 holds that address.\n… and 25 more.\n\nSend "
                                                   "anyway?")))
        << asked.text.toStdString();
    EXPECT_FALSE(asked.text.contains(QStringLiteral("m25@club.example")));

    // Series and workbook sorted differently: rows whose two sources share no address mix two
    // people. A member's address beside a parent's in one and alone in the other is one person.
    QStringList series = members, workbook = recipients;
    series[0] = QStringLiteral("m1@club.example; parent1@club.example");
    workbook[0] = QStringLiteral("M1@CLUB.example");
    workbook[1] = QStringLiteral("no address");
    const QList<MixedRow> mixed
        = mixedRows(RowAddresses({ series }), RowAddresses({ QStringList(30, QStringLiteral("Ann")), workbook }));
    ASSERT_EQ(mixed.size(), 28); // rows 1 and 2 are not
    EXPECT_EQ(mixed.first().row, 3);
    const RecipientQuestion mixing = mixedRowsQuestion(mixed);
    EXPECT_TRUE(mixing.text.startsWith(
        QStringLiteral("28 rows hold one address in the series and another in the spreadsheet, so each of those cards "
                       "would mix the values of two people, as when the series and the spreadsheet are sorted "
                       "differently.\n\nRow 3: m3@club.example in the series, m28@club.example in the spreadsheet.\n")))
        << mixing.text.toStdString();
    EXPECT_TRUE(mixing.text.endsWith(QStringLiteral("… and 23 more.\n\nDo you want to go on?")));
    EXPECT_EQ(mixing.details.count(u'\n'), 27);
    EXPECT_TRUE(mixedRows(RowAddresses({ series }), RowAddresses({ members })).isEmpty());
    // A series value of two addresses parted by a space, as a cell with a line break imports.
    EXPECT_EQ(mixedRows(RowAddresses({ { "m1@x.org p1@y.org" } }), RowAddresses({ { "m2@x.org" } })).size(), 1);
    EXPECT_TRUE(mixedRowsQuestion({}).isEmpty());
}

TEST(MailAddresses, RecipientsPastTheLastRowAreNamedBeforeAndAfterTheRun)
{
    QStringList recipients;
    for (int i = 1; i <= 9; ++i)
        recipients << QStringLiteral("m%1@club.example").arg(i);
    EXPECT_EQ(recipientsWithoutRowQuestion(recipients.mid(0, 3), 2).text,
        QStringLiteral("There are only 2 rows, so only the first 2 recipients would get a card; 1 of the 3 recipients "
                       "would get none:\n\nm3@club.example\n\nSend anyway?"));
    EXPECT_TRUE(
        recipientsWithoutRowQuestion(recipients, 1)
            .text.startsWith(QStringLiteral("There is only 1 row, so only the first recipient would get a card; 8 of "
                                            "the 9 recipients would get none:\n\nm2@club.example\n")));
    EXPECT_TRUE(
        recipientsWithoutRowQuestion(recipients, 1).text.contains(QStringLiteral("m6@club.example\n… and 3 more.")));
    EXPECT_EQ(recipientsWithoutRowQuestion(recipients, 1).details, recipients.mid(1).join(u'\n'));

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

// A Send that would repeat mails says when they went, names five and lists all in the details;
// the end of the run counts the second copies sent as chosen.
TEST(SentMails, TheQuestionSaysWhenMailsWentAndTheEndCountsTheSecondCopies)
{
    const auto at
        = [](int day, int year = 2026) { return QDateTime(QDate(year, 12, day), QTime(15, 40)).toMSecsSinceEpoch(); };
    const qint64 now = at(9);
    EXPECT_EQ(sentWhen(at(2), now), QStringLiteral("on 2 December"));
    MailJob job;
    job.mode = MailJob::Mode::RowPerRecipient;
    job.batchRows = 12;
    SentMailStore::Marks marks(12);
    for (int mail = 0; mail < 12; ++mail) {
        job.recipients << QStringLiteral("m%1@club.example").arg(mail + 1);
        if (mail < 7)
            marks[mail] = SentMailStore::Mark { SentMailStore::State::Sent, mail == 0 ? at(2, 2025) : now, 1, {} };
    }
    const SentBeforeQuestion asked = sentBeforeQuestion(job, marks, QString(), QStringLiteral("me"), now);
    EXPECT_EQ(asked.text,
        QStringLiteral("7 of these 12 e-mails were already sent, the first on 2 December 2025, the last today at 15:40 "
                       "(rows 1–7): row 1 to m1@club.example; row 2 to m2@club.example; row 3 to m3@club.example; row "
                       "4 to m4@club.example; row 5 to m5@club.example and 2 more.\n\nSend only the 5 e-mails not sent "
                       "yet, or send all 12 again, so that the recipients of the 7 sent get a second copy?"));
    EXPECT_TRUE(asked.details.endsWith(QStringLiteral("row 7 to m7@club.example, sent today at 15:40")));
    EXPECT_EQ(asked.answers, QStringList({ "Send the 5 Not Sent", "Send All 12 Again", "Cancel" }));
    EXPECT_EQ(asked.inRecord.count(true), 7);
    MailRunResult stopped;
    stopped.planned = 12;
    stopped.sent = 3;
    stopped.stopped = true;
    stopped.sentAgain = 1;
    EXPECT_EQ(mailRunMessage(stopped),
        QStringLiteral(
            "Sending was stopped.\n\nE-mails sent: 3 of 12.\n\n1 of them went a second time, as you chose."));
}
