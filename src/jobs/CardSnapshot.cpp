#include "jobs/CardSnapshot.h"

#include "model/SKTImage.h"

#include <algorithm>

QList<SKTGraphicPtr> CardSnapshot::clonesOf(const QList<SKTGraphicPtr>& graphics)
{
    QList<SKTGraphicPtr> clones;
    clones.reserve(graphics.size());
    for (const SKTGraphicPtr& graphic : graphics) {
        if (graphic)
            clones.append(graphic->clone());
    }
    return clones;
}

CardSnapshot CardSnapshot::take(const QList<SKTGraphicPtr>& front, const QList<SKTGraphicPtr>& back,
    const Card_Property& frontSettings, const Card_Property& backSettings, int cardShape, const QRectF& frame)
{
    return { clonesOf(front), clonesOf(back), frontSettings.copy(), backSettings.copy(), cardShape, frame };
}

CardSnapshot CardSnapshot::clone() const
{
    return { clonesOf(front), clonesOf(back), frontSettings ? frontSettings->copy() : nullptr,
        backSettings ? backSettings->copy() : nullptr, cardShape, frame };
}

void CardSnapshot::showPicturesOf(const CardSnapshot& original)
{
    const auto restore = [](const QList<SKTGraphicPtr>& side, const QList<SKTGraphicPtr>& originalSide) {
        for (qsizetype i = 0; i < std::min(side.size(), originalSide.size()); ++i) {
            auto* image = dynamic_cast<SKTImage*>(side[i].get());
            const auto* was = dynamic_cast<const SKTImage*>(originalSide[i].get());
            if (image && was && image->picture().cacheKey() != was->picture().cacheKey())
                image->setPicture(was->picture());
        }
    };
    restore(front, original.front);
    restore(back, original.back);
}
