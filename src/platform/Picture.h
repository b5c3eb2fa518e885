#pragma once

#include <QImage>
#include <QSizeF>

#include <functional>
#include <memory>

class GlyphCache;
class PlacedGlyphs;
class QPainter;
class QRectF;

// A resolution-independent picture with a size in points: what a painter drew, kept as
// drawing commands so that it can be drawn again at any scale, printed, or written as PDF.
// Recording paints on a 72-dpi device, so fonts sized in points come out at their size
// (QPicture would record at the screen's dpi and shift text when played at 72 dpi).
// Pictures are immutable values, cheap to copy and safe to share between threads.
class Picture
{
public:
    Picture() = default;

    // Records what paint draws on a canvas of the given size in points (origin top left, y down).
    static Picture record(const QSizeF& sizeInPoints, const std::function<void(QPainter&)>& paint);
    // A picture that shows an image stretched over the given size in points.
    static Picture fromImage(const QImage& image, const QSizeF& sizeInPoints);
    // Draws glyphs in the painter's pen. A picture being recorded keeps them as glyphs, so
    // its PDF holds real text; any other painter draws them at once.
    static void drawGlyphs(QPainter& painter, const PlacedGlyphs& glyphs);
    // Draws text from its base line in the painter's font and pen. A picture being recorded
    // keeps it as it is, laid out only when played (a batch of barcode captions would lay
    // out every character twice); any other painter draws it at once.
    static void drawText(QPainter& painter, const QPointF& baseLine, const QString& text);

    bool isNull() const;
    // Whether other is this very picture (a copy of it), not merely one that looks the same.
    bool isSameAs(const Picture& other) const { return commands_ == other.commands_ && size_ == other.size_; }
    QSizeF size() const;

    // Draws the picture scaled into target (in the painter's current coordinates). A cache
    // of the painter's thread, where given, keeps the faces of glyphs for later pictures.
    void draw(QPainter& painter, const QRectF& target, GlyphCache* cache = nullptr) const;
    // How edges meet the pixel grid: smoothed, or crisp on whole pixels (no antialiasing of
    // shapes, text or scaled images), which keeps a two-coloured drawing two-coloured.
    // Fitted is smoothed, with the picture stretched by less than half a pixel so that its
    // own border falls between pixels: an opaque card then has no half-covered edge pixels,
    // which would need transparency (and four bytes a pixel) in the file.
    enum class Edges
    {
        Smooth,
        Crisp,
        Fitted
    };

    // Rasterises at the given resolution (72 = one pixel per point) over a background. A crisp
    // or fitted image has as many pixels as have their centres inside the picture.
    QImage toImage(double dpi, const QColor& background = Qt::transparent, Edges edges = Edges::Smooth) const;
    // The same into image, whose pixels are reused when it already has the size and format
    // wanted and shares them with no other image: a batch that rasterises card after card
    // then does not fault in fresh memory for each. A null image on failure.
    void toImage(QImage& image, double dpi, const QColor& background, Edges edges) const;
    // The picture rasterised on a transparent background, in the smallest PNG form that fits.
    QByteArray toPng(double dpi) const;
    // A one-page PDF of the picture's size.
    QByteArray toPdf() const;

    // The same picture with its text laid out now, on the calling thread, into glyphs, the
    // characters of one font and state joined into one run: a PDF writer then places ready
    // glyphs rather than laying out each character itself. Text keeps its place and stays
    // text in a PDF; raster output is left to the picture as recorded, whose text drawing
    // suits pixels. A cache of the calling thread, where given, keeps layouts for later
    // pictures.
    Picture withTextAsGlyphs(GlyphCache* cache = nullptr) const;

    struct Commands;

private:
    void drawCommands(QPainter& painter, const QRectF& target, bool crisp, GlyphCache* cache = nullptr) const;

    std::shared_ptr<const Commands> commands_;
    QSizeF size_;
};
