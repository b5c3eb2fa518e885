#include "Pdf417TestOracles.h"

#include "barcodes/pdf417Images.h"
#include "barcodes/pdf417param.h"
#include "support/Patience.h"

#include <QProcess>
#include <QTemporaryDir>

namespace pdf417test {

std::vector<std::optional<QByteArray>> decodeWithZXing(const std::vector<QImage>& images)
{
    std::vector<std::optional<QByteArray>> results(images.size());
    QTemporaryDir folder;
    QStringList arguments{QStringLiteral("-format"), QStringLiteral("PDF417")};
    for (size_t i = 0; i < images.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("symbol%1.png").arg(i));
        images[i].save(path);
        arguments << path;
    }
    QProcess reader;
    reader.start(QStringLiteral("ZXingReader"), arguments);
    if (!patience::finished(reader))
        return results;
    // One block per file: "File: <path>" (only when there are several), then "Bytes: <hex>"
    // when a symbol was read.
    int current = images.size() == 1 ? 0 : -1;
    const QList<QByteArray> lines = reader.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("File:")) {
            const QByteArray name = line.mid(line.lastIndexOf('/') + 1);
            current = name.mid(6, name.size() - 10).toInt(); // "symbol<i>.png"
        } else if (line.startsWith("Bytes:") && current >= 0 && size_t(current) < results.size()) {
            results[size_t(current)] = QByteArray::fromHex(line.mid(6).simplified().replace(' ', ""));
        }
    }
    return results;
}

QImage decodableImage(const pdf417param& param)
{
    return pdf417ModuleImage(pdf417BitImage(param), 2, 6, 4);
}

QStringList zintRows(const QByteArray& data, int columns, int level)
{
    QProcess zint;
    zint.start(QStringLiteral("zint"), {QStringLiteral("-b"), QStringLiteral("55"), QStringLiteral("--cols=%1").arg(columns),
                                        QStringLiteral("--secure=%1").arg(level), QStringLiteral("--dump"),
                                        QStringLiteral("-d"), QString::fromLatin1(data)});
    if (!patience::finished(zint))
        return {};
    return QString::fromLatin1(zint.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QStringList moduleRows(const pdf417param& param)
{
    const QImage bits = pdf417BitImage(param);
    QStringList rows;
    const int bytesPerRow = (bits.width() + 7) / 8;
    for (int y = 0; y < bits.height(); ++y) {
        QByteArray row(reinterpret_cast<const char*>(bits.constScanLine(y)), bytesPerRow);
        // Bits past the last module are spaces in zint's dump.
        if (const int spare = bytesPerRow * 8 - bits.width())
            row[bytesPerRow - 1] = char(uchar(row[bytesPerRow - 1]) & uchar(0xff << spare));
        // zint writes as many hexadecimal digits as the modules need, in groups of two.
        QString hex = QString::fromLatin1(row.toHex(' ').toUpper());
        if (bits.width() % 8 != 0 && bits.width() % 8 <= 4)
            hex.chop(1);
        rows << hex;
    }
    return rows;
}

std::string rowDifference(const QStringList& ours, const QStringList& reference)
{
    if (ours.size() != reference.size())
        return QStringLiteral("%1 rows against %2").arg(ours.size()).arg(reference.size()).toStdString();
    for (int i = 0; i < ours.size(); ++i) {
        if (ours[i] != reference[i])
            return QStringLiteral("row %1:\n ours %2\n zint %3").arg(i).arg(ours[i], reference[i]).toStdString();
    }
    return {};
}

pdf417param encode(const QByteArray& text, int options, int columns, int rows, int level)
{
    pdf417param param;
    pdf417init(param);
    param.text = text;
    param.lenText = int(text.size());
    param.options = options;
    param.codeColumns = columns;
    param.codeRows = rows;
    param.errorLevel = level;
    paintCode(param);
    return param;
}

} // namespace pdf417test
