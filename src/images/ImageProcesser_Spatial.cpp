// The effects that look at neighbouring pixels: luminance sharpening and the box blur.
#include "images/ImageProcesser.h"

#include "images/PixelOperations.h"

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace PixelOperations;

namespace {

// Beyond this radius every pixel's window already reaches far past both edges, so a larger
// one changes nothing visible; the cap keeps the sums within 64 bits.
constexpr int64_t maxBlurReach = int64_t(1) << 24;

struct BoxWindow
{
    int64_t reach;   // whole pixels on each side of the centre
    int fraction256; // weight of the next pixel out, in 1/256
    int64_t weight256; // total weight of the window, in 1/256
};

BoxWindow boxWindow(float radius)
{
    const double capped = std::min(double(radius), double(maxBlurReach));
    BoxWindow window;
    window.reach = int64_t(capped);
    window.fraction256 = int((capped - double(window.reach)) * 256.0 + 0.5);
    if (window.fraction256 == 256) {
        ++window.reach;
        window.fraction256 = 0;
    }
    window.weight256 = (2 * window.reach + 1) * 256 + 2 * window.fraction256;
    return window;
}

// Blurs `count` samples along a line, each sample `channels` bytes wide and `stride` bytes
// after the previous one; beyond the ends the end samples repeat. A sample is one pixel
// for a row, and a strip of neighbouring pixels for the column pass, so that the column
// pass walks memory row by row. Source and destination must not overlap.
class LineBlur
{
public:
    LineBlur(const BoxWindow& window, int count, int channels)
        : window_(window), count_(count), channels_(channels), prefix_(size_t(count + 1) * channels)
    {
    }

    void run(const uint8_t* source, size_t stride, uint8_t* destination)
    {
        const size_t channels = size_t(channels_);
        for (int i = 0; i < count_; ++i)
            for (size_t c = 0; c < channels; ++c)
                prefix_[(i + 1) * channels + c] = prefix_[i * channels + c] + source[i * stride + c];
        const int64_t last = count_ - 1;
        for (int i = 0; i < count_; ++i) {
            const int64_t from = i - window_.reach;
            const int64_t to = i + window_.reach;
            const size_t inner0 = size_t(std::max<int64_t>(from, 0));
            const size_t inner1 = size_t(std::min<int64_t>(to, last));
            const int64_t below = std::max<int64_t>(0, -from);
            const int64_t above = std::max<int64_t>(0, to - last);
            const uint8_t* outerLow = source + size_t(std::clamp<int64_t>(from - 1, 0, last)) * stride;
            const uint8_t* outerHigh = source + size_t(std::clamp<int64_t>(to + 1, 0, last)) * stride;
            const uint8_t* lastSample = source + size_t(last) * stride;
            uint8_t* out = destination + size_t(i) * stride;
            for (size_t c = 0; c < channels; ++c) {
                const int64_t inside = prefix_[(inner1 + 1) * channels + c] - prefix_[inner0 * channels + c];
                const int64_t edges = below * source[c] + above * lastSample[c];
                const int64_t outer = outerLow[c] + outerHigh[c];
                const int64_t total256 = (inside + edges) * 256 + outer * window_.fraction256;
                out[c] = uint8_t((total256 + window_.weight256 / 2) / window_.weight256);
            }
        }
    }

private:
    BoxWindow window_;
    int count_;
    int channels_;
    std::vector<int64_t> prefix_;
};

QImage boxBlur(const QImage& image, float radius)
{
    QImage source = workingCopy(image, true);
    QImage across(source.size(), source.format());
    if (across.isNull())
        throw std::bad_alloc();
    const BoxWindow window = boxWindow(radius);
    const int width = source.width();
    const int height = source.height();

    LineBlur rows(window, width, 4);
    for (int y = 0; y < height; ++y)
        rows.run(source.constScanLine(y), 4, across.scanLine(y));

    // The source copy takes the result of the column pass.
    constexpr int strip = 16;
    const size_t bytesPerLine = size_t(across.bytesPerLine());
    LineBlur fullStrips(window, height, strip * 4);
    for (int x = 0; x < width; x += strip) {
        const int pixels = std::min(strip, width - x);
        const uint8_t* from = across.constBits() + size_t(x) * 4;
        uint8_t* to = source.bits() + size_t(x) * 4;
        if (pixels == strip)
            fullStrips.run(from, bytesPerLine, to);
        else
            LineBlur(window, height, pixels * 4).run(from, bytesPerLine, to);
    }
    return source;
}

// Luminance 0..255 of a straight or opaque pixel.
inline int luminance(QRgb pixel)
{
    return (int(qRed(pixel)) * 13933 + int(qGreen(pixel)) * 46871 + int(qBlue(pixel)) * 4732 + 32768) >> 16;
}

// Adds the difference between each pixel's luminance and its 3x3 neighbourhood's mean,
// scaled by the strength, to all three components: detail gains contrast while the
// colour (chrominance) stays.
QImage sharpenLuminance(const QImage& image, float strength)
{
    QImage result = workingCopy(image, false);
    const int width = result.width();
    const int height = result.height();
    std::vector<uint8_t> luma(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(result.constScanLine(y));
        for (int x = 0; x < width; ++x)
            luma[size_t(y) * width + x] = uint8_t(luminance(line[x]));
    }
    const float scale = strength / 9.0f;
    for (int y = 0; y < height; ++y) {
        const uint8_t* rowsAround[3] = {&luma[size_t(std::max(y - 1, 0)) * width], &luma[size_t(y) * width],
                                        &luma[size_t(std::min(y + 1, height - 1)) * width]};
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int left = std::max(x - 1, 0);
            const int right = std::min(x + 1, width - 1);
            int sum = 0;
            for (const uint8_t* row : rowsAround)
                sum += row[left] + row[x] + row[right];
            const int centre = rowsAround[1][x];
            const float delta = scale * float(9 * centre - sum);
            if (delta == 0.0f)
                continue;
            const QRgb pixel = line[x];
            line[x] = qRgba(clampToByte(float(qRed(pixel)) + delta), clampToByte(float(qGreen(pixel)) + delta),
                            clampToByte(float(qBlue(pixel)) + delta), qAlpha(pixel));
        }
    }
    return result;
}

} // namespace

QImage ImageProcesser::adjust_Sharpness(const QImage& image, float sharpness)
{
    return runFilter("adjust_Sharpness", image, [&] {
        requireFinite(sharpness, "sharpness");
        return sharpness == 0.0f ? image : sharpenLuminance(image, sharpness);
    });
}

// The blurred picture keeps the input's size, its edges blurred against repeated edge
// pixels, so that it neither grows a soft frame nor fades out at the border.
QImage ImageProcesser::adjust_boxBlur(const QImage& image, float radius)
{
    return runFilter("adjust_boxBlur", image, [&] {
        requireFinite(radius, "blur radius");
        return radius <= 0.0f ? image : boxBlur(image, radius);
    });
}
