#include "DataMatrixTestSupport.h"

#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixPicture.h"
#include "support/Patience.h"

#include <QProcess>
#include <QTemporaryDir>

#include <random>

namespace datamatrix_test {

std::optional<QByteArray> decodeWithZXing(const QImage& image)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("symbol.png"));
    if (!folder.isValid() || !image.save(path))
        return std::nullopt;
    QProcess reader;
    reader.start(QStringLiteral("ZXingReader"), {QStringLiteral("-bytes"), QStringLiteral("-format"), QStringLiteral("DataMatrix"), path});
    patience::finished(reader);
    const QByteArray bytes = reader.readAllStandardOutput();
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> decodeSymbol(const DataMatrixSymbol& symbol)
{
    return decodeWithZXing(dataMatrixImage(symbol.grid, symbol.width, symbol.height, 4, 2));
}

std::vector<std::string> zintRows(int version, const std::string& data, int columns)
{
    QProcess zint;
    zint.start(QStringLiteral("zint"), {QStringLiteral("-b"), QStringLiteral("71"),
                                        QStringLiteral("--vers=%1").arg(version), QStringLiteral("--dump"),
                                        QStringLiteral("-d"), QString::fromStdString(data)});
    patience::finished(zint);
    std::vector<std::string> rows;
    for (const QByteArray& line : zint.readAllStandardOutput().split('\n')) {
        const QByteArray hex = line.simplified().replace(' ', "");
        if (hex.isEmpty())
            continue;
        std::string bits;
        for (char digit : hex) {
            const int nibble = QByteArray(1, digit).toInt(nullptr, 16);
            for (int bit = 3; bit >= 0; --bit)
                bits += ((nibble >> bit) & 1) ? '1' : '0';
        }
        rows.push_back(bits.substr(0, static_cast<size_t>(columns)));
    }
    return rows;
}

std::vector<std::string> gridRows(const DataMatrixSymbol& symbol)
{
    std::vector<std::string> rows;
    for (int y = symbol.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < symbol.width; ++x)
            row += symbol.grid[static_cast<size_t>(y * symbol.width + x)] ? '1' : '0';
        rows.push_back(row);
    }
    return rows;
}

std::string randomText(const std::string& alphabet, size_t length, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += alphabet[pick(generator)];
    return text;
}

std::string allBytes()
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

} // namespace datamatrix_test
