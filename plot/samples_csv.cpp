#include "samples_csv.h"

#include <algorithm>
#include <charconv>

#include "shortest_text.h"
#include "waveform_samples.h"

namespace ostrevo {
namespace {

// Pieces of about this size go to the sink.
constexpr std::size_t kPieceBytes = 1 << 16;

const WaveformSamples* WaveformOf(const TraceRequest& request) {
    return dynamic_cast<const WaveformSamples*>(request.samples.get());
}

}  // namespace

SamplesCsv::SamplesCsv(const TraceRequest& request, std::string decimalSeparator)
    : request_(request), decimalSeparator_(std::move(decimalSeparator)),
      fieldSeparator_(decimalSeparator_ == "," ? ';' : ',') {
    if (WaveformOf(request_) == nullptr || request_.N < 0) return;  // mutants: skip (sampling refuses N 0)
    std::int64_t lastRow = request_.N;
    // The stopped trace is drawn up to the sample its first missing segment starts from.
    if (request_.stop) lastRow = std::min<std::int64_t>(lastRow, request_.stop->segment);
    rows_ = lastRow + 1;
}

std::string SamplesCsv::header() const {
    std::string header;
    for (const char* name : {"k", "t [usec]", "vc [V]", "vo [V]"}) {
        if (!header.empty()) header += fieldSeparator_;
        header += name;
    }
    return header + "\n";
}

bool SamplesCsv::writeRows(std::int64_t first, std::int64_t count, const TextSink& sink) const {
    first = std::max<std::int64_t>(first, 0);
    const std::int64_t last = std::min(first + count, rows_) - 1;
    if (last < first) return true;
    const PeriodWaveform& waveform = WaveformOf(request_)->waveform();
    std::string piece;
    piece.reserve(kPieceBytes + 256);  // mutants: skip (speed only)
    bool accepted = true;
    const auto addIndex = [&](std::int64_t k) {
        char text[24];  // mutants: skip (room to spare for any int64)
        piece.append(text, std::to_chars(text, text + sizeof text, k).ptr);
    };
    const auto addNumber = [&](double value) {
        char text[kShortestTextSize];
        const std::size_t at = piece.size();
        piece.append(text, ShortestText(value, text));
        if (decimalSeparator_ != ".") {
            const std::size_t point = piece.find('.', at);
            if (point != std::string::npos) piece.replace(point, 1, decimalSeparator_);
        }
    };
    SampleWaveformRange(waveform, first, last, [&](const SampleBlock& block) {
        if (!accepted) return;
        for (std::int64_t k = block.first; k <= block.last(); ++k) {
            addIndex(k);
            piece += fieldSeparator_;
            addNumber(static_cast<double>(k) * waveform.step());
            piece += fieldSeparator_;
            addNumber(block.vcAt(k));
            piece += fieldSeparator_;
            addNumber(block.voAt(k));
            piece += '\n';
            if (piece.size() >= kPieceBytes) {  // mutants: skip (a piece's size is approximate)
                accepted = sink(piece);
                piece.clear();
                if (!accepted) return;
            }
        }
    });
    return accepted && (piece.empty() || sink(piece));
}

}  // namespace ostrevo
