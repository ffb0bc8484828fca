#pragma once
#include <string>

#include "fault.h"
#include "form_interfaces.h"
#include "plot_window.h"

namespace ostrevo {

// The commands of the main window on the circuit. Each reads the fields it
// needs, computes in the designed order and writes its results as they come.
// Whatever stops a command (a field the entry check refuses, a number that
// cannot be read, a computation that cannot go on) shows its one message; what
// the command had written by then stays, and the program goes on.
class CircuitCommands {
public:
    // Results are written with `decimalSeparator`, the user's locale's.
    CircuitCommands(MainForm& form, MessageBoxes& messages, std::string decimalSeparator);

    // "Calcola  ts; tc": ts into Label9, then tc into Label11.
    void computeTimes();
    // "Calcola Rc e Rs": Rc and Rs of the ideal circuit from C, tc and ts.
    void designResistors();
    // "Grafici": vc(t) and vo(t) over NP periods in the waveform window.
    void plotWaveforms(PlotWindow& plot);

private:
    template <typename Steps>
    void run(Steps steps) {
        try {
            steps();
        } catch (const Fault& stop) {
            messages_.show(stop.what());
        }
    }
    void writeDesigned(std::string_view label, std::string_view field, double value);

    MainForm& form_;
    MessageBoxes& messages_;
    std::string decimalSeparator_;
};

}  // namespace ostrevo
