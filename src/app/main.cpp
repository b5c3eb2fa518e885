#include "mainwindow/SKTWindowController.h"
#include "services/ProgramServices.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every window title, which already starts with it.
    QApplication::setApplicationName(QStringLiteral("Galavite"));
    QGuiApplication::setDesktopFileName(QStringLiteral("galavite"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("galavite")));

    installProgramServices();

    SKTWindowController window;
    // Design files named by a file manager or a shell (Qt has taken out its own options).
    switch (window.awakeFromNib(QApplication::arguments().mid(1))) {
    case SKTWindowController::StartResult::ResourcesUnavailable:
        return 1;
    case SKTWindowController::StartResult::WizardLeft:
        return 0;
    case SKTWindowController::StartResult::Ready:
        break;
    }
    window.show();
    // The start-up dialogs had the keyboard; without this the shortcuts reach no window.
    window.activateWindow();
    return QApplication::exec();
}
