#pragma once

#include <QList>
#include <QString>

// How a mail run ended, for the message the person reads.
struct MailRunResult
{
    // A mail whose recipient the server refused: the run went on without it.
    struct RefusedMail
    {
        int row = 0; // the data row (from 1) whose card it carried; 0 for a mail that takes no row
        QString recipient;
        QString reason; // as the server answered
    };

    int planned = 0; // mails the run set out to send, with one for each recipient without a row
    int sent = 0; // mails the server accepted
    bool stopped = false; // Stop ended the run before every mail was sent
    QString failure; // why the mail that ended the run was not sent
    QString unreadableAttachment; // the person's own file, when it could not be read (failure says why)
    QList<int> rowsNotAttached; // data rows (from 1) whose card could not be drawn or written
    QString attachFailure; // why the last of those could not
    QList<RefusedMail> refused;
    // A row-per-recipient run with more recipients than rows: those past the last row, who got
    // no card, and the run's rows.
    QStringList withoutRow;
    int batchRows = 0;
    // A batch run's rows (from 1, the index + 1): how many of each row's mailsPerRow mails went.
    QList<int> mailsSentOfRow;
    int mailsPerRow = 0;
    // The run's mails (by MailJob::mailIndex) that the server accepted, and the number of
    // those an earlier run had sent, which this one left out.
    QList<int> sentMails;
    int sentBefore = 0;
    // Of the mails sent, those the record held, which the person chose to send again.
    int sentAgain = 0;
    // Mails another copy of the program marked since the question: left out, not planned.
    int takenByAnother = 0;
    // Why the run stopped before a mail whose mark in the record of mails sent could not be
    // written; "" when none.
    QString recordFailure;
    // Why a mark made after a mail was handed over could not be written; "" when each was.
    QString recordUnsaved;

    bool allSent() const { return planned > 0 && sent == planned; }
};

// Ascending rows as runs: "1–16, 18, 20–30", the first few runs named and the rest counted.
QString rowRuns(const QList<int>& rows);

// The end-of-run message: success only when every mail went; otherwise the reason and how
// many of the mails were sent, with those that went a second time as chosen. A run that a failure ended names the rows
// sent and not sent; mails whose recipients were refused, and recipients without a row, are counted and the first few
// named.
QString mailRunMessage(const MailRunResult& result);
// The whole list behind that message: a line per mail whose recipient was refused, with its
// row and the server's answer, and per recipient without a row; "" when there is none.
QString mailRunDetails(const MailRunResult& result);
