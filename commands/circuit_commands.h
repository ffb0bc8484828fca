#pragma once
#include <exception>
#include <optional>
#include <string>

#include "fault.h"
#include "plot_sampling.h"
#include "plot_window.h"
#include "window_interfaces.h"

namespace ostrevo {

// The message for an exception other than a Fault that stopped a command:
// memory that ran out, a size beyond what the platform can hold, or anything
// else.
std::string UnforeseenStopMessage(std::exception_ptr stop);

// The commands of the main window on the circuit. Each reads the fields it
// needs, computes in the designed order and writes its results as they come.
// Whatever stops a command (a field the entry check refuses, a number that
// cannot be read, a computation that cannot go on, memory that runs out, any
// other exception) shows its one message; what the command had written by
// then stays, and the program goes on.
class CircuitCommands {
public:
    // Results are written with `decimalSeparator`, the user's locale's.
    CircuitCommands(MainForm& form, MessageBoxes& messages, std::string decimalSeparator);

    // "Calcola  ts; tc": ts into Label9, then tc into Label11.
    void computeTimes();
    // "Calcola Rc e Rs": Rc and Rs of the ideal circuit from C, tc and ts.
    void designResistors();
    // "Grafici": vc(t) and vo(t) over NP periods in the waveform window, its
    // samples computed on `threads` threads.
    void plotWaveforms(PlotWindow& plot, int threads = 1);
    // "Grafici" in the two steps around its long part, the sampling, for a
    // face that samples elsewhere: beginPlot checks the fields, shows the
    // window with its axes and labels and returns the sampling to do (none
    // when the command has stopped); finishPlot draws the traces from the
    // merged chunks and shows the message of what stopped them. A command
    // stopped by the user between the two just does not finish.
    std::optional<SamplingJob> beginPlot(PlotWindow& plot, int workers);
    void finishPlot(PlotWindow& plot, const PlotSampling& sampling, const SamplingMerge& merged);
    // "Ostrevo ideale, dati esempio" and "Ostrevo reale, dati esempio": the
    // example's texts into the fields it fills.
    void fillExample(Example example);

    // What a button of the main window runs, by its Command. False for a
    // command the face carries out itself (ExitProgram).
    bool runButton(Command command, PlotWindow& plot);
    // Whether the last command (started by runButton or beginPlot) ended in
    // its stop's message; a warning is no stop.
    bool stopped() const { return stopped_; }

private:
    template <typename Steps>
    void guarded(Steps steps) {
        try {
            steps();
        } catch (const Fault& stop) {
            stopped_ = true;
            messages_.show(stop.what());
        } catch (...) {
            stopped_ = true;
            messages_.show(UnforeseenStopMessage(std::current_exception()));
        }
    }
    void writeDesigned(ControlName label, ControlName field, double value);

    MainForm& form_;
    MessageBoxes& messages_;
    std::string decimalSeparator_;
    bool stopped_ = false;
};

}  // namespace ostrevo
