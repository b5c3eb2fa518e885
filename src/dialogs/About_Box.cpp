#include "dialogs/About_Box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

About_Box::About_Box(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Galavite"));
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    auto* text = new QLabel(QStringLiteral("<h2>Galavite</h2><p>Version %1</p>"
                                           "<p>Designs, personalises and prints invitation cards, name badges "
                                           "and plastic-size cards.</p>"
                                           "<p>Licence: GNU General Public License, version 3 or later.<br>"
                                           "This program comes with no warranty.</p>")
                                .arg(versionText()));
    text->setWordWrap(true);
    text->setMinimumWidth(340);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

QString About_Box::versionText()
{
    return QStringLiteral(GALAVITE_VERSION);
}
