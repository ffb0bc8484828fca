#pragma once
#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "busy_cursor.h"
#include "catalogue.h"
#include "csv_export.h"
#include "long_work_strip.h"
#include "plot_record.h"
#include "plot_svg.h"
#include "qt_message_boxes.h"

namespace ostrevo::ui {

class WaveformWindow;

// What the exports ask the user through the platform's dialogs. Tests hand
// in their own, which answer without showing anything.
struct ExportDialogs {
    // The file to save into, asked with the platform's save dialog; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& title, const QString& proposed, const QString& filter)>
        saveFileName;
    MessagePresenter showMessage;

    static ExportDialogs Platform();
};

// The context menu of Picture1 and what it does: the plot block as a PNG on
// the clipboard or in a file, as an SVG drawing, one period's samples as CSV.
// It opens on a right click, a long press of a finger, and the Menu key or
// Shift+F10 while Picture1 has the focus; the menu is Qt's own, so the arrows,
// Enter and Escape work in it.
//
// The CSV, which may take long, is written while the windows answer, with
// the window's strip of a long command; one at a time (its item waits
// meanwhile). It holds the plot it was asked for, whatever is drawn next.
class PlotExports : public QObject {
    Q_OBJECT
public:
    // Lives as long as `window`; reads `record` when asked for an export.
    PlotExports(WaveformWindow& window, const PlotRecord& record, const ExportDialogs& dialogs);

    QMenu& menu() { return menu_; }
    // The plot block as on screen, at the screen's pixel ratio; inside
    // Picture1 its kept raster, pixel for pixel (without the readout's cursor).
    QImage picture() const;
    // Where the parts of the block lie now, for its SVG drawing.
    PlotBlockLayout layout() const;

    // A finger held this long opens the menu.
    static constexpr int kLongPressMilliseconds = 500;
    // The CSV being written, if any.
    CsvExport* csvExport() const { return csvExport_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openMenu(QPoint globalPosition, bool fromKeyboard);
    void copyPicture();
    void savePicture();
    void saveSvg();
    void saveCsv();
    // Asks for a file and writes it through `write`, which returns false when a write failed.
    void endCsv(bool stopped, const QString& failure);
    void tellWriteFailed(const QString& path, const QString& reason);
    void save(Text title, Text filter, const QString& proposed, const std::function<bool(QIODevice&)>& write);
    QRect block() const;

    WaveformWindow& window_;
    const PlotRecord& record_;
    const ExportDialogs& dialogs_;
    QMenu menu_;
    QAction* saveCsv_ = nullptr;
    QTimer longPress_;
    QPoint pressedAt_;
    std::optional<BusyCursor> csvBusy_;
    std::unique_ptr<LongWorkStrip> csvStrip_;
    std::unique_ptr<CsvExport> csvExport_;  // last: its thread ends before the rest goes
};

}  // namespace ostrevo::ui
