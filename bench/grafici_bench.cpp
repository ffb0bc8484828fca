// The whole "Grafici" command as the user runs it, under the offscreen
// platform: the real main window with the real example, NP and N in their
// fields, the button clicked, and both windows shown and painted. Beside it,
// the time of one exp per sample in the same process: the floor the sampling
// cannot go below.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_support.h"
#include "control_font.h"
#include "controls.h"
#include "field_reading.h"
#include "main_window.h"
#include "qt_message_boxes.h"
#include "threaded_sampling.h"
#include "timing.h"
#include "vector_state.h"
#include "waveform_sampling.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::bench {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The program's two windows, set up as main() sets them up.
class RunningProgram {
public:
    RunningProgram(std::int64_t NP, std::int64_t N, int threads) {
        QApplication::setApplicationName(ui::kApplicationTitle);
        ui::InstallFontFallbacks();
        form().show();
        if (!QTest::qWaitForWindowExposed(&form())) throw std::runtime_error("the main window is not exposed");
        button(form1::Command6)->click();  // "Ostrevo reale, dati esempio"
        form().setText(form1::FieldControl(FieldId::NP), std::to_string(NP));
        form().setText(form1::FieldControl(FieldId::N), std::to_string(N));
        form().setSamplingThreads(threads);
    }

    // Clicks "Grafici", waits for its samples and lets the windows paint what it drew.
    void grafici() {
        button(form1::Command2)->click();
        while (form().runningPlot() != nullptr) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    }

    void waitUntilPlotShown() {
        if (!QTest::qWaitForWindowExposed(host_.window())) throw std::runtime_error("the plot is not exposed");
        QApplication::processEvents();
    }

    ui::MainWindow& form() { return mainWindow_; }
    const std::vector<std::string>& messages() const { return messages_.shown; }

private:
    QPushButton* button(ControlName name) { return form().findChild<QPushButton*>(ui::ToQString(name)); }

    testing::FakeMessages messages_;
    WaveformWindowHost host_;
    ui::MainWindow mainWindow_{host_, messages_};
};

// N + 1 calls of exp on the exponents of the discharge, from a clean vector
// state: what one exp per sample costs on this processor (the best of three
// runs, as other work on the machine only ever adds time).
double MillisecondsOfOneExpPerSample(const MainForm& form) {
    const CircuitParameters p = ReadCircuit(form, kCircuitFields);
    const double step = SampleStep({DischargeTime(p), ChargeTime(p)}, p.N);
    const double scale = step / ((p.Ci + p.C) * (p.Rs + p.RoL));
    double best = std::numeric_limits<double>::infinity();
    for (int run = 0; run < 3; ++run) {
        ClearVectorUpperState();
        double sum = 0;
        const auto start = Clock::now();
        for (std::int64_t k = 0; k <= p.N; ++k) sum += std::exp(-static_cast<double>(k) * scale);
        best = std::min(best, MillisecondsSince(start));
        benchmark::DoNotOptimize(sum);
    }
    return best;
}

void BM_Grafici(benchmark::State& state) {
    ResetPeakMemory();
    RunningProgram program(state.range(0), state.range(1), static_cast<int>(state.range(2)));

    // The first plot also opens the waveform window; the timed ones repeat it
    // as a user pressing "Grafici" again does.
    const auto start = Clock::now();
    program.grafici();
    program.waitUntilPlotShown();
    const double firstPlotMilliseconds = MillisecondsSince(start);

    double seconds = 0;
    for (auto _ : state) {
        const auto click = Clock::now();
        program.grafici();
        seconds += std::chrono::duration<double>(Clock::now() - click).count();
    }
    if (!program.messages().empty()) state.SkipWithError(program.messages().front().c_str());
    const double expMilliseconds = MillisecondsOfOneExpPerSample(program.form());
    state.counters["first_plot_ms"] = firstPlotMilliseconds;
    state.counters["first_times_exp"] = firstPlotMilliseconds / expMilliseconds;
    state.counters["exp_per_sample_ms"] = expMilliseconds;
    state.counters["times_exp"] = seconds * 1e3 / static_cast<double>(state.iterations()) / expMilliseconds;
    ReportMemory(state);
}
// The plot sizes on one thread per core.
void PlotSizesOnEveryCore(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"NP", "N", "threads"});
    for (const auto& [NP, N] : PlotSizeList()) benchmark->Args({NP, N, CoreCount()});
}
// The long plots on 1, 2 and 8 threads; the largest N whose N + 1 fits 32 bits once.
void LongPlotsOnThreads(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"NP", "N", "threads"});
    for (const std::int64_t threads : {1, 2, 8}) benchmark->Args({5, 100'000'000, threads});
    for (const std::int64_t threads : {1, 2, 8}) benchmark->Args({5, 2'000'000'000, threads});
}
BENCHMARK(BM_Grafici)->Apply(PlotSizesOnEveryCore)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grafici)->Apply(LongPlotsOnThreads)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ostrevo::bench
