#pragma once
#include <emscripten/val.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "canvas_plot_window.h"
#include "circuit_commands.h"
#include "page_face.h"
#include "plot_sampling.h"
#include "window_interfaces.h"

namespace ostrevo::web {

// The main window's fields and labels, as the page shows them.
class PageMainForm : public MainForm {
public:
    explicit PageMainForm(PageFace& face) : face_(face) {}
    std::u16string text(ControlName control) const override;
    void setText(ControlName control, const std::string& utf8) override;
    void setTextColour(ControlName control, Rgb colour) override;

private:
    PageFace& face_;
};

// Messages wait until their command has returned: the page cannot block
// inside a command, so it shows them afterwards, one after another.
class QueuedMessages : public MessageBoxes {
public:
    void show(const std::string& utf8Message) override { waiting_.push_back(utf8Message); }
    std::vector<std::string> take() { return std::exchange(waiting_, {}); }

private:
    std::vector<std::string> waiting_;
};

// The program behind the page: both windows' commands, run in the core's
// worker. A click returns the messages its command left, in order.
class PageProgram {
public:
    PageProgram(emscripten::val face, std::string decimalSeparator);

    // A click on a button of a window.
    std::vector<std::string> click(const std::string& window, const std::string& control);
    // Whether the last command ended in its stop's message.
    bool stopped() const { return commands_.stopped(); }

    // A link (the page's query): fills the fields it names and gives the
    // buttons of its commands, in order, to be clicked in turn (none when it
    // names an unknown command: then its message is waiting).
    std::vector<std::string> openLink(const std::string& query);
    // The query of what the main window shows, the waveform window on
    // screen or not.
    std::string shownQuery(bool plotShown) const;

    // "Grafici" in steps, its sampling done by `workers` sampling workers
    // meanwhile: whether the click runs it, its first step (the sampling to
    // do, as core_messages.d.ts's SamplingJob, or null when it stopped),
    // the chunks' outcomes as they come, and its last step. A plot stopped
    // by the user is abandoned between the steps. takeMessages gives the
    // messages the steps left.
    bool startsPlot(const std::string& window, const std::string& control) const;
    emscripten::val beginPlot(int workers);
    double chunkCount() const;
    void addChunk(double index, const emscripten::val& outcome);
    bool needsChunk(double index) const;
    bool plotSampled() const;
    double doneFraction() const;
    void finishPlot();
    void abandonPlot();
    std::vector<std::string> takeMessages() { return messages_.take(); }
    // The plot's readout: the pointer over the plot, in device pixels of its
    // canvas; a key while the plot has the focus; the cursor of the audio
    // trace that plays.
    void pointerAt(double deviceX, double deviceY);
    void press(ReadoutKey key);
    void followSound(double deviceColumn);
    // The selected trace's sound from the cursor on, as core_messages.d.ts's
    // AudioTrace (its samples copied out), or null when it failed.
    emscripten::val sound(int sampleRate) const;
    // The close box of a window's frame.
    void closeWindow(const std::string& window);

    void resizePicture(int deviceWidth, int deviceHeight) { plot_.resizePicture(deviceWidth, deviceHeight); }
    emscripten::val pictureBytes();
    int pictureWidth() const { return plot_.pictureWidth(); }
    int pictureHeight() const { return plot_.pictureHeight(); }
    // What the waveform window shows, for the plot's exports.
    const PlotRecord& plotRecord() const { return plot_.record(); }

private:
    void runGuarded(void (PageProgram::*action)(Command), Command command);
    void run(Command command);
    // Whatever escapes the readout fails it, not the page.
    template <typename Action>
    void readGuarded(Action action);

    PageFace face_;
    PageMainForm form_;
    QueuedMessages messages_;
    CanvasPlotWindow plot_;
    CircuitCommands commands_;
    // The plot between its steps.
    std::unique_ptr<PlotSampling> sampling_;
    std::unique_ptr<SamplingMerge> merged_;
};

}  // namespace ostrevo::web
