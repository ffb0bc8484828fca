// The readout under the pointer: which trace a height reads, and the plot
// mapping inverted into the texts of its boxes and tool tip.
#include <gtest/gtest.h>

#include <cmath>

#include "cursor_readout.h"
#include "plot_mapping.h"

namespace ostrevo {
namespace {

// The times of the ideal example: ts = 4.7 ln 2, tc = 22 ln 2, NP = 5.
const PlotScale kIdealPlot{4.7 * std::log(2.0), 22 * std::log(2.0), 5, 8, 12};

TEST(TraceAt, UpperHalfIsVcLowerHalfVoBelowThePlotNoChoice) {
    EXPECT_EQ(TraceAt(95), Trace::Vc);
    EXPECT_EQ(TraceAt(50), Trace::Vc);
    EXPECT_EQ(TraceAt(49.99F), Trace::Vo);
    EXPECT_EQ(TraceAt(0), Trace::Vo);
    EXPECT_EQ(TraceAt(-0.01F), std::nullopt);
}

// The tool tip is 32 characters long for the usual values.
TEST(ReadOut, InvertsThePlotMapping) {
    const PlotScale huge{1E308, 1E308, 5, 1.7E308, 12};
    const struct {
        Trace trace;
        const PlotScale& scale;
        float x, y;
        const char* time;
        const char* voltage;
        const char* toolTip;
    } cases[] = {
        {Trace::Vc, kIdealPlot, 50, 95, "46.268", "8.00", "t = 46.268 usec\" ; vc(t) = 8.00V"},
        {Trace::Vo, kIdealPlot, 50, 45, "46.268", "12.00", "t = 46.268 usec\" ; vo(t) = 12.00V"},
        {Trace::Vc, kIdealPlot, 0, 50, "0.000", "0.00", "t = 0.000 usec\" ; vc(t) = 0.00V"},
        {Trace::Vo, kIdealPlot, 100, 0, "92.535", "0.00", "t = 92.535 usec\" ; vo(t) = 0.00V"},
        {Trace::Vo, kIdealPlot, 25, -7.5F, "23.134", "-2.00", "t = 23.134 usec\" ; vo(t) = -2.00V"},
        {Trace::Vc, huge, 50, 100, "fuori scala", "fuori scala", "t = fuori scala usec\" ; vc(t) = fuori scalaV"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toolTip);
        const Readout readout = ReadOut(c.trace, c.scale, c.x, c.y, ".");
        EXPECT_EQ(readout.time, c.time);
        EXPECT_EQ(readout.voltage, c.voltage);
        EXPECT_EQ(readout.toolTip, c.toolTip);
    }
    EXPECT_EQ(ReadOut(Trace::Vc, kIdealPlot, 50, 95, ".").toolTip.size(), 32U);
}

}  // namespace
}  // namespace ostrevo
