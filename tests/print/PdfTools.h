#pragma once

#include <QImage>
#include <QString>

// Independent readers of the PDFs a print job writes (poppler's command-line tools).
namespace PdfTools {

bool available();
int pageCount(const QString& pdf);
// Page (1-based) rasterised at dpi.
QImage page(const QString& pdf, int page, int dpi);
QString text(const QString& pdf, int page);

} // namespace PdfTools
