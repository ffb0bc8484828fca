#include "long_work_strip.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>
#include <cmath>

#include "controls.h"
#include "long_work.h"

namespace ostrevo::ui {
namespace {

constexpr int kBarSteps = 100;

// The bar and its button on a raised panel, hidden until it is placed.
QWidget* MakeStrip(QWidget& window, QProgressBar*& bar, QPushButton*& stopButton) {
    auto* strip = new QWidget(&window);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::Window);
    bar = new QProgressBar(strip);
    bar->setRange(0, kBarSteps);
    bar->setAccessibleName(ToQString(long_work::kProgressName));
    stopButton = new QPushButton(ToQString(long_work::kStopCaption), strip);
    stopButton->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus where the user typed
    auto* row = new QHBoxLayout(strip);
    row->addWidget(bar, 1);
    row->addWidget(stopButton);
    strip->hide();
    return strip;
}

}  // namespace

LongWorkStrip::LongWorkStrip(QWidget& window, std::function<double()> doneFraction, Qt::ShortcutContext escapeReach)
    : doneFraction_(std::move(doneFraction)), escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)) {
    QPushButton* stopButton = nullptr;
    strip_ = MakeStrip(window, bar_, stopButton);
    connect(stopButton, &QPushButton::clicked, this, &LongWorkStrip::stopAsked);
    escape_->setContext(escapeReach);
    connect(escape_, &QShortcut::activated, this, &LongWorkStrip::stopAsked);
    // Two long commands at once share the key: each press stops the next of them.
    connect(escape_, &QShortcut::activatedAmbiguously, this, &LongWorkStrip::stopAsked);
    showTimer_.setSingleShot(true);
    showTimer_.setTimerType(Qt::PreciseTimer);  // a coarse one may come a little early
    connect(&showTimer_, &QTimer::timeout, this, &LongWorkStrip::showProgress);
    showTimer_.start(long_work::kShowAfterMilliseconds);
    connect(&updateTimer_, &QTimer::timeout, this, &LongWorkStrip::updateProgress);
}

LongWorkStrip::~LongWorkStrip() {
    delete strip_;
    delete escape_;
}

void LongWorkStrip::end() {
    showTimer_.stop();
    updateTimer_.stop();
    strip_->hide();
    escape_->setEnabled(false);
}

void LongWorkStrip::showProgress() {
    const QWidget& window = *strip_->parentWidget();
    const int height = strip_->sizeHint().height();
    strip_->setGeometry(0, window.height() - height, window.width(), height);
    updateProgress();
    strip_->show();
    strip_->raise();
    updateTimer_.start(long_work::kUpdateMilliseconds);
}

void LongWorkStrip::updateProgress() {
    bar_->setValue(static_cast<int>(std::floor(doneFraction_() * kBarSteps)));
}

}  // namespace ostrevo::ui
