#include "platform/Picture.h"

#include "platform/CrispRects.h"
#include "platform/CrispTextStamps.h"
#include "platform/DeviceFont.h"
#include "platform/GlyphCache.h"
#include "platform/PictureCommands.h"
#include "platform/PlacedGlyphs.h"
#include "platform/PngEncoder.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr int pointsPerInch = 72;

// Records the painter's calls with the state they were made in.
class RecordingEngine final : public QPaintEngine
{
public:
    explicit RecordingEngine(Picture::Commands& commands)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , commands_(commands)
    { }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            current_.transform = state.transform();
        if (dirty & DirtyPen) {
            current_.pen = state.pen();
            current_.penless = current_.pen.style() == Qt::NoPen;
        }
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

    void drawPath(const QPainterPath& path) override
    {
        if (!path.isEmpty())
            addPath(path);
    }

    // Kept as rectangles: played back they take the painter's quick path for rectangles.
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            Picture::Commands::Command command = current_;
            command.kind = Picture::Commands::Kind::Rect;
            command.target = rects[i];
            commands_.list.push_back(std::move(command));
        }
    }

    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF rect(rects[i]);
            drawRects(&rect, 1);
        }
    }

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

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override
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

    // Text handed over before the painter lays it out: it is laid out when played.
    void addText(const QPointF& baseLine, const QString& text)
    {
        takePaintersState();
        Picture::Commands::Command command = current_;
        command.kind = Picture::Commands::Kind::Text;
        command.text = text;
        command.position = baseLine;
        commands_.list.push_back(std::move(command));
    }

    // Glyphs reach a plain paint engine without their glyphs, so they come here directly.
    void addGlyphs(const PlacedGlyphs& glyphs)
    {
        takePaintersState();
        Picture::Commands::Command command = current_;
        command.kind = Picture::Commands::Kind::Glyphs;
        command.glyphs = std::make_shared<const PlacedGlyphs>(glyphs);
        commands_.list.push_back(std::move(command));
    }

    // Drawing nothing (an empty path is not kept), this hands the engine what changed in
    // the painter's state as a drawing does. The painter notes then what changed, for its
    // restore to undo; the engine's own state sync leaves that out, so a transform undone by
    // a restore after nothing but text would never reach the recording.
    void takePaintersState() { painter()->drawPath(QPainterPath()); }

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

RecordingEngine* recorderOf(QPainter& painter)
{
    return dynamic_cast<RecordingEngine*>(painter.paintEngine());
}

// A paint device of the picture's size at 72 dpi, so that point-sized fonts are laid out
// at their true size.
class RecordingDevice final : public QPaintDevice
{
public:
    RecordingDevice(const QSizeF& size, Picture::Commands& commands)
        : size_(size)
        , engine_(commands)
    { }
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

// The rectangle of a path that is one axis-aligned rectangle as QPainterPath::addRect makes
// it (corner, three more corners, back to the first); none for any other path.
std::optional<QRectF> singleRectangle(const QPainterPath& path)
{
    if (path.elementCount() != 5 || !path.elementAt(0).isMoveTo())
        return std::nullopt;
    QPointF corners[5];
    for (int i = 0; i < 5; ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        if (i > 0 && !element.isLineTo())
            return std::nullopt;
        corners[i] = element;
    }
    const bool rectangle = corners[4] == corners[0] && corners[0].y() == corners[1].y()
        && corners[1].x() == corners[2].x() && corners[2].y() == corners[3].y() && corners[3].x() == corners[0].x();
    if (!rectangle)
        return std::nullopt;
    return QRectF(corners[0], corners[2]).normalized();
}

constexpr QPainter::RenderHints smoothingHints
    = QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform;

// Plays commands back on a painter. Commands set the state they were recorded with when it
// differs from the last one set, and runs of rectangles in one state go to the painter
// together (a barcode is mostly such a run). Clipped commands in a row that share one clip
// are drawn under it, set once: every clip set is slow to draw, and a PDF writes out its
// whole outline each time (an object cut to a rounded card would repeat the card's outline
// for every bar of a barcode).
class Player
{
public:
    Player(QPainter& painter, const QTransform& base, bool crisp, GlyphCache& glyphCache)
        : painter_(painter)
        , base_(base)
        , crisp_(crisp)
        , opacity_(painter.opacity())
        , toPdf_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf)
        , glyphCache_(glyphCache)
    { }

