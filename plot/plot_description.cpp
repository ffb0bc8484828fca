#include "plot_description.h"

#include "catalogue.h"
#include "cursor_readout.h"

namespace ostrevo {

namespace {

// The sentences one after another, as a paragraph.
std::string Paragraph(std::initializer_list<std::string> sentences) {
    std::string paragraph;
    for (const std::string& sentence : sentences) {
        if (sentence.empty()) continue;
        if (!paragraph.empty()) paragraph += ' ';
        paragraph += sentence;
    }
    return paragraph;
}

std::string WhatWasDrawn(const TraceRequest* traces, double period, std::string_view separator) {
    if (traces == nullptr || traces->NP < 1 || traces->N < 1) return Say(Text::PlotDescribedNoTraces);
    if (!traces->stop) return {};
    // The drawing stops in the first period, at the last sample joined.
    const double stoppedAt = static_cast<double>(traces->stop->segment) * period / traces->N;
    return Say(Text::PlotDescribedStop,
               {{"trace", TraceName(traces->stop->trace)}, {"time", ReadoutNumber(stoppedAt, 3, separator)}});
}

}  // namespace

std::string DescribePlot(const PlotScale& scale, const TraceRequest* traces, std::string_view separator) {
    const double period = scale.ts + scale.tc;
    const auto volts = [&](double value) { return ReadoutNumber(value, 2, separator); };
    const auto usec = [&](double value) { return ReadoutNumber(value, 3, separator); };
    return Paragraph({Say(Text::PlotDescribedTraces, {{"periods", std::to_string(scale.NP)},
                                                      {"span", usec(period * scale.NP)},
                                                      {"vMinus", volts(scale.VMinus)},
                                                      {"vPlus", volts(scale.VPlus)},
                                                      {"vcc", volts(scale.Vcc)}}),
                      Say(Text::PlotDescribedPeriod, {{"period", usec(period)}, {"ts", usec(scale.ts)}, {"tc", usec(scale.tc)}}),
                      WhatWasDrawn(traces, period, separator)});
}

}  // namespace ostrevo
