#include "PdfTools.h"

#include "support/PdfTextTools.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace PdfTools {

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    return PdfTextTools::toolOutput(program, arguments);
}

} // namespace

bool available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

int pageCount(const QString& pdf)
{
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), { pdf }));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage page(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number, QStringLiteral("-l"), number,
            QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, base });
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString text(const QString& pdf, int page)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"),
        { QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-") });
}

QList<int> imageObjects(const QString& pdf)
{
    // page num type width height color comp bpc enc interp object ID ...
    QList<int> objects;
    const QStringList lines = run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), pdf }).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 10 && fields.at(2) == QLatin1String("image"))
            objects.append(fields.at(10).toInt());
    }
    return objects;
}

} // namespace PdfTools
