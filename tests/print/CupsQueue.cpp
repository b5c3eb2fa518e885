#include "CupsQueue.h"
#include "support/Patience.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace CupsQueue {

QString pdfQueue()
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), { QStringLiteral("-v") });
    if (!patience::finished(lpstat) || lpstat.exitCode() != 0)
        return {};
    static const QRegularExpression device(QStringLiteral("device for (\\S+): cups-pdf:/"));
    const QRegularExpressionMatch match = device.match(QString::fromUtf8(lpstat.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1) : QString();
}

QString outputFolder()
{
    QString folder = QDir::home().filePath(QStringLiteral("PDF"));
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        static const QRegularExpression out(QStringLiteral("^Out\\s+(\\S+)"), QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = out.match(QString::fromUtf8(conf.readAll()));
        if (match.hasMatch())
            folder = match.captured(1).replace(QStringLiteral("${HOME}"), QDir::homePath());
    }
    return folder;
}

QString waitForJob(const QString& title)
{
    const QDeadlineTimer deadline(patience::generousMs);
    while (!deadline.hasExpired()) {
        const QStringList found = QDir(outputFolder()).entryList({ title + QStringLiteral("*.pdf") }, QDir::Files);
        if (!found.isEmpty()) {
            QThread::msleep(500); // the backend may still be writing
            return QDir(outputFolder()).filePath(found.first());
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace CupsQueue
