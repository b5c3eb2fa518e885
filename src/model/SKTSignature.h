#pragma once

#include "model/SKTGraphic.h"

#include <QImage>

#include <mutex>
#include <optional>

// A signature or fingerprint picture (sign_or_fingureprint "S" or "F").
class SKTSignature : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;
    void takeValuesOf(const SKTGraphic& saved) override;

    // Made at a centre showing the sample picture of its kind ("S" or "F"), which is also
    // its file path.
    void initWithPosition(const QPointF& centre, const QImage& picture, const QString& kind);
    // "Default" stands for the kind's sample picture; the path is stored and loaded.
    void setFilePath(const QString& path) override;

    bool isDrawingFill() const override { return false; }
    // Reloads the picture when the record's path has changed, then draws the border and the
    // picture stretched over the bounds.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

protected:
    SKTSignature() = default;
    SKTSignature(const SKTSignature& other);

private:
    QString samplePath() const;
    void loadPathLocked(const QString& path);
    QImage currentPicture();

    mutable std::mutex pictureMutex_; // drawing may reload the picture on any thread
    QImage _contents_img;
    std::optional<QString> file_path; // the path the picture was last loaded from
};
