// The barcode window's live preview: the time from one keystroke in the value to the new
// picture on screen (controls read, barcode generated and painted, preview updated), for a
// 100-character Code 128 and a version-10 QR Code. One frame is 16 ms.
#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/BarcodeWindowHost.h"
#include "barcodewindow/Barcode_Gen.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

class NoHost : public BarcodeWindowHost
{
public:
    QStringList Get_datasheet_File_Name_Array() const override { return {}; }
    QString Get_First_Value_Of_Dataset(const QString&) const override { return {}; }
    QStringList excelColumnTitles() const override { return {}; }
    QString Get_First_Value_Of_Excel_Binding(int) const override { return {}; }
    std::optional<QString> valueOnFirstCard(const SKTGraphic&) override { return {}; }
    QString goneColumnOf(const SKTGraphic&) override { return {}; }
    void View_Data_Series(const QString&) override { }
    void Open_Long_sms_Dialog(const QString&, const QString&) override { }
};

void chooseKind(Barcode_Gen& window, const char* title)
{
    const int index = indexOfBarcodeSymbology(QLatin1String(title));
    window.barcodeTypePopup->setCurrentIndex(index);
    emit window.barcodeTypePopup->activated(index);
}

void BM_Code128Keystroke(benchmark::State& state)
{
    NoHost host;
    Barcode_Gen window(host);
    window.show();
    chooseKind(window, "Code 128");
    QString value = QString::fromLatin1("Guest-%1 ").repeated(12).left(99);
    int key = 0;
    for (auto _ : state) {
        const QString typed = value + QChar(u'A' + key++ % 26);
        window.dataText->setText(typed);
        emit window.dataText->textEdited(typed);
        if (window.previewPicture().isNull())
            state.SkipWithError("no barcode");
    }
}
BENCHMARK(BM_Code128Keystroke)->Unit(benchmark::kMillisecond);

void BM_QrVersion10Keystroke(benchmark::State& state)
{
    NoHost host;
    Barcode_Gen window(host);
    window.show();
    chooseKind(window, "QR Code");
    window.qr_version_ComboBox->setCurrentIndex(10);
    emit window.qr_version_ComboBox->activated(10);
    // Version 10 at level L holds 271 bytes.
    const QString value = QString::fromLatin1("https://example.org/guest/0042?table=7 ").repeated(6).left(200);
    int key = 0;
    for (auto _ : state) {
        window.dataText_2D->setPlainText(value + QChar(u'a' + key++ % 26));
        if (window.previewPicture().isNull() || window.previewPicture().size().width() < 57)
            state.SkipWithError("no version-10 symbol");
    }
}
BENCHMARK(BM_QrVersion10Keystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
