#include "platform/Picture.h"

#include "platform/DeviceFont.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <cmath>
#include <vector>

struct Picture::Commands
{
    enum class Kind { Path, Image, Text };

    struct Command
    {
        Kind kind = Kind::Path;
        QTransform transform;
        QPen pen;
        QBrush brush;
        QPointF brushOrigin;
        qreal opacity = 1.0;
        QPainter::RenderHints hints;
        bool clipped = false;
        QPainterPath clip; // in picture coordinates

        QPainterPath path;
        QImage image;
        QRectF target;
        QRectF source;
        QString text;
        QFont font;
        QPointF position;
    };

    std::vector<Command> list;
};

namespace {

constexpr int pointsPerInch = 72;

// Records the painter's calls with the state they were made in.
class RecordingEngine final : public QPaintEngine
{
public:
    explicit RecordingEngine(Picture::Commands& commands)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , commands_(commands)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            current_.transform = state.transform();
        if (dirty & DirtyPen)
            current_.pen = state.pen();
        if (dirty & DirtyBrush)
            current_.brush = state.brush();
        if (dirty & DirtyBrushOrigin)
            current_.brushOrigin = state.brushOrigin();
        if (dirty & DirtyOpacity)
            current_.opacity = state.opacity();
        if (dirty & DirtyHints)
            current_.hints = state.renderHints();
        if (dirty & DirtyFont)
            current_.font = state.font();
        if (dirty & DirtyClipEnabled)
            current_.clipped = state.isClipEnabled() && !current_.clip.isEmpty();
        if (dirty & DirtyClipPath)
            applyClip(state.clipOperation(), state.transform().map(state.clipPath()));
        if (dirty & DirtyClipRegion) {
            QPainterPath region;
            region.addRegion(state.clipRegion());
            applyClip(state.clipOperation(), state.transform().map(region));
        }
    }

    void drawPath(const QPainterPath& path) override { addPath(path); }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode) {
            const QBrush savedBrush = current_.brush;
            current_.brush = Qt::NoBrush;
            addPath(path);
            current_.brush = savedBrush;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        addPath(path);
    }

    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        std::vector<QPointF> converted(points, points + count);
        drawPolygon(converted.data(), count, mode);
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        Picture::Commands::Command command = current_;
        command.kind = Picture::Commands::Kind::Image;
        command.image = image;
        command.target = target;
        command.source = source;
        commands_.list.push_back(std::move(command));
    }

    void drawTextItem(const QPointF& position, const QTextItem& item) override
    {
        Picture::Commands::Command command = current_;
        command.kind = Picture::Commands::Kind::Text;
        command.text = item.text();
        // The painter's font keeps what the text item's drops, such as letter spacing.
        command.font = current_.font;
        command.position = position;
        commands_.list.push_back(std::move(command));
    }

private:
    void addPath(const QPainterPath& path)
    {
        Picture::Commands::Command command = current_;
        command.kind = Picture::Commands::Kind::Path;
        command.path = path;
        commands_.list.push_back(std::move(command));
    }

    void applyClip(Qt::ClipOperation operation, const QPainterPath& clip)
    {
        switch (operation) {
        case Qt::NoClip:
            current_.clipped = false;
            current_.clip = QPainterPath();
            break;
        case Qt::ReplaceClip:
            current_.clipped = true;
            current_.clip = clip;
            break;
        case Qt::IntersectClip:
            current_.clip = current_.clipped ? current_.clip.intersected(clip) : clip;
            current_.clipped = true;
            break;
        }
    }

    Picture::Commands& commands_;
    Picture::Commands::Command current_;
};

// A paint device of the picture's size at 72 dpi, so that point-sized fonts are laid out
// at their true size.
class RecordingDevice final : public QPaintDevice
{
public:
    RecordingDevice(const QSizeF& size, Picture::Commands& commands)
        : size_(size)
        , engine_(commands)
    {
    }
    ~RecordingDevice() override = default;

