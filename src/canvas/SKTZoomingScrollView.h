#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QPair>
#include <QPointer>

class CardRuler;
class QComboBox;
class SKTGraphicView;
class SWCenteringClipView;

// The scroll view around a canvas, with the zoom factor pop-up to the left of its
// horizontal scroll bar. Zooming scales the canvas; a canvas smaller than the window stays
// centred over the backdrop.
class SKTZoomingScrollView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit SKTZoomingScrollView(QWidget* parent = nullptr);

    // The zoom table: factors and their labels, in pop-up order.
    static const QList<QPair<double, QString>>& zoomFactors();

    void setDocumentView(SKTGraphicView* canvas);
    SKTGraphicView* documentView() const { return canvas_; }
    SWCenteringClipView* clipView() const;
    QComboBox* factorPopUpButton() const { return factorPopUp_; }

    double factor() const { return factor_; }
    void setFactor(double factor);
    // The visible area in card points: the clip's size divided by the factor.
    QSizeF clipBoundsSize() const;
    // Centres a canvas smaller than the window and keeps a larger one within its extent.
    void centerDocument();

    // Rulers in points along the top and left, following zoom and scrolling.
    void setRulersVisible(bool visible);
    bool rulersVisible() const;
    CardRuler* horizontalRuler() const { return horizontalRuler_; }
    CardRuler* verticalRuler() const { return verticalRuler_; }
    // Marks an object's bounds (card points) on both rulers; a null rectangle clears them.
    void echoBoundsOnRulers(const QRectF& bounds);

signals:
    // The user chose a factor in the pop-up (the main window shares it with every side).
    void factorChosen(double factor);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void validateFactorPopUpButton();
    void updateScrollBars();
    // After the canvas grew or shrank around the objects, scrolls by as much as the card
    // moved on it, so that the card stays in view (a far-reaching object opens at the card).
    void keepCardInPlace();
    void layoutRulers();

    QPointer<SKTGraphicView> canvas_;
    QComboBox* factorPopUp_ = nullptr;
    double factor_ = 1.0;
    QPointF cardOrigin_; // where the card's top-left was on the canvas at the last resize
    double originFactor_ = 0.0; // the zoom factor cardOrigin_ was taken at
    CardRuler* horizontalRuler_ = nullptr;
    CardRuler* verticalRuler_ = nullptr;
};
