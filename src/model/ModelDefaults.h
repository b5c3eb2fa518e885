#pragma once

#include <QColor>
#include <QFont>
#include <QString>

// The family of new text: text storages made on demand and a card side's content font.
extern const QString Text_Ctrl_Font; // "Times New Roman"

// The main window's card-wide text font and colour, which new card objects take as their
// text font and colour. The main window keeps them up to date; until it exists they hold
// its start-up values (Text_Ctrl_Font at 14 points, black).
extern QFont All_Text_font_Default;
extern QColor All_Text_clr_Default;

// A font of the given family at a size in points.
QFont Model_Font(const QString& family, double pointSize);
