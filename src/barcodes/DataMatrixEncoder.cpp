#include "barcodes/DataMatrixEncoder.h"

#include "barcodes/DataMatrixCodewords.h"
#include "barcodes/DataMatrixEncodation.h"
#include "barcodes/DataMatrixPlacement.h"
#include "barcodes/DataMatrixReedSolomon.h"
#include "barcodes/DataMatrixSymbolSize.h"

#include <cstdio>
#include <new>

namespace {

std::string sizeMessage(const char* format, int width, int height)
{
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, format, width, height);
    return buffer;
}

DataMatrixSymbol refused(std::string message)
{
    DataMatrixSymbol symbol;
    symbol.error = std::move(message);
    return symbol;
}

// The plan for a chosen size: exact when it fills the size, else the plain cheapest one.
std::optional<std::string> planForSize(std::string_view source, const DataMatrixSymbolSize& size)
{
    std::optional<DataMatrixPlan> plan = encmake(source, true);
    if (!plan)
        return std::nullopt;
    if (plan->codewords != size.dataCodewords) {
        plan = encmake(source, false);
        if (!plan)
            return std::nullopt;
        // The count takes every Base 256 length as written out; a run that ends the symbol
        // needs one codeword less, so only encoding tells whether an overflow of one fits.
        const bool fits = plan->codewords <= size.dataCodewords
            || (plan->codewords == size.dataCodewords + 1
                && ecc200encode(size.dataCodewords, source, plan->encoding).status
                    == DataMatrixEncodeResult::Encoded);
        if (!fits)
            return std::nullopt;
    }
    return std::move(plan->encoding);
}

DataMatrixSymbol encode(std::string_view source, int width, int height, const std::optional<std::string>& encoding)
{
    if (source.empty())
        return refused("No data to encode");
    const DataMatrixSymbolSize* size = nullptr;
    DataMatrixEncodeResult encoded;
    std::string letters;

    if (width != 0) {
        size = findDataMatrixSize(width, height);
        if (!size)
            return refused(sizeMessage("Invalid size %dx%d", width, height));
        if (encoding) {
            letters = *encoding;
        } else {
            std::optional<std::string> plan = planForSize(source, *size);
            if (!plan)
                return refused(sizeMessage("Cannot make barcode fit %dx%d", width, height));
            letters = std::move(*plan);
        }
        encoded = ecc200encode(size->dataCodewords, source, letters);
        if (encoded.status == DataMatrixEncodeResult::Refused)
            return refused(encoded.message);
        if (encoded.status == DataMatrixEncodeResult::TooLong)
            return refused(sizeMessage("Barcode too long for %dx%d", width, height));
    } else {
        if (encoding) {
            letters = *encoding;
        } else {
            std::optional<DataMatrixPlan> plan = encmake(source, true);
            if (!plan)
                return refused("Cannot find suitable size, barcode too long");
            letters = std::move(plan->encoding);
        }
        // No codeword carries more than two bytes (a digit pair): smaller sizes cannot hold it.
        const size_t fewestCodewords = (source.size() + 1) / 2;
        for (const DataMatrixSymbolSize& candidate : ecc200matrix()) {
            if (static_cast<size_t>(candidate.dataCodewords) < fewestCodewords)
                continue;
            encoded = ecc200encode(candidate.dataCodewords, source, letters);
            if (encoded.status == DataMatrixEncodeResult::Refused)
                return refused(encoded.message);
            if (encoded.status == DataMatrixEncodeResult::Encoded) {
                size = &candidate;
                break;
            }
        }
        if (!size)
            return refused("Cannot find suitable size, barcode too long");
    }

    DataMatrixSymbol symbol;
    symbol.width = size->columns;
    symbol.height = size->rows;
    symbol.codewords = ecc200(encoded.codewords, size->dataPerBlock, size->checkPerBlock);
    symbol.grid = dataMatrixGrid(*size, symbol.codewords);
    symbol.encoding = letters.substr(0, source.size());
    symbol.used = encoded.used;
    symbol.capacity = size->dataCodewords;
    symbol.checkCodewords = size->checkCodewords();
    return symbol;
}

} // namespace

DataMatrixSymbol encodeDataMatrix(std::string_view source, int width, int height,
                                  const std::optional<std::string>& encoding)
{
    try {
        return encode(source, width, height, encoding);
    } catch (const std::bad_alloc&) {
        return refused("Out of memory");
    }
}
