#include "plot_exports.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPointingDevice>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyleHints>

#include "controls.h"
#include "samples_csv.h"
#include "waveform_window.h"

namespace ostrevo::ui {
namespace {

QString Said(Text text, std::initializer_list<Filling> fillings = {}) { return ToQString(Say(text, fillings)); }

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& proposed, const QString& filter) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(parent, title, folder + QLatin1Char('/') + proposed, filter);
}

bool FromTouch(const QMouseEvent& event) {
    return event.pointingDevice() != nullptr && event.pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

}  // namespace

ExportDialogs ExportDialogs::Platform() { return {AskSaveFileName, ShowModalMessageBox}; }

PlotExports::PlotExports(WaveformWindow& window, const PlotRecord& record, const ExportDialogs& dialogs)
    : QObject(&window), window_(window), record_(record), dialogs_(dialogs), menu_(&window) {
    menu_.setObjectName(QStringLiteral("PlotExportMenu"));
    connect(menu_.addAction(Said(Text::ExportCopyPicture)), &QAction::triggered, this, &PlotExports::copyPicture);
    connect(menu_.addAction(Said(Text::ExportSavePng)), &QAction::triggered, this, &PlotExports::savePicture);
    connect(menu_.addAction(Said(Text::ExportSaveSvg)), &QAction::triggered, this, &PlotExports::saveSvg);
    saveCsv_ = menu_.addAction(Said(Text::ExportSaveCsv));
    connect(saveCsv_, &QAction::triggered, this, &PlotExports::saveCsv);
    longPress_.setSingleShot(true);
    longPress_.setInterval(kLongPressMilliseconds);
    connect(&longPress_, &QTimer::timeout, this, [this] { openMenu(window_.picture1()->mapToGlobal(pressedAt_), false); });
    window.picture1()->installEventFilter(this);
}

bool PlotExports::eventFilter(QObject* watched, QEvent* event) {
    PictureArea& area = *window_.picture1();
    if (watched != &area) return false;
    switch (event->type()) {
        case QEvent::ContextMenu: {
            const auto& request = static_cast<QContextMenuEvent&>(*event);
            // From the Menu key: at the middle of the plot, where the menu does not hide the cursor's column.
            const QPoint at = request.reason() == QContextMenuEvent::Keyboard ? area.contentsRect().center() : request.pos();
            openMenu(area.mapToGlobal(at), request.reason() == QContextMenuEvent::Keyboard);
            return true;
        }
        case QEvent::KeyPress: {
            const auto& key = static_cast<QKeyEvent&>(*event);
            if (key.key() != Qt::Key_F10 || key.modifiers() != Qt::ShiftModifier) return false;
            openMenu(area.mapToGlobal(area.contentsRect().center()), true);
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto& press = static_cast<QMouseEvent&>(*event);
            if (FromTouch(press)) {
                pressedAt_ = press.position().toPoint();
                longPress_.start();
            }
            return false;
        }
        case QEvent::MouseMove: {
            const QPoint moved = static_cast<QMouseEvent&>(*event).position().toPoint() - pressedAt_;
            if (moved.manhattanLength() > QGuiApplication::styleHints()->startDragDistance()) longPress_.stop();
            return false;
        }
        case QEvent::MouseButtonRelease:
            longPress_.stop();
            return false;
        default:
            return false;
    }
}

void PlotExports::openMenu(QPoint globalPosition, bool fromKeyboard) {
    saveCsv_->setEnabled(record_.traces().has_value() && !csvExport_);
    menu_.popup(globalPosition);
    // Opened by a key, the menu starts on its first item, as the platform's menus do.
    if (fromKeyboard) menu_.setActiveAction(menu_.actions().constFirst());
}

QRect PlotExports::block() const {
    const QWidget* strip = window_.findChild<QWidget*>(ToQString(form2::Picture3));
    return strip->geometry().united(window_.picture1()->geometry());
}

QImage PlotExports::picture() const {
    PictureArea& area = *window_.picture1();
    const QRect shown = block();
    QImage image = window_.grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    const QPoint areaCorner = area.pos() - shown.topLeft();
    // The kept raster has the screen's ratio, so it lands device pixel on device pixel.
    painter.drawImage(areaCorner + area.contentsRect().topLeft(), area.picture());
    for (QLabel* label : area.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isVisible()) painter.drawPixmap(areaCorner + label->pos(), label->grab());
    }
    return image;
}

