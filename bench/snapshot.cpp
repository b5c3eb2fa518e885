// What a batch job pays before its first row: the snapshot of a two-sided card taken on the
// GUI thread (which the person waits for) and each worker's own copy of it.
#include "jobs/CardSnapshot.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

namespace {

// 40 objects: texts, shapes, pictures and barcodes in turn.
QList<SKTGraphicPtr> side()
{
    QImage picture(600, 400, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    const Picture barcode = Picture::record(QSizeF(120, 40), [](QPainter& painter) {
        for (int x = 0; x < 120; x += 3)
            painter.fillRect(QRectF(x, 0, 1.5, 40), Qt::black);
    });
    QList<SKTGraphicPtr> graphics;
    for (int i = 0; i < 40; ++i) {
        switch (i % 4) {
        case 0: {
            auto text = SKTGraphic::create<SKTText>();
            text->Text_contents()->setString(QStringLiteral("You are invited to our party"));
            graphics.append(text);
            break;
        }
        case 1:
            graphics.append(SKTGraphic::create<Shape_Control>());
            break;
        case 2: {
            auto image = SKTGraphic::create<SKTImage>();
            image->setPicture(picture);
            graphics.append(image);
            break;
        }
        default: {
            auto code = SKTGraphic::create<SKTBarcode>();
            code->Set_Barcode_image(barcode);
            graphics.append(code);
        }
        }
    }
    return graphics;
}

void TakeSnapshot(benchmark::State& state)
{
    const QList<SKTGraphicPtr> front = side();
    const QList<SKTGraphicPtr> back = side();
    const auto settings = Card_Property::create();
    for (auto _ : state)
        benchmark::DoNotOptimize(CardSnapshot::take(front, back, *settings, *settings, 0, QRectF(0, 0, 243, 154)));
    state.SetItemsProcessed(state.iterations() * (front.size() + back.size()));
}
BENCHMARK(TakeSnapshot);

void WorkerCopy(benchmark::State& state)
{
    const auto settings = Card_Property::create();
    const CardSnapshot snapshot = CardSnapshot::take(side(), side(), *settings, *settings, 0, QRectF(0, 0, 243, 154));
    for (auto _ : state)
        benchmark::DoNotOptimize(snapshot.clone());
}
BENCHMARK(WorkerCopy);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
