// The plot's exports as the page's core worker asks for them: the SVG drawing
// of the block the page measured, the CSV's header and rows a part at a time
// (the page writes each part before it asks for the next), and the catalogue's
// sentences of the menu and its messages.
#include <emscripten/bind.h>
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "page_program.h"
#include "plot_svg.h"
#include "samples_csv.h"
#include "shortest_text.h"

// JavaScript's own text of a number is the shortest that reads back, and
// far quicker than the C library's formatting tried digit count by digit count.
EM_JS(int, ShortestTextOfJs, (double value, char* text), {
    const shown = String(value);
    stringToUTF8(shown, text, 32);
    return shown.length;
});

namespace ostrevo::web {
namespace {

using emscripten::val;

const bool kUsesShortestTextOfJs = [] {
    UseShortestTextOfPlatform([](double value, char* text) { return static_cast<std::size_t>(ShortestTextOfJs(value, text)); });
    return true;
}();

PixelBox BoxFrom(const val& box) {
    return {box["left"].as<double>(), box["top"].as<double>(), box["width"].as<double>(), box["height"].as<double>()};
}

Rgb RgbFrom(const val& colour) {
    return {colour[0].as<std::uint8_t>(), colour[1].as<std::uint8_t>(), colour[2].as<std::uint8_t>()};
}

// The block as the page measured it (see plot_exports.js).
PlotBlockLayout LayoutFrom(const val& layout) {
    return {.width = layout["width"].as<double>(), .height = layout["height"].as<double>(),
            .strip = BoxFrom(layout["strip"]), .plot = BoxFrom(layout["plot"]),
            .plotBorder = layout["plotBorder"].as<double>(), .rasterWidth = layout["rasterWidth"].as<int>(),
            .rasterHeight = layout["rasterHeight"].as<int>(), .ground = RgbFrom(layout["ground"]),
            .stripText = RgbFrom(layout["stripText"])};
}

std::string PlotSvgOf(const PageProgram& program, const val& layout) {
    return PlotSvg(program.plotRecord(), LayoutFrom(layout));
}

std::optional<SamplesCsv> CsvOf(const PageProgram& program, const std::string& decimalSeparator) {
    const std::optional<TraceRequest>& traces = program.plotRecord().traces();
    if (!traces) return std::nullopt;
    return SamplesCsv(*traces, decimalSeparator);
}

// The CSV's header, its rows' count and the file's proposed name; null without traces.
val CsvOutline(const PageProgram& program, const std::string& decimalSeparator) {
    const std::optional<SamplesCsv> csv = CsvOf(program, decimalSeparator);
    if (!csv) return val::null();
    val outline = val::object();
    outline.set("header", csv->header());
    outline.set("rows", static_cast<double>(csv->rowCount()));
    const std::string N = std::to_string(program.plotRecord().traces()->N);
    outline.set("fileName", Say(Text::ExportCsvFileName, {{"N", N}}));
    outline.set("revision", static_cast<double>(program.plotRecord().revision()));
    return outline;
}

// Rows of the plot the outline was taken of; null once the plot has changed
// (a new "Grafici" while the file was being written).
val CsvRows(const PageProgram& program, const std::string& decimalSeparator, double first, double count,
            double revision) {
    if (static_cast<double>(program.plotRecord().revision()) != revision) return val::null();
    std::string rows;
    if (const std::optional<SamplesCsv> csv = CsvOf(program, decimalSeparator)) {
        csv->writeRows(static_cast<std::int64_t>(first), static_cast<std::int64_t>(count), [&](std::string_view piece) {
            rows += piece;
            return true;
        });
    }
    return val(rows);
}

// Every entry's words by its name, placeholders unfilled.
val Catalogue() {
    val words = val::object();
    for (const TextEntry& entry : TextCatalogue()) words.set(std::string(entry.name), std::string(entry.words));
    return words;
}

// The placeholders the page fills; one it does not give stays as it is.
constexpr std::array<std::string_view, 5> kPagePlaceholders{"reason", "size", "limit", "file", "N"};

std::string SayNamed(const std::string& name, const val& fillings) {
    const auto entries = TextCatalogue();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const TextEntry& e) { return e.name == name; });
    if (entry == entries.end()) return name;
    std::array<std::string, kPagePlaceholders.size()> values;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string placeholder(kPagePlaceholders[i]);
        values[i] = fillings.hasOwnProperty(placeholder.c_str()) ? fillings[placeholder].as<std::string>()
                                                                 : "{" + placeholder + "}";
    }
    return Say(entry->text, {{kPagePlaceholders[0], values[0]}, {kPagePlaceholders[1], values[1]},
                             {kPagePlaceholders[2], values[2]}, {kPagePlaceholders[3], values[3]},
                             {kPagePlaceholders[4], values[4]}});
}

}  // namespace
}  // namespace ostrevo::web

EMSCRIPTEN_BINDINGS(ostrevo_plot_exports) {
    emscripten::function("plotSvg", &ostrevo::web::PlotSvgOf);
    emscripten::function("csvOutline", &ostrevo::web::CsvOutline);
    emscripten::function("csvRows", &ostrevo::web::CsvRows);
    emscripten::function("catalogue", &ostrevo::web::Catalogue);
    emscripten::function("say", &ostrevo::web::SayNamed);
}
