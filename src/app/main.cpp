#include "canvas/ImageEffectsHook.h"
#include "mainwindow/SKTWindowController.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Galavite"));
    QApplication::setApplicationDisplayName(QStringLiteral("Galavite"));

    ImageEffectsHook::install();

    SKTWindowController window;
    if (!window.awakeFromNib())
        return 1;
    window.show();
    return QApplication::exec();
}
