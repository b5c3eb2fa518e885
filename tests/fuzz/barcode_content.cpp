// Barcode values come from users, series files and workbooks: every kind must take any text
// without crashing, and paint whatever it accepts.
#include "barcodes/BarcodePictures.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/NKDBarcode.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void ensureApplication()
{
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = { name, nullptr };
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

} // namespace

// fontconfig keeps its caches until the process ends; not ours to report.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    if (size < 1)
        return 0;
    const int kind = data[0] % LinearSymbologyCount;
    const QString content = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto barcode
        = createLinearBarcode(QString::fromLatin1(BarcodeSymbologyTitles[size_t(kind)]), content, data[0] & 0x80);
    if (!barcode)
        return 0;
    BarcodeSettings settings;
    const bool valid = barcode->isContentValid();
    const std::string modules = barcode->completeBarcode();
    for (size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '0' && modules[i] != '1')
            std::abort();
        barcode->barTop(int(i), settings);
        barcode->barBottom(int(i), settings);
    }
    (void)barcode->caption();
    (void)barcode->leftCaption();
    (void)barcode->rightCaption();
    (void)barcode->description();
    if (valid && modules.size() < 4000) {
        barcode->setHeader(content.left(40));
        barcode->setPrintsHeader(true);
        barcode->setCaptionFontSize(10, settings);
        barcode->setHeaderFontSize(10, settings);
        barcode->setHeight(60);
        (void)imageFromBarcode(*barcode, settings);
    }
    return 0;
}
