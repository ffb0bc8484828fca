#include <algorithm>
#include <array>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>
#include <new>
#include <string>

#include "fault.h"
#include "fp_status.h"
#include "module1.h"
#include "number_format.h"
#include "physical_memory.h"
#include "plot_mapping.h"
#include "sample_buffer.h"

namespace ostrevo {
namespace {

PlotPoint At(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

// Tick marks of both axes and the two zero lines; the ticks take the plot's
// own foreground colour.
void DrawFrame(Module1& m, PlotWindow& plot) {
    for (m.SampleIndex = 100; m.SampleIndex > 0; m.SampleIndex -= 5) {
        plot.drawLine(At(0, m.SampleIndex), At(0.2, m.SampleIndex), std::nullopt);
    }
    for (m.SampleIndex = 0; m.SampleIndex <= 100; m.SampleIndex += 25) {
        plot.drawLine(At(m.SampleIndex, 0), At(m.SampleIndex, 0.5), std::nullopt);
    }
    plot.drawLine(At(0, 50), At(100, 50), TraceColour(Trace::Vc));
    plot.drawLine(At(0, 0.1), At(100, 0.1), TraceColour(Trace::Vo));
}

std::string SamplesText(std::int32_t n) {
    return "Impossibile disegnare il grafico con N = " + std::to_string(n) + " campioni per periodo: ";
}

// Elements of each sample buffer: indices 0 to N + 1. Below -1 the buffers are
// treated as for N = -1, with nothing to sample or draw.
std::size_t SampleBufferLength(std::int32_t n) {
    if (n == std::numeric_limits<std::int32_t>::max()) {
        throw Fault(SamplesText(n) + "N + 1 supera il massimo numero intero a 32 bit (2147483647).");
    }
    return n < -1 ? 1 : static_cast<std::size_t>(n) + 2;
}

// Refuses, before anything is allocated, buffers that would take more than
// half of the machine's memory.
void RequireMemoryFor(std::size_t length, std::int32_t n) {
    const std::uint64_t bytes = 2 * static_cast<std::uint64_t>(length) * sizeof(double);
    const std::uint64_t physical = PhysicalMemoryBytes();
    if (physical == 0 || bytes <= physical / 2) return;
    constexpr std::uint64_t kMegabyte = 1024 * 1024;
    throw Fault(SamplesText(n) + "servirebbero " + std::to_string((bytes + kMegabyte - 1) / kMegabyte) +
                " MB di memoria, più della metà della memoria del computer. Scegli un N più piccolo.");
}

void AllocateSampleBuffers(Module1& m) {
    const std::int32_t n = m.Parameters.N;
    const std::size_t length = SampleBufferLength(n);
    RequireMemoryFor(length, n);
    try {
        ResetSampleBuffer(m.VcSamples, length);
        ResetSampleBuffer(m.VoSamples, length);
    } catch (const std::bad_alloc&) {
        throw Fault(SamplesText(n) + "memoria insufficiente. Scegli un N più piccolo.");
    }
}

void SetSampleStep(Module1& m) {
    const double n = m.Parameters.N;
    const fp::Checked step = fp::Evaluate([](double tc, double ts, double count) { return (tc + ts) / count; },
                                          m.tc, m.ts, n);
    if (step.failed()) {
        throw Fault(std::string("Impossibile calcolare il passo di campionamento (tc + ts)/N: ") +
                    (n == 0 ? "il numero di campioni N è zero (divisione per zero)" : fp::DescribeFaults(step.faults)) +
                    ".");
    }
    m.SampleStep = step.value;
}

// A y coordinate can be drawn when it is computed without fault and fits the
// single precision the drawing takes.
template <typename ToY>
bool CanDraw(ToY toY, double sample, double fullScale) {
    const fp::Checked y = fp::Evaluate(toY, sample, fullScale);
    return !y.failed() && std::fabs(y.value) <= FLT_MAX;
}

// Whether every sample 1..last has a drawable y, with one status test for the
// whole trace rather than one per sample.
template <typename ToY>
bool AllDrawable(const std::vector<double>& samples, std::int32_t last, ToY toY, double fullScale) {
    std::feclearexcept(fp::kFaultFlags);
    fp::Pin(fullScale);
    bool fits = true;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(last); ++k) {
        fits &= std::fabs(toY(samples[k], fullScale)) <= FLT_MAX;  // false for a NaN too
    }
    fp::Pin(fits);
    return fits && std::fetestexcept(fp::kFaultFlags) == 0;
}

// First segment of period 1 that reaches a sample (of 1..last) with no
// drawable y; segment k joins samples k and k + 1. 0 when all can be drawn.
template <typename ToY>
std::int32_t FirstUndrawableSegment(const std::vector<double>& samples, std::int32_t last, ToY toY,
                                    double fullScale) {
    if (AllDrawable(samples, last, toY, fullScale)) return 0;
    for (std::int32_t k = 1; k <= last; ++k) {
        if (!CanDraw(toY, samples[static_cast<std::size_t>(k)], fullScale)) return std::max(1, k - 1);
    }
    return 0;
}

std::optional<TraceStop> FindTraceStop(const Module1& m) {
    const CircuitParameters& p = m.Parameters;
    if (p.NP < 1) return {};
    const auto vcToY = [](double vc, double vPlus) { return VcToY(vc, vPlus); };
    const auto voToY = [](double vo, double vcc) { return VoToY(vo, vcc); };
    if (p.N >= 2) {
        const std::int32_t segment = FirstUndrawableSegment(m.VcSamples, p.N, vcToY, p.VPlus);
        if (segment > 0) return TraceStop{Trace::Vc, segment};
    }
    if (p.N >= 1) {
        const std::int32_t segment = FirstUndrawableSegment(m.VoSamples, p.N + 1, voToY, p.Vcc);
        if (segment > 0) return TraceStop{Trace::Vo, segment};
    }
    return {};
}

// The loop indices as the period and sample loops of the traces leave them.
void SetTraceLoopIndices(Module1& m, const std::optional<TraceStop>& stop) {
    const CircuitParameters& p = m.Parameters;
    if (stop) {
        m.PeriodIndex = 1;
        m.SampleIndex = stop->segment;
        return;
    }
    if (p.NP < 1) {  // the period loop did not run
        m.PeriodIndex = 1;
        return;
    }
    // The loop leaves its counter one past the end; at the very top of the range it stays there.
    m.PeriodIndex = p.NP == std::numeric_limits<std::int32_t>::max() ? p.NP : p.NP + 1;
    m.SampleIndex = std::max(p.N + 1, 1);
}

Fault TraceFault(const Module1& m, const TraceStop& stop) {
    const bool vc = stop.trace == Trace::Vc;
    const double fullScale = vc ? m.Parameters.VPlus : m.Parameters.Vcc;
    std::string reason;
    if (fullScale == 0) {
        reason = vc ? "la tensione di soglia superiore v+ è zero (divisione per zero)"
                    : "la tensione di alimentazione Vcc è zero (divisione per zero)";
    } else {
        reason = "un campione è fuori dalla scala del grafico (il risultato supera il massimo numero rappresentabile)";
    }
    return Fault(std::string("Impossibile disegnare ") + (vc ? "vc(t)" : "vo(t)") + ": " + reason + ".");
}

void DrawTraces(Module1& m, PlotWindow& plot) {
    const CircuitParameters& p = m.Parameters;
    TraceRequest request;
    request.vcSamples = m.VcSamples;
    request.voSamples = m.VoSamples;
    request.N = std::max(p.N, -1);
    request.NP = p.NP;
    request.VPlus = p.VPlus;
    request.Vcc = p.Vcc;
    request.stop = FindTraceStop(m);
    SetTraceLoopIndices(m, request.stop);
    plot.drawTraces(request);
    if (request.stop) throw TraceFault(m, *request.stop);
}

struct Caption {
    std::string_view control;
    const char* text;
    float top;
};

constexpr std::array<Caption, 7> kVoltageCaptions{{
    {"Label6", "vc(t)[V]", 99.5F},
    {"Label7", "v+", 97},
    {"Label8", "v-", 75},
    {"Label12", "0", 52},
    {"Label11", "vo(t)", 50},
    {"Label13", "Vcc", 48},
    {"Label4", "0", 2},
}};

constexpr float kCaptionLeft = 15;
constexpr float kTimeLabelTop = 3;

Fault CannotLabel(int faults) {
    return Fault("Impossibile calcolare i tempi dell'asse orizzontale: " + fp::DescribeFaults(faults) + ".");
}

}  // namespace

void Module1::PlaceAxisLabels(PlotWindow& plot) {
    const fp::Checked duration = fp::Evaluate(
        [](double t1, double t2, double periods) { return (t1 + t2) * periods; }, ts, tc,
        static_cast<double>(Parameters.NP));
    if (duration.failed()) throw CannotLabel(duration.faults);
    PlotDuration = duration.value;

    const auto placeTime = [&](std::string_view control, double time, float left) {
        plot.placeLabel(control, FormatScientific(time, 2, DecimalSeparator), left, kTimeLabelTop);
    };
    placeTime("Label1", PlotDuration / 2, 49);
    placeTime("Label2", PlotDuration / 4, 24);
    const fp::Checked threeQuarters =
        fp::Evaluate([](double d) { return d * 3 / 4; }, PlotDuration);
    if (threeQuarters.failed()) throw CannotLabel(threeQuarters.faults);
    placeTime("Label3", threeQuarters.value, 74);

    for (const Caption& caption : kVoltageCaptions) {
        plot.placeLabel(caption.control, caption.text, kCaptionLeft, caption.top);
    }
}

void Module1::DrawWaveforms(PlotWindow& plot) {
    plot.show();
    DrawFrame(*this, plot);
    ReadParameters(ReadOrder::DrawWaveforms);
    AllocateSampleBuffers(*this);
    ComputeDischargeTime();
    ComputeChargeTime();
    plot.rememberPlot({ts, tc, Parameters.NP, Parameters.VPlus, Parameters.Vcc});
    PlaceAxisLabels(plot);
    SetSampleStep(*this);
    SampleWaveforms();
    DrawTraces(*this, plot);
}

void Module1::Command2_Click(PlotWindow& plot) {
    RunCommand([&] {
        if (!ValidationChain()) return;
        plot.ensureCreated();
        plot.erasePlot();
        DrawWaveforms(plot);
    });
}

}  // namespace ostrevo
