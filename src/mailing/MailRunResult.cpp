#include "mailing/MailRunResult.h"

#include <QStringList>

#include <algorithm>

namespace {
// Rows named in the end message; the rest are counted.
constexpr int rowsNamed = 10;
// Refused mails named in the end message; the details list them all.
constexpr int refusedNamed = 3;

const QString runFailureText = QStringLiteral(
    "Could not send email message.\nPlease make sure that:\n1. Entered E-mail settings are correct.\n2. Internet "
    "connectivity to E-mail server is not interrupted and E-mail server is not down.\n3. Your Firewall or Security "
    "software (if any) is not blocking the software to communicate with your E-mail server.");

QString rowList(const QList<int>& rows)
{
    QStringList named;
    for (int i = 0; i < std::min<int>(rows.size(), rowsNamed); ++i)
        named << QString::number(rows.at(i));
    QString text = named.join(QStringLiteral(", "));
    if (rows.size() > rowsNamed)
        text += QStringLiteral(" and %1 more").arg(rows.size() - rowsNamed);
    return text;
}

} // namespace

QString rowRuns(const QList<int>& rows)
{
    QStringList runs;
    int rowsLeft = int(rows.size());
    for (int i = 0; i < rows.size() && runs.size() < rowsNamed;) {
        int end = i;
        while (end + 1 < rows.size() && rows.at(end + 1) == rows.at(end) + 1)
            ++end;
        runs << (end == i ? QString::number(rows.at(i)) : QStringLiteral("%1–%2").arg(rows.at(i)).arg(rows.at(end)));
        rowsLeft -= end - i + 1;
        i = end + 1;
    }
    QString text = runs.join(QStringLiteral(", "));
    if (rowsLeft > 0)
        text += QStringLiteral(" and %1 more").arg(rowsLeft);
    return text;
}

namespace {

// After a failure or a Stop that ended a batch run: which rows went and which did not, so that
// sending again goes to the rows left and not to those already sent.
QString rowsSentText(const MailRunResult& result)
{
    QList<int> sent, partly, notSent;
    for (int i = 0; i < result.mailsSentOfRow.size(); ++i) {
        const int mails = result.mailsSentOfRow.at(i);
        (mails >= result.mailsPerRow ? sent : mails > 0 ? partly : notSent) << i + 1;
    }
    QStringList lines;
    if (!sent.isEmpty())
        lines << QStringLiteral("Rows sent: %1.").arg(rowRuns(sent));
    if (!partly.isEmpty())
        lines << QStringLiteral("Rows sent to some of their recipients: %1.").arg(rowRuns(partly));
    if (!notSent.isEmpty())
        lines << QStringLiteral("Rows not sent: %1.").arg(rowRuns(notSent));
    return lines.join(u'\n');
}

QString thereAreOnly(int rows)
{
    return rows == 1 ? QStringLiteral("there is only 1 row") : QStringLiteral("there are only %1 rows").arg(rows);
}

QString withoutRowText(const MailRunResult& result)
{
    QString text = result.withoutRow.mid(0, refusedNamed).join(QStringLiteral("; "));
    if (result.withoutRow.size() > refusedNamed)
        text += QStringLiteral(" and %1 more").arg(result.withoutRow.size() - refusedNamed);
    return result.withoutRow.size() == 1
        ? QStringLiteral("1 recipient got no card, as %1 (%2).").arg(thereAreOnly(result.batchRows), text)
        : QStringLiteral("%1 recipients got no card, as %2 (%3).")
              .arg(result.withoutRow.size())
              .arg(thereAreOnly(result.batchRows), text);
}

QString refusedMailName(const MailRunResult::RefusedMail& mail)
{
    return mail.row > 0 ? QStringLiteral("row %1: %2").arg(mail.row).arg(mail.recipient) : mail.recipient;
}

QString refusedText(const QList<MailRunResult::RefusedMail>& refused)
{
    QStringList named;
    for (int i = 0; i < std::min<int>(refused.size(), refusedNamed); ++i)
        named << refusedMailName(refused.at(i));
    QString text = named.join(QStringLiteral("; "));
    if (refused.size() > refusedNamed)
        text += QStringLiteral(" and %1 more").arg(refused.size() - refusedNamed);
    return refused.size() == 1
        ? QStringLiteral("1 e-mail was not sent: the server refused its recipient (%1).").arg(text)
        : QStringLiteral("%1 e-mails were not sent: the server refused their recipients (%2).")
              .arg(refused.size())
              .arg(text);
}
} // namespace

