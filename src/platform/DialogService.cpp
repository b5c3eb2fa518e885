#include "platform/DialogService.h"

#include "platform/QtDialogService.h"

#include <QPointer>
#include <QWidget>

namespace {

std::unique_ptr<DialogService>& currentService()
{
    static std::unique_ptr<DialogService> service = std::make_unique<QtDialogService>();
    return service;
}

QPointer<QWidget>& parentWindow()
{
    static QPointer<QWidget> parent;
    return parent;
}

} // namespace

DialogService& dialogs()
{
    return *currentService();
}

std::unique_ptr<DialogService> setDialogService(std::unique_ptr<DialogService> service)
{
    if (!service)
        service = std::make_unique<QtDialogService>();
    std::swap(currentService(), service);
    return service;
}

void setDialogParent(QWidget* parent)
{
    parentWindow() = parent;
}

QWidget* dialogParent()
{
    return parentWindow().data();
}
