#include "QRTestTools.h"

#include "support/Patience.h"

#include <QProcess>

#include <future>

namespace qrtest {

Modules modulesOf(const QRModuleGrid& grid)
{
    Modules modules(grid.dimension(), std::vector<bool>(grid.dimension()));
    for (int y = 0; y < grid.dimension(); ++y)
        for (int x = 0; x < grid.dimension(); ++x)
            modules[y][x] = grid.valueAt(x, y) != 0;
    return modules;
}

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!patience::finished(process) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return process.readAllStandardOutput();
}

Modules zintModules(const QByteArray& data, int version, int level, int mask)
{
    const QByteArray dump = runTool(QStringLiteral("zint"),
                                    {QStringLiteral("-b"), QStringLiteral("58"),
                                     QStringLiteral("--vers=%1").arg(version),
                                     QStringLiteral("--secure=%1").arg(level + 1),
                                     QStringLiteral("--mask=%1").arg(mask), QStringLiteral("--dump"),
                                     QStringLiteral("-d"), QString::fromLatin1(data)});
    const int size = 4 * version + 17;
    Modules modules;
    for (const QByteArray& line : dump.split('\n')) {
        const QByteArray hex = line.simplified().replace(' ', "");
        if (hex.isEmpty())
            continue;
        // Hex digits, four modules each, the last group possibly a single digit.
        std::vector<bool> row(size);
        for (int x = 0; x < size && x / 4 < hex.size(); ++x) {
            const int nibble = QByteArray(1, hex[x / 4]).toInt(nullptr, 16);
            row[x] = (nibble >> (3 - x % 4)) & 1;
        }
        modules.push_back(std::move(row));
    }
    return modules;
}

namespace {

// Runs one decoder per file, three at a time.
std::vector<QByteArray> decodeEach(const QStringList& files, const QString& program, const QStringList& options)
{
    std::vector<QByteArray> results(files.size());
    constexpr int kParallel = 3;
    for (qsizetype start = 0; start < files.size(); start += kParallel) {
        std::vector<std::future<QByteArray>> running;
        for (qsizetype i = start; i < std::min<qsizetype>(start + kParallel, files.size()); ++i)
            running.push_back(std::async(std::launch::async, [&, i] { return runTool(program, options + QStringList{files[i]}); }));
        for (size_t k = 0; k < running.size(); ++k)
            results[start + k] = running[k].get();
    }
    return results;
}

}  // namespace

std::vector<QByteArray> zxingDecode(const QStringList& files)
{
    return decodeEach(files, QStringLiteral("ZXingReader"), {QStringLiteral("-format"), QStringLiteral("QRCode"), QStringLiteral("-bytes")});
}

std::vector<QByteArray> zbarDecode(const QStringList& files)
{
    return decodeEach(files, QStringLiteral("zbarimg"),
                      {QStringLiteral("--nodbus"), QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sbinary")});
}

}  // namespace qrtest