    void play(const Picture::Commands::Command& command)
    {
        if (!underClipOf(command)) {
            finish();
            if (command.clipped)
                openClip(command.clip);
        }
        const bool rect = command.kind == Picture::Commands::Kind::Rect;
        if (rect && (rects_.empty() || sameState(*rectState_, command))) {
            if (rects_.empty())
                rectState_ = &command;
            rects_.push_back(command.target);
            return;
        }
        drawHeldRects();
        if (rect) {
            play(command);
            return;
        }
        draw(command);
    }

    // Draws what is held back and lifts any clip set.
    void finish()
    {
        drawHeldRects();
        if (!clip_)
            return;
        painter_.restore();
        clip_.reset();
        applied_ = nullptr;
        transformSet_.reset();
    }

private:
    // Whether the painter is cut to the clip the command was recorded with (or to none).
    bool underClipOf(const Picture::Commands::Command& command) const
    {
        if (!command.clipped)
            return !clip_;
        return clip_ && command.clip == *clip_;
    }

    void openClip(const QPainterPath& clip)
    {
        painter_.save();
        painter_.setTransform(base_);
        painter_.setClipPath(clip, Qt::IntersectClip);
        clip_ = clip;
        // The clip took the painter's transform: the commands' own must be set again.
        transformSet_.reset();
    }

    void drawHeldRects()
    {
        if (rects_.empty())
            return;
        if (fillsInDeviceSpace(*rectState_)) {
            fillInDeviceSpace(*rectState_, rects_.data(), int(rects_.size()));
        } else {
            applyState(*rectState_);
            if (!crisp_ || !fillCrispRects(painter_, rects_))
                painter_.drawRects(rects_.data(), int(rects_.size()));
        }
        rects_.clear();
    }

    static bool sameState(const Picture::Commands::Command& a, const Picture::Commands::Command& b)
    {
        return a.transform == b.transform && a.opacity == b.opacity && a.hints == b.hints && a.pen == b.pen
            && a.brush == b.brush && a.brushOrigin == b.brushOrigin;
    }

    // Sets the painter to the command's state; the transform to none for drawing in device
    // space.
    void applyState(const Picture::Commands::Command& command, bool deviceSpace = false)
    {
        setTransform(deviceSpace ? QTransform() : command.transform * base_);
        if (applied_ && sameState(*applied_, command))
            return;
        applied_ = &command;
        painter_.setOpacity(opacity_ * command.opacity);
        // The recorded hints hold: bars drawn without antialiasing must stay crisp.
        const QPainter::RenderHints hints = crisp_ ? command.hints & ~smoothingHints : command.hints;
        painter_.setRenderHints(~hints, false);
        painter_.setRenderHints(hints, true);
        painter_.setPen(command.pen);
        painter_.setBrush(command.brush);
        painter_.setBrushOrigin(command.brushOrigin);
    }

    // A PDF writer starts a new graphics state for every transform set, even an unchanged one.
    void setTransform(const QTransform& transform)
    {
        if (transformSet_ && *transformSet_ == transform)
            return;
        painter_.setTransform(transform);
        transformSet_ = transform;
    }

    void draw(const Picture::Commands::Command& command)
    {
        switch (command.kind) {
        case Picture::Commands::Kind::Path:
            drawPath(command); // sets its own state: it may draw in device space
            break;
        case Picture::Commands::Kind::Rect:
            applyState(command);
            painter_.drawRect(command.target);
            break;
        case Picture::Commands::Kind::Image:
            applyState(command);
            painter_.drawImage(command.target, command.image, command.source);
            break;
        case Picture::Commands::Kind::Text:
            applyState(command);
            drawText(command);
            break;
        case Picture::Commands::Kind::Glyphs:
            applyState(command);
            drawGlyphs(command);
            break;
        }
    }

