#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "audio_trace.h"
#include "cursor_readout.h"
#include "form_types.h"
#include "plot_canvas.h"
#include "plot_window.h"
#include "trace.h"

namespace ostrevo {

// The waveform window's readout controls as the readout sees them: the two
// option buttons, the four readout boxes, Picture1's tool tip, its readout
// cursor, what a screen reader says of it. Each face implements it with its
// toolkit; the readout decides everything shown.
class ReadoutPanel {
public:
    virtual ~ReadoutPanel() = default;
    virtual bool isChecked(ControlName option) const = 0;
    // Selects an option button, which deselects the other one.
    virtual void check(ControlName option) = 0;
    virtual void setText(ControlName box, const std::string& utf8) = 0;
    virtual void setTextColour(ControlName box, Rgb colour) = 0;
    virtual void setToolTip(const std::string& utf8) = 0;
    // The readout cursor's device column of Picture1. The face draws it as a
    // one-pixel vertical line over the picture while Picture1 has the focus,
    // never into the kept picture.
    virtual void moveCursor(std::int64_t deviceColumn) = 0;
    // One short sentence for a screen reader, spoken without interrupting.
    virtual void announce(const std::string& utf8) = 0;
    // Picture1's accessible description: the text alternative of the plot.
    virtual void describe(const std::string& utf8) = 0;
};

// What a key does to the readout while Picture1 has the focus.
enum class ReadoutKey {
    ColumnLeft,       // Left
    ColumnRight,      // Right
    TenthLeft,        // Page Up, Shift+Left
    TenthRight,       // Page Down, Shift+Right
    FirstColumn,      // Home
    LastColumn,       // End
    UpperTrace,       // Up: vc(t)
    LowerTrace,       // Down: vo(t)
    PreviousSwitch,   // Ctrl+Left: the previous instant where vo(t) changes level
    NextSwitch,       // Ctrl+Right: the next one
};

// The readout of the plot on screen, one for mouse, touch and keys.
//
// The pointer reads where it is: its height is turned back into a voltage.
// The keys move a cursor by device columns of Picture1 and read the selected
// trace where it is drawn in that column, so that the boxes show what the
// pointer shows when it lies on the trace there. Every value comes from the
// plot as it was drawn, whatever the fields hold now.
class PlotReadout {
public:
    // Numbers are written with `decimalSeparator`, the user's locale's.
    PlotReadout(ReadoutPanel& panel, std::string decimalSeparator);

    // The window unloaded: no plot.
    void clear();
    // The picture erased for a new plot: no traces. The labels on screen,
    // and so the values they show, stay until the new plot writes its own.
    void erase();
    // The plot's values, once its labels show its times.
    void setScale(const PlotScale& scale);
    // The traces as they were drawn (their samples and where a fault stopped them).
    void setTraces(const TraceRequest& request);
    // Picture1's raster, in device pixels.
    void setPictureSize(int deviceWidth, int deviceHeight);

    // The pointer (mouse or touch) at a position in device pixels of
    // Picture1, fractions allowed: selects the trace of its half (below the
    // plot the selection stays) and reads out; the cursor follows it.
    void pointerAt(double deviceX, double deviceY);
    // A key while Picture1 has the focus: moves, reads out and announces.
    void press(ReadoutKey key);
    // The cursor's column, moved while the audio trace plays: reads out
    // without announcing (the sound speaks).
    void followSound(std::int64_t deviceColumn);

    std::int64_t cursorColumn() const { return column_; }
    // The selected trace's sound from the cursor to the right edge.
    AudioTrace sound(int sampleRate) const;

private:
    Trace selectedTrace() const;
    void select(Trace trace);
    void show(Trace trace, const Readout& readout);
    // The selected trace read where the keys put the cursor; announced or not.
    void readCursor(bool announce);
    void moveTo(std::int64_t column);
    std::int64_t lastColumn() const { return width_ - 1; }
    // The user y at which `trace` is drawn in `column`; none where it is not.
    std::optional<float> drawnHeight(Trace trace, std::int64_t column) const;
    // The first switching column after `column` (forwards) or before it.
    std::optional<std::int64_t> switchFrom(std::int64_t column, bool forwards) const;
    PlotCanvas mapping() const;
    void describePlot();

    ReadoutPanel& panel_;
    std::string decimalSeparator_;
    std::optional<PlotScale> scale_;
    std::optional<TraceRequest> traces_;
    int width_ = 1;
    int height_ = 1;
    std::int64_t column_ = 0;
};

}  // namespace ostrevo
