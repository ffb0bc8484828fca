#pragma once
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "plot_window.h"
#include "trace.h"
#include "picture_area.h"

namespace ostrevo::ui {

class WrappingButton;

// The waveform window: the plot, its voltage strip, the readout panel and
// "Esci". Every control carries its designed name as object name.
class WaveformWindow : public QWidget {
    Q_OBJECT
public:
    WaveformWindow();

    PictureArea* picture1() const { return picture1_; }
    PictureArea* picture3() const { return picture3_; }
    // A label of Picture1 or Picture3, by name ("Label1", "Label13", ...).
    QLabel* containedLabel(const QString& name) const;

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
    void buildPlotArea();
    void buildVoltageStrip();
    void buildReadoutAndCaptions();
    void buildButtonAndHiddenPicture();
    void setTabOrder();
    void letTabEnterAtSelectedOption();
    void showReadout(Trace trace, float x, float y);

    PictureArea* picture1_ = nullptr;
    PictureArea* picture3_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option3_ = nullptr;
    QLabel* label16_ = nullptr;
    QLabel* label17_ = nullptr;
    QLabel* label29_ = nullptr;
    QLabel* label32_ = nullptr;
    WrappingButton* command1_ = nullptr;
    PlotScale plotScale_;
};

}  // namespace ostrevo::ui
