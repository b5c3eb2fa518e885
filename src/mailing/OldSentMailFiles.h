#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a record file of the earlier kind holds (a file a design, in the user's data folder
// under "Sent mails"): a header line, a JSON object naming the design and any doubt, then a
// line a mail, its key in Base64. Read once into the record of mails sent.
struct OldSentMailFile
{
    QList<QByteArray> keys;
    QString doubt; // the doubt the file itself carried, "" for none
    QString why; // why the file cannot be read; "" when it was read whole
};

// Reads such a file's bytes; a file that is not whole says why and is never taken for one
// that holds nothing.
OldSentMailFile readOldSentMailFile(const QByteArray& bytes);
