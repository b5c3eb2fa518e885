#include "PdfTools.h"

#include "support/PdfTextTools.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

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

QList<QImage> pages(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    run(QStringLiteral("pdftoppm"), { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf,
                                        dir.filePath(QStringLiteral("page")) });
    QList<QImage> images;
    // Named page-1.png or page-001.png, by the page count: in name order, pages in order.
    for (const QString& name : QDir(dir.path()).entryList({ QStringLiteral("page-*.png") }, QDir::Files, QDir::Name))
        images << QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32);
    return images;
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

int clipPathsOnFirstPage(const QString& pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    // Qt writes every object plainly (no object streams) and deflates the page's content.
    const QRegularExpressionMatch contents
        = QRegularExpression(QStringLiteral("/Contents (\\d+) 0 R")).match(QString::fromLatin1(bytes));
    if (!contents.hasMatch())
        return -1;
    const QByteArray object = "\n" + contents.captured(1).toLatin1() + " 0 obj";
    const qsizetype at = bytes.indexOf(object);
    const qsizetype start = at < 0 ? -1 : bytes.indexOf("stream\n", at);
    const qsizetype end = start < 0 ? -1 : bytes.indexOf("endstream", start);
    if (end < 0)
        return -1;
    // qUncompress wants the inflated size in front; a guess too small only makes it retry.
    const QByteArray deflated = bytes.mid(start + 7, end - start - 7);
    QByteArray framed(4, '\0');
    qToBigEndian(quint32(deflated.size()) * 16, framed.data());
    framed += deflated;
    const QByteArray content = qUncompress(framed);
    if (content.isEmpty())
        return -1;
    int count = 0;
    const QRegularExpression clip(QStringLiteral("\\sW\\*?\\s+n\\s"));
    for (auto matches = clip.globalMatch(QString::fromLatin1(content)); matches.hasNext(); matches.next())
        ++count;
    return count;
}

} // namespace PdfTools
