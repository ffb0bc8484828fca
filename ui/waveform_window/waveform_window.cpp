#include "waveform_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>

#include "accessible_texts.h"
#include "catalogue.h"
#include "controls.h"
#include "form_builder.h"
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

// The keys of the readout while Picture1 has the focus.
struct ReadoutKeyBinding {
    int key;
    Qt::KeyboardModifiers modifiers;
    ReadoutKey readoutKey;
};
constexpr ReadoutKeyBinding kReadoutKeys[] = {
    {Qt::Key_Left, Qt::NoModifier, ReadoutKey::ColumnLeft},
    {Qt::Key_Right, Qt::NoModifier, ReadoutKey::ColumnRight},
    {Qt::Key_PageUp, Qt::NoModifier, ReadoutKey::TenthLeft},
    {Qt::Key_PageDown, Qt::NoModifier, ReadoutKey::TenthRight},
    {Qt::Key_Left, Qt::ShiftModifier, ReadoutKey::TenthLeft},
    {Qt::Key_Right, Qt::ShiftModifier, ReadoutKey::TenthRight},
    {Qt::Key_Home, Qt::NoModifier, ReadoutKey::FirstColumn},
    {Qt::Key_End, Qt::NoModifier, ReadoutKey::LastColumn},
    {Qt::Key_Up, Qt::NoModifier, ReadoutKey::UpperTrace},
    {Qt::Key_Down, Qt::NoModifier, ReadoutKey::LowerTrace},
    {Qt::Key_Left, Qt::ControlModifier, ReadoutKey::PreviousSwitch},
    {Qt::Key_Right, Qt::ControlModifier, ReadoutKey::NextSwitch},
};

std::optional<ReadoutKey> ReadoutKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;  // the keypad's arrows too
    for (const ReadoutKeyBinding& binding : kReadoutKeys) {
        if (binding.key == event.key() && binding.modifiers == modifiers) return binding.readoutKey;
    }
    return std::nullopt;
}

bool IsSoundKey(const QKeyEvent& event) {
    const int key = event.key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

WaveformWindow::WaveformWindow(MessageBoxes& messages)
    : messages_(messages),
      readout_(*this, LocaleSeparator()),
      player_([this](std::int64_t column) { readout_.followSound(column); }) {
    setWindowIcon(WindowIcon(form2::kForm.icon));
    controls_ = BuildForm(*this, form2::kForm, MakePictureArea, [this](Command) { exitWindow(); });
    picture1_ = control<PictureArea>(form2::Picture1);
    announcer_ = new QWidget(this);
    announcer_->setObjectName(QStringLiteral("Announcer"));
    PresentAsAnnouncer(*announcer_);
    connect(picture1_, &PictureArea::pointerMoved, this, [this](double x, double y) { readout_.pointerAt(x, y); });
    connect(picture1_, &PictureArea::pictureResized, this,
            [this](QSize size) { readout_.setPictureSize(size.width(), size.height()); });
    picture1_->installEventFilter(this);
}

QWidget* WaveformWindow::widget(ControlName name) const { return controls_.value(ToQString(name)); }

QLabel* WaveformWindow::containedLabel(ControlName name) const {
    auto* label = control<QLabel>(name);
    return label != nullptr && label->parentWidget() != this ? label : nullptr;
}

void WaveformWindow::erasePlot() {
    player_.stop();
    picture1_->clearPicture();
    readout_.erase();
}

bool WaveformWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture1_ && event->type() == QEvent::KeyPress) return pressKey(*static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

// Space or Enter plays the audio trace, or stops it; Escape and the readout's keys stop it.
bool WaveformWindow::pressKey(const QKeyEvent& key) {
    if (IsSoundKey(key)) {
        if (!key.isAutoRepeat()) toggleSound();
        return true;
    }
    if (key.key() == Qt::Key_Escape && player_.isPlaying()) {
        player_.stop();
        return true;
    }
    const std::optional<ReadoutKey> readoutKey = ReadoutKeyOf(key);
    if (!readoutKey) return false;
    player_.stop();
    readout_.press(*readoutKey);
    return true;
}

// Without an audio device the user is told once, and the cursor sweeps in silence.
void WaveformWindow::toggleSound() {
    if (player_.isPlaying()) return player_.stop();
    if (!player_.hasOutput()) {
        std::unique_ptr<SoundOutput> output = DefaultSoundOutput();
        if (!output) {
            messages_.show(Say(Text::AudioUnavailable));
            output = SilentSoundOutput();
        }
        player_.useOutput(std::move(output));
    }
    player_.play(readout_.sound(player_.sampleRate()));
}

bool WaveformWindow::isChecked(ControlName option) const { return control<QRadioButton>(option)->isChecked(); }

void WaveformWindow::check(ControlName option) { control<QRadioButton>(option)->setChecked(true); }

void WaveformWindow::setText(ControlName box, const std::string& utf8) {
    control<QLabel>(box)->setText(QString::fromStdString(utf8));
}

void WaveformWindow::setTextColour(ControlName box, Rgb colour) { SetTextColour(control<QLabel>(box), ToQColor(colour)); }

void WaveformWindow::setToolTip(const std::string& utf8) {
    const QString toolTip = QString::fromStdString(utf8);
    picture1_->setToolTip(toolTip);
    // A tip already on screen follows the new reading.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), toolTip, picture1_);
}

void WaveformWindow::moveCursor(std::int64_t deviceColumn) { picture1_->setCursorColumn(deviceColumn); }

void WaveformWindow::announce(const std::string& utf8) { Announce(*announcer_, QString::fromStdString(utf8)); }

void WaveformWindow::describe(const std::string& utf8) {
    picture1_->setAccessibleDescription(QString::fromStdString(utf8));
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
