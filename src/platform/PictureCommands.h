#pragma once

// The drawing commands a Picture keeps, for the files that record, play and rewrite them.
#include "platform/Picture.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <deque>
#include <memory>

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
        // The pen draws nothing. Known without reading the pen, whose data every thread may
        // share and keep counting (a lone fill's pen): playing a batch reads this for each
        // command, and must not wait for that data to come back from another processor.
        bool penless = false;
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

    // A deque: growing it never moves the commands, which would copy each one (a command
    // cannot be moved without copying some of its parts), and copies of pens and fonts that
    // every thread shares make threads wait for one another.
    std::deque<Command> list;
};
