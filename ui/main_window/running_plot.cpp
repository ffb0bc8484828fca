#include "running_plot.h"

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

RunningPlot::RunningPlot(QWidget& window, std::shared_ptr<const PlotSampling> sampling, int threads)
    : sampling_(sampling),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)),
      threaded_(std::move(sampling), threads, [this] { QMetaObject::invokeMethod(this, &RunningPlot::end); }) {
    QPushButton* stopButton = nullptr;
    strip_ = MakeStrip(window, bar_, stopButton);
    connect(stopButton, &QPushButton::clicked, this, &RunningPlot::stop);
    // Escape stops it from any window of the program, the plot's included.
    escape_->setContext(Qt::ApplicationShortcut);
    connect(escape_, &QShortcut::activated, this, &RunningPlot::stop);
    showTimer_.setSingleShot(true);
    showTimer_.setTimerType(Qt::PreciseTimer);  // a coarse one may come a little early
    connect(&showTimer_, &QTimer::timeout, this, &RunningPlot::showProgress);
    showTimer_.start(long_work::kShowAfterMilliseconds);
    connect(&updateTimer_, &QTimer::timeout, this, &RunningPlot::updateProgress);
}

RunningPlot::~RunningPlot() {
    // The last thread's call to end() is posted before this object goes.
    threaded_.stop();
    threaded_.wait();
    delete strip_;
    delete escape_;
}

void RunningPlot::stop() {
    threaded_.stop();
}

// Along the bottom edge, over the designed controls, which wait anyway.
void RunningPlot::showProgress() {
    const QWidget& window = *strip_->parentWidget();
    const int height = strip_->sizeHint().height();
    strip_->setGeometry(0, window.height() - height, window.width(), height);
    updateProgress();
    strip_->show();
    strip_->raise();
    updateTimer_.start(long_work::kUpdateMilliseconds);
}

void RunningPlot::updateProgress() {
    bar_->setValue(static_cast<int>(std::floor(threaded_.doneFraction() * kBarSteps)));
}

// Queued from the last thread: the threads are done with the sampling.
void RunningPlot::end() {
    if (ended_) return;
    ended_ = true;
    threaded_.wait();
    showTimer_.stop();
    updateTimer_.stop();
    strip_->hide();
    escape_->setEnabled(false);  // Escape is the message boxes' again
    emit ended(threaded_.stopped());
}

}  // namespace ostrevo::ui
