#pragma once
#include <QObject>
#include <memory>

#include "long_work_strip.h"
#include "threaded_sampling.h"

class QWidget;

namespace ostrevo::ui {

// The sampling of a "Grafici" under way on its threads while the windows stay
// alive. Once it has run for a moment, the window it was started from shows
// its progress along its bottom edge, with a button that stops it; Escape
// stops it too. The strip goes with it.
class RunningPlot : public QObject {
    Q_OBJECT
public:
    RunningPlot(QWidget& window, std::shared_ptr<const PlotSampling> sampling, int threads);
    ~RunningPlot() override;

    const PlotSampling& sampling() const { return *sampling_; }
    // Once ended without a stop: every needed chunk.
    const SamplingMerge& merged() const { return threaded_.merged(); }
    void stop();

signals:
    // On the window's thread, once.
    void ended(bool stopped);

private:
    void end();

    std::shared_ptr<const PlotSampling> sampling_;
    LongWorkStrip strip_;
    bool ended_ = false;
    ThreadedSampling threaded_;  // last: its threads end before the rest goes
};

}  // namespace ostrevo::ui
