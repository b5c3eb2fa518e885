#include "library/ThumbnailLoader.h"

#include "platform/PictureIntegrity.h"
#include "platform/SafeRead.h"

#include <QBuffer>
#include <QImageReader>
#include <QMetaObject>
#include <QThread>

#include <limits>

ThumbnailLoader::ThumbnailLoader(QObject* parent)
    : QObject(parent)
    , generation_(std::make_shared<std::atomic<int>>(0))
{
    // Leave a core to the GUI thread so that it stays responsive while a folder loads.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

ThumbnailLoader::~ThumbnailLoader()
{
    cancelAll();
    pool_.waitForDone();
}

void ThumbnailLoader::request(const QString& path)
{
    if (pending_.contains(path))
        return;
    pending_.insert(path);
    const int generation = generation_->load();
    // Newer requests get a higher priority: the thread pool runs them first.
    if (priority_ == std::numeric_limits<int>::max())
        priority_ = 0;
    // The destructor waits for running work, and a queued result dies with its receiver.
    pool_.start(
        [this, path, generation, current = generation_] {
            if (current->load() != generation)
                return;
            const QImage image = readThumbnail(path);
            if (current->load() != generation)
                return;
            QMetaObject::invokeMethod(
                this,
                [this, path, image, generation, current] {
                    if (current->load() != generation)
                        return;
                    pending_.remove(path);
                    emit thumbnailReady(path, image);
                },
                Qt::QueuedConnection);
        },
        ++priority_);
}

void ThumbnailLoader::cancelAll()
{
    ++*generation_;
    pool_.clear();
    pending_.clear();
}

QImage ThumbnailLoader::readThumbnail(const QString& path)
{
    QByteArray bytes;
    if (!SafeRead::readRegularFile(path, SafeRead::maxPictureBytes, bytes)
        || !PictureIntegrity::refusal(bytes).isEmpty())
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > edge || size.height() > edge))
        reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio));
    return reader.read();
}
