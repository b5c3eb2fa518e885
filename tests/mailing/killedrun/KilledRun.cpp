// A copy of the program that a test kills mid-run: the send window's mails of a card a row,
// each to its own recipient, marked in the record as there. Arguments: the record's file, the
// mail script, the server's port, then the recipients; the rows' values are "Guest 1", ...
#include "mailing/MailHandoff.h"
#include "mailing/MailRun.h"
#include "mailing/SentMails.h"
#include "mailing/StoreMarks.h"

#include <QGuiApplication>
#include <QImage>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
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
    StoreMarks marks(store, keys, store->marks(keys).value());
    JobProgress progress;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    runMailJob(
        job, [image](int, bool) { return image; }, scriptSender(job, progress), progress, [](const QString&) {},
        &marks);
}
