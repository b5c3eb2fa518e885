#include "mailing/SentMails.h"

#include "mailing/MailAddresses.h"
#include "mailing/MailRunResult.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QLocale>

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

QString sentWhen(qint64 time, qint64 now)
{
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(time);
    const QDate today = QDateTime::fromMSecsSinceEpoch(now).date();
    const QLocale c = QLocale::c();
    if (at.date() == today)
        return QStringLiteral("today at %1").arg(c.toString(at.time(), QStringLiteral("HH:mm")));
    return QStringLiteral("on %1").arg(c.toString(
        at.date(), at.date().year() == today.year() ? QStringLiteral("d MMMM") : QStringLiteral("d MMMM yyyy")));
}

QString recordUnusableQuestion(const QString& why)
{
    return QStringLiteral("The record of e-mails sent cannot be written: %1. Without it, Galavite cannot tell later "
                          "which mails went. Send without a record?")
        .arg(why);
}

SentBeforeQuestion sentBeforeQuestion(
    const MailJob& job, const SentMailStore::Marks& marks, const QString& doubt, const QString& owner, qint64 now)
{
    const int mails = job.mails();
    // What the record says of a mail, in the order the question tells them.
    enum Kind
    {
        Sent,
        Stopped, // going, marked by this copy, whose run has ended: cut short by Stop or a deadline
        Ended, // going, marked by a copy that has ended
        Elsewhere, // going, marked by another copy still running
        Kinds
    };
    QList<int> ofKind[Kinds];
    QList<int> rows;
    qint64 first = 0, last = 0;
    SentBeforeQuestion question;
    question.inRecord.fill(false, mails);
    for (int mail = 0; mail < std::min<int>(mails, marks.size()); ++mail) {
        const std::optional<SentMailStore::Mark>& mark = marks.at(mail);
        if (!mark)
            continue;
        question.inRecord[mail] = true;
        Kind kind = Sent;
        if (mark->state == SentMailStore::State::Going)
            kind = mark->owner == owner ? Stopped : ownerMayBeRunning(mark->owner) ? Elsewhere : Ended;
        ofKind[kind] << mail;
        if (kind == Sent) {
            first = first == 0 ? mark->time : std::min(first, mark->time);
            last = std::max(last, mark->time);
            if (const int row = job.rowOfMail(mail) + 1; row > 0 && (rows.isEmpty() || rows.last() != row))
                rows << row;
        }
    }
    const int known = int(question.inRecord.count(true));
    const auto named = [&](const QList<int>& list) {
        QStringList names;
        for (int i = 0; i < std::min<int>(list.size(), mailsNamed); ++i)
            names << mailName(job, list.at(i));
        QString text = names.join(QStringLiteral("; "));
        if (list.size() > mailsNamed)
            text += QStringLiteral(" and %1 more").arg(list.size() - mailsNamed);
        return text;
    };
    QStringList parts, details;
    if (!doubt.isEmpty()) {
        parts << QStringLiteral("Some of these %1 may have been sent already without being known: the record of the "
                                "e-mails sent is not whole.")
                     .arg(mailsText(mails));
        details << doubt;
    }
    if (const QList<int>& sent = ofKind[Sent]; !sent.isEmpty()) {
        const QString firstWhen = sentWhen(first, now), lastWhen = sentWhen(last, now);
        const QString when = firstWhen == lastWhen ? QStringLiteral("sent %1").arg(lastWhen)
            : firstWhen.startsWith(QLatin1String("today")) // and so is the last
            ? QStringLiteral("sent today between %1 and %2").arg(firstWhen.right(5), lastWhen.right(5))
            : QStringLiteral("sent, the first %1, the last %2").arg(firstWhen, lastWhen);
        QString text = QStringLiteral("%1 of these %2 %3 already %4")
                           .arg(QString::number(sent.size()), mailsText(mails),
                               sent.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"), when);
        if (!rows.isEmpty())
            text += (rows.size() == 1 ? QStringLiteral(" (row %1)") : QStringLiteral(" (rows %1)")).arg(rowRuns(rows));
        parts << text + QStringLiteral(": ") + named(sent) + u'.';
        for (const int mail : sent)
            details << QStringLiteral("%1, sent %2").arg(mailName(job, mail), sentWhen(marks.at(mail)->time, now));
    }
    const auto tell = [&](Kind kind, const QString& one, const QString& many, const QString& detail) {
        const QList<int>& list = ofKind[kind];
        if (list.isEmpty())
            return;
        parts << (list.size() == 1 ? one : many.arg(list.size())) + QStringLiteral(": ") + named(list) + u'.';
        for (const int mail : list)
            details << QStringLiteral("%1, %2").arg(mailName(job, mail), detail);
    };
    tell(Ended, QStringLiteral("1 e-mail may have gone out when Galavite last ended"),
        QStringLiteral("%1 e-mails may have gone out when Galavite last ended"),
        QStringLiteral("may have gone out when Galavite last ended"));
    tell(Stopped, QStringLiteral("1 e-mail may have gone out when sending was cut short"),
        QStringLiteral("%1 e-mails may have gone out when sending was cut short"),
        QStringLiteral("may have gone out when sending was cut short"));
    tell(Elsewhere, QStringLiteral("1 e-mail is being sent by another Galavite"),
        QStringLiteral("%1 e-mails are being sent by another Galavite"),
        QStringLiteral("being sent by another Galavite"));
    if (known == mails || known == 0)
        parts << QStringLiteral("Send them all again? Each recipient who got one would get a second copy.");
    else
        parts << QStringLiteral("Send only the %1 not sent yet, or send all %2 again, so that the recipients of the "
                                "%3 sent get a second copy?")
                     .arg(mailsText(mails - known))
                     .arg(mails)
                     .arg(known);
    question.text = parts.join(QStringLiteral("\n\n"));
    // The details list every mail once more than the text names.
    const bool allNamed = std::all_of(
        std::begin(ofKind), std::end(ofKind), [](const QList<int>& list) { return list.size() <= mailsNamed; });
    if (allNamed)
        details = details.mid(0, doubt.isEmpty() ? 0 : 1);
    question.details = details.join(u'\n');
    if (known > 0 && known < mails)
        question.answers << QStringLiteral("Send the %1 Not Sent").arg(mails - known);
    question.answers << QStringLiteral("Send All %1 Again").arg(mails) << QStringLiteral("Cancel");
    return question;
}
