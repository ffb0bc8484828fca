#include "plot_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "fast_trace_renderer.h"
#include "plot_canvas.h"
#include "shortest_text.h"
#include "waveform_form.h"

namespace ostrevo {
namespace {

struct Point {
    double x;
    double y;
};

struct Polyline {
    std::uint32_t argb;
    std::vector<Point> points;
};

// Gathers the strokes of a canvas into polylines. Strokes that go on from
// where the line has already been in their column join it; within a column
// only the points where the line enters and leaves it and its lowest and
// highest are kept, which cover the same pixels as every stroke in between
// (the line's stretch of the column, from its lowest to its highest).
class PolylineCollector final : public StrokeSink {
public:
    PolylineCollector(int width, int height) : width_(width), height_(height) {}

    void stroke(DevicePixel from, DevicePixel to, std::uint32_t argb) override {
        if (from.x == to.x) {
            // The raster clips a vertical run to the rows it has: so can the picture.
            if (from.x < 0 || from.x >= width_) return;
            from.y = clampRow(from.y);
            to.y = clampRow(to.y);
        } else if (!nearCanvas(from) || !nearCanvas(to)) {
            addClipped(from, to, argb);
            return;
        }
        if (!continues(from, to, argb)) {
            finishLine();
            current_.argb = argb;
            column_ = Column{from.x, from.y, from.y, from.y, from.y};
        }
        column_->low = std::min(column_->low, from.y);
        column_->high = std::max(column_->high, from.y);
        column_->last = from.y;
        if (to.x == column_->x) {
            column_->low = std::min(column_->low, to.y);
            column_->high = std::max(column_->high, to.y);
            column_->last = to.y;
        } else {
            finishColumn();
            column_ = Column{to.x, to.y, to.y, to.y, to.y};
        }
    }

    std::vector<Polyline> finish() {
        finishLine();
        return std::move(done_);
    }

private:
    struct Column {
        std::int64_t x;
        std::int64_t entry;
        std::int64_t low;
        std::int64_t high;
        std::int64_t last;
    };

    std::int64_t clampRow(std::int64_t y) const { return std::clamp<std::int64_t>(y, -1, height_); }
    bool nearCanvas(DevicePixel p) const { return p.x >= -1 && p.x <= width_ && p.y >= -1 && p.y <= height_; }

    // The stroke starts in the column the line is in, where the line has been
    // or next to it (a vertical one overlapping that stretch): joining there
    // lights no pixel the stroke does not.
    bool continues(DevicePixel from, DevicePixel to, std::uint32_t argb) const {
        if (!column_ || current_.argb != argb || from.x != column_->x) return false;
        const std::int64_t top = from.x == to.x ? std::min(from.y, to.y) : from.y;
        const std::int64_t bottom = from.x == to.x ? std::max(from.y, to.y) : from.y;
        return bottom >= column_->low - 1 && top <= column_->high + 1;
    }

    void add(double x, double y) {
        const Point point{x + 0.5, y + 0.5};  // the middle of the pixel
        if (current_.points.empty() || current_.points.back().x != point.x || current_.points.back().y != point.y) {
            current_.points.push_back(point);
        }
    }

    void finishColumn() {
        const auto x = static_cast<double>(column_->x);
        for (const std::int64_t y : {column_->entry, column_->low, column_->high, column_->last}) {
            add(x, static_cast<double>(y));
        }
    }

    void finishLine() {
        if (!column_) return;
        finishColumn();
        column_.reset();
        if (current_.points.size() == 1) current_.points.push_back(current_.points.front());  // a dot
        done_.push_back(std::move(current_));
        current_ = {};
    }

