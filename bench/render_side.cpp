// Renders a CR80 card side (243 x 154 points) holding 40 objects of every kind to PNG at
// 300 dpi, and reports cards per second and memory after 1 and after 500 renders: memory
// must stay flat, since batch export renders one card per data row.
#include "ResidentMemory.h"

#include "common/Globals.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "render/ImageEffectsHook.h"
#include "render/SKTRenderingView.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QRectF card(0, 0, 243, 154);

QImage photo()
{
    QImage image(2000, 1500, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 2000, 1500);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRect(600, 400, 800, 700));
    return image;
}

Picture barcodePicture()
{
    return Picture::record(QSizeF(90, 30), [](QPainter& painter) {
        painter.fillRect(QRectF(0, 0, 90, 30), Qt::white);
        for (int bar = 0; bar < 30; ++bar)
            painter.fillRect(QRectF(3 + bar * 2.8, 2, bar % 3 == 0 ? 1.8 : 0.9, 26), Qt::black);
    });
}

QList<SKTGraphicPtr> sideObjects(const QString& folder)
{
    QList<SKTGraphicPtr> objects;
    const QImage picture = photo();
    const QString photoPath = folder + QStringLiteral("/photo.png");
    picture.save(photoPath);
    QImage signature(300, 100, QImage::Format_ARGB32);
    signature.fill(Qt::transparent);
    QPainter(&signature).drawLine(10, 80, 290, 20);
    signature.save(folder + QStringLiteral("/sign.png"));

    const QStringList shapes { QStringLiteral("R"), QStringLiteral("C"), QStringLiteral("RR"), QStringLiteral("T"),
        QStringLiteral("D"), QStringLiteral("S"), QStringLiteral("DS"), QStringLiteral("P") };
    for (int index = 0; index < 40; ++index) {
        const QRectF bounds(5 + (index % 8) * 29, 5 + (index / 8) * 29, 27, 27);
        switch (index % 5) {
        case 0: {
            auto text = SKTGraphic::create<SKTText>();
            text->Text_Value = QStringLiteral("Guest %1 of the evening").arg(index);
            text->setBounds(bounds.adjusted(0, 0, 20, 0));
            text->text_alignmnet = index % 3;
            objects.append(text);
            break;
        }
        case 1: {
            auto shape = SKTGraphic::create<Shape_Control>();
            shape->Set_Shape_Type(shapes.at(index % shapes.size()));
            shape->setBounds(bounds);
            shape->_fill_type = index % 2 ? QStringLiteral("G") : QStringLiteral("S");
            shape->_fill_Grad_clr2 = QColor(Qt::darkGreen);
            shape->_fill_grad_angle = index * 9;
            shape->_stroke_border_type = QStringLiteral("DA");
            objects.append(shape);
            break;
        }
        case 2: {
            auto line = SKTGraphic::create<SKTLine>();
            line->setBounds(bounds);
            line->_pointsRight = line->_pointsDown = true;
            line->_strokeWidth = 2;
            objects.append(line);
            break;
        }
        case 3: {
            if (index == 3) {
                auto image = SKTGraphic::create<SKTImage>();
                image->setFilePath(photoPath);
                image->setBounds(QRectF(150, 60, 80, 60));
                // Three effects of the chain.
                image->gray_Scale = true;
                image->hue_val = 0.5f;
                image->blr_val = 2.0f;
                objects.append(image);
            } else {
                auto sign = SKTGraphic::create<SKTSignature>();
                sign->setFilePath(folder + QStringLiteral("/sign.png"));
                sign->setBounds(bounds);
                objects.append(sign);
            }
            break;
        }
        default: {
            auto barcode = SKTGraphic::create<SKTBarcode>();
            barcode->Set_Barcode_image(barcodePicture());
            barcode->setBounds(bounds);
            objects.append(barcode);
            break;
        }
        }
    }
    return objects;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    Resource_Path = folder.path();
    ImageEffectsHook::install();

    auto settings = Card_Property::create();
    settings->Card_fill_chk = true;
    settings->Card_fill_style = QStringLiteral("G");
    settings->Card_fill_Grd_1_clr = QColor(Qt::white);
    settings->Card_fill_Grd_2_clr = QColor(Qt::lightGray);
    settings->Card_border_chk = true;
    const CardSideBase base { settings, 1, card };
    const QList<SKTGraphicPtr> objects = sideObjects(folder.path());

    const long before = residentKiB();
    qint64 bytes = 0;
    QElapsedTimer timer;
    timer.start();
    bytes += SKTRenderingView::image_From_Card_Graphics(objects, false, base).toPng(300).size();
    const double firstMs = timer.nsecsElapsed() / 1e6;
    const long afterOne = residentKiB();
    const long peakOne = peakResidentKiB();

    {
        QElapsedTimer split;
        split.start();
        Picture side;
        for (int i = 0; i < 20; ++i)
            side = SKTRenderingView::image_From_Card_Graphics(objects, false, base);
        const double recordMs = split.nsecsElapsed() / 2e7;
        split.restart();
        for (int i = 0; i < 20; ++i)
            side.toImage(300);
        std::printf(
            "per card: recording the side %.1f ms, rasterising it at 300 dpi %.1f ms (PNG encoding is the rest)\n",
            recordMs, split.nsecsElapsed() / 2e7);
    }
    const int rounds
        = qEnvironmentVariableIntValue("RENDER_ROUNDS") > 0 ? qEnvironmentVariableIntValue("RENDER_ROUNDS") : 500;
    timer.restart();
    for (int round = 0; round < rounds; ++round)
        bytes += SKTRenderingView::image_From_Card_Graphics(objects, false, base).toPng(300).size();
    const double seconds = timer.nsecsElapsed() / 1e9;

    std::printf("first render (effects run once, then kept): %.1f ms (%lld bytes of PNG)\n", firstMs,
        static_cast<long long>(bytes));
    std::printf("%d renders: %.2f s, %.1f cards per second\n", rounds, seconds, rounds / seconds);
    std::printf("resident memory: before %ld KiB, after 1 render %ld KiB, after %d more %ld KiB\n", before, afterOne,
        rounds, residentKiB());
    std::printf("peak memory: after 1 render %ld KiB, after %d more %ld KiB\n", peakOne, rounds, peakResidentKiB());
    return 0;
}
