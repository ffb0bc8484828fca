#pragma once
#include <QHash>
#include <QWidget>
#include <deque>
#include <memory>

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
    // The threads a plot samples on (by default one per core).
    void setSamplingThreads(int threads) { samplingThreads_ = threads; }
    // The plot whose samples are being computed, if any.
    RunningPlot* runningPlot() const { return runningPlot_.get(); }

private:
    void runWaiting();
    void runNow(Command command);
    void startPlot();
    void endPlot(bool stopped);
    void exitProgram();
    QWidget* control(ControlName name) const;

    PlotWindow& plotWindow_;
    CircuitCommands commands_;
    QHash<QString, QWidget*> controls_;
    int samplingThreads_;
    std::deque<Command> waiting_;
    std::unique_ptr<RunningPlot> runningPlot_;
};

}  // namespace ostrevo::ui
