#pragma once

#include <QPixmap>
#include <QWidget>

// A band filled with copies of a picture, the first one at the band's own top left corner
// wherever the band lies in its window (the banner of the help and review windows).
class Repeat_Image : public QWidget
{
    Q_OBJECT

public:
    explicit Repeat_Image(const QPixmap& tile, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap tile_;
};