    // A filled rectangle goes to a PDF as one: a short rectangle operator of its own rather
    // than a five-point path (a 2-D symbol has hundreds). Other devices keep the path: a
    // recording, where rectangles would be drawn together with their neighbours, and pixels,
    // which a rectangle rounds a little differently.
    void drawPath(const Picture::Commands::Command& command)
    {
        if (toPdf_ && command.penless) {
            if (const std::optional<QRectF> rect = singleRectangle(command.path)) {
                if (fillsInDeviceSpace(command)) {
                    fillInDeviceSpace(command, &*rect, 1);
                } else {
                    applyState(command);
                    painter_.drawRect(*rect);
                }
                return;
            }
        }
        applyState(command);
        painter_.drawPath(command.path);
    }

    // A PDF writer puts a fill under any transform other than none in a save, transform and
    // restore of its own, which triples a barcode module's share of the page. Fills of one
    // colour along the axes are placed on the device's own grid instead (a clip set before
    // stays where it was set).
    bool fillsInDeviceSpace(const Picture::Commands::Command& command) const
    {
        return toPdf_ && command.penless && command.brush.style() == Qt::SolidPattern
            && (command.transform * base_).type() <= QTransform::TxScale;
    }

    void fillInDeviceSpace(const Picture::Commands::Command& command, const QRectF* rects, int count)
    {
        const QTransform toDevice = command.transform * base_;
        applyState(command, true);
        deviceRects_.clear();
        for (int i = 0; i < count; ++i)
            deviceRects_.push_back(toDevice.mapRect(rects[i]));
        painter_.drawRects(deviceRects_.data(), count);
    }

    void drawText(const Picture::Commands::Command& command)
    {
        // A picture drawn into another one hands its text over as it is: laying it out here
        // would be thrown away, and takes a lock that every thread drawing text wants.
        if (RecordingEngine* recorder = recorderOf(painter_)) {
            painter_.setFont(command.font);
            recorder->addText(command.position, command.text);
            return;
        }
        const QFont& font = fontFor(command.font);
        // Qt smooths glyphs too large for its glyph cache whatever the font and hints say;
        // crisp ones are filled as outlines instead.
        constexpr double largestCachedGlyph = 64;
        const double pixels = font.pointSizeF() * painter_.device()->logicalDpiY() / 72.0
            * std::sqrt(std::abs(painter_.transform().determinant()));
        if (crisp_ && pixels >= largestCachedGlyph) {
            QPainterPath outline;
            outline.addText(command.position, font, command.text);
            painter_.fillPath(outline, command.pen.brush());
            return;
        }
        if (crisp_ && drawCrispTextStamp(painter_, font, deviceFontKey_, command.position, command.text))
            return;
        painter_.setFont(font);
        painter_.drawText(command.position, command.text);
    }

    // Texts come one character at a time, nearly always in one font: scaling it once saves
    // a font lookup per character.
    const QFont& fontFor(const QFont& recorded)
    {
        if (!recordedFont_ || *recordedFont_ != recorded) {
            recordedFont_ = recorded;
            deviceFont_ = deviceFont(recorded, painter_.device());
            // The font engine decides glyph smoothing from the font, whatever the hints say.
            // Crisp characters are stamped, looked up by the font's key.
            if (crisp_) {
                deviceFont_.setStyleStrategy(QFont::StyleStrategy(deviceFont_.styleStrategy() | QFont::NoAntialias));
                deviceFontKey_ = deviceFont_.key();
            }
        }
        return deviceFont_;
    }

    void drawGlyphs(const Picture::Commands::Command& command)
    {
        const PlacedGlyphs& glyphs = *command.glyphs;
        // A picture drawn into another one stays glyphs there.
        if (RecordingEngine* recorder = recorderOf(painter_)) {
            recorder->addGlyphs(glyphs);
            return;
        }
        const QRawFont& face = glyphCache_.face(glyphs);
        // Glyphs drawn as text are smoothed whatever the hints say; crisp ones are outlines.
        if (crisp_)
            painter_.fillPath(glyphs.outline(face), command.pen.brush());
        else
            glyphs.draw(painter_, face);
    }

