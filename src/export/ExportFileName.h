#pragma once

#include <QString>

// The name a card is exported under and the format written into it, made to agree: a name
// that ends in a known image extension takes that format; any other name keeps the format
// chosen and gets its extension added.
struct ExportFileName
{
    QString path;
    QString format; // as CardExportSettings::extension gives it
    QString note; // what was changed, for the person; "" when the name and the choice agreed
};

ExportFileName matchNameAndFormat(const QString& typedPath, const QString& chosenFormat);
