// Our QR symbols read back by two independent decoders.
#include "barcodes/CQR_Encode.h"
#include "barcodes/QREncoder.h"

#include "QRTestTools.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

namespace {

enum class Payload { Numeric, Alphanumeric, Bytes, Mixed, Utf8 };
constexpr int kPayloadKinds = 5;
constexpr int kScale = 3;  // pixels per module

QByteArray payload(Payload kind, int units)
{
    switch (kind) {
    case Payload::Numeric: return QByteArray("8675309142857").repeated(units / 13 + 1).left(units);
    case Payload::Alphanumeric: return QByteArray("GALAVITE CARD $12.50 +10% /A:B*C-D ").repeated(units / 35 + 1).left(units);
    case Payload::Bytes: return QByteArray("name badge, invitation & plastic card; ").repeated(units / 39 + 1).left(units);
    case Payload::Mixed: return QByteArray("Order 20261207123456 ROOM B-42 for anna@example.org; ").repeated(units / 53 + 1).left(units);
    case Payload::Utf8: return QStringLiteral("€–中 Grüße ").repeated(units / 10 + 1).left(units).toUtf8();
    }
    return {};
}

std::unique_ptr<CQR_Encode> encodeForced(const QByteArray& data, int level, int version, int mask)
{
    auto encoder = std::make_unique<CQR_Encode>();
    encoder->m_bKanjiMode = false;
    if (!encoder->EncodeData(level, version, false, mask, reinterpret_cast<const uint8_t*>(data.constData()), data.size()))
        return nullptr;
    return encoder;
}

// The longest payload of the kind that still fits the version and level.
QByteArray largestPayload(Payload kind, int level, int version)
{
    int fits = 0, tooMany = 7090;
    while (tooMany - fits > 1) {
        const int middle = (fits + tooMany) / 2;
        if (encodeForced(payload(kind, middle), level, version, 0))
            fits = middle;
        else
            tooMany = middle;
    }
    return payload(kind, fits);
}

std::unique_ptr<QRModuleGrid> gridOf(const CQR_Encode& encoder)
{
    const int size = static_cast<int>(encoder.m_nSymbleSize);
    auto grid = std::make_unique<QRModuleGrid>(size);
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            grid->set(encoder.m_byModuleData[x][y], x, y);
    return grid;
}

// Our image of the grid (whole pixels per module), set on white inside a quiet zone.
QImage withQuietZone(const QRModuleGrid& grid)
{
    const QImage symbol = QREncoder::renderDataMatrix(&grid, grid.dimension() * kScale);
    const int quiet = 4 * kScale;
    QImage page(symbol.width() + 2 * quiet, symbol.height() + 2 * quiet, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x)
            page.setPixel(x + quiet, y + quiet, symbol.pixel(x, y) | 0xFF000000u);
    return page;
}

struct Symbol
{
    QString description;
    QByteArray data;
    QString file;
};

void expectDecoded(const std::vector<Symbol>& symbols)
{
    QStringList files;
    for (const Symbol& symbol : symbols)
        files << symbol.file;
    const std::vector<QByteArray> zxing = qrtest::zxingDecode(files);
    const std::vector<QByteArray> zbar = qrtest::zbarDecode(files);
    for (size_t i = 0; i < symbols.size(); ++i) {
        EXPECT_EQ(zxing[i], symbols[i].data) << "ZXingReader, " << symbols[i].description.toStdString();
        EXPECT_EQ(zbar[i], symbols[i].data) << "zbarimg, " << symbols[i].description.toStdString();
    }
}

}  // namespace

TEST(QREncoderDecodeTest, EveryVersionLevelAndMaskReadsBack)
{
    // Each version and level once, full to capacity with one payload kind, the kinds and
    // the forced masks taking turns so that each mask meets every kind.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::vector<Symbol> symbols;
    for (int version = 1; version <= 40; ++version) {
        for (int level = 0; level < 4; ++level) {
            const int index = (version - 1) * 4 + level;
            const auto kind = static_cast<Payload>(index % kPayloadKinds);
            const int mask = (version + level) % 8;
            const QByteArray data = largestPayload(kind, level, version);
            ASSERT_FALSE(data.isEmpty());
            const auto encoder = encodeForced(data, level, version, mask);
            ASSERT_TRUE(encoder);
            ASSERT_EQ(encoder->m_nVersion, version);

            Symbol symbol{QStringLiteral("version %1 level %2 mask %3 kind %4 bytes %5")
                              .arg(version).arg(level).arg(mask).arg(index % kPayloadKinds).arg(data.size()),
                          data, folder.filePath(QStringLiteral("qr-%1.png").arg(index))};
            ASSERT_TRUE(withQuietZone(*gridOf(*encoder)).save(symbol.file));
            symbols.push_back(symbol);
        }
    }
    expectDecoded(symbols);
}

TEST(QREncoderDecodeTest, FrontEndTextReadsBack)
{
    // Automatic version and mask, as the barcode window asks for them.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString texts[] = {QStringLiteral("€–中"), QStringLiteral("Grüße aus Köln – 2026 € 中文"),
                             QStringLiteral("https://example.org/badge?id=000123&name=Anna"),
                             QStringLiteral("0123456789").repeated(30), QStringLiteral("€").repeated(400)};
    std::vector<Symbol> symbols;
    int count = 0;
    for (const QString& text : texts) {
        for (int level = 0; level < 4; ++level) {
            const auto grid = QREncoder::encodeWithECLevel(level, 0, text);
            ASSERT_TRUE(grid) << text.toStdString();
            Symbol symbol{QStringLiteral("level %1: %2").arg(level).arg(text.left(40)), text.toUtf8(),
                          folder.filePath(QStringLiteral("text-%1.png").arg(count++))};
            ASSERT_TRUE(withQuietZone(*grid).save(symbol.file));
            symbols.push_back(symbol);
        }
    }
    expectDecoded(symbols);
}
