#pragma once
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "audio_trace_player.h"
#include "picture_area.h"
#include "plot_readout.h"
#include "plot_window.h"
#include "trace.h"
#include "window_interfaces.h"

namespace ostrevo::ui {

// The waveform window, built from its description (form2::kForm): the plot,
// its voltage strip, the readout panel and "Esci". Every control carries its
// designed name as object name.
//
// The readout (PlotReadout) decides what its controls show; the window shows
// it, hands it the pointer over Picture1 and the keys pressed while Picture1
// has the focus, and plays its audio trace.
class WaveformWindow : public QWidget, private ReadoutPanel {
    Q_OBJECT
public:
    // `messages` says that the audio trace has no device to sound on.
    explicit WaveformWindow(MessageBoxes& messages);

    PictureArea* picture1() const { return picture1_; }
    // A label of Picture1 or Picture3, by name ("Label1", "Label13", ...).
    QLabel* containedLabel(ControlName name) const;
    PlotReadout& readout() { return readout_; }
    AudioTracePlayer& audioTrace() { return player_; }

    // Wipes the plot's traces and stops their sound. The readout keeps the
    // plot's values until the next plot's: the time labels still show them
    // when that plot stops before it writes its own.
    void erasePlot();

    // "Esci": unload, then hide (which leaves a fresh hidden window).
    void exitWindow();

signals:
    void unloadRequested();
    void hideRequested();

protected:
    // Closing through the frame unloads the window.
    void closeEvent(QCloseEvent* event) override;
    // The keys of Picture1.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Widget>
    Widget* control(ControlName name) const {
        return qobject_cast<Widget*>(widget(name));
    }
    QWidget* widget(ControlName name) const;
    bool pressKey(const QKeyEvent& key);
    void toggleSound();

    // ReadoutPanel
    bool isChecked(ControlName option) const override;
    void check(ControlName option) override;
    void setText(ControlName box, const std::string& utf8) override;
    void setTextColour(ControlName box, Rgb colour) override;
    void setToolTip(const std::string& utf8) override;
    void moveCursor(std::int64_t deviceColumn) override;
    void announce(const std::string& utf8) override;
    void describe(const std::string& utf8) override;

    MessageBoxes& messages_;
    QHash<QString, QWidget*> controls_;
    PictureArea* picture1_ = nullptr;
    // Speaks announcements: a notification that shows for an instant.
    QWidget* announcer_ = nullptr;
    PlotReadout readout_;
    AudioTracePlayer player_;
};

}  // namespace ostrevo::ui
