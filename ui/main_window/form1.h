#pragma once
#include <QHash>
#include <QWidget>

#include "form_interfaces.h"
#include "module1.h"
#include "plot_window.h"

namespace ostrevo::ui {

// The main window: the fields of the real circuit and of the design, the
// results, the schematic and the six commands. Its layout is fixed.
class Form1 : public QWidget, public MainForm {
    Q_OBJECT
public:
    Form1(Module1& module, PlotWindow& plotWindow, QWidget* parent = nullptr);

    // --- MainForm: the controls by name ---
    std::u16string text(std::string_view control) const override;
    void setText(std::string_view control, const std::string& utf8) override;
    void setTextColour(std::string_view control, Rgb colour) override;

    // --- handlers of the buttons ---
    void Command1_Click();  // "Calcola  ts; tc"
    void Command2_Click();  // "Grafici"
    void Command3_Click();  // "Esci"
    void Command4_Click();  // "Calcola Rc e Rs"
    void Command5_Click();  // ideal example
    void Command6_Click();  // real example

private:
    void createControls();
    void setTabOrder();
    QWidget* control(std::string_view name) const;

    Module1& module_;
    PlotWindow& plotWindow_;
    QHash<QString, QWidget*> controls_;
};

}  // namespace ostrevo::ui
