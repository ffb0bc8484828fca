#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "plot_window.h"

namespace ostrevo {

// Takes the next piece of a text; false when it could not (the file is not
// written), which stops the writing.
using TextSink = std::function<bool(std::string_view)>;

// The samples of one period of a plot as comma-separated values, UTF-8: a
// header, then one row per sample k = 0..N (up to the last sample drawn
// where the drawing stopped) with k, t [usec], vc [V] and vo [V]. Each number
// is the shortest text that reads back as the same double, with the given
// decimal separator; fields are separated by ';' where that separator is a
// comma, as spreadsheets expect, else by ','. The rows are computed a block
// at a time and handed over in pieces: nothing grows with N.
class SamplesCsv {
public:
    // Traces sampled from the circuit's period (WaveformSamples); others have no rows.
    SamplesCsv(const TraceRequest& request, std::string decimalSeparator);

    std::int64_t rowCount() const { return rows_; }
    std::string header() const;
    // Rows first..first + count - 1 of 0..rowCount() - 1; false when the sink stopped them.
    bool writeRows(std::int64_t first, std::int64_t count, const TextSink& sink) const;
    // The header and every row.
    bool write(const TextSink& sink) const { return sink(header()) && writeRows(0, rows_, sink); }

private:
    TraceRequest request_;
    std::string decimalSeparator_;
    char fieldSeparator_;
    std::int64_t rows_ = 0;
};

}  // namespace ostrevo
