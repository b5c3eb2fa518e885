#include "inspector/FontChoice.h"

#include "platform/DialogService.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace {

// The dialog finds a font's style in its list by a made-up name ("Normal", "Bold Italic"); a
// face whose plain style is called otherwise ("Book") would open at the list's first style,
// often an oblique one. Name the family's own style the font is drawn in, the plainest first.
QString drawnStyleName(const QFont& font, const QString& family)
{
    const QFontInfo drawn(font);
    QString best;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::weight(family, style) != drawn.weight()
            || QFontDatabase::italic(family, style) != drawn.italic())
            continue;
        if (best.isEmpty() || style.size() < best.size())
            best = style;
    }
    return best;
}

} // namespace

std::optional<QFont> chooseChangedFont(const QFont& current, const QString& title, QWidget* parent)
{
    QFont drawnIn = current;
    const QString family = QFontInfo(current).family();
    drawnIn.setFamilies({ family });
    if (drawnIn.styleName().isEmpty())
        drawnIn.setStyleName(drawnStyleName(current, family));
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
