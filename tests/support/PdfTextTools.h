#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What poppler's pdftotext and pdffonts, independent readers, find in a PDF file.
namespace PdfTextTools {

// The standard output of a program that ran and succeeded; nothing otherwise.
QString toolOutput(const QString& program, const QStringList& arguments);

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
