#include "render/CardClip.h"

#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "render/CardBasePainter.h"
#include "render/SKTRenderingView.h"

#include <QPaintEngine>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QRectF badge(0, 0, 255.118, 155.906);

// A paint device at 72 dpi that draws nothing and counts the clips set on it.
class ClipCountingDevice : public QPaintDevice
{
public:
    int clips() const { return engine_.clips; }
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 1000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        Engine()
            : QPaintEngine(AllFeatures)
        { }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & (DirtyClipPath | DirtyClipRegion))
                ++clips;
        }
        void drawPath(const QPainterPath&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawRects(const QRectF*, int) override { }
        void drawTextItem(const QPointF&, const QTextItem&) override { }
        void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        Type type() const override { return User; }
        int clips = 0;
    };
    mutable Engine engine_;
};

int clipsPlaying(const Picture& picture)
{
    ClipCountingDevice device;
    {
        QPainter painter(&device);
        picture.draw(painter, QRectF(QPointF(0, 0), picture.size()));
    }
    return device.clips();
}

SKTGraphicPtr name(const QRectF& bounds)
{
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Wilhelmina Overhanging");
    text->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 14);
    text->txt_clr = QColor(Qt::black);
    text->text_alignmnet = 2;
    text->_isDrawingStroke = false;
    text->setBounds(bounds);
    return text;
}

SKTGraphicPtr bar(const QRectF& bounds)
{
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->setBounds(bounds);
    shape->_fillColor = Qt::green;
    shape->_isDrawingStroke = false;
    return shape;
}

} // namespace

TEST(CardClip, AnAreaOnTheCardsEdgeIsInsideItAndOnePastTheOutlineIsNot)
{
    const QRectF edgeToEdge(0, 60, badge.width(), 30);
    const QRectF intoTheCorner(0, 0, 40, 20);
    for (int shape : { 0, 1, 2 }) {
        SCOPED_TRACE(shape);
        const QPainterPath outline = CardBasePainter::cardOutline(badge, shape);
        EXPECT_FALSE(CardClip::reachesPast(outline, QRectF(100, 60, 40, 20)));
        EXPECT_EQ(CardClip::reachesPast(outline, edgeToEdge), shape == 2);
        EXPECT_TRUE(CardClip::reachesPast(outline, edgeToEdge.adjusted(-0.5, 0, 0, 0)));
        EXPECT_TRUE(CardClip::reachesPast(outline, edgeToEdge.adjusted(0, 0, 0.5, 0)));
        EXPECT_EQ(CardClip::reachesPast(outline, intoTheCorner), shape != 0);
        EXPECT_FALSE(CardClip::reachesPast(outline, badge.adjusted(0, 20, 0, -20)) && shape != 2);
    }
    // A name box or a bar against the card's edges, whose drawing bounds leave room for
    // handles past them, does not reach past the card; a bar whose outline lies on the edge does.
    const QPainterPath rounded = CardBasePainter::cardOutline(badge, 1);
    EXPECT_FALSE(CardClip::reachesPast(rounded, *name(QRectF(0, 60, badge.width(), 30))));
    EXPECT_FALSE(CardClip::reachesPast(rounded, *bar(QRectF(0, 60, badge.width(), 30))));
    const SKTGraphicPtr framed = bar(QRectF(0, 60, badge.width(), 30));
    framed->_isDrawingStroke = true;
    EXPECT_TRUE(CardClip::reachesPast(rounded, *framed));
}

// Clipping is slow to play and, in a PDF, repeated for every drawing command under it: a
// rendered side cuts only what reaches past the card's shape.
TEST(CardClip, ARenderedSideCutsOnlyTheObjectsReachingPastTheCard)
{
    const auto clipsOn = [](const QList<SKTGraphicPtr>& objects, const QRectF& frame, int shape) {
        return clipsPlaying(SKTRenderingView::image_From_Card_Graphics(objects, true, { nullptr, shape, frame }));
    };
    // The same objects on a card so large that nothing can reach past it.
    const QRectF roomy = badge.adjusted(-100, -100, 100, 100);
    const QList<SKTGraphicPtr> inside { name(QRectF(0, 60, badge.width(), 30)), bar(QRectF(20, 100, 80, 20)) };
    for (int shape : { 0, 1 }) {
        SCOPED_TRACE(shape);
        EXPECT_EQ(clipsOn(inside, badge, shape), clipsOn(inside, roomy, shape));
        const QList<SKTGraphicPtr> past { name(QRectF(150, 60, 200, 30)), bar(QRectF(20, 100, 80, 20)) };
        EXPECT_GT(clipsOn(past, badge, shape), clipsOn(past, roomy, shape));
    }
}
