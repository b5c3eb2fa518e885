#include "mailing/PauseText.h"

QString pauseText(int milliseconds)
{
    const int seconds = milliseconds / 1000;
    const int h = seconds / 3600;
    const int m = (seconds % 3600) / 60;
    const int s = seconds % 60;
    const QString hours = (h < 2 ? QStringLiteral("%1 Hour ") : QStringLiteral("%1 Hours ")).arg(h);
    const QString minutes = (m < 2 ? QStringLiteral("%1 Minute ") : QStringLiteral("%1 Minutes ")).arg(m);
    const QString secs = (s < 2 ? QStringLiteral("%1 Second.") : QStringLiteral("%1 Seconds.")).arg(s);
    QString text = QStringLiteral("Pausing the process for ");
    if (h >= 1)
        return text + hours + minutes + secs;
    if (m >= 1)
        return text + minutes + secs;
    return text + secs;
}
