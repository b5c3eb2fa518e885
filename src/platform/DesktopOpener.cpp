#include "platform/DesktopOpener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The desktop starts its opener without waiting, so a file type that no installed program
// shows would count as opened; the desktop's own table of default programs tells first.
bool desktopHasProgramFor(const QString& filePath)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true; // nothing to ask: let the opener try
    const QString type = QMimeDatabase().mimeTypeForFile(filePath).name();
    QProcess process;
    process.start(query, { QStringLiteral("query"), QStringLiteral("default"), type });
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return true;
    return !process.readAllStandardOutput().trimmed().isEmpty();
}

bool openThroughDesktop(const QUrl& url)
{
    if (url.isLocalFile() && !desktopHasProgramFor(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

DesktopOpenerFunction& currentOpener()
{
    static DesktopOpenerFunction opener = openThroughDesktop;
    return opener;
}

} // namespace

bool openWithDesktop(const QUrl& url)
{
    return currentOpener()(url);
}

DesktopOpenerFunction setDesktopOpener(DesktopOpenerFunction opener)
{
    if (!opener)
        opener = openThroughDesktop;
    std::swap(currentOpener(), opener);
    return opener;
}
