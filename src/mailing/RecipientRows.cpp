#include "mailing/RecipientRows.h"

#include "common/StringHelpers.h"
#include "mailing/MailAddresses.h"

#include <algorithm>

namespace {
constexpr int cardsNamed = 5;
// Longest cell text quoted in a question.
constexpr int cellPreview = 80;
// A row's addresses a question's text quotes, and the longest text they make.
constexpr int rowAddressesNamed = 3;
constexpr int rowAddressesPreview = 100;
// The rows holding an address that a line of the details names; the text names as many as it
// quotes addresses.
constexpr qsizetype rowsNamedInDetails = 100;

QString addressKey(const QString& mailbox)
{
    return mailboxAddress(mailbox).toLower();
}

// A recipient who would get the card of row `row` (from 0) though the row holds another address,
// or holds none while another row holds theirs. A row without an address given a recipient
// no row holds has nothing to compare.
void addWhenNotOwn(QList<MisdirectedCard>& cards, const RowAddresses& rows, const QString& recipient, int row)
{
    const QList<int> holding = rows.rowsHolding(recipient);
    if (std::binary_search(holding.begin(), holding.end(), row)
        || (rows.addressesOf(row).isEmpty() && holding.isEmpty()))
        return;
    cards.append({ recipient, row + 1, rows.addressesOf(row), holding, 0 });
}

// A row's addresses as a line quotes them: whole for the details; in the text the first few,
// cut at a readable length, and how many more, as a cell may hold thousands.
QString quoted(const QStringList& addresses, bool whole)
{
    if (whole)
        return addresses.join(QStringLiteral(", "));
    const QString named
        = oneLineCut(addresses.mid(0, rowAddressesNamed).join(QStringLiteral(", ")), rowAddressesPreview);
    if (addresses.size() <= rowAddressesNamed)
        return named;
    return QStringLiteral("%1 and %2 more").arg(named, QString::number(addresses.size() - rowAddressesNamed));
}

// The rows (from 0) as a line names them: "no row", "row 4", "rows 2 and 5", "rows 2, 5, 9 and
// 4 more": an address a family, a club or a print shop shares may stand in thousands.
QString rowsNamed(const QList<int>& rows, bool whole)
{
    if (rows.isEmpty())
        return QStringLiteral("no row");
    if (rows.size() == 1)
        return QStringLiteral("row %1").arg(rows.first() + 1);
    const qsizetype named = std::min(rows.size(), whole ? rowsNamedInDetails : qsizetype(rowAddressesNamed));
    QStringList numbers;
    numbers.reserve(named);
    for (qsizetype k = 0; k < named; ++k)
        numbers << QString::number(rows.at(k) + 1);
    const QString last = named == rows.size() ? numbers.takeLast() : QStringLiteral("%1 more").arg(rows.size() - named);
    return QStringLiteral("rows %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

QString cardLine(const MisdirectedCard& card, bool whole)
{
    const QString rowAddress
        = card.rowAddresses.isEmpty() ? QStringLiteral("no address") : quoted(card.rowAddresses, whole);
    return QStringLiteral("%1 would get the card of row %2 (%3), though %4 %5 that address.")
        .arg(card.recipient, QString::number(card.cardRow), rowAddress, rowsNamed(card.addressRows, whole),
            card.addressRows.size() > 1 ? QStringLiteral("hold") : QStringLiteral("holds"));
}

QString otherRowsLine(const MisdirectedCard& card, bool whole)
{
    const QString cards = card.otherRowsCards == 1
        ? QStringLiteral("the card of 1 other row")
        : QStringLiteral("the cards of %1 other rows").arg(card.otherRowsCards);
    return QStringLiteral("%1 (the address of %2) would get %3.")
        .arg(card.recipient, rowsNamed(card.addressRows, whole), cards);
}

// The first few lines, shortened, in the text between its opening and its ending; when there
// are more, or one was shortened, every one whole in the details.
template <typename Item>
RecipientQuestion question(const QString& opening, const QList<Item>& items, QString (*line)(const Item&, bool),
    const QString& ending = QStringLiteral("Send anyway?"))
{
    QStringList named;
    bool shortened = false;
    for (qsizetype k = 0; k < std::min<qsizetype>(items.size(), cardsNamed); ++k) {
        named << line(items.at(k), false);
        shortened = shortened || named.constLast() != line(items.at(k), true);
    }
    if (items.size() > cardsNamed)
        named << QStringLiteral("… and %1 more.").arg(items.size() - cardsNamed);
    QStringList details;
    if (items.size() > cardsNamed || shortened) {
        details.reserve(items.size());
        for (const Item& item : items)
            details << line(item, true);
    }
    return { QStringLiteral("%1\n\n%2\n\n%3").arg(opening, named.join(u'\n'), ending), details.join(u'\n') };
}

QString mixedRowLine(const MixedRow& mixed, bool whole)
{
    return QStringLiteral("Row %1: %2 in the series, %3 in the spreadsheet.")
        .arg(QString::number(mixed.row), quoted(mixed.seriesAddresses, whole),
            quoted(mixed.spreadsheetAddresses, whole));
}

QString plainLine(const QString& line, bool)
{
    return line;
}

QString recipientsCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 recipient") : QStringLiteral("%1 recipients").arg(count);
}
} // namespace

RowAddresses::RowAddresses(const QList<QStringList>& columns, const std::atomic<bool>* stop)
{
    qsizetype rows = 0;
    for (const QStringList& column : columns)
        rows = std::max(rows, column.size());
    addresses_.resize(rows);
    // Row by row: an address met again in the row, in any column, is known at once.
    for (int row = 0; row < rows; ++row) {
        if (stop && *stop)
            return;
        const QString* unread = nullptr;
        for (const QStringList& column : columns) {
            if (row >= column.size())
                continue;
            const QString& cell = column.at(row);
            const QStringList found = cellAddresses(cell);
            if (found.isEmpty() && !unread && cell.contains(u'@'))
                unread = &cell;
            for (const QString& address : found) {
                QList<int>& holding = rowsOf_[address.toLower()];
                if (holding.isEmpty() || holding.constLast() != row) {
                    holding.append(row);
                    addresses_[row] << address;
                }
            }
        }
        // An "@" the program cannot read is never taken for no address.
        if (unread && addresses_.at(row).isEmpty())
            unreadable_.append({ row + 1, *unread });
    }
}

QList<int> RowAddresses::rowsHolding(const QString& recipient) const
{
    return rowsOf_.value(addressKey(recipient));
}

QList<MisdirectedCard> misdirectedCards(const QStringList& recipients, const RowAddresses& rows)
{
    QList<MisdirectedCard> cards;
    for (int k = 0; k < std::min<int>(int(recipients.size()), rows.rows()); ++k)
        addWhenNotOwn(cards, rows, recipients.at(k), k);
    return cards;
}

QList<MisdirectedCard> shownCardToOtherRows(const QStringList& recipients, const RowAddresses& rows)
{
    QList<MisdirectedCard> cards;
    for (const QString& recipient : recipients)
        if (!rows.rowsHolding(recipient).isEmpty())
            addWhenNotOwn(cards, rows, recipient, 0);
    return cards;
}

QList<MisdirectedCard> otherRowsCardsToRowPeople(const QStringList& recipients, const RowAddresses& rows)
{
    QList<MisdirectedCard> cards;
    for (const QString& recipient : recipients) {
        const QList<int> holding = rows.rowsHolding(recipient);
        if (!holding.isEmpty() && holding.size() < rows.rows())
            cards.append({ recipient, 0, {}, holding, rows.rows() - int(holding.size()) });
    }
    return cards;
}

RecipientQuestion misdirectedCardsQuestion(const QList<MisdirectedCard>& cards)
{
    if (cards.isEmpty())
        return {};
    return question(QStringLiteral("The recipients do not match the rows: each recipient gets the card of the row at "
                                   "the same place in the list, and %1 would get the card of a row that holds "
                                   "another address.")
                        .arg(recipientsCount(cards.size())),
        cards, cardLine);
}

RecipientQuestion shownCardQuestion(const QList<MisdirectedCard>& cards)
{
    if (cards.isEmpty())
        return {};
    return question(QStringLiteral("The card mailed is the one shown, which carries the values of row 1, and %1 "
                                   "whose address another row holds would get it.")
                        .arg(recipientsCount(cards.size())),
        cards, cardLine);
}

RecipientQuestion otherRowsCardsQuestion(const QList<MisdirectedCard>& cards)
{
    if (cards.isEmpty())
        return {};
    return question(QStringLiteral("Every row's card goes to every recipient, and %1 whose address a row holds would "
                                   "get the cards of other rows.")
                        .arg(recipientsCount(cards.size())),
        cards, otherRowsLine);
}

RecipientQuestion recipientsWithoutRowQuestion(const QStringList& recipients, int rows)
{
    const QStringList without = recipients.mid(rows);
    const QString onlyRows = rows == 1
        ? QStringLiteral("There is only 1 row, so only the first recipient would get a card")
        : QStringLiteral("There are only %1 rows, so only the first %1 recipients would get a card").arg(rows);
    return question(QStringLiteral("%1; %2 of the %3 recipients would get none:")
                        .arg(onlyRows)
                        .arg(without.size())
                        .arg(recipients.size()),
        without, plainLine);
}

RecipientQuestion unreadableRowsQuestion(const QList<UnreadableRow>& rows)
{
    if (rows.isEmpty())
        return {};
    QStringList lines;
    lines.reserve(rows.size());
    for (const UnreadableRow& row : rows)
        lines << QStringLiteral("Row %1: \"%2\"").arg(QString::number(row.row), oneLineCut(row.cell, cellPreview));
    const bool one = rows.size() == 1;
    return question(QStringLiteral("%1 an \"@\" but no e-mail address this program can read, so %2 cannot be checked "
                                   "against the recipients:")
                        .arg(one ? QStringLiteral("1 row holds") : QStringLiteral("%1 rows hold").arg(rows.size()),
                            one ? QStringLiteral("its card") : QStringLiteral("their cards")),
        lines, plainLine);
}

QList<MixedRow> mixedRows(const RowAddresses& series, const RowAddresses& spreadsheet)
{
    QList<MixedRow> mixed;
    for (int row = 0; row < std::min(series.rows(), spreadsheet.rows()); ++row) {
        const QStringList inSeries = series.addressesOf(row);
        const QStringList inSpreadsheet = spreadsheet.addressesOf(row);
        // A member's address beside a parent's in one source and alone in the other is one person.
        const bool shared = std::any_of(inSeries.begin(), inSeries.end(), [&](const QString& address) {
            const QList<int> holding = spreadsheet.rowsHolding(address);
            return std::binary_search(holding.begin(), holding.end(), row);
        });
        if (!inSeries.isEmpty() && !inSpreadsheet.isEmpty() && !shared)
            mixed.append({ row + 1, inSeries, inSpreadsheet });
    }
    return mixed;
}

RecipientQuestion mixedRowsQuestion(const QList<MixedRow>& rows)
{
    if (rows.isEmpty())
        return {};
    const QString count
        = rows.size() == 1 ? QStringLiteral("1 row holds") : QStringLiteral("%1 rows hold").arg(rows.size());
    return question(QStringLiteral("%1 one address in the series and another in the spreadsheet, so each of those "
                                   "cards would mix the values of two people, as when the series and the spreadsheet "
                                   "are sorted differently.")
                        .arg(count),
        rows, mixedRowLine, QStringLiteral("Do you want to go on?"));
}
