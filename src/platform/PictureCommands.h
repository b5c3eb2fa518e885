#pragma once

// The drawing commands a Picture keeps, for the files that record, play and rewrite them.
#include "platform/Picture.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <memory>
#include <vector>

class PlacedGlyphs;

struct Picture::Commands
{
    enum class Kind
    {
        Path,
        Rect,
        Image,
        Text,
        Glyphs
    };

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
        std::shared_ptr<const PlacedGlyphs> glyphs;
    };

    std::vector<Command> list;
};
