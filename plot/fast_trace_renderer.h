#pragma once
#include "plot_canvas.h"
#include "plot_window.h"

namespace ostrevo {

// Draws the same pixels as DrawTracesPerSegment, in a time that follows the
// canvas width rather than NP x N.
//
// Why it is exact: with this canvas a segment whose two ends fall in the same
// device column is the vertical run between them, so the consecutive samples
// of one trace that share a column cover exactly the rows from their lowest to
// their highest device y. Device y is a monotone function of the sample, so
// those rows come from the smallest and largest sample of the column's index
// range. Segments that cross from one column to another are drawn one by one,
// exactly as the reference does. Each trace of each period has one colour, so
// the order inside it does not matter; the traces are drawn in the reference's
// order (vc then vo of every period), so overlapping colours end the same.
void DrawTracesAggregated(PlotCanvas& canvas, const TraceRequest& request);

}  // namespace ostrevo
