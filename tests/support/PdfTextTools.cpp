#include "support/PdfTextTools.h"
#include "support/Patience.h"

#include <QProcess>
#include <QStandardPaths>

namespace PdfTextTools {

QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!patience::finished(process) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

QString text(const QString& pdf)
{
    return toolOutput(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
}

QList<Font> fonts(const QString& pdf)
{
    // Two header lines, then per font: name, type (one or more words), encoding, emb, sub,
    // uni, object number, generation.
    QList<Font> found;
    const QStringList lines = toolOutput(QStringLiteral("pdffonts"), { pdf }).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 7)
            continue;
        const qsizetype last = fields.size() - 1;
        found.append({ fields.front(), fields.at(last - 4) == QLatin1String("yes"),
            fields.at(last - 2) == QLatin1String("yes") });
    }
    return found;
}

} // namespace PdfTextTools
