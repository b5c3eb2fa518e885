#pragma once

#include <QFont>
#include <QString>

// Font names as archives carry them. Archives written elsewhere name a font by its
// PostScript name ("TimesNewRomanPS-BoldMT"); we write the family name for a regular face
// and a PostScript-style "Family-Style" name otherwise, and read both.
namespace FontNames {
QString archivedName(const QFont& font);
// The installed family the name stands for (through the font database, falling back to
// the system's substitution: "Times New Roman" is drawn with its metric stand-in), with
// bold and italic taken from the style part of the name.
QFont fontFromArchivedName(const QString& name, double pointSize);
} // namespace FontNames
