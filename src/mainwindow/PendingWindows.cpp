#include "mainwindow/PendingWindows.h"

#include "platform/DialogService.h"

namespace {

void notAvailable(const QString& window)
{
    dialogs().showMessage(QStringLiteral("The %1 is not available yet.").arg(window));
}

} // namespace

namespace PendingWindows {

void Export_Button()
{
    notAvailable(QStringLiteral("export window"));
}

} // namespace PendingWindows
