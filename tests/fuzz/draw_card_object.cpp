// Draws a card object whose fields come from the input, as a hostile design file could set
// them: any shape code, variant, size, width, angle, opacity, kerning or alignment must
// draw (or draw nothing) without crashing or hanging.
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstring>

namespace {

class Input
{
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    template<class T>
    T take()
    {
        T value{};
        const size_t count = std::min(sizeof(T), size_ - offset_);
        if (count > 0)
            std::memcpy(&value, data_ + offset_, count);
        offset_ += count;
        return value;
    }

    QString code()
    {
        static const char* const codes[] = {"R", "C", "RR", "T", "D", "S", "DS", "P", "DA", "DO", "DD", "DDD", "G", "H", "", "X"};
        return QString::fromLatin1(codes[take<uint8_t>() % 16]);
    }

    QString rest()
    {
        const size_t start = std::min(offset_, size_);
        offset_ = size_;
        return QString::fromUtf8(reinterpret_cast<const char*>(data_ + start), qsizetype(size_ - start));
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// Keeps values a file could hold but that would only make the test slow, not wrong.
double bounded(float value, double limit)
{
    return std::isfinite(value) ? std::clamp(double(value), -limit, limit) : double(value);
}

} // namespace

// Fontconfig keeps caches for the life of the process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ensureApplication();
    Input input(data, size);
    std::shared_ptr<SKTGraphic> object;
    switch (input.take<uint8_t>() % 3) {
    case 0: object = SKTGraphic::create<Shape_Control>(); break;
    case 1: object = SKTGraphic::create<SKTLine>(); break;
    default: object = SKTGraphic::create<SKTText>(); break;
    }
    object->setBounds(QRectF(bounded(input.take<float>(), 1e6), bounded(input.take<float>(), 1e6),
                             bounded(input.take<float>(), 1e6), bounded(input.take<float>(), 1e6)));
    object->_shape_type = input.code();
    object->_stroke_border_type = input.code();
    object->_fill_type = input.code();
    object->double_star_type = input.take<qint32>();
    object->polygon_type = input.take<qint32>();
    object->cor_rad_val_val = input.take<float>();
    object->_strokeWidth = bounded(input.take<float>(), 1e4);
    object->_fill_grad_angle = input.take<float>();
    object->alpha_val = input.take<float>();
    object->alpha_val_stroke = input.take<float>();
    object->_line_cap_style = input.take<qint32>();
    object->text_alignmnet = input.take<qint32>();
    object->text_transfrom_case = input.take<qint32>();
    object->text_kerning = float(bounded(input.take<float>(), 1e3));
    object->_isDrawingFill = input.take<uint8_t>() & 1;
    object->_isDrawingStroke = input.take<uint8_t>() & 1;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(std::clamp(std::abs(bounded(input.take<float>(), 200)), 1.0, 200.0));
    object->text_ctrl_font = font;
    object->Text_Value = input.rest().left(200);

    // A corner of a card exported at 300 dpi: Qt's work grows with the pixels an object
    // covers, so an object that is slow only in an export is slow here too.
    QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(300.0 / 72.0, 300.0 / 72.0);
    object->drawContentsInView(painter, false);
    object->isContentsUnderPoint(QPointF(10, 10));
    if (auto* text = dynamic_cast<SKTText*>(object.get()))
        text->naturalSize();
    return 0;
}
