#include "circuit_examples.h"

#include <algorithm>
#include <utility>

#include "timing.h"
#include "waveform_sampling.h"

namespace ostrevo::testing {
namespace {

constexpr std::pair<FieldId, const char* CircuitTexts::*> kTextOfField[] = {
    {FieldId::Vcc, &CircuitTexts::vcc},     {FieldId::Rc, &CircuitTexts::rc},    {FieldId::Rs, &CircuitTexts::rs},
    {FieldId::RoH, &CircuitTexts::roh},     {FieldId::RoL, &CircuitTexts::rol},  {FieldId::Ci, &CircuitTexts::ci},
    {FieldId::C, &CircuitTexts::c},         {FieldId::VPlus, &CircuitTexts::vPlus},
    {FieldId::VMinus, &CircuitTexts::vMinus}, {FieldId::Vd, &CircuitTexts::vd}, {FieldId::NP, &CircuitTexts::np},
    {FieldId::N, &CircuitTexts::n},
};

}  // namespace

CircuitTexts ExampleTexts(Example example) {
    CircuitTexts texts{};
    for (const auto& [id, text] : kTextOfField) texts.*text = ExampleText(FieldOf(id), example);
    return texts;
}

void TypeCircuit(FakeForm& form, const CircuitTexts& texts) {
    for (const auto& [id, text] : kTextOfField) form.type(FieldOf(id).control, texts.*text);
}

SampledPeriod SamplePeriod(const CircuitParameters& p) {
    SampledPeriod period{p, {DischargeTime(p), ChargeTime(p)}, 0, {}, {}};
    period.step = SampleStep(period.times, p.N);
    const auto length = static_cast<std::size_t>(std::max(p.N + 2, 1));
    period.vc.assign(length, 0.0);
    period.vo.assign(length, 0.0);
    SampleWaveforms(p, period.times.ts, period.step, period.vc, period.vo);
    return period;
}

}  // namespace ostrevo::testing