    // A segment from far off the canvas: the part of it near the canvas, on
    // its own (Liang and Barsky's clipping against one pixel around the canvas).
    void addClipped(DevicePixel from, DevicePixel to, std::uint32_t argb) {
        finishLine();
        const double x0 = static_cast<double>(from.x);
        const double y0 = static_cast<double>(from.y);
        const double dx = static_cast<double>(to.x) - x0;
        const double dy = static_cast<double>(to.y) - y0;
        double enter = 0;
        double leave = 1;
        const auto limit = [&](double p, double q) {
            if (p == 0) return q >= 0;
            const double r = q / p;
            if (p < 0) enter = std::max(enter, r);  // mutants: skip (p is not 0 here)
            else leave = std::min(leave, r);
            return enter <= leave;
        };
        if (!limit(-dx, x0 + 1) || !limit(dx, width_ - x0) || !limit(-dy, y0 + 1) || !limit(dy, height_ - y0)) return;
        current_.argb = argb;
        add(x0 + enter * dx, y0 + enter * dy);
        add(x0 + leave * dx, y0 + leave * dy);
        if (current_.points.size() == 1) current_.points.push_back(current_.points.front());
        done_.push_back(std::move(current_));
        current_ = {};
    }

    int width_;
    int height_;
    std::optional<Column> column_;
    Polyline current_;
    std::vector<Polyline> done_;
};

std::string Number(double value) {
    char text[kShortestTextSize];
    return std::string(text, ShortestText(value, text));
}

std::string Colour(Rgb colour) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t part : {colour.red, colour.green, colour.blue}) {
        text += kHex[part >> 4];
        text += kHex[part & 15];
    }
    return text;
}

Rgb ColourOf(std::uint32_t argb) {
    return {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8), static_cast<std::uint8_t>(argb)};
}

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

std::string Attribute(std::string_view name, std::string_view value) {
    std::string attribute(" ");
    attribute.append(name).append("=\"").append(value).append("\"");
    return attribute;
}

std::string Rect(double left, double top, double width, double height, Rgb fill) {
    return "<rect" + Attribute("x", Number(left)) + Attribute("y", Number(top)) + Attribute("width", Number(width)) +
           Attribute("height", Number(height)) + Attribute("fill", Colour(fill)) + "/>\n";
}

// The frame and the traces, in the order the raster has them.
std::vector<Polyline> PlotStrokes(const PlotRecord& record, const PlotBlockLayout& layout) {
    PolylineCollector collector(layout.rasterWidth, layout.rasterHeight);
    PlotCanvas canvas(collector, layout.rasterWidth, layout.rasterHeight);
    for (const PlotRecord::Line& line : record.lines()) {
        canvas.drawSegment(canvas.toDevice(line.from), canvas.toDevice(line.to), Argb(line.colour));
    }
    if (record.traces()) DrawTracesAggregated(canvas, *record.traces());
    return collector.finish();
}

std::string Polylines(const std::vector<Polyline>& lines) {
    std::string svg;
    for (const Polyline& line : lines) {
        svg += "<polyline" + Attribute("stroke", Colour(ColourOf(line.argb))) + " points=\"";
        for (const Point& point : line.points) {
            svg += Number(point.x) + "," + Number(point.y) + " ";
        }
        svg.back() = '"';
        svg += "/>\n";
    }
    return svg;
}

// The platform's sunken border, two pixels: dark above and left, light below and right.
std::string SunkenBorder(const PixelBox& inner, double border, double ratio) {
    static constexpr Rgb kShadow{160, 160, 160};
    static constexpr Rgb kDarkShadow{105, 105, 105};
    static constexpr Rgb kLight{255, 255, 255};
    static constexpr Rgb kMidlight{227, 227, 227};
    std::string svg;
    const double line = border / 2;
    for (int ring = 0; ring < 2; ++ring) {
        const double left = (inner.left - border + ring * line) * ratio;
        const double top = (inner.top - border + ring * line) * ratio;
        const double width = (inner.width + 2 * border - 2 * ring * line) * ratio;
        const double height = (inner.height + 2 * border - 2 * ring * line) * ratio;
        const double thick = line * ratio;
        svg += Rect(left, top, width, height, ring == 0 ? kLight : kMidlight);
        svg += Rect(left, top, width - thick, thick, ring == 0 ? kShadow : kDarkShadow);
        svg += Rect(left, top, thick, height - thick, ring == 0 ? kShadow : kDarkShadow);
    }
    return svg;
}

// Where the caption's baseline lies below the top of its label: the ascent of
// the windows' font at its designed size.
constexpr double kAscentOfSize = 0.905;

