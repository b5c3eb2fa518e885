// 1,000 Code 128 symbols with caption (at zint's geometry and at a barcode object's defaults)
// and 1,000 QR symbols (level M) made into 300-dpi PNG,
// against zint --batch on the same values in the same run: times (best of three) on one thread
// and on one worker per core (as the batch export runs), total PNG sizes and their ratios; a
// sample of both kinds of our symbols is read back by ZXingReader.
// Both write their PNG streams one after the other into memory (zint to its standard output),
// so that file creation does not swamp the comparison.
// zint draws the same symbols at the same size: its scale gives our module width in pixels
// (it draws fractional modules too), its bars are 30 modules high as ours, both with quiet
// zones of 10 modules. Its caption is its own small bitmap font at that scale (for the first
// value about 20 x 180 px, against 28 x 385 px for a 10 pt caption with the object's 2 pt
// letter spacing at 300 dpi); zint has no choice of caption font or size, so that part of
// the picture cannot be made equal.
#include "barcodes/BarcodePictures.h"
#include "barcodes/BarcodeSettings.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QRModuleGrid.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int symbolCount = 1000;
constexpr int sampleEvery = 50; // symbols read back
constexpr double dpi = 300;
constexpr int levelM = 1;
constexpr float pointsPerCentimetre = 0.393701f * 72.0f;
constexpr float qrModulePoints = 0.96f; // 4 pixels at 300 dpi
constexpr int qrQuietModules = 4;

using Pngs = std::vector<QByteArray>;

QStringList code128Values()
{
    QStringList list;
    for (int i = 0; i < symbolCount; ++i)
        list << QStringLiteral("GALA-%1-%2").arg(i, 6, 10, QLatin1Char('0')).arg(i * 7919 % 100000);
    return list;
}

QStringList qrValues()
{
    QStringList list;
    for (int i = 0; i < symbolCount; ++i)
        list << QStringLiteral("https://example.org/badge?id=%1&name=Guest%2")
                    .arg(i, 6, 10, QLatin1Char('0'))
                    .arg(i * 7919);
    return list;
}

// The margins of 0.1 cm and the caption in the given font and size.
BarcodeSettings linearSettings(const QString& family, double captionPoints)
{
    BarcodeSettings settings;
    settings.value_margin = settings.TB_margin = settings.LR_margin = 0.1f * pointsPerCentimetre;
    settings.value_font = QFont(family);
    settings.value_font.setPointSizeF(captionPoints);
    return settings;
}

// zint's symbol geometry at a module width of x points: bars 30 modules high, quiet zones of
// 10 modules; the caption, if any, with margins of 0.1 cm.
QByteArray code128Png(const QString& value, const BarcodeSettings& settings, float x, bool caption = true)
{
    const auto barcode = NKDCode128Barcode::create(value, caption, NKDCode128Barcode::Automatic);
    barcode->setBarWidth(x);
    barcode->setCaptionFontSize(float(settings.value_font.pointSizeF()), settings);
    barcode->setHeight(caption ? 30 * x + barcode->captionHeight() * 72 + settings.value_margin + 2 * settings.TB_margin
                               : 30 * x + 2 * settings.TB_margin);
    barcode->calculateWidth();
    barcode->setWidth(barcode->width() + 20 * x);
    return barcodePng(imageFromBarcode(*barcode, settings), dpi);
}

// One pixel per module, drawn at the module size within a four-module quiet zone.
QByteArray qrPng(const QString& value)
{
    const auto grid = QREncoder::encodeWithECLevel(levelM, 0, value);
    if (!grid)
        return {};
    const int modules = grid->dimension();
    BarcodeSettings settings;
    settings.width = settings.height = float(modules + 2 * qrQuietModules) * qrModulePoints;
    settings.TB_margin = qrQuietModules * qrModulePoints;
    settings.header_margin = 0;
    const QSizeF size(modules * qrModulePoints, modules * qrModulePoints);
    return barcodePng(imageFromBarcodeImage(QREncoder::renderDataMatrix(grid.get(), modules), size, settings), dpi);
}

