#pragma once
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "plot_window.h"
#include "trace.h"
#include "picture_area.h"

namespace ostrevo::ui {

// The waveform window, built from its description (form2::kForm): the plot,
// its voltage strip, the readout panel and "Esci". Every control carries its
// designed name as object name.
class WaveformWindow : public QWidget {
    Q_OBJECT
public:
    WaveformWindow();

    PictureArea* picture1() const { return picture1_; }
    // A label of Picture1 or Picture3, by name ("Label1", "Label13", ...).
    QLabel* containedLabel(ControlName name) const;

    // The values the plot on screen was drawn with.
    void rememberPlot(const PlotScale& scale) { plotScale_ = scale; }

    // The readout for the pointer at (x, y) over Picture1, in its user
    // coordinates: the trace of that half is selected (below the plot the
    // selection stays) and read out.
    void readOutAt(float x, float y);
    // "Esci": unload, then hide (which leaves a fresh hidden window).
    void exitWindow();

signals:
    void unloadRequested();
    void hideRequested();

protected:
    // Closing through the frame unloads the window.
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename Widget>
    Widget* control(ControlName name) const {
        return qobject_cast<Widget*>(widget(name));
    }
    QWidget* widget(ControlName name) const;
    Trace selectedTrace() const;
    void showReadout(Trace trace, float x, float y);

    QHash<QString, QWidget*> controls_;
    PictureArea* picture1_ = nullptr;
    PlotScale plotScale_;
};

}  // namespace ostrevo::ui
