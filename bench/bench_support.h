#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "form_interfaces.h"
#include "module1.h"
#include "plot_canvas.h"
#include "plot_window.h"

namespace ostrevo::bench {

// Inner area of Picture1 in device pixels at a device pixel ratio of 1.
inline constexpr int kPictureWidth = 921;
inline constexpr int kPictureHeight = 633;

// The plot sizes of the suite, as (NP, N) argument pairs.
void PlotSizes(benchmark::internal::Benchmark* benchmark);

// Peak resident memory of the process (getrusage ru_maxrss), in MiB. Each
// benchmark resets the peak (Linux) before it starts, so it reports its own.
void ResetPeakMemory();
double PeakMemoryMiB();
// What the two sample buffers of a plot with N samples per period take, in MiB.
double SampleBuffersMiB(std::int64_t N);
void ReportMemory(benchmark::State& state, std::int64_t N);

// The main window's fields holding the real example data, NP and N as given.
class ExampleForm : public MainForm {
public:
    ExampleForm(std::int64_t NP, std::int64_t N);
    std::u16string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& utf8) override;
    void setTextColour(std::string_view, Rgb) override {}

private:
    std::map<std::string, std::string, std::less<>> fields_;
};

// Any message box is a failure of the benchmark.
class FailingMessages : public MessageBoxes {
public:
    void show(const std::string& utf8Message) override;
};

// A module that has just sampled the real example with NP periods of N samples.
struct SampledExample {
    SampledExample(std::int64_t NP, std::int64_t N);
    TraceRequest request() const;

    ExampleForm form;
    FailingMessages messages;
    Module1 module;
};

}  // namespace ostrevo::bench