double ours(const QStringList& values, const std::function<QByteArray(const QString&)>& make, Pngs& pngs)
{
    pngs.clear();
    QElapsedTimer timer;
    timer.start();
    for (const QString& value : values) {
        pngs.push_back(make(value));
        if (pngs.back().isEmpty()) {
            std::fprintf(stderr, "no PNG for %s\n", qPrintable(value));
            return -1;
        }
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

// The same symbols made on one worker per core, as a batch export makes its rows.
double oursOnWorkers(const QStringList& values, const std::function<QByteArray(const QString&)>& make, Pngs& pngs)
{
    pngs.assign(size_t(values.size()), QByteArray());
    const int workers = int(std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<int> next { 0 };
    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            for (int i = next++; i < values.size(); i = next++)
                pngs[size_t(i)] = make(values[i]);
        });
    for (std::thread& thread : threads)
        thread.join();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const bool all = std::none_of(pngs.begin(), pngs.end(), [](const QByteArray& png) { return png.isEmpty(); });
    return all ? seconds : -1;
}

// The pixel size in a PNG stream's header.
QSize pngSize(const QByteArray& png)
{
    const auto number = [&](int at) {
        return png.size() < at + 4 ? 0
                                   : int(quint32(uchar(png[at])) << 24 | quint32(uchar(png[at + 1])) << 16
                                       | quint32(uchar(png[at + 2])) << 8 | quint32(uchar(png[at + 3])));
    };
    return QSize(number(16), number(20));
}

// zint's option for modules of x points: its scale 1 draws 2 pixels a module.
QString zintScale(float x)
{
    return QStringLiteral("--scale=%1").arg(double(x) * dpi / 72 / 2, 0, 'f', 2);
}

double zint(const QStringList& values, const QStringList& options, qint64& bytes, QSize& firstSize)
{
    QTemporaryDir folder;
    const QString input = folder.filePath(QStringLiteral("values.txt"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write(values.join(QLatin1Char('\n')).toUtf8() + '\n');
    file.close();
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(QStringLiteral("zint"),
        options
            + QStringList { QStringLiteral("--batch"), QStringLiteral("--filetype=PNG"), QStringLiteral("--direct"),
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
    firstSize = pngSize(output);
    return seconds;
}

// Best of three: the figures are less at the mercy of other work on the machine.
double bestOfThree(const std::function<double()>& run)
{
    double best = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const double seconds = run();
        if (seconds < 0)
            return -1;
        if (best < 0 || seconds < best)
            best = seconds;
    }
    return best;
}

// How many of the sampled symbols ZXingReader reads back as their value.
int readBack(const Pngs& pngs, const QStringList& values, const QString& format, int& sampled)
{
    QTemporaryDir folder;
    int read = 0;
    sampled = 0;
    for (int i = 0; i < int(pngs.size()); i += sampleEvery) {
        ++sampled;
        const QString path = folder.filePath(QStringLiteral("%1.png").arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            continue;
        file.write(pngs[size_t(i)]);
        file.close();
        QProcess reader;
        reader.start(
            QStringLiteral("ZXingReader"), { QStringLiteral("-format"), format, QStringLiteral("-bytes"), path });
        reader.waitForFinished(30000);
        if (reader.readAllStandardOutput().trimmed() == values[i].toUtf8())
            ++read;
    }
    return read;
}

qint64 totalBytes(const Pngs& pngs)
{
    qint64 total = 0;
    for (const QByteArray& png : pngs)
        total += png.size();
    return total;
}

bool compare(const char* title, const QStringList& values, const std::function<QByteArray(const QString&)>& make,
    const QStringList& zintOptions, const QString& format)
{
    Pngs pngs;
    ours(values.mid(0, 20), make, pngs); // warm the font and glyph caches
    const double oursSeconds = bestOfThree([&] { return ours(values, make, pngs); });
    Pngs parallelPngs;
    const double workersSeconds = bestOfThree([&] { return oursOnWorkers(values, make, parallelPngs); });
    qint64 zintBytes = 0;
    QSize zintSize;
    const double zintSeconds = bestOfThree([&] { return zint(values, zintOptions, zintBytes, zintSize); });
    if (oursSeconds < 0 || workersSeconds < 0 || zintSeconds < 0)
        return false;
    const qint64 oursBytes = totalBytes(pngs);
    int sampled = 0;
    const int read = readBack(pngs, values, format, sampled);
    std::printf("%d %s, PNG at %.0f dpi (best of 3)\n", symbolCount, title, dpi);
    const QSize oursSize = pngSize(pngs.front());
    // BENCH_SAMPLES=folder keeps the first symbol of each kind there, to look at.
    if (const QString samples = qEnvironmentVariable("BENCH_SAMPLES"); !samples.isEmpty()) {
        QFile sample(
            QStringLiteral("%1/%2.png")
                .arg(samples,
                    QString::fromLatin1(title).section(QLatin1Char(','), 0, 0) + QString::number(oursSize.width())));
        if (sample.open(QIODevice::WriteOnly))
            sample.write(pngs.front());
    }
    std::printf("  Galavite: %7.3f s  (%.3f ms per symbol), %8lld bytes, first %d x %d\n", oursSeconds,
        oursSeconds * 1000 / symbolCount, static_cast<long long>(oursBytes), oursSize.width(), oursSize.height());
    std::printf("  zint:     %7.3f s  (%.3f ms per symbol), %8lld bytes, first %d x %d\n", zintSeconds,
        zintSeconds * 1000 / symbolCount, static_cast<long long>(zintBytes), zintSize.width(), zintSize.height());
    std::printf("  zint time / Galavite time = %.2f; Galavite bytes / zint bytes = %.2f\n", zintSeconds / oursSeconds,
        double(oursBytes) / double(zintBytes));
    std::printf("  Galavite on %u workers (as a batch export): %.3f s; zint time / that = %.2f\n",
        std::max(1u, std::thread::hardware_concurrency()), workersSeconds, zintSeconds / workersSeconds);
    std::printf("  ZXingReader read %d of %d sampled symbols\n", read, sampled);
    return read == sampled;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const auto zintCode128 = [](float x) {
        return QStringList { QStringLiteral("-b"), QStringLiteral("20"), zintScale(x), QStringLiteral("--height=30"),
            QStringLiteral("--quietzones") };
    };
    // zint's own geometry: 4-pixel modules (0.96 pt) and a caption about the size of zint's.
    const BarcodeSettings small = linearSettings(QStringLiteral("Liberation Sans"), 7);
    const bool linear = compare(
        "Code 128 symbols with caption, 0.96 pt modules", code128Values(),
        [&small](const QString& value) { return code128Png(value, small, 0.96f); }, zintCode128(0.96f),
        QStringLiteral("Code128"));
    // A barcode object's own defaults: 0.936 pt modules (3.9 pixels) and a 10-point caption in
    // the default font.
    const BarcodeSettings defaults = linearSettings(BarcodeSettings().value_font.family(), 10);
    const auto defaultSymbol = [&defaults](const QString& value) { return code128Png(value, defaults, 0.936f); };
    const bool objectDefaults
        = compare("Code 128 symbols with caption, the object's default 0.936 pt modules and 10 pt caption",
            code128Values(), defaultSymbol, zintCode128(0.936f), QStringLiteral("Code128"));
    // Where their bytes go: the caption band's share.
    Pngs captioned;
    Pngs bare;
    ours(code128Values(), defaultSymbol, captioned);
    const auto withoutCaption
        = [&defaults](const QString& value) { return code128Png(value, defaults, 0.936f, false); };
    ours(code128Values(), withoutCaption, bare);
    std::printf("  the same without caption: %lld bytes (the caption band takes %.0f bytes a symbol)\n",
        static_cast<long long>(totalBytes(bare)), double(totalBytes(captioned) - totalBytes(bare)) / symbolCount);
    const bool qr = compare("QR symbols (level M)", qrValues(), qrPng,
        { QStringLiteral("-b"), QStringLiteral("58"), zintScale(qrModulePoints), QStringLiteral("--secure=2"),
            QStringLiteral("--quietzones") },
        QStringLiteral("QRCode"));
    return linear && objectDefaults && qr ? 0 : 1;
}
