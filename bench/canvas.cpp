// The canvas with many objects on a side: a full repaint, a repaint of one object's area,
// a hit test at the back-most object, and reading the selection.
#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "model/Shape_Control.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

struct Side
{
    SKTDocument document;
    DefaultCanvasHost host;
    SKTGraphicView view { document, SKTDocument::Side::Back, host };

    explicit Side(int objects, double zoom = 1.0)
    {
        SKTDocument::Graphics graphics;
        QList<int> indexes;
        for (int i = 0; i < objects; ++i) {
            auto shape = SKTGraphic::create<Shape_Control>();
            shape->setBounds(QRectF((i * 7) % 220, (i * 13) % 140, 20, 12));
            graphics.append(shape);
            indexes.append(i);
        }
        document.insertGraphicsOnSide(SKTDocument::Side::Back, graphics, indexes);
        view.setZoomFactor(zoom);
        view.selectAll();
    }
};

void PaintWholeSide(benchmark::State& state)
{
    Side side(int(state.range(0)), 2.0);
    QImage target(side.view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        side.view.render(&target);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PaintWholeSide)->Arg(10)->Arg(100)->Arg(1000);

void PaintOneObjectArea(benchmark::State& state)
{
    Side side(int(state.range(0)), 2.0);
    QImage target(side.view.size(), QImage::Format_ARGB32_Premultiplied);
    const QRegion area(QRect(100, 100, 60, 40));
    for (auto _ : state)
        side.view.render(&target, QPoint(), area);
}
BENCHMARK(PaintOneObjectArea)->Arg(100)->Arg(1000);

void HitTestBackMost(benchmark::State& state)
{
    Side side(int(state.range(0)), 0.25);
    const QPointF point = side.document.graphics_back().back()->bounds().center();
    for (auto _ : state)
        benchmark::DoNotOptimize(side.view.graphicUnderPoint(point));
}
BENCHMARK(HitTestBackMost)->Arg(100)->Arg(1000);

void SelectionIndexes(benchmark::State& state)
{
    Side side(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(side.view.selectionIndexes());
}
BENCHMARK(SelectionIndexes)->Arg(100)->Arg(1000);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
