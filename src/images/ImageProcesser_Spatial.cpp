// The effects that look at neighbouring pixels: luminance sharpening and the box blur.
#include "images/ImageProcesser.h"

#include "images/PixelOperations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

using namespace PixelOperations;

namespace {

// Beyond this radius every pixel's window already reaches far past both edges, so a larger
// one changes nothing visible; the cap keeps the sums within 64 bits.
constexpr int64_t maxBlurReach = int64_t(1) << 24;
// Sums along a line stay exact in 32 bits up to this many samples.
constexpr int maxLineLength = (1 << 23);

// A box of the given radius: `reach` whole pixels on each side of the centre and the next
// pixel out on each side weighted by the fraction, so that the blur grows smoothly.
struct BoxWindow
{
    explicit BoxWindow(float radius)
    {
        const double capped = std::min(double(radius), double(maxBlurReach));
        reach = int64_t(capped);
        fraction = capped - double(reach);
        perWeight = 1.0 / (double(2 * reach + 1) + 2.0 * fraction);
    }

    int64_t reach;
    double fraction;
    double perWeight;
};

// Blurs `count` samples along a line in place, each sample `channels` bytes wide and
// `stride` bytes after the previous one; beyond the ends the end samples repeat. A sample
// is one pixel for a row, and a strip of neighbouring pixels for the column pass, so that
// the column pass walks memory row by row. The running sums hold everything the output
// needs, so the line is overwritten as it goes. A non-zero `FixedChannels` fixes the sample
// width at compile time, so the loops unroll and vectorise.
template<size_t FixedChannels>
class LineBlur
{
public:
    LineBlur(const BoxWindow& window, int count, int channels)
        : window_(window), count_(count), channels_(channels), prefix_(size_t(count + 1) * size_t(channels))
    {
        if (count > maxLineLength)
            throw std::length_error("the picture is too large to blur");
    }

    void run(uint8_t* samples, size_t stride)
    {
        const size_t channels = channelCount();
        int32_t* prefix = prefix_.data();
        for (size_t i = 0; i < size_t(count_); ++i)
            for (size_t c = 0; c < channels; ++c)
                prefix[(i + 1) * channels + c] = prefix[i * channels + c] + samples[i * stride + c];

        // Samples whose window and outer pixels lie inside the line need no edge handling:
        // the tight loop runs over them, the general one over the rest.
        const int64_t reach = window_.reach;
        const int64_t firstInner = reach + 1;
        const int64_t lastInner = reach <= maxFixedPointReach ? int64_t(count_) - reach - 2 : -1;
        for (int64_t i = 0; i < count_; ++i) {
            if (i == firstInner && firstInner <= lastInner) {
                blurInner(samples, stride, i, lastInner);
                i = lastInner;
                continue;
            }
            blurNearEdge(samples, stride, i);
        }
    }

private:
    static constexpr int fixedBits = 23;
    static constexpr int64_t maxFixedPointReach = 2048;

    size_t channelCount() const { return FixedChannels != 0 ? FixedChannels : size_t(channels_); }

    // Weights in fixed point with 23 fraction bits: the products stay within unsigned 32 bits
    // because the weights sum to one, and the loop vectorises. Rounding the weights costs at
    // most (window length / 2^24) of a level, so wide windows take the exact path instead.
    void blurInner(uint8_t* samples, size_t stride, int64_t from, int64_t to) const
    {
        const size_t channels = channelCount();
        const size_t reach = size_t(window_.reach);
        constexpr double one = double(1 << fixedBits);
        const uint32_t windowWeight = uint32_t(std::lround(one * window_.perWeight));
        const uint32_t outerWeight = uint32_t(std::lround(one * window_.fraction * window_.perWeight));
        const int32_t* prefix = prefix_.data();
        for (size_t i = size_t(from); i <= size_t(to); ++i) {
            const int32_t* __restrict beforeOuter = prefix + (i - reach - 1) * channels;
            const int32_t* __restrict windowStart = prefix + (i - reach) * channels;
            const int32_t* __restrict windowEnd = prefix + (i + reach + 1) * channels;
            const int32_t* __restrict afterOuter = prefix + (i + reach + 2) * channels;
            uint8_t* __restrict out = samples + i * stride;
            for (size_t c = 0; c < channels; ++c) {
                const uint32_t inside = uint32_t(windowEnd[c] - windowStart[c]);
                const uint32_t outer = uint32_t(windowStart[c] - beforeOuter[c] + afterOuter[c] - windowEnd[c]);
                const uint32_t sum = inside * windowWeight + outer * outerWeight + (1u << (fixedBits - 1));
                out[c] = uint8_t(std::min<uint32_t>(sum >> fixedBits, 255u));
            }
        }
    }

    // Sum of the samples from..to, each index clamped into the line.
    int64_t clampedSum(int64_t from, int64_t to, size_t c) const
    {
        const size_t channels = channelCount();
        const int64_t last = count_ - 1;
        const int64_t first = prefix_[channels + c];
        const int64_t final = prefix_[size_t(count_) * channels + c] - prefix_[size_t(last) * channels + c];
        const size_t inner0 = size_t(std::clamp<int64_t>(from, 0, last));
        const size_t inner1 = size_t(std::clamp<int64_t>(to, 0, last));
        int64_t sum = std::max<int64_t>(0, std::min(to, int64_t(-1)) - from + 1) * first
            + std::max<int64_t>(0, to - std::max(from, last + 1) + 1) * final;
        if (from <= last && to >= 0)
            sum += prefix_[(inner1 + 1) * channels + c] - prefix_[inner0 * channels + c];
        return sum;
    }

    void blurNearEdge(uint8_t* samples, size_t stride, int64_t i) const
    {
        const size_t channels = channelCount();
        const int64_t from = i - window_.reach;
        const int64_t to = i + window_.reach;
        uint8_t* out = samples + size_t(i) * stride;
        for (size_t c = 0; c < channels; ++c) {
            const int64_t inside = clampedSum(from, to, c);
            const int64_t outer = clampedSum(from - 1, from - 1, c) + clampedSum(to + 1, to + 1, c);
            const double sum = double(inside) + double(outer) * window_.fraction;
            out[c] = uint8_t(sum * window_.perWeight + 0.5);
        }
    }

    BoxWindow window_;
    int count_;
    int channels_;
    std::vector<int32_t> prefix_;
};

QImage boxBlur(const QImage& image, float radius)
{
    QImage result = workingCopy(image, true);
    const BoxWindow window(radius);
    const int width = result.width();
    const int height = result.height();

    LineBlur<4> rows(window, width, 4);
    for (int y = 0; y < height; ++y)
        rows.run(result.scanLine(y), 4);

    constexpr int strip = 16;
    const size_t bytesPerLine = size_t(result.bytesPerLine());
    uint8_t* bits = result.bits();
    LineBlur<strip * 4> fullStrips(window, height, strip * 4);
    for (int x = 0; x < width; x += strip) {
        const int pixels = std::min(strip, width - x);
        if (pixels == strip)
            fullStrips.run(bits + size_t(x) * 4, bytesPerLine);
        else
            LineBlur<0>(window, height, pixels * 4).run(bits + size_t(x) * 4, bytesPerLine);
    }
    return result;
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
