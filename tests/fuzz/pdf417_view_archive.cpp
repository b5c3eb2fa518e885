// Arbitrary bytes as a PDF417 view archive: refused with a message or read into a view
// that archives back to the same bytes.
#include "barcodes/pdf417View.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Pictures are recorded with a painter, which wants a GUI application.
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    const QByteArray archive(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto view = pdf417View::initWithCoder(archive, &error);
    if (!view) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const QByteArray again = view->encodeWithCoder();
    if (again != archive)
        std::abort();
    return 0;
}
