#pragma once

#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Decodes thumbnails on worker threads (QImage only), the latest request first, so that
// the pictures the user looks at now come before the ones scrolled past. Each picture is
// read at no more than `edge` pixels on its longer side, which lets the JPEG reader decode
// at a reduced scale instead of reading the whole picture.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    static constexpr int edge = 256;

    explicit ThumbnailLoader(QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    // Asks for the thumbnail of a file once; thumbnailReady follows on this object's thread.
    void request(const QString& path);
    // Drops the requests not started yet and ignores the results of the running ones.
    void cancelAll();

    // The thumbnail of a file, read on the calling thread; null when unreadable.
    static QImage readThumbnail(const QString& path);

signals:
    // A null image when the file could not be read as a picture.
    void thumbnailReady(const QString& path, const QImage& image);

private:
    QThreadPool pool_;
    QSet<QString> pending_;
    std::shared_ptr<std::atomic<int>> generation_;
    int priority_ = 0;
};
