#include "dialogs/LinkButton.h"

#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "platform/DesktopOpener.h"

#include <QColor>
#include <QPalette>
#include <QPushButton>
#include <QUrl>

void useDialogBackground(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor::fromRgbF(0.9450980392156862, 0.9568627450980393, 0.9803921568627451));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

QPushButton* linkButton(const QString& text, const QString& toolTip)
{
    auto* button = new QPushButton(text);
    button->setFlat(true);
    // Enter stays with the window's default button even while a link has the focus.
    button->setAutoDefault(false);
    button->setCursor(Qt::OpenHandCursor);
    button->setToolTip(toolTip);
    QFont font = button->font();
    font.setBold(true);
    font.setUnderline(true);
    font.setPointSize(11);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(Qt::blue));
    button->setPalette(palette);
    button->setStyleSheet(QStringLiteral("QPushButton { color: blue; text-align: left; border: none; }"));
    return button;
}

void Open_Link(const QString& address)
{
    const QUrl url(address);
    if (openWithDesktop(url))
        return;
    Show_NSLog_Message(QStringLiteral("Cannot open ") + address);
    // The person can still reach the page or write the mail: the address is given to copy.
    const bool mail = url.scheme() == QLatin1String("mailto");
    Show_MessageBox(mail ? QObject::tr("No mail program could be opened. Write to this address:\n\n%1").arg(url.path())
                         : QObject::tr("No web browser could be opened. Open this address in one:\n\n%1").arg(address));
}
