#include "common/Logging.h"

#include <QDateTime>

#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

// Debug lines are off by default: only QT_LOGGING_RULES (or a rules file) turns them on. A rule
// names a category and then a level, so "galavite.debug=true" is this category's debug level.
Q_LOGGING_CATEGORY(galaviteDebug, "galavite", QtWarningMsg)

void Show_Debug_Message(const QString& message)
{
    if (galaviteDebug().isDebugEnabled())
        Show_NSLog_Message(message);
}

void Show_NSLog_Message(const QString& message)
{
    if (message.isEmpty())
        return;
    static std::mutex lineLock; // lines from several threads must not interleave
    const QByteArray text = message.toUtf8();
    const auto threadId = std::hash<std::thread::id>{}(std::this_thread::get_id()) & 0xffffff;
    std::lock_guard<std::mutex> guard(lineLock);
    // Local time reads the C library's time-zone state, whose own lock the thread sanitizer
    // cannot see: workers logging at once take their stamps one at a time under ours.
    const QByteArray stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toUtf8();
    std::fprintf(stderr, "%s galavite[%d:%06zx] %s\n", stamp.constData(), int(getpid()), threadId, text.constData());
    std::fflush(stderr);
}
