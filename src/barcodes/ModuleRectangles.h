#pragma once

#include "platform/Picture.h"

#include <QRect>

#include <map>
#include <utility>
#include <vector>

// Two-dimensional symbols drawn as vectors from their module grids.

// The dark modules of a grid as rectangles in module units: runs along each row, and a run
// that repeats unchanged on the next row grows downwards.
template <typename IsDark> std::vector<QRect> darkRectangles(int columns, int rows, IsDark isDark)
{
    std::vector<QRect> closed;
    std::map<std::pair<int, int>, QRect> open; // by first and past-the-end column
    for (int y = 0; y < rows; ++y) {
        std::map<std::pair<int, int>, QRect> next;
        for (int x = 0; x < columns;) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < columns && isDark(x, y))
                ++x;
            const auto key = std::make_pair(start, x);
            const auto above = open.find(key);
            if (above == open.end()) {
                next.emplace(key, QRect(start, y, x - start, 1));
                continue;
            }
            QRect grown = above->second;
            grown.setBottom(y);
            next.emplace(key, grown);
            open.erase(above);
        }
        for (const auto& [key, rect] : open)
            closed.push_back(rect);
        open.swap(next);
    }
    for (const auto& [key, rect] : open)
        closed.push_back(rect);
    return closed;
}

// A symbol of the given size in points: a light area, and on it the dark rectangles (in
// modules, module (0, 0) at origin). Each rectangle is a fill of its own: PDF renderers
// snap a lone rectangle to whole device pixels, so modules print crisp and page scanners
// read them, where one fill of them all leaves grey edges that they misread. Vectors stay
// sharp at any resolution, and an image would reach every PDF as pixels, once per card.
Picture symbolPicture(
    const QSizeF& size, const QRectF& light, const std::vector<QRect>& dark, QPointF origin, QSizeF module);
