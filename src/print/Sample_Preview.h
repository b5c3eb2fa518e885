#pragma once

#include "render/PrintLayout.h"

#include <QSizeF>
#include <QWidget>

// The sheet as the print window's settings lay it out: every cell of one sheet with a
// numbered caption ("Card 3", "Back 3") and, when outlines are on, its box; no card
// pictures. One pixel is one point of paper.
class Sample_Preview : public QWidget
{
    Q_OBJECT

public:
    explicit Sample_Preview(QWidget* parent = nullptr);

    // The settings to show and the size of the front card (empty: no card to print).
    void showSettings(const PrintLayout::PrintSettings& settings, const QSizeF& cardSize);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PrintLayout::PrintSettings settings_;
    QSizeF cardSize_;
};
