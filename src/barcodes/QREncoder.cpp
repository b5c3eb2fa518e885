#include "barcodes/QREncoder.h"

#include "barcodes/CQR_Encode.h"
#include "common/Logging.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>

using namespace qrtables;

namespace {

using CapacityTable = std::array<int64_t, kMaxVersion * kLevelCount>;

// Largest number of characters of the mode whose single segment fits the data capacity.
constexpr CapacityTable makeCapacityTable(uint8_t mode)
{
    CapacityTable table{};
    const int64_t bytesPerCharacter = mode == CQR_Encode::QR_MODE_KANJI ? 2 : 1;
    for (int version = 1; version <= kMaxVersion; ++version) {
        for (int level = 0; level < kLevelCount; ++level) {
            const int64_t bits = data_bit_size_array[(version - 1) * kLevelCount + level];
            int64_t fits = 0, tooMany = CQR_Encode::kMaxSourceLength + 1;
            while (tooMany - fits > 1) {
                const int64_t middle = (fits + tooMany) / 2;
                if (CQR_Encode::GetBitLength(mode, middle * bytesPerCharacter, versionGroup(version)) <= bits)
                    fits = middle;
                else
                    tooMany = middle;
            }
            table[(version - 1) * kLevelCount + level] = fits;
        }
    }
    return table;
}

constexpr CapacityTable QR_Numric_size_array = makeCapacityTable(CQR_Encode::QR_MODE_NUMERAL);
constexpr CapacityTable QR_AlphaNumric_size_array = makeCapacityTable(CQR_Encode::QR_MODE_ALPHABET);
constexpr CapacityTable QR_8_BIT_size_array = makeCapacityTable(CQR_Encode::QR_MODE_8BIT);
constexpr CapacityTable QR_Kanji_size_array = makeCapacityTable(CQR_Encode::QR_MODE_KANJI);

static_assert(QR_Numric_size_array[0] == 41 && QR_AlphaNumric_size_array[1] == 20);
static_assert(QR_8_BIT_size_array[3] == 7 && QR_Kanji_size_array[0] == 10);
static_assert(QR_Numric_size_array[156] == 7089 && QR_AlphaNumric_size_array[156] == 4296);
static_assert(QR_8_BIT_size_array[156] == 2953 && QR_Kanji_size_array[156] == 1817);

uint32_t rgbaWord(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    const uint8_t bytes[4] = {r, g, b, a};  // Format_RGBA8888 is byte-ordered
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace

int64_t QREncoder::characterCapacity(int mode, int version, int level)
{
    if (version < 1 || version > kMaxVersion || level < 0 || level >= kLevelCount)
        return 0;
    const int index = (version - 1) * kLevelCount + level;
    switch (mode) {
    case CQR_Encode::QR_MODE_NUMERAL: return QR_Numric_size_array[index];
    case CQR_Encode::QR_MODE_ALPHABET: return QR_AlphaNumric_size_array[index];
    case CQR_Encode::QR_MODE_8BIT: return QR_8_BIT_size_array[index];
    case CQR_Encode::QR_MODE_KANJI: return QR_Kanji_size_array[index];
    default: return 0;
    }
}

int QREncoder::characterMode(const QByteArray& bytes)
{
    const std::unique_ptr<CQR_Encode> encoder(new CQR_Encode);
    encoder->m_bKanjiMode = false;
    return encoder->Get_Encoding_Mode(reinterpret_cast<const uint8_t*>(bytes.constData()), bytes.size());
}

std::unique_ptr<QRModuleGrid> QREncoder::encodeWithECLevel(int level, int version, const QString& text)
{
    return encodeCStringWithECLevel(level, version, text.toUtf8());
}

std::unique_ptr<QRModuleGrid> QREncoder::encodeCStringWithECLevel(int level, int version, const QByteArray& bytes)
{
    if (level < 0 || level >= kLevelCount || version < 0 || version > kMaxVersion || bytes.isEmpty())
        return nullptr;
    try {
        return encodeChecked(level, version, bytes);
    } catch (const std::exception& error) {  // out of memory: no symbol, but the program goes on
        Show_NSLog_Message(QStringLiteral("QR Code not encoded: %1").arg(QString::fromLocal8Bit(error.what())));
        return nullptr;
    }
}

std::unique_ptr<QRModuleGrid> QREncoder::encodeChecked(int level, int version, const QByteArray& bytes)
{
    const std::unique_ptr<CQR_Encode> encoder(new CQR_Encode);  // no need to clear its buffers
    encoder->m_bKanjiMode = false;
    const auto* source = reinterpret_cast<const uint8_t*>(bytes.constData());
    const int64_t length = bytes.size();

    // A chosen version refuses what its single-mode capacity cannot carry; the automatic
    // version leaves the choice among all forty versions to the encoder.
    if (version > 0) {
        const uint8_t mode = encoder->Get_Encoding_Mode(source, length);
        const int64_t characters = mode == CQR_Encode::QR_MODE_KANJI ? length / 2 : length;
        if (characters > characterCapacity(mode, version, level))
            return nullptr;
    }

    if (!encoder->EncodeData(level, version, true, -1, source, length))
        return nullptr;

    const int size = static_cast<int>(encoder->m_nSymbleSize);
    auto grid = std::make_unique<QRModuleGrid>(size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            grid->set(encoder->m_byModuleData[x][y] == 1 ? 1 : 0, x, y);
    return grid;
}

QImage QREncoder::renderDataMatrix(const QRModuleGrid* grid, int imageDimension)
{
    if (grid == nullptr || grid->dimension() == 0)
        return {};
    const int modules = grid->dimension();
    const int side = std::max(imageDimension, modules);
    const int scale = side / modules;
    const int margin = (side - scale * modules) / 2;

    QImage image(side, side, QImage::Format_RGBA8888);
    if (image.isNull())
        return {};  // too large to allocate
    constexpr int kDotsPerMeter72 = 2835;
    image.setDotsPerMeterX(kDotsPerMeter72);
    image.setDotsPerMeterY(kDotsPerMeter72);

    const uint32_t dark = rgbaWord(0, 0, 0, 255);
    const uint32_t light = rgbaWord(255, 255, 255, 255);
    const uint32_t clear = rgbaWord(255, 255, 255, 0);

    auto scanLine = [&](int y) { return reinterpret_cast<uint32_t*>(image.scanLine(y)); };
    for (int y = 0; y < margin; ++y)
        std::fill_n(scanLine(y), side, clear);

    for (int moduleY = 0; moduleY < modules; ++moduleY) {
        const int top = margin + moduleY * scale;
        uint32_t* line = scanLine(top);
        const uint8_t* row = grid->row(moduleY);
        uint32_t* out = std::fill_n(line, margin, clear);
        for (int x = 0; x < modules; ++x)
            out = std::fill_n(out, scale, row[x] ? dark : light);
        std::fill(out, line + side, clear);
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(scanLine(top + copy), line, static_cast<size_t>(side) * sizeof(uint32_t));
    }

    for (int y = margin + modules * scale; y < side; ++y)
        std::fill_n(scanLine(y), side, clear);
    return image;
}

quint32 QREncoder::hexadecimalValueOfColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    auto component = [](float value) { return static_cast<quint32>(std::clamp(value, 0.0f, 1.0f) * 255); };
    return component(rgb.alphaF()) << 24 | component(rgb.redF()) << 16 | component(rgb.greenF()) << 8
         | component(rgb.blueF());
}
