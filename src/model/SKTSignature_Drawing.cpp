// A signature or fingerprint object: its picture follows the record's path, which the
// panel or a loaded design may change at any time; drawing picks the change up.
#include "model/SKTSignature.h"

#include "common/Globals.h"
#include "model/GraphicPainting.h"
#include "model/ModelHooks.h"
#include "model/PictureFile.h"

#include <QPainter>

QString SKTSignature::samplePath() const
{
    return Resource_File(sign_or_fingureprint == QLatin1String("S") ? QStringLiteral("sign_sample.png")
                                                                    : QStringLiteral("fingerprints.png"));
}

void SKTSignature::loadPathLocked(const QString& path)
{
    file_path = path == QLatin1String("Default") ? samplePath() : path;
    Set_Control_File_path(*file_path);
    _contents_img = PictureFile::load(*file_path);
}

void SKTSignature::setFilePath(const QString& path)
{
    std::lock_guard lock(pictureMutex_);
    loadPathLocked(path);
}

void SKTSignature::initWithPosition(const QPointF& centre, const QImage& picture, const QString& kind)
{
    init();
    Set_Sign_Or_FP(kind);
    {
        std::lock_guard lock(pictureMutex_);
        _contents_img = picture;
        file_path = samplePath();
        // The record names the sample too, so the first drawing keeps showing it.
        Set_Control_File_path(*file_path);
    }
    const QSizeF size = PictureFile::sizeInPoints(picture);
    setBounds(QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()));
    ModelHooks::Reset_Image_Editing_Controls();
}

QImage SKTSignature::currentPicture()
{
    std::lock_guard lock(pictureMutex_);
    if (!file_path || *file_path != _file_path)
        loadPathLocked(_file_path);
    return _contents_img;
}

void SKTSignature::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    const QImage picture = currentPicture();
    if (isDrawingStroke())
        GraphicPainting::strokeBounds(painter, *this);
    if (!picture.isNull() && _bounds.width() > 0 && _bounds.height() > 0) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(_bounds, picture);
        painter.restore();
    }
    ModelHooks::Refresh_Canvas();
}
