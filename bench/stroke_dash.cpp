// Exports a card side holding one shape with a wide outline at 300 dpi: the time one such
// object costs, for the widest outline the panels offer (100 points) and for one as absurdly
// wide as a hostile design file can hold (10,000 points).
// Arguments: [shape code] [border code] [stroke width]; without them every shape and border
// is measured at both widths.
#include "ProcessorTime.h"

#include "jobs/CardExport.h"
#include "model/Card_Property.h"
#include "model/Shape_Control.h"
#include "render/SKTRenderingView.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

double exportSeconds(const QString& shapeCode, const QString& borderCode, double width)
{
    const QRectF card(0, 0, 243, 154);
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->Set_Shape_Type(shapeCode);
    shape->setBounds(QRectF(40, 30, 120, 80));
    shape->_stroke_border_type = borderCode;
    shape->_strokeWidth = width;
    shape->_isDrawingStroke = true;
    const CardSideBase base { Card_Property::create(), 0, card };
    const double start = processorSeconds();
    const Picture side = SKTRenderingView::image_From_Card_Graphics({ shape }, false, base);
    const QByteArray png = encodeCardPicture(side, 300.0, QStringLiteral("png"));
    const double seconds = processorSeconds() - start;
    if (png.isEmpty())
        std::fprintf(stderr, "no picture for %s %s\n", qPrintable(shapeCode), qPrintable(borderCode));
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.size() == 3) {
        std::printf("%s %s width %s: %.3f s\n", qPrintable(arguments[0]), qPrintable(arguments[1]),
            qPrintable(arguments[2]), exportSeconds(arguments[0], arguments[1], arguments[2].toDouble()));
        return 0;
    }
    const QStringList shapes { "R", "C", "RR", "T", "D", "S", "DS", "P" };
    const QStringList borders { "S", "DA", "DO", "DD", "DDD" };
    for (const double width : { 100.0, 10000.0 }) {
        double worst = 0.0;
        for (const QString& shape : shapes) {
            for (const QString& border : borders) {
                const double seconds = exportSeconds(shape, border, width);
                worst = std::max(worst, seconds);
                std::printf("%-3s %-4s width %5.0f: %.3f s\n", qPrintable(shape), qPrintable(border), width, seconds);
            }
        }
        std::printf("slowest at width %.0f: %.3f s of processor time for one card side at 300 dpi\n", width, worst);
    }
    return 0;
}
