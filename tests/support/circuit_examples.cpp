#include "circuit_examples.h"

#include <sstream>
#include <string>

#include "timing.h"
#include "waveform_sampling.h"

namespace ostrevo::testing {
namespace {

// The members of CircuitTexts, in the order of kCircuitFields.
constexpr const char* CircuitTexts::*kTextOfField[] = {
    &CircuitTexts::vcc, &CircuitTexts::rc,    &CircuitTexts::rs,     &CircuitTexts::roh, &CircuitTexts::rol,
    &CircuitTexts::ci,  &CircuitTexts::c,     &CircuitTexts::vPlus,  &CircuitTexts::vMinus, &CircuitTexts::vd,
    &CircuitTexts::np,  &CircuitTexts::n};

}  // namespace

CircuitTexts ExampleTexts(Example example) {
    CircuitTexts texts{};
    for (std::size_t i = 0; i < 12; ++i) texts.*kTextOfField[i] = ExampleText(FieldOf(kCircuitFields[i]), example);
    return texts;
}

void TypeCircuit(FakeForm& form, const CircuitTexts& texts) {
    for (std::size_t i = 0; i < 12; ++i) form.type(form1::FieldControl(kCircuitFields[i]), texts.*kTextOfField[i]);
}

void TypeCircuit(FakeForm& form, std::string_view texts) {
    std::istringstream words{std::string(texts)};
    for (const FieldId id : kCircuitFields) {
        std::string word;
        words >> word;
        form.type(form1::FieldControl(id), word == "_" ? "" : word);
    }
}

SampledPeriod SamplePeriod(const CircuitParameters& p, bool keepSamples) {
    SampledPeriod period{p, {DischargeTime(p), ChargeTime(p)}, 0, {}, {}, {}};
    period.step = SampleStep(period.times, p.N);
    period.waveform = std::make_shared<WaveformSamples>(PeriodWaveform(p, period.times.ts, period.step));
    SampleWaveforms(period.waveform->waveform(), [&](const SampleBlock& block) {
        if (!keepSamples) return;
        period.vc.insert(period.vc.end(), block.vc.begin(), block.vc.end());
        period.vo.insert(period.vo.end(), block.vo.begin(), block.vo.end());
    });
    if (keepSamples) period.vc.push_back(0), period.vo.push_back(0);
    return period;
}

}  // namespace ostrevo::testing
