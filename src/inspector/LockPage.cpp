#include "inspector/LockPage.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

LockPage::LockPage(QWidget* parent)
    : ObjectPage(parent)
    , unlockButton_(new QToolButton)
{
    auto* text = new QLabel(tr("This object is locked: it cannot be moved, resized or changed until it is unlocked."));
    text->setWordWrap(true);
    unlockButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(unlockButton_, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

void LockPage::setUnlockAction(QAction* unlock)
{
    unlockButton_->setDefaultAction(unlock);
}
