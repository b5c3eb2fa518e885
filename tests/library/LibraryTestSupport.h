#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

// Writes a small picture (or any bytes, for names that must not be pictures) into a folder.
inline void writePicture(const QString& folder, const QString& name, const QSize& size = QSize(40, 30))
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(200, 80, 40));
        image.save(path, suffix == QLatin1String("png") ? "PNG" : "JPEG");
    } else {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("not a picture");
    }
}