PlotBlockLayout PlotExports::layout() const {
    const QRect shown = block();
    const auto innerBox = [&](const QWidget& area) {
        const QRect inner = area.contentsRect().translated(area.pos() - shown.topLeft());
        return PixelBox{double(inner.left()), double(inner.top()), double(inner.width()), double(inner.height())};
    };
    PictureArea& plot = *window_.picture1();
    const QImage& raster = plot.picture();
    const QPalette& colours = window_.palette();
    const auto rgb = [](QColor colour) {
        return Rgb{std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())};
    };
    return {.width = double(shown.width()), .height = double(shown.height()),
            .strip = innerBox(*window_.findChild<QWidget*>(ToQString(form2::Picture3))), .plot = innerBox(plot),
            .plotBorder = double(plot.frameWidth()), .rasterWidth = raster.width(), .rasterHeight = raster.height(),
            .ground = rgb(colours.color(QPalette::Window)), .stripText = rgb(colours.color(QPalette::WindowText))};
}

void PlotExports::copyPicture() { QGuiApplication::clipboard()->setImage(picture()); }

void PlotExports::savePicture() {
    save(Text::ExportPngTitle, Text::ExportPngFilter, Said(Text::ExportPngFileName),
         [this](QIODevice& file) { return picture().save(&file, "PNG"); });
}

void PlotExports::saveSvg() {
    save(Text::ExportSvgTitle, Text::ExportSvgFilter, Said(Text::ExportSvgFileName), [this](QIODevice& file) {
        const std::string svg = PlotSvg(record_, layout());
        return file.write(svg.data(), qint64(svg.size())) == qint64(svg.size());
    });
}

void PlotExports::saveCsv() {
    if (csvExport_) return;
    if (!record_.traces()) {
        dialogs_.showMessage(Said(Text::ExportNoSamples));
        return;
    }
    const TraceRequest& traces = *record_.traces();
    const QString path = dialogs_.saveFileName(&window_, Said(Text::ExportCsvTitle),
                                               Said(Text::ExportCsvFileName, {{"N", std::to_string(traces.N)}}),
                                               Said(Text::ExportCsvFilter));
    if (path.isEmpty() || csvExport_) return;
    csvBusy_.emplace();  // busy, not waiting: the windows answer
    csvExport_ = std::make_unique<CsvExport>(SamplesCsv(traces, QLocale().decimalPoint().toStdString()), path);
    csvStrip_ = std::make_unique<LongWorkStrip>(
        window_, [this] { return csvExport_->doneFraction(); }, Qt::WindowShortcut);
    connect(csvStrip_.get(), &LongWorkStrip::stopAsked, csvExport_.get(), &CsvExport::stop);
    connect(csvExport_.get(), &CsvExport::ended, this, &PlotExports::endCsv);
}

// A stopped export leaves no file and says nothing.
void PlotExports::endCsv(bool stopped, const QString& failure) {
    csvStrip_->end();
    csvStrip_.release()->deleteLater();
    const QString path = csvExport_->path();
    csvExport_.release()->deleteLater();  // gone once control has left its signal
    csvBusy_.reset();
    if (!stopped && !failure.isEmpty()) tellWriteFailed(path, failure);
}

void PlotExports::tellWriteFailed(const QString& path, const QString& reason) {
    dialogs_.showMessage(Said(Text::ExportWriteFailed, {{"file", path.toStdString()}, {"reason", reason.toStdString()}}));
}

// Written beside the chosen file and put in its place once whole: a failed
// write leaves whatever was there before.
void PlotExports::save(Text title, Text filter, const QString& proposed, const std::function<bool(QIODevice&)>& write) {
    const QString path = dialogs_.saveFileName(&window_, Said(title), proposed, Said(filter));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    bool written = false;
    {
        const BusyCursor busy;
        written = file.open(QIODevice::WriteOnly) && write(file) && file.commit();
    }
    if (written) return;
    const QString reason = file.errorString();
    file.cancelWriting();
    tellWriteFailed(path, reason);
}

}  // namespace ostrevo::ui
