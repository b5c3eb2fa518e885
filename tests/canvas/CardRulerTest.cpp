#include "CanvasTestSupport.h"

#include "canvas/CardRuler.h"
#include "canvas/SKTZoomingScrollView.h"

#include <QScrollBar>

TEST(CardRuler, LabelsStayApartAtEveryZoomFactor)
{
    for (const auto& [factor, label] : SKTZoomingScrollView::zoomFactors()) {
        const double step = CardRuler::labelStep(factor);
        EXPECT_GE(step * factor, 40.0) << label.toStdString();
        // The next smaller step would crowd them: the step is the smallest that fits.
        EXPECT_LT(step * factor, 40.0 * 2.5 + 1e-9) << label.toStdString();
    }
}

TEST(CardRuler, FollowsTheCardThroughZoomAndScrolling)
{
    SKTDocument document;
    DefaultCanvasHost host;
    SKTZoomingScrollView scroll;
    auto* canvas = new SKTGraphicView(document, SKTDocument::Side::Front, host);
    scroll.setDocumentView(canvas);
    scroll.resize(400, 300);
    scroll.setRulersVisible(true);
    scroll.show();
    EXPECT_EQ(scroll.horizontalRuler()->origin(), canvas->pos().x());
    EXPECT_EQ(scroll.verticalRuler()->origin(), canvas->pos().y());

    scroll.setFactor(4.0); // larger than the view: it scrolls
    scroll.horizontalScrollBar()->setValue(200);
    EXPECT_EQ(scroll.horizontalRuler()->factor(), 4.0);
    EXPECT_EQ(scroll.horizontalRuler()->origin(), canvas->pos().x());
    EXPECT_LT(scroll.horizontalRuler()->origin(), 0.0);

    scroll.setRulersVisible(false);
    EXPECT_FALSE(scroll.rulersVisible());
}
