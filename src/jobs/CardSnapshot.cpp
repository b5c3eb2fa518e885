#include "jobs/CardSnapshot.h"

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
