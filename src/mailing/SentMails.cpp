#include "mailing/SentMails.h"

#include "mailing/MailAddresses.h"
#include "mailing/SentMailRecord.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {
constexpr int mailsNamed = 5;

QString addressKey(const QString& recipient)
{
    const QString address = mailboxAddress(recipient);
    return (address.isEmpty() ? recipient : address).trimmed().toLower();
}

QString mailsText(int mails)
{
    return mails == 1 ? QStringLiteral("1 e-mail") : QStringLiteral("%1 e-mails").arg(mails);
}

QString mailName(const MailJob& job, int mail)
{
    const QString recipient = job.recipients.at(job.recipientOfMail(mail)).trimmed();
    const int row = job.rowOfMail(mail);
    return row < 0 ? recipient : QStringLiteral("row %1 to %2").arg(row + 1).arg(recipient);
}
} // namespace

QList<QByteArray> mailKeys(const MailJob& job, const QList<QStringList>& cardValues, const std::atomic<bool>* stop)
{
    const bool withCard = job.mode != MailJob::Mode::WithoutCard;
    QList<QByteArray> keys;
    keys.reserve(job.mails());
    for (int mail = 0; mail < job.mails() && !(stop && *stop); ++mail) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        const auto add = [&hash](const QString& text) {
            hash.addData(text.toUtf8());
            hash.addData(QByteArrayView("\0", 1));
        };
        add(addressKey(job.recipients.at(job.recipientOfMail(mail))));
        add(job.subject);
        add(job.body);
        add(withCard ? job.side : QString());
        add(withCard ? job.baseName : job.ownAttachment.trimmed());
        const QStringList values = withCard ? cardValues.value(std::max(job.rowOfMail(mail), 0)) : QStringList();
        add(QString::number(values.size()));
        for (const QString& value : values)
            add(value);
        keys << hash.result().left(16); // as many bits as a mail needs, and half the file
    }
    return keys;
}

QList<bool> mailsInRecord(const SentMailRecord& record, const QList<QByteArray>& keys)
{
    QList<bool> sent;
    bool any = false;
    for (const QByteArray& key : keys)
        any |= sent.emplace_back(record.contains(key));
    return any ? sent : QList<bool>();
}

SentBeforeQuestion sentBeforeQuestion(const MailJob& job, const QList<bool>& sentBefore, const QString& doubt)
{
    const int mails = job.mails();
    QList<int> sentMails, rows;
    for (int mail = 0; mail < sentBefore.size(); ++mail) {
        if (!sentBefore.at(mail))
            continue;
        sentMails << mail;
        if (const int row = job.rowOfMail(mail) + 1; row > 0 && (rows.isEmpty() || rows.last() != row))
            rows << row;
    }
    const int sent = int(sentMails.size());
    SentBeforeQuestion question;
    QStringList parts, details;
    if (!doubt.isEmpty()) {
        parts << QStringLiteral("Which of these %1 were sent already cannot be known: the record of the e-mails sent "
                                "with this design cannot be read.")
                     .arg(mailsText(mails));
        details << doubt;
    }
    if (sent > 0) {
        QString text = QStringLiteral("An earlier run, which did not send everything, sent %1 of these %2 already")
                           .arg(QString::number(sent), mailsText(mails));
        if (!rows.isEmpty())
            text += (rows.size() == 1 ? QStringLiteral(" (row %1)") : QStringLiteral(" (rows %1)")).arg(rowRuns(rows));
        QStringList named;
        for (int i = 0; i < std::min<int>(sent, mailsNamed); ++i)
            named << mailName(job, sentMails.at(i));
        text += QStringLiteral(": %1").arg(named.join(QStringLiteral("; ")));
        if (sent > mailsNamed)
            text += QStringLiteral(" and %1 more").arg(sent - mailsNamed);
        parts << text + u'.';
        if (sent > mailsNamed)
            for (const int mail : sentMails)
                details << mailName(job, mail);
    }
    if (!doubt.isEmpty() || sent == mails)
        parts << QStringLiteral("Send them all again? Each recipient who got one would get a second copy.");
    else
        parts << QStringLiteral("Send only the %1 not sent yet, or send all %2 again, so that the recipients of the "
                                "%3 sent get a second copy?")
                     .arg(mailsText(mails - sent))
                     .arg(mails)
                     .arg(sent);
    question.text = parts.join(QStringLiteral("\n\n"));
    question.details = details.join(u'\n');
    if (doubt.isEmpty() && sent < mails)
        question.answers << QStringLiteral("Send the %1 Not Sent").arg(mails - sent);
    question.answers << QStringLiteral("Send All %1 Again").arg(mails) << QStringLiteral("Cancel");
    return question;
}
