// Copies and archives of every linear kind draw the same symbol as the original, whether the
// archive is read into a fresh object or into one that held another value.
#include "barcodes/BarcodeSettings.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcode.h"

#include <QBuffer>
#include <QDataStream>

#include <gtest/gtest.h>

namespace {

struct Values
{
    const char* title;
    QStringList values;
};

const std::vector<Values>& kindsAndValues()
{
    static const std::vector<Values> list = {
        { "Code 39", { "CODE39", "a-b $/+%", "0" } },
        { "Extended Code 39", { "Hello, World!", "x\ty" } },
        { "Interleaved 2 of 5", { "123456", "1234567" } },
        { "UPCA", { "03600029145", "123456789012" } },
        { "PostNet", { "12345", "123456789", "12345678901" } },
        { "Modified Plessey", { "1234567", "80523" } },
        { "Modified Plessey (Hex)", { "12345678", "DEADBEEF", "0" } },
        { "Industrial 2 of 5", { "12345", "9" } },
        { "EAN-13", { "400638133393", "9780201379624" } },
        { "Code 128", { "Hello World", "123456", "12345", "A\x01z" } },
        { "Code 128 SET A", { "ABC\t123", "Mixed" } },
        { "Code 128 SET B", { "tab\there", "~~" } },
        { "Code 128 SET C", { "1234567890", "123" } },
        { "Codabar", { "A40156B", "123456" } },
        { "UPCE", { "0123456", "01234565", "04210000526" } },
        { "EAN-8", { "9638507", "55123457" } },
        { "Royal Mail Barcode (RM4SCC / CBC)", { "SN34RD1A", "ec1a1bb" } },
        { "Planet", { "12345678901", "12345" } },
        { "Japan Post Barcode", { "1050011-A1", "0600002ABCDEFGHIJKLM" } },
    };
    return list;
}

std::unique_ptr<NKDBarcode> linear(const char* title, const QString& content)
{
    return createLinearBarcode(QString::fromLatin1(title), content, true);
}

// Everything the painter takes from a barcode object to draw its bars and caption.
std::string drawnSymbol(const NKDBarcode& barcode)
{
    const BarcodeSettings settings;
    const std::string bars = barcode.completeBarcode();
    std::string text = bars + "|" + barcode.caption().toStdString() + "|" + barcode.leftCaption().toStdString() + "|"
        + barcode.rightCaption().toStdString() + "|" + std::to_string(barcode.width()) + "|"
        + std::to_string(barcode.height()) + "|" + std::to_string(barcode.barWidth()) + "|"
        + std::to_string(barcode.printsCaption());
    for (size_t module = 0; module < bars.size(); ++module) {
        text += " " + std::to_string(barcode.barBottom(int(module), settings)) + "-"
            + std::to_string(barcode.barTop(int(module), settings));
    }
    return text;
}

// Sized as the barcode window sizes a symbol, with sizes apart from the defaults.
std::unique_ptr<NKDBarcode> sizedSymbol(const char* title, const QString& value)
{
    auto barcode = linear(title, value);
    const BarcodeSettings settings;
    barcode->setBarWidth(1.5f);
    if (auto* japanPost = dynamic_cast<JapanPostBarcode*>(barcode.get()))
        japanPost->setSymbolHeight(11.0f);
    barcode->setCaptionFontSize(9, settings);
    barcode->setHeight(70);
    barcode->calculateWidth();
    return barcode;
}

QByteArray archived(const NKDBarcode& barcode)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    barcode.encodeWithCoder(out);
    return bytes;
}

TEST(BarcodeCopyArchive, CopyDrawsTheSameSymbol)
{
    for (const Values& kind : kindsAndValues()) {
        for (const QString& value : kind.values) {
            SCOPED_TRACE(std::string(kind.title) + " " + value.toStdString());
            const auto original = sizedSymbol(kind.title, value);
            ASSERT_TRUE(original->isContentValid());
            EXPECT_EQ(drawnSymbol(*original->copy()), drawnSymbol(*original));
            // A copy of a copy, as a batch run copies the object it was handed.
            EXPECT_EQ(drawnSymbol(*original->copy()->copy()), drawnSymbol(*original));
        }
    }
}

TEST(BarcodeCopyArchive, ArchiveReadIntoFreshAndUsedObjectsDrawsTheSameSymbol)
{
    for (const Values& kind : kindsAndValues()) {
        for (const QString& value : kind.values) {
            SCOPED_TRACE(std::string(kind.title) + " " + value.toStdString());
            const auto original = sizedSymbol(kind.title, value);
            const QByteArray bytes = archived(*original);

            // Made from empty content, as a plain initialised object is; and holding the other
            // values of the list, which must leave nothing of theirs behind.
            std::vector<std::unique_ptr<NKDBarcode>> targets;
            targets.push_back(linear(kind.title, QStringLiteral("")));
            for (const QString& other : kind.values) {
                if (other != value)
                    targets.push_back(sizedSymbol(kind.title, other));
            }
            for (const auto& target : targets) {
                QDataStream in(bytes);
                ASSERT_TRUE(target->initWithCoder(in));
                EXPECT_EQ(drawnSymbol(*target), drawnSymbol(*original));
                EXPECT_TRUE(target->isContentValid());
            }
        }
    }
}

TEST(BarcodeCopyArchive, DamagedKindFieldsAreRefused)
{
    for (const char* title : { "Code 128", "Japan Post Barcode" }) {
        SCOPED_TRACE(title);
        QByteArray bytes = archived(*sizedSymbol(title, QStringLiteral("1050011")));
        bytes.chop(1);
        auto target = linear(title, QStringLiteral("9999999"));
        QDataStream in(bytes);
        EXPECT_FALSE(target->initWithCoder(in));
        EXPECT_EQ(target->content(), QStringLiteral("9999999"));
    }
}

} // namespace
