#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <stdexcept>

#include "controls.h"
#include "form_builder.h"
#include "main_form.h"
#include "outline_shape.h"
#include "schematic_image.h"

namespace ostrevo::ui {
namespace {

// The wait cursor for as long as a command runs.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The schematic and the frame of the design block.
QWidget* MakeDrawing(const Control& control, QWidget& parent) {
    QWidget* drawing = nullptr;
    if (control.kind == ControlKind::Shape) {
        drawing = new OutlineShape(ToQColor(control.looks.text.value_or(Rgb{})), control.looks.lineWidth, &parent);
    } else {
        drawing = new SchematicImage(QStringLiteral(":/") + QString::fromUtf8(control.image), &parent);
    }
    PlaceWidget(*drawing, control);
    return drawing;
}

}  // namespace

MainWindow::MainWindow(PlotWindow& plotWindow, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent),
      plotWindow_(plotWindow),
      commands_(*this, messages, QLocale().decimalPoint().toStdString()) {
    controls_ = BuildForm(*this, form1::kForm, MakeDrawing, [this](Command command) { run(command); });
}

QWidget* MainWindow::control(ControlName name) const {
    QWidget* found = controls_.value(ToQString(name));
    if (found == nullptr) throw std::invalid_argument("The main window has no control " + std::string(name.text()));
    return found;
}

std::u16string MainWindow::text(ControlName name) const {
    const QWidget* widget = control(name);
    if (const auto* field = qobject_cast<const QLineEdit*>(widget)) return field->text().toStdU16String();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdU16String();
    return qobject_cast<const QPushButton*>(widget)->text().toStdU16String();
}

void MainWindow::setText(ControlName name, const std::string& utf8) {
    QWidget* widget = control(name);
    const QString text = QString::fromStdString(utf8);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else {
        qobject_cast<QPushButton*>(widget)->setText(text);
    }
}

void MainWindow::setTextColour(ControlName name, Rgb colour) {
    SetTextColour(control(name), ToQColor(colour));
}

void MainWindow::run(Command command) {
    BusyCursor busy;
    if (!commands_.runButton(command, plotWindow_)) exitProgram();
}

void MainWindow::exitProgram() {
    // Every window goes at once, without asking anything.
    close();
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::quit();
}

}  // namespace ostrevo::ui
