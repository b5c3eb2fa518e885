#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The dialog background of the help, review and promotion windows.
void useDialogBackground(QWidget& window);
// A flat button that looks like a web link: bold, blue, underlined, with a hand cursor.
QPushButton* linkButton(const QString& text, const QString& toolTip);
// Opens an address with the desktop; when nothing can, says so with the address to copy.
void Open_Link(const QString& address);
