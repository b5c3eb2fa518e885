#pragma once

#include "inspector/ObjectPage.h"

class QAction;
class QToolButton;

// The only page of a locked object: says so and offers Unlock.
class LockPage : public ObjectPage
{
    Q_OBJECT

public:
    explicit LockPage(QWidget* parent = nullptr);
    void setUnlockAction(QAction* unlock);

private:
    QToolButton* unlockButton_ = nullptr;
};
