#include "inspector/FontChoice.h"

#include "platform/DialogService.h"

#include <QFontDialog>
#include <QFontInfo>

std::optional<QFont> chooseChangedFont(const QFont& current, const QString& title, QWidget* parent)
{
    QFont drawnIn = current;
    drawnIn.setFamilies({ QFontInfo(current).family() });
    QFontDialog dialog(drawnIn, parent);
    dialog.setWindowTitle(title);
    // As the dialog resolved it: sizes and styles it cannot show are already its own here.
    const QFont opened = dialog.currentFont();
    if (dialogs().runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.currentFont();
    if (chosen == opened)
        return std::nullopt;
    return chosen;
}
