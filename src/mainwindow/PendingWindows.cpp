#include "mainwindow/PendingWindows.h"

#include "platform/DialogService.h"

namespace {

void notAvailable(const QString& window)
{
    dialogs().showMessage(QStringLiteral("The %1 is not available yet.").arg(window));
}

} // namespace

namespace PendingWindows {

void Export_As_Template_Clicked()
{
    notAvailable(QStringLiteral("template window"));
}

void Help_Button()
{
    notAvailable(QStringLiteral("help window"));
}

void About_Button()
{
    notAvailable(QStringLiteral("about window"));
}

int Open_User_Profile_Window(int, const QString&)
{
    notAvailable(QStringLiteral("profile window"));
    return 0;
}

} // namespace PendingWindows
