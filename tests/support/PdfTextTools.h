#pragma once

#include <QList>
#include <QString>

// What poppler's pdftotext and pdffonts, independent readers, find in a PDF file.
namespace PdfTextTools {

bool available();
// The text in reading order, laid out as on the page.
QString text(const QString& pdf);

struct Font
{
    QString name;
    bool embedded = false;
    bool mapsToUnicode = false;
};
QList<Font> fonts(const QString& pdf);

} // namespace PdfTextTools
