#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>

#include "busy_cursor.h"
#include "circuit_link.h"
#include "controls.h"
#include "form_builder.h"
#include "main_form.h"
#include "outline_shape.h"
#include "schematic_image.h"

namespace ostrevo::ui {
namespace {

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
      messages_(messages),
      commands_(*this, messages, QLocale().decimalPoint().toStdString()),
      samplingThreads_(CoreCount()) {
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

// The threads end before the window goes.
MainWindow::~MainWindow() = default;

// As a desktop takes the input that came while a command ran: each command
// starts once the one before it has ended.
void MainWindow::run(Command command) {
    waiting_.push_back({command, false});
    runWaiting();
}

void MainWindow::openLink(std::string_view address) {
    const CircuitLink link = ParseLink(address);
    FillFields(link, *this);
    if (link.unknownCommand) messages_.show(UnknownCommandMessage(*link.unknownCommand));
    for (const Command command : link.run) waiting_.push_back({command, true});
    runWaiting();
}

void MainWindow::runWaiting() {
    while (!runningPlot_ && !waiting_.empty()) {
        const Waiting next = waiting_.front();
        waiting_.pop_front();
        runningFromLink_ = next.fromLink;
        runNow(next.command);
        if (!runningPlot_) ended(commands_.stopped());
    }
}

// A link's command that stopped (with its message, or by the user) ends the
// link's list there; clicks waiting meanwhile still run.
void MainWindow::ended(bool stopped) {
    if (runningFromLink_ && stopped) std::erase_if(waiting_, [](const Waiting& waiting) { return waiting.fromLink; });
}

void MainWindow::runNow(Command command) {
    {
        const BusyCursor busy(Qt::WaitCursor);
        if (command == Command::PlotWaveforms) {
            startPlot();
        } else if (!commands_.runButton(command, plotWindow_)) {
            exitProgram();
        }
    }
    // While a plot samples the pointer stays usable: busy, not waiting. (The
    // override cursors stack: this one goes on once the wait cursor is off.)
    if (runningPlot_) QApplication::setOverrideCursor(Qt::BusyCursor);
}

// The quick start of "Grafici" here; its samples on the threads while the
// windows go on answering.
void MainWindow::startPlot() {
    const std::optional<SamplingJob> job = commands_.beginPlot(plotWindow_, samplingThreads_);
    if (!job) return;
    runningPlot_ = std::make_unique<RunningPlot>(*this, std::make_shared<const PlotSampling>(*job), samplingThreads_);
    connect(runningPlot_.get(), &RunningPlot::ended, this, &MainWindow::endPlot);
}

// A stopped plot keeps what it had shown, without a message.
void MainWindow::endPlot(bool stopped) {
    QApplication::restoreOverrideCursor();
    if (!stopped) {
        const BusyCursor busy(Qt::WaitCursor);
        commands_.finishPlot(plotWindow_, runningPlot_->sampling(), runningPlot_->merged());
    }
    ended(stopped || commands_.stopped());
    // Gone once control has left its signal.
    runningPlot_.release()->deleteLater();
    runWaiting();
}

void MainWindow::exitProgram() {
    // Every window goes at once, without asking anything.
    close();
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::quit();
}

}  // namespace ostrevo::ui
