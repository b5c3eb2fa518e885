#include "mailing/RecipientRows.h"

#include "mailing/MailAddresses.h"

#include <QHash>

#include <algorithm>

namespace {
constexpr int cardsNamed = 5;

// A row's value or a recipient by its address, however it is written ("Name <a@b.org>" too).
// After the first few lines named: how many more there are.
void countTheRest(QStringList& lines, int count)
{
    if (count > cardsNamed)
        lines << QStringLiteral("… and %1 more.").arg(count - cardsNamed);
}

QString addressKey(const QString& value)
{
    const QString address = mailboxAddress(value);
    return (address.isEmpty() ? value.trimmed() : address).toLower();
}
} // namespace

bool holdsAddresses(const QStringList& values)
{
    int given = 0, addresses = 0;
    for (const QString& value : values) {
        if (value.trimmed().isEmpty())
            continue;
        ++given;
        addresses += mailboxAddress(value).isEmpty() ? 0 : 1;
    }
    return addresses > 0 && 2 * addresses > given;
}

QList<MisdirectedCard> misdirectedCards(const QStringList& recipients, const QList<QStringList>& columns)
{
    QList<const QStringList*> addressColumns;
    QHash<QString, int> firstRowOf;
    for (const QStringList& column : columns) {
        if (!holdsAddresses(column))
            continue;
        addressColumns << &column;
        for (int row = 0; row < column.size(); ++row) {
            const QString key = addressKey(column.at(row));
            if (!key.isEmpty() && (!firstRowOf.contains(key) || firstRowOf.value(key) > row))
                firstRowOf.insert(key, row);
        }
    }
    QList<MisdirectedCard> cards;
    for (int k = 0; k < recipients.size(); ++k) {
        const QString key = addressKey(recipients.at(k));
        const auto found = firstRowOf.constFind(key);
        if (found == firstRowOf.constEnd())
            continue; // an address no row holds: nothing to compare
        bool rowExists = false, ownRow = false;
        for (const QStringList* column : addressColumns) {
            rowExists = rowExists || k < column->size();
            ownRow = ownRow || addressKey(column->value(k)) == key;
        }
        if (rowExists && !ownRow)
            cards.append({ recipients.at(k), k + 1, *found + 1 });
    }
    return cards;
}

QString misdirectedCardsQuestion(const QList<MisdirectedCard>& cards)
{
    QStringList lines;
    for (int i = 0; i < std::min<int>(cards.size(), cardsNamed); ++i)
        lines << QStringLiteral("%1 would get the card of row %2, though row %3 holds that address.")
                     .arg(cards.at(i).recipient)
                     .arg(cards.at(i).cardRow)
                     .arg(cards.at(i).addressRow);
    countTheRest(lines, int(cards.size()));
    return QStringLiteral("The recipients do not match the rows: each recipient gets the card of the row at the same "
                          "place in the list, and %1 of them would get another row's card.\n\n%2\n\nSend anyway?")
        .arg(cards.size())
        .arg(lines.join(u'\n'));
}

QString recipientsWithoutRowQuestion(const QStringList& recipients, int rows)
{
    const QStringList without = recipients.mid(rows);
    QStringList lines = without.mid(0, cardsNamed);
    countTheRest(lines, int(without.size()));
    const QString onlyRows = rows == 1
        ? QStringLiteral("There is only 1 row, so only the first recipient would get a card")
        : QStringLiteral("There are only %1 rows, so only the first %1 recipients would get a card").arg(rows);
    return QStringLiteral("%1; %2 of the %3 recipients would get none:\n\n%4\n\nSend anyway?")
        .arg(onlyRows)
        .arg(without.size())
        .arg(recipients.size())
        .arg(lines.join(u'\n'));
}
