#include "platform/Picture.h"

#include "platform/GlyphCache.h"
#include "platform/PictureCommands.h"
#include "platform/PlacedGlyphs.h"

namespace {

using Command = Picture::Commands::Command;
using Kind = Picture::Commands::Kind;

// Glyphs drawn in a's state look the same in b's.
bool sameTextState(const Command& a, const Command& b)
{
    return a.transform == b.transform && a.pen == b.pen && a.opacity == b.opacity && a.hints == b.hints
        && a.clipped == b.clipped && (!a.clipped || a.clip == b.clip);
}

} // namespace

Picture Picture::withTextAsGlyphs(GlyphCache* cache) const
{
    if (isNull())
        return *this;
    GlyphCache ownCache;
    GlyphCache& glyphCache = cache ? *cache : ownCache;
    auto rewritten = std::make_shared<Commands>();
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
        for (const PlacedGlyphs& glyphs : glyphCache.laidOut(command.text, command.font, command.position)) {
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
