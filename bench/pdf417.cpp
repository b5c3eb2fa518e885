// PDF417: time to encode one symbol by value length and kind, and to turn it into the
// view's picture and into a decodable image.
#include "barcodes/pdf417Images.h"
#include "barcodes/pdf417View.h"
#include "barcodes/pdf417param.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

QByteArray mixedText(int length)
{
    static const QByteArray sample("Galavite card 0042: Dr. Ada Smith, 12 Rue de la Paix; ada@example.org! ");
    QByteArray text;
    while (text.size() < length)
        text += sample;
    return text.left(length);
}

QByteArray digits(int length)
{
    QByteArray text;
    for (int i = 0; i < length; ++i)
        text += char('0' + (i * 7 + 3) % 10);
    return text;
}

QByteArray binary(int length)
{
    QByteArray text;
    for (int i = 0; i < length; ++i)
        text += char(0x80 + (i * 37) % 128);
    return text;
}

void encodeSymbol(benchmark::State& state, const QByteArray& text)
{
    pdf417param param;
    for (auto _ : state) {
        pdf417init(param);
        param.text = text;
        param.options = PDF417_USE_ERROR_LEVEL;
        param.errorLevel = 2;
        paintCode(param);
        benchmark::DoNotOptimize(param.outBits.data());
    }
    if (param.error != PDF417_ERROR_NONE)
        state.SkipWithError("encoding failed");
    state.counters["codewords"] = param.lenCodewords;
    state.counters["level"] = param.errorLevel;
}

void BM_EncodeText(benchmark::State& state)
{
    encodeSymbol(state, mixedText(int(state.range(0))));
}
BENCHMARK(BM_EncodeText)->Arg(10)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The costliest check codewords: level 8, 512 of them over every data codeword.
void BM_EncodeTextLevel8(benchmark::State& state)
{
    pdf417param param;
    const QByteArray text = mixedText(int(state.range(0)));
    for (auto _ : state) {
        pdf417init(param);
        param.text = text;
        param.options = PDF417_USE_ERROR_LEVEL;
        param.errorLevel = 8;
        paintCode(param);
        benchmark::DoNotOptimize(param.outBits.data());
    }
    state.counters["codewords"] = param.lenCodewords;
    state.counters["level"] = param.errorLevel;
}
BENCHMARK(BM_EncodeTextLevel8)->Arg(100)->Arg(600)->Unit(benchmark::kMicrosecond);

void BM_EncodeDigits(benchmark::State& state)
{
    encodeSymbol(state, digits(int(state.range(0))));
}
BENCHMARK(BM_EncodeDigits)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_EncodeBytes(benchmark::State& state)
{
    encodeSymbol(state, binary(int(state.range(0))));
}
BENCHMARK(BM_EncodeBytes)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The barcode window's road: the view encodes and records the picture of its frame.
void BM_ViewPicture(benchmark::State& state)
{
    const QString text = QString::fromLatin1(mixedText(int(state.range(0))));
    pdf417View view(QSizeF(300, 120));
    for (auto _ : state)
        benchmark::DoNotOptimize(view.drawWithText(text));
}
BENCHMARK(BM_ViewPicture)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_PictureAt600Dpi(benchmark::State& state)
{
    pdf417View view(QSizeF(300, 120));
    view.drawWithText(QString::fromLatin1(mixedText(1000)));
    const Picture picture = view.getImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(picture.toImage(600, Qt::white));
}
BENCHMARK(BM_PictureAt600Dpi)->Unit(benchmark::kMicrosecond);

void BM_ModuleImage(benchmark::State& state)
{
    pdf417param param;
    pdf417init(param);
    param.text = mixedText(1000);
    paintCode(param);
    const QImage bits = pdf417BitImage(param);
    for (auto _ : state)
        benchmark::DoNotOptimize(pdf417ModuleImage(bits, 3, 9, 2));
}
BENCHMARK(BM_ModuleImage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // pictures are recorded with a painter
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
