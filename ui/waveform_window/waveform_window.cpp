#include "waveform_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>
#include <span>

#include "controls.h"
#include "cursor_readout.h"
#include "waveform_window_accessibility.h"
#include "plot_mapping.h"

namespace ostrevo::ui {
namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kLightCyan(192, 255, 255);

enum class LabelKind { Plain, OnPlot, ValueBox, Credit };

LabelLook LookOf(LabelKind kind) {
    LabelLook look;
    if (kind == LabelKind::Plain) return look;
    look.border = kind != LabelKind::OnPlot;
    look.background = kind == LabelKind::Credit ? kLightCyan : kLightYellow;
    if (kind == LabelKind::ValueBox) look.alignment = Qt::AlignRight;
    if (kind == LabelKind::Credit) look.weight = FontWeight::Regular;
    return look;
}

struct DesignedLabel {
    const char* name;
    const char* caption;
    TwipsGeometry geometry;
    LabelKind kind = LabelKind::Plain;
};

// Inside Picture1: the time origin and the three time labels, on the plot's colour.
const DesignedLabel kTimeLabels[] = {
    {"Label5", "0", {0, 9240, 330, 225}, LabelKind::OnPlot},
    {"Label2", "Label2", {2940, 8295, 1380, 225}, LabelKind::OnPlot},
    {"Label1", "Label1", {6825, 8295, 1485, 225}, LabelKind::OnPlot},
    {"Label3", "Label3", {10080, 8400, 1275, 225}, LabelKind::OnPlot},
};

// Inside Picture3: the voltage scale.
const DesignedLabel kScaleLabels[] = {
    {"Label6", "Label6", {210, 105, 750, 225}},     {"Label7", "Label7", {210, 1050, 645, 225}},
    {"Label8", "Label8", {210, 3360, 750, 225}},    {"Label12", "Label12", {105, 4515, 855, 240}},
    {"Label11", "Label11", {120, 4920, 735, 255}},  {"Label13", "Label13", {120, 5280, 855, 255}},
    {"Label4", "Label4", {120, 8880, 855, 255}},
};

// On the window: the rows of both readouts, the caption under the plot and the credit line.
const DesignedLabel kWindowLabels[] = {
    {"Label19", "t", {15600, 960, 240, 225}},
    {"Label16", "", {16005, 900, 1380, 330}, LabelKind::ValueBox},
    {"Label9", "[usec]", {17520, 960, 615, 255}},
    {"Label21", "Vc(t)", {15480, 1320, 450, 225}},
    {"Label17", "", {16005, 1320, 1380, 330}, LabelKind::ValueBox},
    {"Label28", "[V]", {17520, 1320, 330, 225}},
    {"Label30", "t", {15600, 2805, 225, 225}},
    {"Label29", "", {16005, 2700, 1380, 330}, LabelKind::ValueBox},
    {"Label18", "[usec]", {17520, 2760, 615, 255}},
    {"Label33", "Vo(t)", {15480, 3225, 450, 225}},
    {"Label32", "", {16005, 3120, 1380, 330}, LabelKind::ValueBox},
    {"Label40", "[V]", {17520, 3120, 330, 225}},
    {"Label14", "Forme d'onda a regime", {6480, 9840, 4320, 225}},
    {"Label67", "Ostrevo didattico", {15960, 9720, 1575, 285}, LabelKind::Credit},
};

QLabel* MakeLabel(QWidget* parent, const DesignedLabel& designed) {
    return MakeLabel(parent, designed.name, QString::fromUtf8(designed.caption), designed.geometry, LookOf(designed.kind));
}

QIcon WindowIcon() {
    // Hand-drawn pixels at the two sizes a window icon is asked for most; the
    // vector drawing rendered at whole multiples of them for high-DPI title bars.
    QIcon icon;
    icon.addFile(QStringLiteral(":/waveform_window/fuel_pump_16.png"));
    icon.addFile(QStringLiteral(":/waveform_window/fuel_pump_32.png"));
    QSvgRenderer drawing(QStringLiteral(":/waveform_window/fuel_pump.svg"));
    for (const int side : {48, 64, 96, 128, 256}) {
        QPixmap pixels(side, side);
        pixels.fill(Qt::transparent);
        QPainter painter(&pixels);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixels);
    }
    return icon;
}

// Labels inside a picture area: their designed places count from the inner
// corner of the area, inside its border.
void MakeContainedLabels(PictureArea* area, std::span<const DesignedLabel> designedLabels) {
    for (const DesignedLabel& designed : designedLabels) {
        QLabel* label = MakeLabel(area, designed);
        area->placeChildAtDesign(label, label->pos());
    }
}

PictureArea* MakePictureArea(QWidget* window, const char* name, const TwipsGeometry& geometry,
                             std::optional<QColor> background, PictureArea::Border border,
                             PictureArea::Picture picture) {
    auto* area = new PictureArea(window, background, border, picture);
    area->setObjectName(QString::fromLatin1(name));
    area->setGeometry(TwipsRect(geometry));
    return area;
}

