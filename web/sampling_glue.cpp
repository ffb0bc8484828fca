#include "sampling_glue.h"

#include <emscripten/bind.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "field_reading.h"
#include "fields.h"
#include "timing.h"

namespace ostrevo::web {
namespace {

using emscripten::val;

// The circuit's values by the names of CircuitParameters.
constexpr struct {
    const char* name;
    double CircuitParameters::*value;
} kCircuitValues[] = {
    {"Vcc", &CircuitParameters::Vcc}, {"Rc", &CircuitParameters::Rc},       {"Rs", &CircuitParameters::Rs},
    {"RoH", &CircuitParameters::RoH}, {"RoL", &CircuitParameters::RoL},     {"Ci", &CircuitParameters::Ci},
    {"C", &CircuitParameters::C},     {"VPlus", &CircuitParameters::VPlus}, {"VMinus", &CircuitParameters::VMinus},
    {"Vd", &CircuitParameters::Vd},
};

val IndexOrNull(const std::optional<std::int64_t>& index) {
    return index ? val(static_cast<double>(*index)) : val::null();
}

std::optional<std::int64_t> IndexFrom(const val& index) {
    if (index.isNull()) return std::nullopt;
    return static_cast<std::int64_t>(index.as<double>());
}

val FaultOrNull(const std::optional<SampleFault>& fault) {
    if (!fault) return val::null();
    val js = val::object();
    js.set("k", static_cast<double>(fault->k));
    js.set("message", fault->message);
    return js;
}

std::optional<SampleFault> FaultFrom(const val& fault) {
    if (fault.isNull()) return std::nullopt;
    return SampleFault{static_cast<std::int64_t>(fault["k"].as<double>()), fault["message"].as<std::string>()};
}

}  // namespace

val JobToJs(const SamplingJob& job) {
    val circuit = val::object();
    for (const auto& [name, value] : kCircuitValues) circuit.set(name, job.p.*value);
    circuit.set("NP", job.p.NP);
    circuit.set("N", job.p.N);
    val js = val::object();
    js.set("p", circuit);
    js.set("ts", job.ts);
    js.set("step", job.step);
    js.set("chunkSamples", static_cast<double>(job.chunkSamples));
    return js;
}

SamplingJob JobFromJs(const val& js) {
    SamplingJob job;
    const val circuit = js["p"];
    for (const auto& [name, value] : kCircuitValues) job.p.*value = circuit[name].as<double>();
    job.p.NP = circuit["NP"].as<std::int32_t>();
    job.p.N = circuit["N"].as<std::int32_t>();
    job.ts = js["ts"].as<double>();
    job.step = js["step"].as<double>();
    job.chunkSamples = static_cast<std::int64_t>(js["chunkSamples"].as<double>());
    return job;
}

val OutcomeToJs(const ChunkOutcome& outcome) {
    val js = val::object();
    js.set("vcFault", FaultOrNull(outcome.vcFault));
    js.set("voFault", FaultOrNull(outcome.voFault));
    js.set("undrawableVc", IndexOrNull(outcome.undrawable.vc));
    js.set("undrawableVo", IndexOrNull(outcome.undrawable.vo));
    return js;
}

ChunkOutcome OutcomeFromJs(const val& js) {
    return {FaultFrom(js["vcFault"]), FaultFrom(js["voFault"]),
            UndrawableSamples{IndexFrom(js["undrawableVc"]), IndexFrom(js["undrawableVo"])}};
}

namespace {

// The real example as its fields hold it once its button has filled them
// (NP and N, which it leaves alone, read as 1).
class RealExampleFields : public FieldTexts {
public:
    std::u16string fieldText(FieldId field) const override {
        const std::string_view text = ExampleText(FieldOf(field), Example::Real);
        return text.empty() ? u"1" : std::u16string(text.begin(), text.end());  // the examples are ASCII
    }
};

}  // namespace

void WarmUpSampling(double samples) {
    CircuitParameters p = ReadCircuit(RealExampleFields(), kCircuitFields);
    p.N = static_cast<std::int32_t>(samples);
    const Times times{DischargeTime(p), ChargeTime(p)};
    const PlotSampling sampling({p, times.ts, SampleStep(times, p.N), p.N + std::int64_t{1}});
    sampling.sampleChunk(0);
}

val ChunkSampler::sampleChunk(double index) const {
    return OutcomeToJs(sampling_.sampleChunk(static_cast<std::int64_t>(index)));
}

}  // namespace ostrevo::web

EMSCRIPTEN_BINDINGS(ostrevo_sampling) {
    using ostrevo::web::ChunkSampler;
    emscripten::class_<ChunkSampler>("ChunkSampler")
        .constructor<emscripten::val>()
        .function("sampleChunk", &ChunkSampler::sampleChunk);
    emscripten::function("warmUpSampling", &ostrevo::web::WarmUpSampling);
}
