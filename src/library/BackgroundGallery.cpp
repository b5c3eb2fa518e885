#include "library/BackgroundGallery.h"

#include "common/Globals.h"
#include "library/PictureBrowserModel.h"
#include "library/PictureFolder.h"

#include <QFileInfo>
#include <QScrollBar>

BackgroundGallery::BackgroundGallery(QWidget* parent)
    : PictureBrowser(parent)
{
    setWrapping(false);
    setFlow(QListView::LeftToRight);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Small enough that a row fits under the card on a 768-pixel screen.
    setZoomValue(0.15);
    setToolTip(QStringLiteral("Click a picture (or press Enter on it) to make it the background of the card's front"));
    // Moving through the strip with the keys only looks: a picture is applied when clicked,
    // double-clicked or confirmed with Enter.
    connect(this, &PictureBrowser::pictureClicked, this, &BackgroundGallery::choose);
    connect(this, &QListView::activated, this,
        [this](const QModelIndex& index) { choose(index.data(PictureBrowserModel::PathRole).toString()); });
}

void BackgroundGallery::choose(const QString& path)
{
    if (path.isEmpty())
        return;
    selected_image = path;
    emit backgroundChosen(path);
}

void BackgroundGallery::Load_and_fill_backgrounds()
{
    const QString folder = Resource_File(QStringLiteral("Background"));
    if (QFileInfo(folder).isDir())
        pictures()->setItems(pictureItemsInFolder(folder));
}

QSize BackgroundGallery::sizeHint() const
{
    const int row = sizeHintForRow(0) > 0 ? sizeHintForRow(0) : iconSize().height() + fontMetrics().height() + 14;
    return QSize(400, row + 2 * spacing() + horizontalScrollBar()->sizeHint().height() + 2 * frameWidth());
}
