#pragma once
#include <QObject>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <QTimer>
#include <functional>

class QProgressBar;

namespace ostrevo::ui {

// What a window shows while one of its commands takes long (long_work.h):
// after a moment, a progress bar and "Interrompi" on a panel along the
// window's bottom edge, over the designed controls, which wait anyway.
// The button and Escape ask for the stop.
class LongWorkStrip : public QObject {
    Q_OBJECT
public:
    // Starts counting at once; `doneFraction` (0..1) is read on the window's
    // thread. Escape stops from any of the program's windows, or from `window`
    // alone.
    LongWorkStrip(QWidget& window, std::function<double()> doneFraction, Qt::ShortcutContext escapeReach);
    ~LongWorkStrip() override;

    // Hides it for good; Escape is the message boxes' again.
    void end();

signals:
    void stopAsked();

private:
    void showProgress();
    void updateProgress();

    std::function<double()> doneFraction_;
    // Children of the window, which may be going before this.
    QPointer<QWidget> strip_;
    QProgressBar* bar_;
    QPointer<QShortcut> escape_;
    QTimer showTimer_;
    QTimer updateTimer_;
};

}  // namespace ostrevo::ui