std::string LocaleSeparator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace

WaveformWindow::WaveformWindow() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ostrevo"));
    setWindowIcon(WindowIcon());
    resize(TwipsToPixels(18285), TwipsToPixels(10320));
    buildPlotArea();
    buildVoltageStrip();
    buildReadoutAndCaptions();
    buildButtonAndHiddenPicture();
    setTabOrder();
    DescribeWaveformWindowForAccessibility(*this);
}

QLabel* WaveformWindow::containedLabel(const QString& name) const {
    if (auto* label = picture1_->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly)) return label;
    return picture3_->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void WaveformWindow::buildPlotArea() {
    picture1_ = MakePictureArea(this, "Picture1", {1080, 240, 13875, 9555}, kLightYellow, PictureArea::Border::Sunken,
                                PictureArea::Picture::Persistent);
    MakeContainedLabels(picture1_, kTimeLabels);
    connect(picture1_, &PictureArea::pointerMoved, this, &WaveformWindow::readOutAt);
}

void WaveformWindow::buildVoltageStrip() {
    // The strip reads as the plot's vertical scale: no border of its own.
    picture3_ = MakePictureArea(this, "Picture3", {0, 360, 1065, 9315}, std::nullopt,
                                PictureArea::Border::None, PictureArea::Picture::None);
    MakeContainedLabels(picture3_, kScaleLabels);
}

void WaveformWindow::buildReadoutAndCaptions() {
    option1_ = MakeOptionButton(this, "Option1", QStringLiteral("vc(t)"), {15600, 480, 1170, 330},
                                ToQColor(TraceColour(Trace::Vc)));
    option1_->setChecked(true);
    option3_ = MakeOptionButton(this, "Option3", QStringLiteral("vo(t)"), {15720, 2280, 1275, 330},
                                ToQColor(TraceColour(Trace::Vo)));
    for (const DesignedLabel& designed : kWindowLabels) MakeLabel(this, designed);
    const auto box = [this](const char* name) { return findChild<QLabel*>(QString::fromLatin1(name)); };
    label16_ = box("Label16");
    label17_ = box("Label17");
    label29_ = box("Label29");
    label32_ = box("Label32");
}

void WaveformWindow::buildButtonAndHiddenPicture() {
    command1_ = MakeButton(this, "Command1", QStringLiteral("Esci"), {16110, 8250, 1275, 435});
    connect(command1_, &QPushButton::clicked, this, &WaveformWindow::exitWindow);
    auto* picture2 = MakePictureArea(this, "Picture2", {14640, 9840, 330, 330}, std::nullopt,
                                     PictureArea::Border::Sunken, PictureArea::Picture::None);
    picture2->hide();
}

void WaveformWindow::setTabOrder() {
    QWidget::setTabOrder(picture1_, picture3_);
    QWidget::setTabOrder(picture3_, command1_);
    QWidget::setTabOrder(command1_, option1_);
    QWidget::setTabOrder(option1_, option3_);
    picture1_->setFocus();
    // Tab enters the option group at its selected button, also when the
    // pointer readout has just selected the other one.
    for (QRadioButton* option : {option1_, option3_}) {
        connect(option, &QRadioButton::toggled, this, &WaveformWindow::letTabEnterAtSelectedOption);
    }
    letTabEnterAtSelectedOption();
}

void WaveformWindow::letTabEnterAtSelectedOption() {
    for (QRadioButton* option : {option1_, option3_}) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void WaveformWindow::readOutAt(float x, float y) {
    if (const auto trace = TraceAt(y)) (*trace == Trace::Vc ? option1_ : option3_)->setChecked(true);
    showReadout(option1_->isChecked() ? Trace::Vc : Trace::Vo, x, y);
}

void WaveformWindow::showReadout(Trace trace, float x, float y) {
    const Readout readout = ReadOut(trace, plotScale_, x, y, LocaleSeparator());
    const bool vc = trace == Trace::Vc;
    (vc ? label16_ : label29_)->setText(QString::fromStdString(readout.time));
    QLabel* voltage = vc ? label17_ : label32_;
    voltage->setText(QString::fromStdString(readout.voltage));
    SetTextColour(voltage, ToQColor(TraceColour(trace)));
    (vc ? label29_ : label16_)->clear();
    (vc ? label32_ : label17_)->clear();

    const QString toolTip = QString::fromStdString(readout.toolTip);
    picture1_->setToolTip(toolTip);
    // A tip already on screen follows the pointer's new reading.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), toolTip, picture1_);
}

void WaveformWindow::exitWindow() {
    emit unloadRequested();
    emit hideRequested();
}

void WaveformWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloadRequested();
}

}  // namespace ostrevo::ui
