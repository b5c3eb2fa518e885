#include "CupsQueue.h"
#include "support/Patience.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>

namespace CupsQueue {

QString pdfQueue()
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), { QStringLiteral("-v") });
    if (!patience::finished(lpstat) || lpstat.exitCode() != 0)
        return {};
    static const QRegularExpression device(QStringLiteral("device for (\\S+): cups-pdf:/"));
    for (const QRegularExpressionMatch& match : device.globalMatch(QString::fromUtf8(lpstat.readAllStandardOutput()))) {
        if (!match.captured(1).startsWith(QLatin1String(ownQueuePrefix)))
            return match.captured(1);
    }
    return {};
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

std::vector<Job> jobs(const QString& queue)
{
    cups_job_t* listed = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &listed, queue.toUtf8().constData(), 1, CUPS_WHICHJOBS_ALL);
    std::vector<Job> found;
    for (int i = 0; i < count; ++i)
        found.push_back({ listed[i].id, QString::fromUtf8(listed[i].title ? listed[i].title : ""),
            listed[i].state < IPP_JSTATE_CANCELED, listed[i].state == IPP_JSTATE_COMPLETED });
    cupsFreeJobs(count, listed);
    std::sort(found.begin(), found.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
    return found;
}

} // namespace CupsQueue
