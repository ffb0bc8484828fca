#include "circuit_commands.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#include "axes.h"
#include "catalogue.h"
#include "design.h"
#include "entry_check.h"
#include "field_reading.h"
#include "timing.h"
#include "threaded_sampling.h"
#include "trace_stop.h"
#include "waveform_samples.h"
#include "waveform_sampling.h"

namespace ostrevo {
namespace {

// Stops the command with the entry check's message for the first field of
// `chain` it refuses.
void CheckEntries(const MainForm& form, std::span<const FieldId> chain) {
    if (const auto message = FirstEntryMessage(form, chain)) throw Fault(std::string(*message));
}

}  // namespace

CircuitCommands::CircuitCommands(MainForm& form, MessageBoxes& messages, std::string decimalSeparator)
    : form_(form), messages_(messages), decimalSeparator_(std::move(decimalSeparator)) {}

void CircuitCommands::computeTimes() {
    guarded([&] {
        // A number that cannot be read stops the command before the entry check speaks.
        const CircuitParameters p = ReadCircuit(form_, kTimingReadOrder);
        CheckEntries(form_, kCircuitFields);
        form_.setText(form1::Label9, TimeText(DischargeTime(p), decimalSeparator_));
        form_.setText(form1::Label11, TimeText(ChargeTime(p), decimalSeparator_));
    });
}

void CircuitCommands::writeDesigned(ControlName label, ControlName field, double value) {
    const std::string text = DesignText(value);
    if (!label.empty()) form_.setText(label, text);
    form_.setText(field, text);
    form_.setTextColour(field, form1::kDesignedFieldColour);
}

void CircuitCommands::designResistors() {
    guarded([&] {
        CheckEntries(form_, kDesignFields);
        const DesignTargets targets = ReadDesignTargets(form_);
        const Resistors resistors = DesignResistors(targets);
        writeDesigned(form1::Label30, form1::FieldControl(FieldId::Rs), resistors.Rs);
        writeDesigned(form1::Label31, form1::FieldControl(FieldId::Rc), resistors.Rc);
        writeDesigned({}, form1::FieldControl(FieldId::C), targets.C);
        for (const std::string_view warning : DesignWarnings(targets, resistors)) {
            messages_.show(std::string(warning));
        }
    });
}

void CircuitCommands::plotWaveforms(PlotWindow& plot, int threads) {
    const std::optional<SamplingJob> job = beginPlot(plot, threads);
    if (!job) return;
    std::shared_ptr<const PlotSampling> sampling;
    std::optional<SamplingMerge> merged;
    guarded([&] {
        sampling = std::make_shared<const PlotSampling>(*job);
        merged = SampleAll(sampling, threads);
    });
    if (merged) finishPlot(plot, *sampling, *merged);
}

std::optional<SamplingJob> CircuitCommands::beginPlot(PlotWindow& plot, int workers) {
    stopped_ = false;
    std::optional<SamplingJob> job;
    guarded([&] {
        CheckEntries(form_, kCircuitFields);
        plot.ensureCreated();
        plot.erasePlot();
        plot.show();
        DrawAxes(plot);
        const CircuitParameters p = ReadCircuit(form_, kCircuitFields);
        RequireSampleCount(p.N);
        const Times times{DischargeTime(p), ChargeTime(p)};
        const PlotScale scale{times.ts, times.tc, p.NP, p.VPlus, p.Vcc, p.VMinus};
        LabelAxes(plot, scale, decimalSeparator_);
        // Only now do the labels on screen show these times.
        plot.rememberPlot(scale);
        const double step = SampleStep(times, p.N);
        const std::int64_t samples = std::int64_t{std::max(p.N, -1)} + 1;
        job = SamplingJob{p, times.ts, step, SamplingJob::ChunkSamplesFor(samples, workers)};
    });
    return job;
}

void CircuitCommands::finishPlot(PlotWindow& plot, const PlotSampling& sampling, const SamplingMerge& merged) {
    guarded([&] {
        const CircuitParameters& p = sampling.job().p;
        const std::optional<TraceStop> stop = merged.outcome(p.NP);
        const TraceRequest traces{std::make_shared<WaveformSamples>(sampling.waveform()),
                                  static_cast<std::int32_t>(sampling.sampleCount() - 1), p.NP, p.VPlus, p.Vcc, stop};
        plot.drawTraces(traces);
        if (traces.stop) throw CannotDrawWhole(traces);
    });
}

void CircuitCommands::fillExample(Example example) {
    guarded([&] {
        for (const form1::ControlText& filled : form1::ExampleFilling(example)) form_.setText(filled.control, filled.text);
    });
}

bool CircuitCommands::runButton(Command command, PlotWindow& plot) {
    stopped_ = false;
    switch (command) {
        case Command::ComputeTimes: computeTimes(); return true;
        case Command::PlotWaveforms: plotWaveforms(plot); return true;
        case Command::DesignResistors: designResistors(); return true;
        case Command::FillIdealExample: fillExample(Example::Ideal); return true;
        case Command::FillRealExample: fillExample(Example::Real); return true;
        case Command::None: return true;
        case Command::ExitProgram:
        case Command::CloseWindow: return false;
    }
    return false;
}

std::string UnforeseenStopMessage(std::exception_ptr stop) {
    try {
        std::rethrow_exception(stop);
    } catch (const std::bad_alloc&) {
        return std::string(Words(Text::OutOfMemory));
    } catch (const std::length_error&) {
        return std::string(Words(Text::TooMuchData));
    } catch (...) {
        return std::string(Words(Text::UnexpectedError));
    }
}

}  // namespace ostrevo
