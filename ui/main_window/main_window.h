#pragma once
#include <QHash>
#include <QWidget>
#include <deque>
#include <memory>
#include <string_view>

#include "circuit_commands.h"
#include "plot_window.h"
#include "running_plot.h"
#include "window_interfaces.h"

namespace ostrevo::ui {

// The main window, built from its description (form1::kForm): the fields of
// the real circuit and of the design, the results, the schematic and the six
// buttons. Its layout is fixed.
class MainWindow : public QWidget, public MainForm {
    Q_OBJECT
public:
    // Results take the decimal separator of the default QLocale.
    MainWindow(PlotWindow& plotWindow, MessageBoxes& messages, QWidget* parent = nullptr);

    // --- MainForm: the controls by name ---
    std::u16string text(ControlName control) const override;
    void setText(ControlName control, const std::string& utf8) override;
    void setTextColour(ControlName control, Rgb colour) override;

    ~MainWindow() override;

    // What a button runs: at once, or after the command under way.
    void run(Command command);
    // Opens a link (a whole address or its query): fills the fields it
    // names, then runs its commands in turn, up to the first that stops.
    void openLink(std::string_view address);
    // The threads a plot samples on (by default one per core).
    void setSamplingThreads(int threads) { samplingThreads_ = threads; }
    // The plot whose samples are being computed, if any.
    RunningPlot* runningPlot() const { return runningPlot_.get(); }

private:
    // A command waiting for the one under way, clicked or from a link.
    struct Waiting {
        Command command;
        bool fromLink;
    };
    void runWaiting();
    void runNow(Command command);
    void ended(bool stopped);
    void startPlot();
    void endPlot(bool stopped);
    void exitProgram();
    QWidget* control(ControlName name) const;

    PlotWindow& plotWindow_;
    MessageBoxes& messages_;
    CircuitCommands commands_;
    QHash<QString, QWidget*> controls_;
    int samplingThreads_;
    std::deque<Waiting> waiting_;
    bool runningFromLink_ = false;
    std::unique_ptr<RunningPlot> runningPlot_;
};

}  // namespace ostrevo::ui
