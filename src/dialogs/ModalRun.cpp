#include "dialogs/ModalRun.h"

#include "common/Logging.h"
#include "platform/DialogService.h"

#include <QDialog>

#include <exception>

int runModalOnce(QDialog& dialog)
{
    try {
        dialog.setResult(0);
        const int code = dialogs().runModal(dialog);
        dialog.hide();
        return code;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}
