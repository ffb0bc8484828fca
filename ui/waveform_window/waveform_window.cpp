#include "waveform_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>

#include "controls.h"
#include "cursor_readout.h"
#include "form_builder.h"
#include "plot_mapping.h"
#include "waveform_form.h"

namespace ostrevo::ui {
namespace {

QIcon WindowIcon(const char* drawingName) {
    // Hand-drawn pixels at the two sizes a window icon is asked for most; the
    // vector drawing rendered at whole multiples of them for high-DPI title bars.
    QIcon icon;
    icon.addFile(QStringLiteral(":/waveform_window/fuel_pump_16.png"));
    icon.addFile(QStringLiteral(":/waveform_window/fuel_pump_32.png"));
    QSvgRenderer drawing(QStringLiteral(":/waveform_window/") + QString::fromUtf8(drawingName));
    for (const int side : {48, 64, 96, 128, 256}) {
        QPixmap pixels(side, side);
        pixels.fill(Qt::transparent);
        QPainter painter(&pixels);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixels);
    }
    return icon;
}

// Picture1, which the plot is drawn into, and the plain picture areas.
QWidget* MakePictureArea(const Control& control, QWidget& parent) {
    std::optional<QColor> background;
    if (control.looks.fill == Fill::Colour) background = ToQColor(control.looks.background);
    const auto border = control.looks.border == Border::Sunken ? PictureArea::Border::Sunken : PictureArea::Border::None;
    const auto picture = control.kind == ControlKind::Plot ? PictureArea::Picture::Persistent : PictureArea::Picture::None;
    auto* area = new PictureArea(&parent, background, border, picture);
    PlaceWidget(*area, control);
    return area;
}

std::string LocaleSeparator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace

WaveformWindow::WaveformWindow() {
    setWindowIcon(WindowIcon(form2::kForm.icon));
    controls_ = BuildForm(*this, form2::kForm, MakePictureArea, [this](Command) { exitWindow(); });
    picture1_ = control<PictureArea>(form2::Picture1);
    connect(picture1_, &PictureArea::pointerMoved, this, &WaveformWindow::readOutAt);
}

QWidget* WaveformWindow::widget(ControlName name) const { return controls_.value(ToQString(name)); }

QLabel* WaveformWindow::containedLabel(ControlName name) const {
    auto* label = control<QLabel>(name);
    return label != nullptr && label->parentWidget() != this ? label : nullptr;
}

Trace WaveformWindow::selectedTrace() const {
    return control<QRadioButton>(form2::kReadouts[0].option)->isChecked() ? Trace::Vc : Trace::Vo;
}

void WaveformWindow::readOutAt(float x, float y) {
    if (const auto trace = TraceAt(y)) control<QRadioButton>(form2::kReadouts[std::size_t(*trace)].option)->setChecked(true);
    showReadout(selectedTrace(), x, y);
}

void WaveformWindow::showReadout(Trace trace, float x, float y) {
    const Readout readout = ReadOut(trace, plotScale_, x, y, LocaleSeparator());
    for (std::size_t half = 0; half < form2::kReadouts.size(); ++half) {
        const form2::Readout& boxes = form2::kReadouts[half];
        auto* time = control<QLabel>(boxes.time);
        auto* voltage = control<QLabel>(boxes.voltage);
        if (half == std::size_t(trace)) {
            time->setText(QString::fromStdString(readout.time));
            voltage->setText(QString::fromStdString(readout.voltage));
            SetTextColour(voltage, ToQColor(boxes.voltageColour));
        } else {
            time->clear();
            voltage->clear();
        }
    }
    const QString toolTip = QString::fromStdString(readout.toolTip);
    picture1_->setToolTip(toolTip);
    // A tip already on screen follows the pointer's new reading.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), toolTip, picture1_);
}

void WaveformWindow::exitWindow() {
    emit unloadRequested();
    emit hideRequested();
}

void WaveformWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloadRequested();
}

}  // namespace ostrevo::ui
