#pragma once
#include "form1.h"
#include "module1.h"

namespace ostrevo::ui {

// The circuit model together with the main window it reads and writes.
class CircuitSession {
public:
    // Results take the decimal separator of the default QLocale.
    CircuitSession(PlotWindow& plotWindow, MessageBoxes& messages);

    Module1& module() { return module_; }
    Form1& form() { return form_; }

private:
    // The model only keeps a reference to the window, built right after it,
    // and uses it no sooner than a command runs.
    Module1 module_;
    Form1 form_;
};

}  // namespace ostrevo::ui