    QPainter& painter_;
    QTransform base_;
    bool crisp_;
    qreal opacity_;
    bool toPdf_;
    const Picture::Commands::Command* applied_ = nullptr;
    std::optional<QTransform> transformSet_;
    std::vector<QRectF> deviceRects_;
    const Picture::Commands::Command* rectState_ = nullptr;
    std::vector<QRectF> rects_;
    std::optional<QPainterPath> clip_; // the clip set for the commands being played, if any
    std::optional<QFont> recordedFont_;
    QFont deviceFont_;
    QString deviceFontKey_;
    GlyphCache& glyphCache_; // raw fonts are made on the playing thread
};

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

void Picture::drawGlyphs(QPainter& painter, const PlacedGlyphs& glyphs)
{
    if (glyphs.isEmpty())
        return;
    if (RecordingEngine* recorder = recorderOf(painter)) {
        recorder->addGlyphs(glyphs);
        return;
    }
    glyphs.draw(painter, glyphs.rawFont());
}

void Picture::drawText(QPainter& painter, const QPointF& baseLine, const QString& text)
{
    if (text.isEmpty())
        return;
    if (RecordingEngine* recorder = recorderOf(painter)) {
        recorder->addText(baseLine, text);
        return;
    }
    painter.drawText(baseLine, text);
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

void Picture::draw(QPainter& painter, const QRectF& target, GlyphCache* cache) const
{
    drawCommands(painter, target, false, cache);
}

void Picture::drawCommands(QPainter& painter, const QRectF& target, bool crisp, GlyphCache* cache) const
{
    if (isNull() || target.isEmpty())
        return;
    QTransform base;
    base.translate(target.left(), target.top());
    base.scale(target.width() / size_.width(), target.height() / size_.height());
    base *= painter.transform();
    painter.save();
    GlyphCache ownCache;
    Player player(painter, base, crisp, cache ? *cache : ownCache);
    for (const Commands::Command& command : commands_->list)
        player.play(command);
    player.finish();
    painter.restore();
}

QImage Picture::toImage(double dpi, const QColor& background, Edges edges) const
{
    QImage image;
    toImage(image, dpi, background, edges);
    return image;
}

void Picture::toImage(QImage& image, double dpi, const QColor& background, Edges edges) const
{
    if (isNull() || dpi <= 0) {
        image = QImage();
        return;
    }
    const double scale = dpi / pointsPerInch;
    // Nothing shows through an opaque background, and painting without alpha is quicker.
    const QImage::Format format
        = background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    // Crisp and fitted edges cover the pixels whose centres they hold: no pixel is left half
    // covered at the far edges, where it would show the background as a third colour. A centre
    // on the edge is outside, whatever the last bit of the product says.
    const auto pixels = [&](double points) {
        return edges == Edges::Smooth ? int(std::ceil(points * scale))
                                      : std::max(1, int(std::ceil(points * scale - 0.5 - 1e-9)));
    };
    const QSize size(pixels(size_.width()), pixels(size_.height()));
    if (image.size() != size || image.format() != format || !image.isDetached())
        image = QImage(size, format);
    if (image.isNull())
        return;
    // Paint on a 72-dpi device and scale the painter, so text keeps its size in points.
    const int dotsPerMeter72 = int(std::lround(pointsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter72);
    image.setDotsPerMeterY(dotsPerMeter72);
    image.fill(background);
    // A fitted picture fills its pixels exactly; one that already does keeps the true scale,
    // so that it comes out as a smooth one does.
    const auto fittedScale
        = [&](double points, int count) { return std::abs(points * scale - count) > 1e-6 ? count / points : scale; };
    const double scaleX = edges == Edges::Fitted ? fittedScale(size_.width(), size.width()) : scale;
    const double scaleY = edges == Edges::Fitted ? fittedScale(size_.height(), size.height()) : scale;
    {
        QPainter painter(&image);
        painter.setRenderHints(smoothingHints, edges != Edges::Crisp);
        painter.scale(scaleX, scaleY);
        drawCommands(painter, QRectF(QPointF(0, 0), size_), edges == Edges::Crisp);
    }
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

QByteArray Picture::toPng(double dpi) const
{
    return encodePngFast(toImage(dpi));
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
