#include "platform/BraceGeometry.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// Shortest text that reads back as the same double, never in the user's locale.
QString number(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// The first count numbers in the text, in order; missing ones stay 0.
template <size_t count>
std::array<double, count> numbers(const QString& text)
{
    std::array<double, count> values{};
    const QByteArray latin = text.toLatin1();
    const char* at = latin.constData();
    const char* end = at + latin.size();
    size_t found = 0;
    while (at < end && found < count) {
        const char c = *at;
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
            const char* start = (c == '+') ? at + 1 : at;
            double value = 0.0;
            const auto result = std::from_chars(start, end, value);
            if (result.ec == std::errc() && result.ptr > start) {
                values[found++] = std::isfinite(value) ? value : 0.0;
                at = result.ptr;
                continue;
            }
            if (result.ec == std::errc::result_out_of_range) {
                values[found++] = 0.0;
                at = result.ptr > start ? result.ptr : at + 1;
                continue;
            }
        }
        ++at;
    }
    return values;
}

} // namespace

namespace BraceGeometry {

QString fromRect(const QRectF& rect)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(number(rect.x()), number(rect.y()), number(rect.width()), number(rect.height()));
}

QString fromPoint(const QPointF& point)
{
    return QStringLiteral("{%1, %2}").arg(number(point.x()), number(point.y()));
}

QString fromSize(const QSizeF& size)
{
    return QStringLiteral("{%1, %2}").arg(number(size.width()), number(size.height()));
}

QRectF rectFromString(const QString& text)
{
    const auto v = numbers<4>(text);
    return QRectF(v[0], v[1], v[2], v[3]);
}

QPointF pointFromString(const QString& text)
{
    const auto v = numbers<2>(text);
    return QPointF(v[0], v[1]);
}

QSizeF sizeFromString(const QString& text)
{
    const auto v = numbers<2>(text);
    return QSizeF(v[0], v[1]);
}

} // namespace BraceGeometry
