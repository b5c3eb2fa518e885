// Time per picture of the image effects chain on a photo-sized picture.
#include "images/ImageProcesser.h"
#include "images/ImageRotation.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

// 2000 x 1500 with smooth gradients, shapes and grain, like a photo as far as the filters
// care: every pixel differs from its neighbours.
const QImage& photo()
{
    static const QImage picture = [] {
        QImage image(2000, 1500, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, 1500);
        sky.setColorAt(0, QColor(90, 140, 220));
        sky.setColorAt(1, QColor(240, 200, 150));
        painter.fillRect(image.rect(), sky);
        painter.setRenderHint(QPainter::Antialiasing);
        QRandomGenerator random(7);
        for (int i = 0; i < 60; ++i) {
            painter.setBrush(QColor::fromHsv(random.bounded(360), 120 + random.bounded(120), 80 + random.bounded(170)));
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(QPointF(random.bounded(2000), random.bounded(1500)), 40 + random.bounded(200),
                                40 + random.bounded(160));
        }
        painter.end();
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int grain = int(random.bounded(17)) - 8;
                const QRgb p = line[x];
                line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                               qBound(0, qBlue(p) + grain, 255));
            }
        }
        return image;
    }();
    return picture;
}

void runChain(benchmark::State& state, const ImageEffectSettings& settings)
{
    const QImage& picture = photo();
    for (auto _ : state) {
        QImage result = ImageProcesser::Get_Processed_Image(picture, settings);
        benchmark::DoNotOptimize(result.constBits());
    }
    state.counters["pictures/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Three effects of different kinds: a colour map, colour controls and a blur.
ImageEffectSettings threeEffects(float rotation)
{
    ImageEffectSettings settings;
    settings.Sepia = true;
    settings.sat_val = 1.3f;
    settings.con_val = 1.1f;
    settings.blr_val = 3.0f;
    settings.rotate_image = rotation;
    return settings;
}

void BM_ChainThreeEffectsQuarterTurn(benchmark::State& state)
{
    runChain(state, threeEffects(90));
}

void BM_ChainThreeEffectsTurned15(benchmark::State& state)
{
    runChain(state, threeEffects(15));
}

void BM_ChainAllNeutral(benchmark::State& state)
{
    runChain(state, ImageEffectSettings{});
}

void BM_ChainEveryEffect(benchmark::State& state)
{
    ImageEffectSettings settings = threeEffects(15);
    settings.gray_Scale = settings.invert_clr = true;
    settings.hue_val = 0.5f;
    settings.brt_val = 0.05f;
    settings.srp_val = 0.4f;
    settings.ev_val = 0.5f;
    runChain(state, settings);
}

template<class Effect>
void runEffect(benchmark::State& state, Effect effect)
{
    const QImage& picture = photo();
    for (auto _ : state) {
        QImage result = effect(picture);
        benchmark::DoNotOptimize(result.constBits());
    }
}

void BM_Sepia(benchmark::State& state)
{
    runEffect(state, [](const QImage& p) { return ImageProcesser::Sepia(p); });
}

void BM_ColourControls(benchmark::State& state)
{
    runEffect(state, [](const QImage& p) { return ImageProcesser::adjust_Color_Control(p, 1.3f, 0.05f, 1.1f); });
}

void BM_Sharpen(benchmark::State& state)
{
    runEffect(state, [](const QImage& p) { return ImageProcesser::adjust_Sharpness(p, 0.4f); });
}

void BM_BoxBlur(benchmark::State& state)
{
    const float radius = float(state.range(0));
    runEffect(state, [radius](const QImage& p) { return ImageProcesser::adjust_boxBlur(p, radius); });
}

void BM_Exposure(benchmark::State& state)
{
    runEffect(state, [](const QImage& p) { return ImageProcesser::adjust_EV(p, 0.5f); });
}

void BM_Rotation(benchmark::State& state)
{
    const float degrees = float(state.range(0));
    runEffect(state, [degrees](const QImage& p) { return ImageRotation::imageRotated(p, degrees); });
}

} // namespace

BENCHMARK(BM_Rotation)->Arg(90)->Arg(180)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainThreeEffectsQuarterTurn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainThreeEffectsTurned15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainEveryEffect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChainAllNeutral)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sepia)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourControls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sharpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxBlur)->Arg(3)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Exposure)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
