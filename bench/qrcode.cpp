// QR Code speed: encode time per symbol by data length, then 1,000 symbols written as PNG
// files by our encoder, by `zint --batch` and by `qrencode`, on the same values.
#include "barcodes/QREncoder.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kLevelM = 1;
constexpr int kPixelsPerModule = 4;
constexpr int kSymbolCount = 1000;

void BM_EncodeBytes(benchmark::State& state)
{
    const QString text = QString(static_cast<qsizetype>(state.range(0)), QLatin1Char('g'));
    const int level = state.range(0) > 2331 ? 0 : kLevelM;  // the longest needs level L
    int dimension = 0;
    for (auto _ : state) {
        const auto grid = QREncoder::encodeWithECLevel(level, 0, text);
        dimension = grid ? grid->dimension() : 0;
        benchmark::DoNotOptimize(dimension);
    }
    state.SetLabel(QStringLiteral("%1 modules").arg(dimension).toStdString());
}
BENCHMARK(BM_EncodeBytes)->Arg(8)->Arg(50)->Arg(200)->Arg(800)->Arg(2953)->Unit(benchmark::kMicrosecond);

void BM_EncodeDigits(benchmark::State& state)
{
    const QString text = QStringLiteral("0123456789").repeated(state.range(0) / 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(QREncoder::encodeWithECLevel(0, 0, text));
}
BENCHMARK(BM_EncodeDigits)->Arg(100)->Arg(7080)->Unit(benchmark::kMicrosecond);

void BM_Render(benchmark::State& state)
{
    const auto grid = QREncoder::encodeWithECLevel(0, 0, QString(2953, QLatin1Char('g')));
    for (auto _ : state)
        benchmark::DoNotOptimize(QREncoder::renderDataMatrix(grid.get(), grid->dimension() * kPixelsPerModule));
}
BENCHMARK(BM_Render)->Unit(benchmark::kMicrosecond);

QStringList sampleValues()
{
    QStringList values;
    for (int i = 0; i < kSymbolCount; ++i)
        values << QStringLiteral("https://example.org/badge?id=%1&name=Guest%2").arg(i, 6, 10, QLatin1Char('0')).arg(i * 7919);
    return values;
}

double oursToPng(const QStringList& values, const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < values.size(); ++i) {
        const auto grid = QREncoder::encodeWithECLevel(kLevelM, 0, values[i]);
        const QImage image = QREncoder::renderDataMatrix(grid.get(), grid->dimension() * kPixelsPerModule);
        // Two colours only (the side is a whole number of modules, so there is no margin):
        // stored as a 1-bit PNG, as the other tools do.
        image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
            .save(QStringLiteral("%1/%2.png").arg(folder).arg(i + 1, 4, 10, QLatin1Char('0')), "PNG");
    }
    return timer.nsecsElapsed() / 1e6;
}

double zintBatchToPng(const QStringList& values, const QString& folder)
{
    const QString input = folder + QStringLiteral("/values.txt");
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write(values.join(QLatin1Char('\n')).toUtf8() + '\n');
    file.close();
    QElapsedTimer timer;
    timer.start();
    const int status = QProcess::execute(QStringLiteral("zint"),
                                         {QStringLiteral("-b"), QStringLiteral("58"), QStringLiteral("--secure=2"),
                                          QStringLiteral("--scale=%1").arg(kPixelsPerModule / 2), QStringLiteral("--batch"),
                                          QStringLiteral("-i"), input, QStringLiteral("-o"), folder + QStringLiteral("/~~~~.png")});
    return status == 0 ? timer.nsecsElapsed() / 1e6 : -1;
}

double qrencodeToPng(const QStringList& values, const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < values.size(); ++i) {
        const int status = QProcess::execute(QStringLiteral("qrencode"),
                                             {QStringLiteral("-l"), QStringLiteral("M"), QStringLiteral("-s"),
                                              QString::number(kPixelsPerModule), QStringLiteral("-m"), QStringLiteral("0"),
                                              QStringLiteral("-o"), QStringLiteral("%1/%2.png").arg(folder).arg(i + 1),
                                              values[i]});
        if (status != 0)
            return -1;
    }
    return timer.nsecsElapsed() / 1e6;
}

// Best of three runs, each into a fresh folder, so that the figures are less at the mercy
// of other work on the machine. Set TMPDIR (e.g. to /dev/shm) to keep the disk out of it.
template <typename Run>
double bestOfThree(const QStringList& values, Run run)
{
    double best = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QTemporaryDir folder;
        const double ms = run(values, folder.path());
        if (ms < 0)
            return -1;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

void compareWithTools()
{
    const QStringList values = sampleValues();
    const double oursMs = bestOfThree(values, oursToPng);
    const bool haveZint = !QStandardPaths::findExecutable(QStringLiteral("zint")).isEmpty();
    const bool haveQrencode = !QStandardPaths::findExecutable(QStringLiteral("qrencode")).isEmpty();
    const double zintMs = haveZint ? bestOfThree(values, zintBatchToPng) : -1;
    const double qrencodeMs = haveQrencode ? bestOfThree(values, qrencodeToPng) : -1;

    std::printf("\n%d QR symbols (level M, automatic version, %d pixels per module) to PNG files, best of 3:\n",
                kSymbolCount, kPixelsPerModule);
    std::printf("  galavite        %9.1f ms\n", oursMs);
    if (zintMs >= 0)
        std::printf("  zint --batch    %9.1f ms   (%.2fx ours)\n", zintMs, zintMs / oursMs);
    if (qrencodeMs >= 0)
        std::printf("  qrencode        %9.1f ms   (%.2fx ours, one process per symbol)\n", qrencodeMs, qrencodeMs / oursMs);
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);  // image writer plug-ins
    benchmark::Initialize(&argc, argv);
    // --no-tools: only the encoder benchmarks (for profiling).
    const bool compare = !QCoreApplication::arguments().contains(QStringLiteral("--no-tools"));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (compare)
        compareWithTools();
    return 0;
}
