// Arbitrary values and options through the Data Matrix encoder, its EPS text and its image.
// Layout: size byte, encoding byte, then the value (and for the mixed modes an encoding string
// taken from the front half of the rest).
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixPicture.h"
#include "barcodes/DataMatrixSymbolSize.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t sizeChoice = data[0];
    const uint8_t encodingChoice = data[1];
    std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);

    int width = 0;
    int height = 0;
    const auto sizes = ecc200matrix();
    if (sizeChoice > 0 && sizeChoice <= sizes.size()) {
        width = sizes[sizeChoice - 1].columns;
        height = sizes[sizeChoice - 1].rows;
    } else if (sizeChoice > 200) {
        width = sizeChoice - 200; // mostly sizes that do not exist
        height = width + (sizeChoice & 3);
    }

    std::optional<std::string> encoding;
    std::string value = rest;
    const int mode = encodingChoice % 9;
    if (mode >= 1 && mode <= 6) {
        encoding = std::string(value.size(), "ACTXEB"[mode - 1]);
    } else if (mode >= 7) {
        const size_t half = rest.size() / 2;
        std::string letters = rest.substr(0, half);
        value = rest.substr(half);
        if (mode == 7)
            for (char& letter : letters)
                letter = "ACTXEBactxebQ"[static_cast<uint8_t>(letter) % 13];
        encoding = letters;
    }

    const DataMatrixSymbol symbol = encodeDataMatrix(value, width, height, encoding);
    if (!symbol.isValid())
        return 0;
    if (symbol.grid.size() != static_cast<size_t>(symbol.width) * static_cast<size_t>(symbol.height)
        || symbol.used > symbol.capacity || symbol.encoding.size() != value.size())
        std::abort();
    if (width != 0 && (symbol.width != width || symbol.height != height))
        std::abort();
    const QByteArray eps = makeEPS_Data_Matrix(QByteArray::fromStdString(value), symbol.width, symbol.height, symbol.grid);
    const QImage image = dataMatrixImage(symbol.grid, symbol.width, symbol.height, 1);
    if (eps.isEmpty() || image.isNull())
        std::abort();
    return 0;
}
