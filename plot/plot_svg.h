#pragma once
#include <string>

#include "form_types.h"
#include "plot_record.h"

namespace ostrevo {

// A rectangle in logical pixels (CSS pixels, or Qt's device-independent ones).
struct PixelBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The plot block as a face shows it now: the strip of voltage captions
// (Picture3) and the plot area (Picture1), each by its inner area (inside its
// border) within the block, and Picture1's raster. Faces measure it, since
// a phone lays the block out at other sizes than the design's.
struct PlotBlockLayout {
    double width = 0;   // of the whole block
    double height = 0;
    PixelBox strip;
    PixelBox plot;
    double plotBorder = 0;  // Picture1's sunken border around `plot`
    int rasterWidth = 1;    // device pixels of Picture1's inner area
    int rasterHeight = 1;
    Rgb ground;             // the window's colour, behind the strip and between the areas
    Rgb stripText;          // the window's text colour, of the strip's captions
};

// The plot block as an SVG document, in the block's logical pixels, drawn in
// Picture1's device pixels: the frame and the traces through the same
// renderers as the raster, so each line lies on the pixels the raster lit;
// each trace as polylines with at most four points per device column (its
// size follows the width, not N x NP); the labels as text in the windows'
// font at its designed size, on their designed boxes.
std::string PlotSvg(const PlotRecord& record, const PlotBlockLayout& layout);

}  // namespace ostrevo
