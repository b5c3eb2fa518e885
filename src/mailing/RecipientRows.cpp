#include "mailing/RecipientRows.h"

#include "mailing/MailAddresses.h"

#include <QHash>

#include <algorithm>

namespace {
constexpr int cardsNamed = 5;

QString addressKey(const QString& value)
{
    return value.trimmed().toLower();
}
} // namespace

bool holdsAddresses(const QStringList& values)
{
    int given = 0, addresses = 0;
    for (const QString& value : values) {
        if (value.trimmed().isEmpty())
            continue;
        ++given;
        addresses += isValidEmail(value) ? 1 : 0;
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
    if (cards.size() > cardsNamed)
        lines << QStringLiteral("… and %1 more.").arg(cards.size() - cardsNamed);
    return QStringLiteral("The recipients do not match the rows: each recipient gets the card of the row at the same "
                          "place in the list, and %1 of them would get another row's card.\n\n%2\n\nSend anyway?")
        .arg(cards.size())
        .arg(lines.join(u'\n'));
}
