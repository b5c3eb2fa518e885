#pragma once

#include "library/MyImageObject.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <QList>

class ThumbnailLoader;

// The items of a picture browser in display order, with thumbnails that are decoded off
// the GUI thread when a view first asks for them. Removing items never deletes files.
class PictureBrowserModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role
    {
        PathRole = Qt::UserRole + 1
    };

    explicit PictureBrowserModel(QObject* parent = nullptr);
    ~PictureBrowserModel() override;

    // Replaces every item at once; thumbnails still being read for the old items are dropped.
    void setItems(const QList<MyImageObject>& items);
    const QList<MyImageObject>& images() const { return images_; }
    // Adds one item when the path, trimmed of white space, is not empty.
    bool addImageWithPath(const QString& path, const QString& name, const QString& uid);
    void removeItemsAtIndexes(QList<int> rows);
    // Moves the rows as one block, in their order, to the destination less the number of
    // moved rows that stood before it. Returns the block's first row afterwards.
    int moveItemsAtIndexes(QList<int> rows, int destination);
    // True once the thumbnail of the row has been read (or found unreadable).
    bool hasThumbnail(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    // The private drag format: the dragged rows, readable only by the browser they left.
    static const QString rowsMimeType;

private:
    void thumbnailReady(const QString& path, const QImage& image);
    void indexRows();

    QList<MyImageObject> images_;
    // Where each path stands, so that a thumbnail finds its rows without a search.
    QMultiHash<QString, int> rowsOfPath_;
    QHash<QString, QIcon> thumbnails_;
    ThumbnailLoader* loader_;
};
