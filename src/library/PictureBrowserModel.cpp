#include "library/PictureBrowserModel.h"

#include "library/ThumbnailLoader.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QPixmap>

#include <algorithm>

const QString PictureBrowserModel::rowsMimeType = QStringLiteral("application/x-galavite-picture-rows");

PictureBrowserModel::PictureBrowserModel(QObject* parent)
    : QAbstractListModel(parent)
    , loader_(new ThumbnailLoader(this))
{
    connect(loader_, &ThumbnailLoader::thumbnailReady, this, &PictureBrowserModel::thumbnailReady);
}

PictureBrowserModel::~PictureBrowserModel() = default;

void PictureBrowserModel::setItems(const QList<MyImageObject>& items)
{
    beginResetModel();
    loader_->cancelAll();
    thumbnails_.clear();
    images_ = items;
    indexRows();
    endResetModel();
}

bool PictureBrowserModel::addImageWithPath(const QString& path, const QString& name, const QString& uid)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return false;
    beginInsertRows(QModelIndex(), int(images_.size()), int(images_.size()));
    MyImageObject item { trimmed, name, uid };
    item.setPath(trimmed);
    images_.append(item);
    rowsOfPath_.insert(trimmed, int(images_.size()) - 1);
    endInsertRows();
    return true;
}

void PictureBrowserModel::removeItemsAtIndexes(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        if (row < 0 || row >= images_.size())
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        images_.removeAt(row);
        endRemoveRows();
    }
    indexRows();
}

int PictureBrowserModel::moveItemsAtIndexes(QList<int> rows, int destination)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int row) { return row < 0 || row >= images_.size(); }),
        rows.end());
    destination = std::clamp(destination, 0, int(images_.size()));
    const int before = int(std::count_if(rows.begin(), rows.end(), [&](int row) { return row < destination; }));
    if (rows.isEmpty())
        return destination;
    beginResetModel();
    QList<MyImageObject> moved;
    for (int row : rows)
        moved.append(images_[row]);
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        images_.removeAt(*it);
    const int first = destination - before;
    for (int i = 0; i < moved.size(); ++i)
        images_.insert(first + i, moved[i]);
    indexRows();
    endResetModel();
    return first;
}

bool PictureBrowserModel::hasThumbnail(int row) const
{
    return row >= 0 && row < images_.size() && thumbnails_.contains(images_[row].path);
}

int PictureBrowserModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(images_.size());
}

QVariant PictureBrowserModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= images_.size())
        return {};
    const MyImageObject& item = images_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return item.image_Name;
    case Qt::ToolTipRole:
    case PathRole:
        return item.path;
    case Qt::DecorationRole: {
        const auto found = thumbnails_.constFind(item.path);
        if (found != thumbnails_.constEnd())
            return *found;
        // A view asks only for what it shows: read those first, the rest when scrolled to.
        loader_->request(item.path);
        return {};
    }
    default:
        return {};
    }
}

Qt::ItemFlags PictureBrowserModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList PictureBrowserModel::mimeTypes() const
{
    return { rowsMimeType };
}

QMimeData* PictureBrowserModel::mimeData(const QModelIndexList& indexes) const
{
    QByteArray encoded;
    QDataStream stream(&encoded, QIODevice::WriteOnly);
    QList<int> rows;
    for (const QModelIndex& index : indexes)
        rows.append(index.row());
    stream << rows;
    auto* data = new QMimeData;
    data->setData(rowsMimeType, encoded);
    return data;
}

void PictureBrowserModel::thumbnailReady(const QString& path, const QImage& image)
{
    thumbnails_.insert(path, image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    for (int row : rowsOfPath_.values(path)) {
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, { Qt::DecorationRole });
    }
}

void PictureBrowserModel::indexRows()
{
    rowsOfPath_.clear();
    for (int row = 0; row < images_.size(); ++row)
        rowsOfPath_.insert(images_[row].path, row);
}