    QPaintEngine* paintEngine() const override { return const_cast<RecordingEngine*>(&engine_); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return int(std::ceil(size_.width()));
        case PdmHeight:
            return int(std::ceil(size_.height()));
        case PdmWidthMM:
            return int(std::round(size_.width() * 25.4 / pointsPerInch));
        case PdmHeightMM:
            return int(std::round(size_.height() * 25.4 / pointsPerInch));
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return pointsPerInch;
        case PdmNumColors:
            return INT_MAX;
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
    QSizeF size_;
    RecordingEngine engine_;
};

void replay(const Picture::Commands::Command& command, QPainter& painter, const QTransform& base)
{
    painter.save();
    if (command.clipped) {
        painter.setTransform(base);
        painter.setClipPath(command.clip, Qt::IntersectClip);
    }
    painter.setTransform(command.transform * base);
    painter.setOpacity(painter.opacity() * command.opacity);
    // The recorded hints hold: bars drawn without antialiasing must stay crisp.
    painter.setRenderHints(QPainter::RenderHints::fromInt(~0), false);
    painter.setRenderHints(command.hints);
    painter.setPen(command.pen);
    painter.setBrush(command.brush);
    painter.setBrushOrigin(command.brushOrigin);
    switch (command.kind) {
    case Picture::Commands::Kind::Path:
        painter.drawPath(command.path);
        break;
    case Picture::Commands::Kind::Image:
        painter.drawImage(command.target, command.image, command.source);
        break;
    case Picture::Commands::Kind::Text:
        painter.setFont(deviceFont(command.font, painter.device()));
        painter.drawText(command.position, command.text);
        break;
    }
    painter.restore();
}

} // namespace

Picture Picture::record(const QSizeF& sizeInPoints, const std::function<void(QPainter&)>& paint)
{
    auto commands = std::make_shared<Commands>();
    {
        RecordingDevice device(sizeInPoints, *commands);
        QPainter painter(&device);
        paint(painter);
    }
    Picture picture;
    picture.commands_ = std::move(commands);
    picture.size_ = sizeInPoints;
    return picture;
}

Picture Picture::fromImage(const QImage& image, const QSizeF& sizeInPoints)
{
    if (image.isNull())
        return {};
    return record(sizeInPoints, [&](QPainter& painter) {
        painter.drawImage(QRectF(QPointF(0, 0), sizeInPoints), image, QRectF(image.rect()));
    });
}

bool Picture::isNull() const
{
    return !commands_ || size_.isEmpty();
}

QSizeF Picture::size() const
{
    return size_;
}

void Picture::draw(QPainter& painter, const QRectF& target) const
{
    if (isNull() || target.isEmpty())
        return;
    QTransform base;
    base.translate(target.left(), target.top());
    base.scale(target.width() / size_.width(), target.height() / size_.height());
    base *= painter.transform();
    for (const Commands::Command& command : commands_->list)
        replay(command, painter, base);
}

QImage Picture::toImage(double dpi, const QColor& background) const
{
    if (isNull() || dpi <= 0)
        return {};
    const double scale = dpi / pointsPerInch;
    QImage image(QSize(int(std::ceil(size_.width() * scale)), int(std::ceil(size_.height() * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    // Paint on a 72-dpi device and scale the painter, so text keeps its size in points.
    const int dotsPerMeter72 = int(std::lround(pointsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter72);
    image.setDotsPerMeterY(dotsPerMeter72);
    image.fill(background);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        draw(painter, QRectF(QPointF(0, 0), size_));
    }
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

QByteArray Picture::toPng(double dpi) const
{
    const QImage image = toImage(dpi);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Picture::toPdf() const
{
    if (isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pointsPerInch);
        writer.setPageSize(QPageSize(size_, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        draw(painter, QRectF(QPointF(0, 0), size_));
    }
    return bytes;
}
