#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Independent readers of the PDFs a print job writes (poppler's command-line tools).
namespace PdfTools {

bool available();
int pageCount(const QString& pdf);
// Page (1-based) rasterised at dpi.
QImage page(const QString& pdf, int page, int dpi);
// Every page, rasterised at dpi.
QList<QImage> pages(const QString& pdf, int dpi);
QString text(const QString& pdf, int page);
// The object numbers of the images that the pages draw (pdfimages -list), one per use: an
// image embedded once and drawn twice is listed twice with one number. Masks are left out.
QList<int> imageObjects(const QString& pdf);
// How many clip paths (the operators "W n" and "W* n") the first page's content sets; -1
// when the page's content cannot be found or inflated.
int clipPathsOnFirstPage(const QString& pdf);

} // namespace PdfTools
