// Writes the raster of Picture1 that the desktop shows after "Ostrevo reale,
// dati esempio" (N typed over, when given) and "Grafici", for a picture of the
// given size in device pixels, as RGBA bytes row by row: what the page's
// canvas must equal.
//   ostrevo_desktop_raster WIDTH HEIGHT OUTPUT [N]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "circuit_commands.h"
#include "circuit_examples.h"
#include "fakes.h"
#include "fast_trace_renderer.h"
#include "plot_canvas.h"
#include "trace.h"

namespace {

using namespace ostrevo;

constexpr Rgb kLightYellow{255, 255, 192};  // Picture1's background
constexpr std::uint32_t kForeground = 0xFF000000;  // Picture1's drawing colour

// The waveform window as the desktop's picture area draws it: a raster
// erased to the background, lines and traces through PlotCanvas.
class RasterPlotWindow : public testing::FakePlotWindow {
public:
    RasterPlotWindow(int width, int height)
        : pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
          canvas_(pixels_.data(), width, height, width) {}

    void erasePlot() override { canvas_.fill(Argb(kLightYellow)); }
    void drawLine(PlotPoint from, PlotPoint to, std::optional<Rgb> colour) override {
        canvas_.drawSegment(canvas_.toDevice(from), canvas_.toDevice(to), colour ? Argb(*colour) : kForeground);
    }
    void drawTraces(const TraceRequest& request) override { DrawTracesAggregated(canvas_, request); }

    std::vector<std::uint8_t> rgba() const {
        std::vector<std::uint8_t> bytes;
        bytes.reserve(pixels_.size() * 4);
        for (const std::uint32_t argb : pixels_) {
            bytes.insert(bytes.end(), {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                                       static_cast<std::uint8_t>(argb), 255});
        }
        return bytes;
    }

private:
    std::vector<std::uint32_t> pixels_;
    PlotCanvas canvas_;
};

}  // namespace

int main(int argc, char** argv) {
    const bool usable = argc == 4 || argc == 5;
    const int width = usable ? std::atoi(argv[1]) : 0;
    const int height = usable ? std::atoi(argv[2]) : 0;
    if (width < 2 || height < 2) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT OUTPUT [N]\n", argv[0]);
        return 2;
    }
    testing::FakeForm form;
    testing::CircuitTexts texts = testing::ExampleTexts(Example::Real);
    if (argc == 5) texts.n = argv[4];
    testing::TypeCircuit(form, texts);
    testing::FakeMessages messages;
    RasterPlotWindow window(width, height);
    CircuitCommands(form, messages, ".").plotWaveforms(window);
    const std::vector<std::uint8_t> bytes = window.rgba();
    std::ofstream(argv[3], std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
    return messages.shown.empty() ? 0 : 1;
}
