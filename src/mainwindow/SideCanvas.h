#pragma once

#include "model/SKTDocument.h"

#include <QImage>
#include <QWidget>

#include <functional>

// The canvas of one side as the main window uses it: shows the side's objects at the
// card's size, creates objects for the tool buttons and keeps the selection. The full
// editing canvas takes its place behind this same interface.
class SideCanvas : public QWidget
{
    Q_OBJECT

public:
    // What a canvas needs from the main window when it makes an object.
    struct Host
    {
        std::function<QPointF(const QString& cardSide)> nextPoint;
        std::function<int()> currentTool;
        std::function<QString()> selectedImageFile;
        std::function<QImage(int tool)> placeholder;
        // Paints the card's base (fill, picture, border) of a side under its objects.
        std::function<void(QPainter&, SKTDocument::Side, const QRectF&)> drawBase;
    };

    SideCanvas(SKTDocument& document, SKTDocument::Side side, Host host, QWidget* parent = nullptr);

    SKTDocument::Side side() const { return side_; }
    const SKTDocument::Graphics& graphics() const { return document_.graphicsOfSide(side_); }

    // Creates one object for the current tool, in front of all others, and selects it.
    // Without useRect the size is 50 by 50; without an identifier the origin is the next
    // free position of the side.
    SKTGraphicPtr createGraphicOfClass(const QString& className, bool useRect, const QRectF& boundRect,
        const QString& cardSide, const QString& value, const QString& controlID);
    SKTGraphicPtr selectedGraphic() const { return selected_.lock(); }
    void selectGraphic(const SKTGraphicPtr& graphic) { selected_ = graphic; }
    void delete_all_control();

    void setCanvasSize(const QSizeF& points);
    QSizeF canvasSize() const { return size_; }
    QRectF bounds() const { return QRectF(QPointF(), size_); }
    void Refresh_Canvas();
    int refreshCount() const { return refreshCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SKTDocument& document_;
    SKTDocument::Side side_;
    Host host_;
    QSizeF size_;
    std::weak_ptr<SKTGraphic> selected_;
    int refreshCount_ = 0;
    bool painting_ = false;
};