QString mailRunMessage(const MailRunResult& result)
{
    QStringList after;
    if (result.sentBefore > 0)
        after << QStringLiteral("%1 sent by an earlier run %2 not sent again.")
                     .arg(result.sentBefore == 1 ? QStringLiteral("1 e-mail")
                                                 : QStringLiteral("%1 e-mails").arg(result.sentBefore),
                         result.sentBefore == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    if (result.takenByAnother > 0)
        after << (result.takenByAnother == 1
                ? QStringLiteral("1 e-mail was left out: another Galavite sent it or is sending it.")
                : QStringLiteral("%1 e-mails were left out: another Galavite sent them or is sending them.")
                      .arg(result.takenByAnother));
    if (result.sentAgain > 0)
        after << (result.sentAgain == 1
                ? QStringLiteral("1 of them went a second time, as you chose.")
                : QStringLiteral("%1 of them went a second time, as you chose.").arg(result.sentAgain));
    if (!result.recordUnsaved.isEmpty())
        after << QStringLiteral("The record of e-mails sent could not be saved: %1").arg(result.recordUnsaved);
    const QString tail = after.isEmpty() ? QString() : QStringLiteral("\n\n") + after.join(QStringLiteral("\n\n"));
    if (result.allSent())
        return QStringLiteral("E-mail has been sent successfully.") + tail;
    QStringList parts;
    if (result.stopped)
        parts << QStringLiteral("Sending was stopped.");
    else if (!result.recordFailure.isEmpty())
        parts << QStringLiteral("Sending was stopped before the next e-mail, as the record of e-mails sent cannot be "
                                "written: %1. Without it, Galavite could not tell later which mails went.")
                     .arg(result.recordFailure);
    else if (!result.unreadableAttachment.isEmpty())
        parts << QStringLiteral("The attachment cannot be read, so the e-mail was not sent.\n\n%1: %2")
                     .arg(result.unreadableAttachment, result.failure);
    else if (!result.failure.isEmpty())
        parts << runFailureText + QStringLiteral("\n\nReason: ") + result.failure;
    else if (result.rowsNotAttached.isEmpty() && result.refused.isEmpty() && result.withoutRow.isEmpty())
        parts << runFailureText;
    if ((result.stopped && result.mailsSentOfRow.size() > 1)
        || (!result.stopped && (!result.failure.isEmpty() || !result.recordFailure.isEmpty())
            && !result.mailsSentOfRow.isEmpty()))
        parts << rowsSentText(result);
    if (!result.rowsNotAttached.isEmpty())
        parts << QStringLiteral("The cards of rows %1 could not be attached, so their e-mails were not sent (%2).")
                     .arg(rowList(result.rowsNotAttached), result.attachFailure);
    if (!result.refused.isEmpty())
        parts << refusedText(result.refused);
    if (!result.withoutRow.isEmpty())
        parts << withoutRowText(result);
    parts << QStringLiteral("E-mails sent: %1 of %2.").arg(result.sent).arg(result.planned);
    return parts.join(QStringLiteral("\n\n")) + tail;
}

QString mailRunDetails(const MailRunResult& result)
{
    QStringList lines;
    for (const MailRunResult::RefusedMail& mail : result.refused) {
        // The script's reason names the recipient; another reason gets it in front.
        const QString reason = mail.reason.contains(mail.recipient, Qt::CaseInsensitive)
            ? mail.reason
            : QStringLiteral("%1: %2").arg(mail.recipient, mail.reason);
        lines << (mail.row > 0 ? QStringLiteral("Row %1: %2").arg(mail.row).arg(reason) : reason);
    }
    const int recipients = result.batchRows + int(result.withoutRow.size());
    for (int i = 0; i < result.withoutRow.size(); ++i)
        lines << QStringLiteral("%1 (recipient %2 of %3): no card sent, as %4.")
                     .arg(result.withoutRow.at(i))
                     .arg(result.batchRows + i + 1)
                     .arg(recipients)
                     .arg(thereAreOnly(result.batchRows));
    return lines.join(u'\n');
}
