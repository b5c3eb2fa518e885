#include "library/PictureBrowser.h"

#include "library/PictureBrowserModel.h"

#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Every cell has the thumbnail's place, whether or not the picture has been read yet, so
// that the grid does not jump as thumbnails arrive.
class ThumbnailDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        // Wide enough for a usual file name under a small thumbnail.
        const QSize icon = option.decorationSize;
        const int width = std::max(icon.width() + 16, option.fontMetrics.averageCharWidth() * 16);
        return QSize(width, icon.height() + option.fontMetrics.height() + 14);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
};

} // namespace

PictureBrowser::PictureBrowser(QWidget* parent)
    : QListView(parent)
    , model_(new PictureBrowserModel(this))
{
    setModel(model_);
    // A wrapping left-to-right list rather than the free icon mode: dropping reorders the
    // items instead of placing them anywhere.
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideMiddle);
    setItemDelegate(new ThumbnailDelegate(this));
    setSpacing(6);
    setZoomValue(zoom_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QString path = firstSelectedPath();
        if (!path.isEmpty())
            emit imageBrowserSelectionDidChange(path);
    });
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        emit pictureClicked(index.data(PictureBrowserModel::PathRole).toString());
    });
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit pictureChosen(index.data(PictureBrowserModel::PathRole).toString());
    });
}

void PictureBrowser::setZoomValue(double zoom)
{
    zoom_ = std::clamp(zoom, 0.0, 1.0);
    const int edge = int(48 + zoom_ * 208);
    setIconSize(QSize(edge, edge));
}

QList<int> PictureBrowser::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString PictureBrowser::firstSelectedPath() const
{
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? QString() : model_->images()[rows.first()].path;
}

void PictureBrowser::selectRow(int row)
{
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void PictureBrowser::initViewItemOption(QStyleOptionViewItem* option) const
{
    QListView::initViewItemOption(option);
    option->decorationPosition = QStyleOptionViewItem::Top;
    option->decorationAlignment = Qt::AlignCenter;
    option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
}

void PictureBrowser::startDrag(Qt::DropActions)
{
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(model_->mimeData(indexes));
    const QIcon icon = indexes.first().data(Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull())
        drag->setPixmap(icon.pixmap(iconSize() / 2));
    // The drop reorders in place, so nothing is removed when the drag ends.
    drag->exec(Qt::MoveAction);
}

void PictureBrowser::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this && event->mimeData()->hasFormat(PictureBrowserModel::rowsMimeType))
        QListView::dragEnterEvent(event);
    else
        event->ignore();
}

void PictureBrowser::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this && event->mimeData()->hasFormat(PictureBrowserModel::rowsMimeType))
        QListView::dragMoveEvent(event);
    else
        event->ignore();
}

int PictureBrowser::dropRow(const QPoint& position) const
{
    const QModelIndex target = indexAt(position);
    if (!target.isValid())
        return model_->rowCount();
    const QRect rect = visualRect(target);
    return position.x() > rect.center().x() ? target.row() + 1 : target.row();
}

void PictureBrowser::dropEvent(QDropEvent* event)
{
    if (event->source() != this || !event->mimeData()->hasFormat(PictureBrowserModel::rowsMimeType)) {
        event->ignore();
        return;
    }
    const QList<int> rows = selectedRows();
    const int first = model_->moveItemsAtIndexes(rows, dropRow(event->position().toPoint()));
    event->setDropAction(Qt::MoveAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    // The moved pictures stay selected in their new place.
    QItemSelection moved(model_->index(first), model_->index(first + int(rows.size()) - 1));
    selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
}

void PictureBrowser::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        model_->removeItemsAtIndexes(selectedRows());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}
