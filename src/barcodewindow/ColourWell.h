#pragma once

#include <QColor>
#include <QToolButton>

// A button that shows a colour and lets the user choose another in the colour dialog.
class ColourWell : public QToolButton
{
    Q_OBJECT

public:
    explicit ColourWell(const QString& name, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Shows the colour without telling anyone.
    void setColor(const QColor& color);

signals:
    // The user chose a colour.
    void colorChosen(const QColor& color);

private:
    void choose();

    QColor color_ = Qt::black;
};
