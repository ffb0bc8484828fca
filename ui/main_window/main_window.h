#pragma once
#include <QHash>
#include <QWidget>

#include "circuit_commands.h"
#include "plot_window.h"
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

    // What a button runs.
    void run(Command command);

private:
    void exitProgram();
    QWidget* control(ControlName name) const;

    PlotWindow& plotWindow_;
    CircuitCommands commands_;
    QHash<QString, QWidget*> controls_;
};

}  // namespace ostrevo::ui
