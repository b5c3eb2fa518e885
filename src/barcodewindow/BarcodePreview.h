#pragma once

#include "platform/Picture.h"

#include <QScrollArea>

class QLabel;

// The barcode window's preview: the picture unscaled (one point per screen point) inside a
// scroll area, or the error label in its place when there is no barcode.
class BarcodePreview : public QScrollArea
{
    Q_OBJECT

public:
    explicit BarcodePreview(QWidget* parent = nullptr);

    // Shows the picture centred; a picture wider than the area scrolls sideways, a taller one
    // up and down.
    void Set_Barcode_On_Panel(const Picture& picture);
    // No picture: the error label shows instead, with the reason when one is known.
    void Set_Blank_Image(const QString& why = QString());
    // No picture, and the note alone in its place.
    void showNoBarcode(const QString& note);
    // Places the picture inside the area until the next picture ("Center", "Top", "TopLeft",
    // ...); other texts change nothing.
    void setPlacement(const QString& placement);

    // While on, a dropped text is offered through textDropped() and the picture can be
    // dragged out as an image.
    void setDragAndDropEnabled(bool enabled);

    const Picture& picture() const { return picture_; }
    bool showsError() const;
    QLabel* errorLabel() const { return errorLabel_; }

signals:
    void textDropped(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitView();
    void showDropTarget(bool shown);

    QLabel* image_;
    QLabel* errorLabel_;
    Picture picture_;
    bool dragAndDrop_ = false;
    QPoint pressPosition_;
};
