#include "widgets/DialogParent.h"

#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget>& parentWindow()
{
    static QPointer<QWidget> parent;
    return parent;
}

} // namespace

void setDialogParent(QWidget* parent)
{
    parentWindow() = parent;
}

QWidget* dialogParent()
{
    return parentWindow().data();
}
