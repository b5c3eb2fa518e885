#include "barcodes/BarcodeSymbols2D.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/ModuleRectangles.h"
#include "barcodes/QREncoder.h"
#include "barcodes/pdf417View.h"
#include "common/Logging.h"
#include "common/StringHelpers.h"

#include <algorithm>
#include <vector>

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

DataMatrixSymbol encodeDataMatrixValue(const QByteArray& bytes, const BarcodeGenSettings& settings)
{
    const DataMatrixSize size
        = dataMatrixFormatSize(QLatin1String(optionItem(DataMatrixFormatItems, settings.dm_format_index)));
    return encodeDataMatrix(std::string_view(bytes.constData(), size_t(bytes.size())), size.columns, size.rows,
        dataMatrixEncodingString(settings.dm_encoding_index, int(bytes.size())));
}

Picture Draw_DataMatrix_Barcode(const QString& value, const BarcodeGenSettings& settings)
{
    const DataMatrixSymbol symbol = encodeDataMatrixValue(value.toUtf8(), settings);
    const int W = symbol.width;
    const int H = symbol.height;
    const std::vector<uint8_t>& grid = symbol.grid;
    if (!symbol.isValid() || W <= 0 || H <= 0 || grid.size() < size_t(W) * size_t(H)) {
        // One line, the value cut: a batch of long values must not flood the log.
        Show_NSLog_Message(QStringLiteral("No barcode produced: %1 (%2 encodation) for \"%3\"")
                               .arg(QString::fromStdString(symbol.error),
                                   QLatin1String(optionItem(DataMatrixEncodingItems, settings.dm_encoding_index)),
                                   oneLineCut(value, 60)));
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
