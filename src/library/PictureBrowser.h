#pragma once

#include <QListView>

class PictureBrowserModel;

// The one picture browser of the program: a grid of thumbnails with their titles that the
// user may reorder by dragging and thin out with Delete (the files stay on disk). Nothing
// can be dragged out of it. A double-click on a picture chooses it, as Enter on the window
// does.
class PictureBrowser : public QListView
{
    Q_OBJECT

public:
    explicit PictureBrowser(QWidget* parent = nullptr);

    PictureBrowserModel* pictures() const { return model_; }
    // Thumbnail size from 0 (smallest) to 1 (largest).
    void setZoomValue(double zoom);
    double zoomValue() const { return zoom_; }
    // The path of the lowest selected row; "" when nothing is selected.
    QString firstSelectedPath() const;
    QList<int> selectedRows() const;
    void selectRow(int row);

signals:
    // The selection changed and is not empty: the path of its lowest row.
    void imageBrowserSelectionDidChange(const QString& path);
    // The user clicked on a picture.
    void pictureClicked(const QString& path);
    // The user double-clicked a picture: the window takes it as its choice.
    void pictureChosen(const QString& path);

protected:
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int dropRow(const QPoint& position) const;

    PictureBrowserModel* model_;
    double zoom_ = 0.4;
};
