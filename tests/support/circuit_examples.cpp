#include "circuit_examples.h"

#include <algorithm>
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

SampledPeriod SamplePeriod(const CircuitParameters& p) {
    SampledPeriod period{p, {DischargeTime(p), ChargeTime(p)}, 0, {}, {}};
    period.step = SampleStep(period.times, p.N);
    period.vc.assign(static_cast<std::size_t>(std::max(p.N + 2, 1)), 0.0);
    period.vo = period.vc;
    SampleWaveforms(p, period.times.ts, period.step, period.vc, period.vo);
    return period;
}

}  // namespace ostrevo::testing