// A label of Picture1 or Picture3 where the faces show it: placed by the
// plot command, its corner on the pixel of its user coordinates in the area's
// present inner size; else at its designed place with its designed caption.
std::string LabelSvg(const Control& control, const PlotRecord& record, const PlotBlockLayout& layout, double ratio) {
    const PixelBox& area = control.container == form2::Picture1 ? layout.plot : layout.strip;
    double left = area.left + TwipsToPixels(control.place.left);
    double top = area.top + TwipsToPixels(control.place.top);
    std::string_view text = control.caption;
    const auto placed = std::find_if(record.labels().begin(), record.labels().end(),
                                     [&](const PlotRecord::Label& label) { return label.control == control.name; });
    if (placed != record.labels().end()) {
        const PlotCanvas mapping(nullptr, static_cast<int>(std::lround(area.width)),
                                 static_cast<int>(std::lround(area.height)), 0);
        left = area.left + static_cast<double>(mapping.toDeviceX(placed->left));
        top = area.top + static_cast<double>(mapping.toDeviceY(placed->top));
        text = placed->text;
    }
    const Looks& looks = control.looks;
    std::string svg;
    if (looks.fill == Fill::Colour) {
        svg += Rect(left * ratio, top * ratio, TwipsToPixels(control.place.width) * ratio,
                    TwipsToPixels(control.place.height) * ratio, looks.background);
    }
    const double size = kControlFont.pixels;
    svg += "<text" + Attribute("x", Number(left * ratio)) +
           Attribute("y", Number((top + std::round(size * kAscentOfSize)) * ratio)) +
           Attribute("font-size", Number(size * ratio)) +
           Attribute("font-weight", looks.weight == FontWeight::Bold ? "bold" : "normal") +
           Attribute("fill", Colour(looks.text.value_or(layout.stripText))) + ">" + Escaped(text) + "</text>\n";
    return svg;
}

std::string FontFamily() {
    std::string family;
    for (const char* face : {kControlFont.family, kControlFont.substitutes[0], kControlFont.substitutes[1]}) {
        family.append("'").append(face).append("', ");
    }
    return family.append("sans-serif");
}

}  // namespace

std::string PlotSvg(const PlotRecord& record, const PlotBlockLayout& layout) {
    const PixelBox& plot = layout.plot;
    const double ratio = plot.width > 0 ? layout.rasterWidth / plot.width : 1;
    const Control& picture1 = *FindControl(form2::kForm, form2::Picture1);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\"" + Attribute("width", Number(layout.width)) +
           Attribute("height", Number(layout.height)) + Attribute("viewBox", "0 0 " + Number(layout.width * ratio) +
           " " + Number(layout.height * ratio)) + Attribute("font-family", Escaped(FontFamily())) + ">\n";
    svg += "<title>" + Escaped(picture1.accessible.name) + "</title>\n";
    svg += Rect(0, 0, layout.width * ratio, layout.height * ratio, layout.ground);
    svg += SunkenBorder(plot, layout.plotBorder, ratio);
    svg += "<clipPath id=\"Picture1\">" + Rect(0, 0, layout.rasterWidth, layout.rasterHeight, {}) + "</clipPath>\n";
    svg += "<g" + Attribute("transform", "translate(" + Number(plot.left * ratio) + " " + Number(plot.top * ratio) + ")") +
           ">\n";
    svg += Rect(0, 0, layout.rasterWidth, layout.rasterHeight, picture1.looks.background);
    // Square ends and round turns: a line's end and the extremes it turns
    // back at cover their whole pixel, as the raster lights it.
    svg += "<g clip-path=\"url(#Picture1)\" fill=\"none\" stroke-width=\"1\" stroke-linecap=\"square\" "
           "stroke-linejoin=\"round\" "
           "shape-rendering=\"crispEdges\">\n";
    svg += Polylines(PlotStrokes(record, layout));
    svg += "</g>\n</g>\n";
    // In the order the windows create them: a later label lies above an earlier one.
    for (const Control& control : form2::kForm.controls) {
        if (control.visible && (control.container == form2::Picture1 || control.container == form2::Picture3)) {
            svg += LabelSvg(control, record, layout, ratio);
        }
    }
    return svg + "</svg>\n";
}

}  // namespace ostrevo
