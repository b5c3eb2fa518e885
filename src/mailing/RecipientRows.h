#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// The rows of a mail run are compared with its recipients by the addresses the rows hold.
// Every cell that holds an address counts, however few cells of its column do, every address a
// cell holds is the row's own (cellAddresses), and a row without one has nothing to compare.
// Recipients and cells are compared by their address (mailboxAddress), without case.

// A row that holds an "@" but no address that can be read: it cannot be told whose it is.
struct UnreadableRow
{
    int row = 0; // from 1
    QString cell; // the first of its cells holding an "@"
};

// The addresses a run's rows hold. Columns are the rows' sources (a workbook column, a series),
// each a value per row. Reading long cells of many rows takes a while: made off the GUI thread,
// it stops early, incomplete, when `stop` is set. Linear in the cells' length.
class RowAddresses
{
public:
    explicit RowAddresses(const QList<QStringList>& columns, const std::atomic<bool>* stop = nullptr);

    int rows() const { return int(addresses_.size()); }
    // Each once, in the order met; none when the row has nothing to compare.
    QStringList addressesOf(int row) const { return addresses_.value(row); }
    // From 0, in order.
    QList<int> rowsHolding(const QString& recipient) const;
    const QList<UnreadableRow>& unreadableRows() const { return unreadable_; }

private:
    QList<QStringList> addresses_;
    QHash<QString, QList<int>> rowsOf_; // by address in lower case
    QList<UnreadableRow> unreadable_;
};

// A recipient who would get a card that is not their own row's.
struct MisdirectedCard
{
    QString recipient;
    int cardRow = 0; // from 1: the row whose card the recipient would get; 0: cards of many rows
    QStringList rowAddresses; // the addresses the card's row holds
    // Every row that holds the recipient's address, from 0 as rowsHolding() gives them (shared,
    // not copied, however many); none when no row does.
    QList<int> addressRows;
    int otherRowsCards = 0; // every row's card to every recipient: the cards of rows not holding the address
};

// A question before a run: a short text naming the first few recipients and counting the
// rest, each row quoted with its first few addresses at most, and then details naming every one
// of them whole, a line each ("" when the text names all whole).
struct RecipientQuestion
{
    QString text, details;
    bool isEmpty() const { return text.isEmpty(); }
};

// Row k's card to recipient k: the recipients whose row holds an address, not theirs.
QList<MisdirectedCard> misdirectedCards(const QStringList& recipients, const RowAddresses& rows);
// The card as shown carries the first row's values: the recipients whose address another row
// holds, and not the first. A recipient no row holds (a proof to a colleague) is none of them.
QList<MisdirectedCard> shownCardToOtherRows(const QStringList& recipients, const RowAddresses& rows);
// Every row's card to every recipient: the recipients whose address a row holds, who would get
// other rows' cards. A recipient no row holds (a print shop) is none of them.
QList<MisdirectedCard> otherRowsCardsToRowPeople(const QStringList& recipients, const RowAddresses& rows);

// The questions before such runs; each is empty when no recipient is concerned.
RecipientQuestion misdirectedCardsQuestion(const QList<MisdirectedCard>& cards);
RecipientQuestion shownCardQuestion(const QList<MisdirectedCard>& cards);
RecipientQuestion otherRowsCardsQuestion(const QList<MisdirectedCard>& cards);

// The question before a row-per-recipient run with more recipients than rows: the recipients
// past the last row would get no card.
RecipientQuestion recipientsWithoutRowQuestion(const QStringList& recipients, int rows);

// The question before a run that mails rows' cards, naming each row whose "@" gives no address
// by the cell's text: who it is cannot be told, so its card may go to anyone unasked.
RecipientQuestion unreadableRowsQuestion(const QList<UnreadableRow>& rows);

// A row whose series and spreadsheet hold addresses, none of them shared: its card would take
// one person's values from the series and another's from the spreadsheet.
struct MixedRow
{
    int row = 0; // from 1
    QStringList seriesAddresses, spreadsheetAddresses;
};
// The rows of the series and those of the spreadsheet apart.
QList<MixedRow> mixedRows(const RowAddresses& series, const RowAddresses& spreadsheet);
// The question before a run that steps through both sources; empty when no row is mixed.
RecipientQuestion mixedRowsQuestion(const QList<MixedRow>& rows);
