#include "barcodes/BarcodeSymbols2D.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/QREncoder.h"
#include "barcodes/pdf417View.h"
#include "common/StringHelpers.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The dark modules of a grid as rectangles in module units: runs along each row, and a run
// that repeats unchanged on the next row grows downwards.
template <typename IsDark> std::vector<QRect> darkRectangles(int columns, int rows, IsDark isDark)
{
    std::vector<QRect> closed;
    std::map<std::pair<int, int>, QRect> open; // by first and past-the-end column
    for (int y = 0; y < rows; ++y) {
        std::map<std::pair<int, int>, QRect> next;
        for (int x = 0; x < columns;) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < columns && isDark(x, y))
                ++x;
            const auto key = std::make_pair(start, x);
            const auto above = open.find(key);
            if (above == open.end()) {
                next.emplace(key, QRect(start, y, x - start, 1));
                continue;
            }
            QRect grown = above->second;
            grown.setBottom(y);
            next.emplace(key, grown);
            open.erase(above);
        }
        for (const auto& [key, rect] : open)
            closed.push_back(rect);
        open.swap(next);
    }
    for (const auto& [key, rect] : open)
        closed.push_back(rect);
    return closed;
}

// A symbol of the given size in points: a light area, and on it the dark rectangles (in
// modules, module (0, 0) at origin). Each rectangle is a fill of its own: PDF renderers
// snap a lone rectangle to whole device pixels, so modules print crisp and page scanners
// read them, where one fill of them all leaves grey edges that they misread. Vectors stay
// sharp at any resolution, and an image would reach every PDF as pixels, once per card.
Picture symbolPicture(
    const QSizeF& size, const QRectF& light, const std::vector<QRect>& dark, QPointF origin, QSizeF module)
{
    return Picture::record(size, [&](QPainter& painter) {
        painter.fillRect(light, Qt::white);
        for (const QRect& rect : dark) {
            QPainterPath path;
            path.addRect(QRectF(origin.x() + rect.x() * module.width(), origin.y() + rect.y() * module.height(),
                rect.width() * module.width(), rect.height() * module.height()));
            painter.fillPath(path, Qt::black);
        }
    });
}

} // namespace

Picture Draw_QR_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    const auto grid = QREncoder::encodeWithECLevel(settings.qr_ec_index, settings.qr_version_index, value);
    if (!grid || grid->dimension() == 0)
        return {};
    // Whole points per module, centred in the asked side; what the integer scale leaves over
    // stays transparent around the symbol.
    const int modules = grid->dimension();
    const int side = std::max(settings.qr_size_val, modules);
    const int module = side / modules;
    const double margin = (side - module * modules) / 2;
    const QPointF origin(margin, margin);
    const std::vector<QRect> dark
        = darkRectangles(modules, modules, [&](int x, int y) { return grid->row(y)[x] != 0; });
    return symbolPicture(QSizeF(side, side), QRectF(origin, QSizeF(module * modules, module * modules)), dark, origin,
        QSizeF(module, module));
}

Picture Draw_PDF_417_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    pdf417View view(QSizeF(settings.pdf_wdt_val, settings.pdf_hgt_val));
    // Setting the level logs it: once per batch row would flood the log.
    if (view.getErrorLevel() != settings.pdf_ec_val)
        view.setErrorLevel(settings.pdf_ec_val);
    view.drawWithText(value);
    return view.getImage();
}

DataMatrixSize dataMatrixFormatSize(const QString& item)
{
    if (item == QLatin1String("Auto"))
        return {};
    const QString size = item.mid(1);
    const int x = size.indexOf(QLatin1Char('X'));
    if (x < 0)
        return {};
    return { Trim_Str(size.mid(x + 1)).toInt(), Trim_Str(size.left(x)).toInt() };
}

std::optional<std::string> dataMatrixEncodingString(int encodingIndex, int byteCount)
{
    const char letter = encodingIndex > 0 && size_t(encodingIndex) < DataMatrixEncodingLetters.size()
        ? DataMatrixEncodingLetters[size_t(encodingIndex)]
        : 0;
    if (letter == 0)
        return std::nullopt;
    return std::string(size_t(byteCount), letter);
}

Picture Draw_DataMatrix_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    const QByteArray bytes = value.toUtf8();
    const DataMatrixSize size
        = dataMatrixFormatSize(QLatin1String(optionItem(DataMatrixFormatItems, settings.dm_format_index)));
    int W = size.columns;
    int H = size.rows;
    std::optional<std::string> encoding = dataMatrixEncodingString(settings.dm_encoding_index, int(bytes.size()));
    int used = 0;
    int capacity = 0;
    int checkCodewords = 0;
    const std::vector<uint8_t> grid = iec16022ecc200(
        W, H, encoding, std::string_view(bytes.constData(), size_t(bytes.size())), &used, &capacity, &checkCodewords);
    if (grid.empty() || W <= 0 || H <= 0 || grid.size() < size_t(W) * size_t(H)) {
        // One write, so that lines of threads drawing at once do not interleave.
        std::fprintf(stderr,
            "No barcode produced\nSize    : %dx%d\nEncoded : %d of %d bytes with %d bytes of ecc\n"
            "Barcode : %s\nEncoding: %s\n",
            W, H, used, capacity, checkCodewords, bytes.constData(), encoding ? encoding->c_str() : "");
        return {};
    }
    // The symbol and its light module all round, stretched over the columns and rows times
    // the module size; grid row 0 is the bottom row.
    const int module = std::clamp(settings.dm_module_val, 1, 100);
    const QSizeF extent(W * module, H * module);
    const QSizeF cell(extent.width() / (W + 2), extent.height() / (H + 2));
    const std::vector<QRect> dark
        = darkRectangles(W, H, [&](int x, int y) { return grid[size_t(H - 1 - y) * size_t(W) + size_t(x)] != 0; });
    return symbolPicture(extent, QRectF(QPointF(0, 0), extent), dark, QPointF(cell.width(), cell.height()), cell);
}
