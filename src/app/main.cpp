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
    switch (window.awakeFromNib()) {
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
