#pragma once

#include "platform/Picture.h"

#include <QWidget>

// Shows a barcode picture. It can take the keyboard focus, but a click neither starts a drag
// nor changes anything.
class NKDBarcodeImageView : public QWidget
{
public:
    explicit NKDBarcodeImageView(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    Picture picture() const { return picture_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Picture picture_;
};
