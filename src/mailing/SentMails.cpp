#include "mailing/SentMails.h"

#include "mailing/MailAddresses.h"

#include <algorithm>

namespace {

QString addressKey(const QString& recipient)
{
    const QString address = mailboxAddress(recipient);
    return (address.isEmpty() ? recipient : address).toLower();
}

int countSent(const QList<bool>& sentBefore)
{
    return int(std::count(sentBefore.cbegin(), sentBefore.cend(), true));
}

QString mailsText(int mails)
{
    return mails == 1 ? QStringLiteral("1 e-mail") : QStringLiteral("%1 e-mails").arg(mails);
}

} // namespace

void SentMails::clear()
{
    content_.clear();
    rowsSentTo_.clear();
}

void SentMails::record(const QByteArray& content, const MailJob& job, const MailRunResult& result)
{
    if (result.allSent() || content != content_)
        clear();
    if (result.allSent())
        return;
    content_ = content;
    for (const int mail : result.sentMails)
        rowsSentTo_[addressKey(job.recipients.at(job.recipientOfMail(mail)))].insert(job.rowOfMail(mail));
}

QList<bool> SentMails::sentBefore(const QByteArray& content, const MailJob& job) const
{
    if (content != content_ || rowsSentTo_.isEmpty())
        return {};
    QList<bool> sent(job.mails(), false);
    bool any = false;
    for (int mail = 0; mail < job.mails(); ++mail) {
        const auto rows = rowsSentTo_.constFind(addressKey(job.recipients.at(job.recipientOfMail(mail))));
        if (rows != rowsSentTo_.cend() && rows->contains(job.rowOfMail(mail)))
            any = sent[mail] = true;
    }
    return any ? sent : QList<bool>();
}

QString sentBeforeQuestion(const MailJob& job, const QList<bool>& sentBefore)
{
    const int sent = countSent(sentBefore), mails = job.mails();
    QString text = QStringLiteral("The last run, which did not send everything, sent %1 of these %2 already")
                       .arg(QString::number(sent), mailsText(mails));
    if (job.rows() > 0) {
        QList<int> rows;
        for (int mail = 0; mail < mails; ++mail)
            if (sentBefore.at(mail) && (rows.isEmpty() || rows.last() != job.rowOfMail(mail) + 1))
                rows << job.rowOfMail(mail) + 1;
        text += (rows.size() == 1 ? QStringLiteral(" (row %1)") : QStringLiteral(" (rows %1)")).arg(rowRuns(rows));
    }
    text += u'.';
    if (sent == mails)
        return text + QStringLiteral("\n\nSend them all again? Each recipient would get a second copy.");
    return text
        + QStringLiteral("\n\nSend only the %1 not sent yet, or send all %2 again, so that the recipients of "
                         "the %3 sent get a second copy?")
              .arg(mailsText(mails - sent))
              .arg(mails)
              .arg(sent);
}

QStringList sentBeforeAnswers(const MailJob& job, const QList<bool>& sentBefore)
{
    const int sent = countSent(sentBefore), mails = job.mails();
    QStringList answers;
    if (sent < mails)
        answers << QStringLiteral("Send the %1 Not Sent").arg(mails - sent);
    return answers << QStringLiteral("Send All %1 Again").arg(mails) << QStringLiteral("Cancel");
}
