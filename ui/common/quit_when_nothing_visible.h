#pragma once
#include <QObject>

namespace ostrevo::ui {

// Ends the event loop as soon as no window is visible any more. Qt does that
// by itself only when the last window is closed; a window that merely hides
// (the waveform window on its "Esci") would otherwise leave the program
// running with nothing on screen. Watches while it exists.
class QuitWhenNothingVisible : public QObject {
    Q_OBJECT
public:
    QuitWhenNothingVisible();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void quitIfNothingVisible();
};

}  // namespace ostrevo::ui
