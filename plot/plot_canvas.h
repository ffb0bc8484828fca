#pragma once
#include <cstdint>

#include "plot_window.h"

namespace ostrevo {

// A pixel of the canvas, in device pixels from the top-left corner.
struct DevicePixel {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const DevicePixel&, const DevicePixel&) = default;
};

// How a pixel's colour lies in its 32 bits: 0xAARRGGBB as a number (the
// layout of QImage::Format_RGB32), or the bytes red, green, blue, alpha in
// memory (a browser's ImageData) on a little-endian processor.
enum class PixelLayout { Argb32, RgbaBytes };

// What a canvas without pixels of its own draws into: each segment as the
// renderers ask for it, in device pixels, unclipped (a vector picture of the
// plot follows the raster's renderers stroke by stroke).
class StrokeSink {
public:
    virtual ~StrokeSink() = default;
    virtual void stroke(DevicePixel from, DevicePixel to, std::uint32_t argb) = 0;
};

// The raster behind Picture1: a block of 32-bit pixels that segments are
// drawn into. Colours are given as 0xAARRGGBB and stored in the canvas's layout.
//
// The rule of the drawing surface: user x 0 falls on the first device column
// and 100 on the last, user y 100 on the first row and 0 on the last; a point
// falls on the nearest pixel (halves upwards). A segment covers the pixels of
// the line between its two end pixels, one per column when it is wider than
// tall and one per row otherwise, both end pixels included; the pixels do not
// depend on the direction the segment is drawn in. Whatever falls outside the
// canvas is clipped. Every renderer of the plot draws through this class, so
// their pictures can be compared pixel for pixel.
class PlotCanvas {
public:
    PlotCanvas(std::uint32_t* pixels, int width, int height, int stridePixels,
               PixelLayout layout = PixelLayout::Argb32);
    // Of width x height device pixels, handing its segments to `strokes`.
    PlotCanvas(StrokeSink& strokes, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    DevicePixel toDevice(PlotPoint point) const;
    std::int64_t toDeviceX(float x) const;
    std::int64_t toDeviceY(float y) const;
    // The way back: the user coordinates of a position in device pixels
    // (fractions allowed), for a canvas of at least two pixels each way.
    double toUserX(double deviceX) const;
    double toUserY(double deviceY) const;

    void drawSegment(DevicePixel from, DevicePixel to, std::uint32_t argb);
    // A row that the segment between `from` and `to` covers in column x,
    // a column between theirs.
    std::int64_t rowCovering(DevicePixel from, DevicePixel to, std::int64_t x) const;
    // The pixels of column x from row y0 to row y1, both included (a vertical segment).
    void drawColumnRun(std::int64_t x, std::int64_t y0, std::int64_t y1, std::uint32_t argb);
    void fill(std::uint32_t argb);

    std::uint32_t pixel(int x, int y) const { return pixels_[static_cast<std::int64_t>(y) * stride_ + x]; }

private:
    void drawAlongLongerAxis(DevicePixel from, DevicePixel to, bool transposed, std::uint32_t argb);
    void put(std::int64_t x, std::int64_t y, std::uint32_t argb) {
        pixels_[y * stride_ + x] = stored(argb);
    }
    std::uint32_t stored(std::uint32_t argb) const;

    std::uint32_t* pixels_;
    int width_;
    int height_;
    int stride_;
    PixelLayout layout_;
    StrokeSink* strokes_ = nullptr;
};

}  // namespace ostrevo
