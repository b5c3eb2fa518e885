#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A recipient of a row-per-recipient run (recipient k gets the card of row k) whose address
// is another row's.
struct MisdirectedCard
{
    QString recipient;
    int cardRow = 0; // from 1: the row whose card the recipient would get
    int addressRow = 0; // from 1: the first row that holds the recipient's address
};

// Whether a source's values are e-mail addresses: at least one, and most of those given.
bool holdsAddresses(const QStringList& values);

// The recipients whose address a column of addresses holds on another row than the one whose
// card they would get, and on none of their own; columns are the rows' sources (a workbook
// column, a series), each a value per row. Recipients and values are compared by their
// address (mailboxAddress), without case.
QList<MisdirectedCard> misdirectedCards(const QStringList& recipients, const QList<QStringList>& columns);

// The question before such a run, naming the first few recipients and counting the rest.
QString misdirectedCardsQuestion(const QList<MisdirectedCard>& cards);

// The question before a row-per-recipient run with more recipients than rows: the recipients
// past the last row would get no card; the first few are named and the rest counted.
QString recipientsWithoutRowQuestion(const QStringList& recipients, int rows);
