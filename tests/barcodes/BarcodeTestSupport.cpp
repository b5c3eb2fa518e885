#include "BarcodeTestSupport.h"

#include "barcodes/BarcodePictures.h"
#include "barcodes/NKDBarcode.h"
#include "platform/PngEncoder.h"
#include "support/Patience.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace barcodetest {

namespace {

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!patience::finished(process))
        return {};
    return process.readAllStandardOutput();
}

// Written by the program's own PNG writer, so that the decoders also judge its output.
QString savedPng(const QImage& image, QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("symbol.png"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(encodePngFast(image));
    return path;
}

} // namespace

QImage renderForDecoding(NKDBarcode& barcode, const BarcodeSettings& settings)
{
    barcode.setBarWidth(1.0f);
    barcode.calculateWidth();
    barcode.setWidth(barcode.width() + 2 * quietModules);
    barcode.setHeight(40.0f);
    return imageFromBarcode(barcode, settings).toImage(72.0 * pixelsPerModule, Qt::white);
}

QImage decodable(const Picture& picture, double dpi)
{
    const QImage drawn = picture.toImage(dpi, Qt::white);
    QImage framed(drawn.width() + 80, drawn.height() + 80, QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter(&framed).drawImage(40, 40, drawn);
    return framed;
}

QByteArray zxingRead(const QImage& image, const QString& format)
{
    QTemporaryDir dir;
    return runTool(QStringLiteral("ZXingReader"),
        { QStringLiteral("-format"), format, QStringLiteral("-bytes"), savedPng(image, dir) });
}

QByteArray zbarRead(const QImage& image, const QStringList& extraOptions)
{
    QTemporaryDir dir;
    QStringList arguments = extraOptions;
    arguments << QStringLiteral("-q") << QStringLiteral("--raw") << savedPng(image, dir);
    QByteArray read = runTool(QStringLiteral("zbarimg"), arguments);
    if (read.endsWith('\n'))
        read.chop(1);
    return read;
}

QStringList zintDump(int symbology, const QByteArray& data, const QStringList& extraOptions)
{
    QStringList arguments { QStringLiteral("-b"), QString::number(symbology), QStringLiteral("--dump"),
        QStringLiteral("-d"), QString::fromLatin1(data) };
    arguments << extraOptions;
    const QString dump = QString::fromLatin1(runTool(QStringLiteral("zint"), arguments));
    QStringList rows;
    for (const QString& line : dump.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QString bits;
        for (const QChar c : line) {
            bool ok = false;
            const int nibble = QString(c).toInt(&ok, 16);
            if (ok)
                bits += QStringLiteral("%1").arg(nibble, 4, 2, QLatin1Char('0'));
        }
        rows << bits;
    }
    return rows;
}

std::vector<Run> barRuns(const std::string& modules)
{
    std::vector<Run> runs;
    for (size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '1')
            continue;
        if (i > 0 && modules[i - 1] == '1')
            ++runs.back().length;
        else
            runs.push_back({ int(i), 1 });
    }
    return runs;
}

} // namespace barcodetest
