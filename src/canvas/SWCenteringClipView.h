#pragma once

#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

class SKTGraphicView;

// The view the canvas sits in: a grey backdrop and the card's shadowed silhouette, with a
// card smaller than the window kept centred.
class SWCenteringClipView : public QWidget
{
    Q_OBJECT

public:
    explicit SWCenteringClipView(QWidget* parent = nullptr);

    // The widget whose outline gets the shadow (the canvas); none draws no silhouette.
    void setDocumentView(SKTGraphicView* document) { document_ = document; }

    // The visible area's origin in the document for a proposed scroll position: centred
    // (rounded, halves away from zero) on an axis where the document is smaller than the
    // clip, else clamped to the document's extent and rounded.
    static QPointF constrainScrollPoint(const QPointF& proposed, const QSizeF& document, const QSizeF& clip);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<SKTGraphicView> document_;
};
