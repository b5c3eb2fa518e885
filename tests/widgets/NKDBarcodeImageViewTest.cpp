// The barcode picture view takes the focus but ignores clicks.
#include "widgets/NKDBarcodeImageView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TEST(NKDBarcodeImageView, ClickChangesNothingYetTheViewTakesFocus)
{
    NKDBarcodeImageView view;
    const Picture picture
        = Picture::record(QSizeF(40, 20), [](QPainter& painter) { painter.fillRect(QRectF(0, 0, 10, 20), Qt::black); });
    view.setPicture(picture);
    view.resize(100, 50);
    view.show();
    EXPECT_EQ(view.sizeHint(), QSize(40, 20));
    EXPECT_NE(view.focusPolicy() & Qt::ClickFocus, 0);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 25), view.mapToGlobal(QPointF(50, 25)), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &press);
    EXPECT_TRUE(press.isAccepted());
    EXPECT_EQ(view.picture().size(), picture.size());
}

} // namespace
