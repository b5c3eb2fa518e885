// 1,000 Code 128 symbols with caption made into 300-dpi PNG, against zint --batch on the same
// values in the same run. Both write their PNG streams one after the other into one output
// (zint to its standard output), so that file creation does not swamp the comparison.
#include "barcodes/BarcodePictures.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/NKDCode128Barcode.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int symbolCount = 1000;
constexpr int workerThreads = 3;
constexpr double dpi = 300;
constexpr float pointsPerCentimetre = 0.393701f * 72.0f;

QStringList values()
{
    QStringList list;
    for (int i = 0; i < symbolCount; ++i)
        list << QStringLiteral("GALA-%1-%2").arg(i, 6, 10, QLatin1Char('0')).arg(i * 7919 % 100000);
    return list;
}

// Sized as the barcode window does: 1 cm bars, caption band and margins of 0.1 cm.
QByteArray symbolsToPng(const QStringList& list, const BarcodeSettings& settings)
{
    const float margin = settings.TB_margin;
    QByteArray output;
    for (const QString& value : list) {
        const auto barcode = NKDCode128Barcode::create(value, true, NKDCode128Barcode::Automatic);
        barcode->setCaptionFontSize(10, settings);
        barcode->setHeight(pointsPerCentimetre + barcode->captionHeight() * 72 + margin + 2 * margin);
        barcode->calculateWidth();
        barcode->setWidth(barcode->width() + 2 * margin + 15);
        const QByteArray png = barcodePng(imageFromBarcode(*barcode, settings), dpi);
        if (png.isEmpty()) {
            std::fprintf(stderr, "no PNG for %s\n", qPrintable(value));
            return {};
        }
        output += png;
    }
    return output;
}

// The list split over a number of threads, as a batch run's workers would share it.
double ours(const QStringList& list, int threadCount, qint64& bytes)
{
    BarcodeSettings settings;
    const float margin = 0.1f * pointsPerCentimetre;
    settings.value_margin = settings.TB_margin = settings.LR_margin = margin;
    QElapsedTimer timer;
    timer.start();
    std::vector<QByteArray> outputs(static_cast<size_t>(threadCount));
    std::vector<std::thread> threads;
    const qsizetype share = (list.size() + threadCount - 1) / threadCount;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] { outputs[size_t(t)] = symbolsToPng(list.mid(t * share, share), settings); });
    }
    for (std::thread& thread : threads)
        thread.join();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    bytes = 0;
    for (const QByteArray& output : outputs) {
        if (output.isEmpty())
            return -1;
        bytes += output.size();
    }
    return seconds;
}

// X-dimension 4 pixels (0.96 pt at 300 dpi, against our 0.936 pt), bars 30 X high.
double zint(const QStringList& list, const QString& folder, qint64& bytes)
{
    const QString input = folder + QStringLiteral("/values.txt");
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write(list.join(QLatin1Char('\n')).toLatin1() + '\n');
    file.close();
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(QStringLiteral("zint"),
        { QStringLiteral("--batch"), QStringLiteral("-b"), QStringLiteral("20"), QStringLiteral("--scale=2"),
            QStringLiteral("--height=30"), QStringLiteral("--filetype=PNG"), QStringLiteral("--direct"),
            QStringLiteral("-i"), input });
    QByteArray output;
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        process.waitForReadyRead(100);
        output += process.readAllStandardOutput();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (process.exitCode() != 0 || output.isEmpty()) {
        std::fprintf(stderr, "zint failed: %s\n", process.readAllStandardError().constData());
        return -1;
    }
    bytes = output.size();
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList list = values();
    QTemporaryDir zintFolder;
    qint64 oursBytes = 0;
    qint64 threadedBytes = 0;
    qint64 zintBytes = 0;
    ours(list.mid(0, 20), 1, oursBytes); // warm the font caches
    const double oursSeconds = ours(list, 1, oursBytes);
    const double threadedSeconds = ours(list, workerThreads, threadedBytes);
    const double zintSeconds = zint(list, zintFolder.path(), zintBytes);
    if (oursSeconds < 0 || threadedSeconds < 0 || zintSeconds < 0)
        return 1;
    std::printf("%d Code 128 symbols with caption, PNG at %.0f dpi\n", symbolCount, dpi);
    std::printf("  Galavite: %8.3f s  (%.3f ms per symbol, %lld bytes of PNG)\n", oursSeconds,
        oursSeconds * 1000 / symbolCount, static_cast<long long>(oursBytes));
    std::printf("  Galavite, %d threads: %8.3f s  (%.3f ms per symbol)\n", workerThreads, threadedSeconds,
        threadedSeconds * 1000 / symbolCount);
    std::printf("  zint:     %8.3f s  (%.3f ms per symbol, %lld bytes of PNG)\n", zintSeconds,
        zintSeconds * 1000 / symbolCount, static_cast<long long>(zintBytes));
    std::printf("  zint time / Galavite time = %.2f (one thread), %.2f (%d threads)\n", zintSeconds / oursSeconds,
        zintSeconds / threadedSeconds, workerThreads);
    return 0;
}
