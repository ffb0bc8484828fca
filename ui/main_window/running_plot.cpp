#include "running_plot.h"

#include <QWidget>

namespace ostrevo::ui {

RunningPlot::RunningPlot(QWidget& window, std::shared_ptr<const PlotSampling> sampling, int threads)
    : sampling_(sampling),
      // Escape stops it from any window of the program, the plot's included.
      strip_(window, [this] { return threaded_.doneFraction(); }, Qt::ApplicationShortcut),
      threaded_(std::move(sampling), threads, [this] { QMetaObject::invokeMethod(this, &RunningPlot::end); }) {
    connect(&strip_, &LongWorkStrip::stopAsked, this, &RunningPlot::stop);
}

RunningPlot::~RunningPlot() {
    // The last thread's call to end() is posted before this object goes.
    threaded_.stop();
    threaded_.wait();
}

void RunningPlot::stop() {
    threaded_.stop();
}

// Queued from the last thread: the threads are done with the sampling.
void RunningPlot::end() {
    if (ended_) return;
    ended_ = true;
    threaded_.wait();
    strip_.end();
    emit ended(threaded_.stopped());
}

}  // namespace ostrevo::ui
