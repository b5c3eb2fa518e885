#pragma once

#include <QColor>
#include <QToolButton>

// A button that shows a colour and lets the user pick another. Setting the colour from
// code announces nothing; only the user's choice emits colorChosen.
class ColorWell : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    // What the user picked, as if chosen in the colour dialog (tests and keyboard users).
    void chooseColor(const QColor& color);

signals:
    void colorChosen(const QColor& color);

private:
    void openDialog();

    QColor color_ = Qt::black;
};
