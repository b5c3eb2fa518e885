#pragma once

#include <QFont>
#include <QString>

#include <optional>

class QWidget;

// Runs the font dialog on a text's font and gives the font chosen only when the user changed
// something. The dialog lists installed families only, so it opens at the face the text is
// drawn in (a family this computer lacks shows as the face standing in for it), and OK on
// the font as it opened keeps the stored font, family name and all.
std::optional<QFont> chooseChangedFont(const QFont& current, const QString& title, QWidget* parent);
