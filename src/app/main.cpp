#include "mainwindow/SKTWindowController.h"
#include "render/ImageEffectsHook.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Galavite"));
    QApplication::setApplicationDisplayName(QStringLiteral("Galavite"));

    ImageEffectsHook::install();

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
    return QApplication::exec();
}
