// The plot's exports of the real example: the SVG drawing of the designed
// block, and one period's CSV written to a file, with their sizes and the
// peak memory (which must not follow N).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_support.h"
#include "plot_svg.h"
#include "samples_csv.h"

namespace ostrevo::bench {
namespace {

constexpr std::int64_t kPeriods = 5;

void ExportSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"N"})->Arg(1'000)->Arg(1'000'000)->Arg(100'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
}

void BM_PlotSvg(benchmark::State& state) {
    const testing::SampledPeriod period = SampledRealExample(kPeriods, state.range(0));
    PlotRecord record;
    record.setTraces(period.request());
    const PlotBlockLayout layout{.width = 997, .height = 637, .strip = {0, 8, 71, 621}, .plot = {74, 2, 921, 633},
                                 .plotBorder = 2, .rasterWidth = kPictureWidth, .rasterHeight = kPictureHeight, .ground = {240, 240, 240}, .stripText = {}};
    ResetPeakMemory();
    std::size_t bytes = 0;
    for (auto _ : state) bytes = PlotSvg(record, layout).size();
    state.counters["bytes"] = static_cast<double>(bytes);
    ReportMemory(state);
}
BENCHMARK(BM_PlotSvg)->Apply(ExportSizes);

void BM_SamplesCsvToFile(benchmark::State& state) {
    const testing::SampledPeriod period = SampledRealExample(kPeriods, state.range(0));
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/ostrevo-bench.csv";
    ResetPeakMemory();
    double bytes = 0;
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        bytes = 0;
        SamplesCsv(period.request(), ",").write([&](std::string_view piece) {
            bytes += static_cast<double>(piece.size());
            return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
        });
        std::fclose(file);
    }
    std::remove(path.c_str());
    state.counters["bytes"] = bytes;
    ReportMemory(state);
}
BENCHMARK(BM_SamplesCsvToFile)->Apply(ExportSizes);

}  // namespace
}  // namespace ostrevo::bench
