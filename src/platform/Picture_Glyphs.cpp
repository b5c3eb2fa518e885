#include "platform/Picture.h"

#include "platform/PictureCommands.h"
#include "platform/PlacedGlyphs.h"

#include <QGlyphRun>
#include <QImage>
#include <QTextLayout>

#include <cmath>

namespace {

using Command = Picture::Commands::Command;
using Kind = Picture::Commands::Kind;

// A 72-dpi device, on which a font's point size is its size in picture units, as on the
// recording device; only read after its construction, so shared by threads.
const QImage& device72()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = int(std::lround(72 / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// The glyphs QPainter::drawText would draw for the text from its base line: one run per face.
QList<PlacedGlyphs> laidOut(const Command& command)
{
    QTextLayout layout(command.text, command.font, const_cast<QImage*>(&device72()));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {};
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    const QPointF offset = command.position - QPointF(0, line.ascent());
    QList<PlacedGlyphs> placed;
    for (const QGlyphRun& run : line.glyphRuns())
        placed.append(PlacedGlyphs::fromRun(run, command.font, 1.0, offset));
    return placed;
}

// Glyphs drawn in a's state look the same in b's.
bool sameTextState(const Command& a, const Command& b)
{
    return a.transform == b.transform && a.pen == b.pen && a.opacity == b.opacity && a.hints == b.hints
        && a.clipped == b.clipped && (!a.clipped || a.clip == b.clip);
}

} // namespace

Picture Picture::withTextAsGlyphs() const
{
    if (isNull())
        return *this;
    auto rewritten = std::make_shared<Commands>();
    rewritten->list.reserve(commands_->list.size());
    // The run that text of the same state and face may still join.
    std::shared_ptr<PlacedGlyphs> open;
    for (const Command& command : commands_->list) {
        if (command.kind != Kind::Text) {
            rewritten->list.push_back(command);
            open.reset();
            continue;
        }
        if (open && !sameTextState(rewritten->list.back(), command))
            open.reset();
        for (const PlacedGlyphs& glyphs : laidOut(command)) {
            if (glyphs.isEmpty() || (open && open->append(glyphs)))
                continue;
            open = std::make_shared<PlacedGlyphs>(glyphs);
            Command run = command;
            run.kind = Kind::Glyphs;
            run.text.clear();
            run.glyphs = open;
            rewritten->list.push_back(std::move(run));
        }
    }
    Picture picture;
    picture.commands_ = std::move(rewritten);
    picture.size_ = size_;
    return picture;
}
