#include "plot_canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "plot_mapping.h"

namespace ostrevo {
namespace {

// Far beyond any screen; keeps the integer line arithmetic exact for points
// that absurd data throws millions of pixels away.
constexpr double kFarAway = 1099511627776.0;  // 2^40

std::int64_t nearestPixel(double device) {
    if (std::isnan(device)) return static_cast<std::int64_t>(-kFarAway);
    return static_cast<std::int64_t>(std::floor(std::clamp(device, -kFarAway, kFarAway) + 0.5));
}

// floor(numerator / denominator) for a positive denominator.
std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// floor((a * b + c) / m) for |a| and m up to 2^42 (m > 0) and b and |c| up to
// 2^41 (b >= 0). a * b can need 84 bits, yet all is exact in 64-bit
// arithmetic: b is split at 2^21, so that no term reaches 2^63.
constexpr std::int64_t kSplit = std::int64_t{1} << 21;

std::int64_t floorOfProductSum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t m) {
    const std::int64_t low = a * (b % kSplit) + c;
    if (b < kSplit) return floorDiv(low, m);  // all but pixels millions away from the start
    // a * b + c = high * kSplit + low, with high = highQuotient * m + highRest.
    const std::int64_t high = a * (b / kSplit);
    const std::int64_t highQuotient = floorDiv(high, m);
    const std::int64_t shiftedRest = (high - highQuotient * m) * kSplit;
    const std::int64_t lowQuotient = floorDiv(low, m);
    const std::int64_t rests = shiftedRest % m + (low - lowQuotient * m);  // below 2 m
    return highQuotient * kSplit + shiftedRest / m + lowQuotient + (rests >= m ? 1 : 0);
}

// The coordinate along the minor axis at `major` on the line from (a0, b0) to
// (a1, b1), with a0 <= major <= a1 and |b1 - b0| <= a1 - a0 (the walk goes
// along the longer axis): nearest whole value, halves upwards. The end points
// lie within kFarAway of the origin, so run and |rise| are at most 2^41.
std::int64_t minorAt(std::int64_t major, std::int64_t a0, std::int64_t b0, std::int64_t a1, std::int64_t b1) {
    const std::int64_t run = a1 - a0;
    return b0 + floorOfProductSum(2 * (b1 - b0), major - a0, run, 2 * run);
}

}  // namespace

PlotCanvas::PlotCanvas(std::uint32_t* pixels, int width, int height, int stridePixels, PixelLayout layout)
    : pixels_(pixels), width_(width), height_(height), stride_(stridePixels), layout_(layout) {}

PlotCanvas::PlotCanvas(StrokeSink& strokes, int width, int height)
    : PlotCanvas(nullptr, width, height, width) {
    strokes_ = &strokes;
}

std::uint32_t PlotCanvas::stored(std::uint32_t argb) const {
    if (layout_ == PixelLayout::Argb32) return argb;
    // Red to the lowest byte, blue to the third: 0xAABBGGRR.
    return (argb & 0xFF00FF00U) | ((argb >> 16) & 0xFFU) | ((argb & 0xFFU) << 16);
}

std::int64_t PlotCanvas::toDeviceX(float x) const {
    return nearestPixel(static_cast<double>(x) * (width_ - 1) / kUserExtent);
}

std::int64_t PlotCanvas::toDeviceY(float y) const {
    return nearestPixel((kUserExtent - static_cast<double>(y)) * (height_ - 1) / kUserExtent);
}

double PlotCanvas::toUserX(double deviceX) const {
    return deviceX * kUserExtent / std::max(width_ - 1, 1);
}

double PlotCanvas::toUserY(double deviceY) const {
    return kUserExtent - deviceY * kUserExtent / std::max(height_ - 1, 1);
}

DevicePixel PlotCanvas::toDevice(PlotPoint point) const {
    return {toDeviceX(point.x), toDeviceY(point.y)};
}

void PlotCanvas::drawSegment(DevicePixel from, DevicePixel to, std::uint32_t argb) {
    if (strokes_ != nullptr) {
        strokes_->stroke(from, to, argb);
        return;
    }
    const std::int64_t wide = std::abs(to.x - from.x);
    const std::int64_t tall = std::abs(to.y - from.y);
    if (wide == 0) {
        drawColumnRun(from.x, from.y, to.y, argb);
    } else {
        drawAlongLongerAxis(from, to, /*transposed=*/wide < tall, argb);
    }
}

// One walk serves wide and tall segments: `transposed` swaps the roles of x
// and y, so the walk always steps along the longer axis, one pixel per step.
void PlotCanvas::drawAlongLongerAxis(DevicePixel from, DevicePixel to, bool transposed, std::uint32_t argb) {
    if (transposed) {
        from = {from.y, from.x};
        to = {to.y, to.x};
    }
    if (from.x > to.x) std::swap(from, to);
    const std::int64_t majorSize = transposed ? height_ : width_;
    const std::int64_t minorSize = transposed ? width_ : height_;
    const std::int64_t first = std::max<std::int64_t>(from.x, 0);
    const std::int64_t last = std::min<std::int64_t>(to.x, majorSize - 1);
    for (std::int64_t major = first; major <= last; ++major) {
        const std::int64_t minor = minorAt(major, from.x, from.y, to.x, to.y);
        if (minor < 0 || minor >= minorSize) continue;
        if (transposed) {
            put(minor, major, argb);
        } else {
            put(major, minor, argb);
        }
    }
}

std::int64_t PlotCanvas::rowCovering(DevicePixel from, DevicePixel to, std::int64_t x) const {
    if (from.x > to.x) std::swap(from, to);
    if (std::abs(to.y - from.y) <= to.x - from.x) return minorAt(x, from.x, from.y, to.x, to.y);
    // A tall segment: the first of its rows that falls in column x.
    if (from.y > to.y) std::swap(from, to);
    for (std::int64_t y = from.y; y < to.y; ++y) {
        if (minorAt(y, from.y, from.x, to.y, to.x) == x) return y;
    }
    return to.y;
}

void PlotCanvas::drawColumnRun(std::int64_t x, std::int64_t y0, std::int64_t y1, std::uint32_t argb) {
    if (strokes_ != nullptr) {
        strokes_->stroke({x, y0}, {x, y1}, argb);
        return;
    }
    if (x < 0 || x >= width_) return;
    if (y0 > y1) std::swap(y0, y1);
    const std::int64_t first = std::max<std::int64_t>(y0, 0);
    const std::int64_t last = std::min<std::int64_t>(y1, height_ - 1);
    for (std::int64_t y = first; y <= last; ++y) put(x, y, argb);
}

void PlotCanvas::fill(std::uint32_t argb) {
    if (pixels_ == nullptr) return;
    for (int y = 0; y < height_; ++y) std::fill_n(pixels_ + static_cast<std::int64_t>(y) * stride_, width_, stored(argb));
}

}  // namespace ostrevo
