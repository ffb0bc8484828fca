#pragma once
#include <QHash>
#include <QWidget>

#include "circuit_commands.h"
#include "fields.h"
#include "form_interfaces.h"
#include "plot_window.h"

namespace ostrevo::ui {

// The main window: the fields of the real circuit and of the design, the
// results, the schematic and the six commands. Its layout is fixed.
class MainWindow : public QWidget, public MainForm {
    Q_OBJECT
public:
    // Results take the decimal separator of the default QLocale.
    MainWindow(PlotWindow& plotWindow, MessageBoxes& messages, QWidget* parent = nullptr);

    // --- MainForm: the controls by name ---
    std::u16string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& utf8) override;
    void setTextColour(std::string_view control, Rgb colour) override;

    // --- the buttons ---
    void computeTimes();      // "Calcola  ts; tc"
    void plotWaveforms();     // "Grafici"
    void exitProgram();       // "Esci"
    void designResistors();   // "Calcola Rc e Rs"
    void fillIdealExample();  // "Ostrevo ideale, dati esempio"
    void fillRealExample();   // "Ostrevo reale, dati esempio"

private:
    void fillExample(Example example);
    void createControls();
    void setTabOrder();
    QWidget* control(std::string_view name) const;

    PlotWindow& plotWindow_;
    CircuitCommands commands_;
    QHash<QString, QWidget*> controls_;
};

}  // namespace ostrevo::ui
