// A copy of the program that a test ends with SIGKILL in the middle of a mail run: it mails a
// card a row, each row to its own recipient, marking each mail in the record of mails sent as
// the send window does. Arguments: the record's file, the mail script, the server's port, then
// the recipients; the rows' values are "Guest 1", "Guest 2", ... The job is the one the test's
// window makes of the same rows and recipients.
#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"
#include "mailing/SentMails.h"
#include "mailing/StoreMarks.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 5)
        return 2;
    setMailScriptPath(arguments.at(2));
    MailJob job;
    job.mode = MailJob::Mode::RowPerRecipient;
    job.recipients = arguments.mid(4);
    job.batchRows = int(job.recipients.size());
    job.subject = QStringLiteral("Invitation");
    job.sender = QStringLiteral("me@example.com");
    job.password = QStringLiteral("pw");
    job.server = QStringLiteral("127.0.0.1");
    job.port = arguments.at(3);
    job.securityFlag = QStringLiteral("Y"); // TLS from the first byte
    QList<QStringList> cards;
    for (int row = 1; row <= job.batchRows; ++row)
        cards << QStringList { QStringLiteral("Guest %1").arg(row) };
    auto store = std::make_shared<SentMailStore>(arguments.at(1));
    const QList<QByteArray> keys = mailKeys(job, cards);
    const std::optional<SentMailStore::Marks> seen = store->marks(keys);
    if (!seen) {
        std::fprintf(stderr, "%s\n", qPrintable(store->problem()));
        return 1;
    }
    StoreMarks marks(store, keys, *seen);
    JobProgress progress;
    const CardRenderer card = [](int, bool) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::green);
        return image;
    };
    const MailRunResult result = runMailJob(
        job, card, scriptSender(job, progress), progress, [](const QString&) {}, &marks);
    std::printf("%s\n", qPrintable(mailRunMessage(result)));
    return 0;
}
