#include "form2.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolTip>

#include "controls.h"
#include "form2_accessibility.h"

namespace ostrevo::ui {
namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kLightCyan(192, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

const QString kCreditLine = QStringLiteral("Ostrevo didattico");

// Time labels stand on the plot's own colour.
LabelLook OnPlot() {
    LabelLook look;
    look.background = kLightYellow;
    return look;
}

LabelLook ValueBox() {
    LabelLook look = OnPlot();
    look.border = true;
    look.alignment = Qt::AlignRight;
    return look;
}

LabelLook CreditLine() {
    LabelLook look;
    look.border = true;
    look.background = kLightCyan;
    look.weight = FontWeight::Regular;
    return look;
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

// A label inside a picture area: its designed place counts from the inner
// corner of the area, inside the border.
QLabel* MakeContainedLabel(PictureArea* area, const char* name, const QString& caption,
                           const TwipsGeometry& geometry, const LabelLook& look = {}) {
    QLabel* label = MakeLabel(area, name, caption, geometry, look);
    area->placeChildAtDesign(label, label->pos());
    return label;
}

PictureArea* MakePictureArea(QWidget* window, const char* name, const TwipsGeometry& geometry,
                             const QColor& background, PictureArea::Border border, PictureArea::Picture picture) {
    auto* area = new PictureArea(window, background, border, picture);
    area->setObjectName(QString::fromLatin1(name));
    area->setGeometry(TwipsRect(geometry));
    return area;
}

std::string LocaleSeparator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace

Form2::Form2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ostrevo"));
    setWindowIcon(WindowIcon());
    resize(TwipsToPixels(18285), TwipsToPixels(10320));
    buildPlotArea();
    buildVoltageStrip();
    buildReadoutPanel();
    buildBottom();
    setTabOrder();
    DescribeForm2ForAccessibility(*this);
}

QLabel* Form2::containedLabel(const QString& name) const {
    if (auto* label = picture1_->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly)) return label;
    return picture3_->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void Form2::buildPlotArea() {
    picture1_ = MakePictureArea(this, "Picture1", {1080, 240, 13875, 9555}, kLightYellow, PictureArea::Border::Sunken,
                                PictureArea::Picture::Persistent);
    MakeContainedLabel(picture1_, "Label5", QStringLiteral("0"), {0, 9240, 330, 225}, OnPlot());
    MakeContainedLabel(picture1_, "Label2", QStringLiteral("Label2"), {2940, 8295, 1380, 225}, OnPlot());
    MakeContainedLabel(picture1_, "Label1", QStringLiteral("Label1"), {6825, 8295, 1485, 225}, OnPlot());
    MakeContainedLabel(picture1_, "Label3", QStringLiteral("Label3"), {10080, 8400, 1275, 225}, OnPlot());
    connect(picture1_, &PictureArea::mouseMoved, this, &Form2::Picture1_MouseMove);
}

void Form2::buildVoltageStrip() {
    // The strip reads as the plot's vertical scale: no border of its own.
    picture3_ = MakePictureArea(this, "Picture3", {0, 360, 1065, 9315}, palette().color(QPalette::Window),
                                PictureArea::Border::None, PictureArea::Picture::None);
    MakeContainedLabel(picture3_, "Label6", QStringLiteral("Label6"), {210, 105, 750, 225});
    MakeContainedLabel(picture3_, "Label7", QStringLiteral("Label7"), {210, 1050, 645, 225});
    MakeContainedLabel(picture3_, "Label8", QStringLiteral("Label8"), {210, 3360, 750, 225});
    MakeContainedLabel(picture3_, "Label12", QStringLiteral("Label12"), {105, 4515, 855, 240});
    MakeContainedLabel(picture3_, "Label11", QStringLiteral("Label11"), {120, 4920, 735, 255});
    MakeContainedLabel(picture3_, "Label13", QStringLiteral("Label13"), {120, 5280, 855, 255});
    MakeContainedLabel(picture3_, "Label4", QStringLiteral("Label4"), {120, 8880, 855, 255});
}

void Form2::buildReadoutPanel() {
    option1_ = MakeOptionButton(this, "Option1", QStringLiteral("vc(t)"), {15600, 480, 1170, 330}, kRed);
    option1_->setChecked(true);
    MakeLabel(this, "Label19", QStringLiteral("t"), {15600, 960, 240, 225});
    label16_ = MakeLabel(this, "Label16", QString(), {16005, 900, 1380, 330}, ValueBox());
    MakeLabel(this, "Label9", QStringLiteral("[usec]"), {17520, 960, 615, 255});
    MakeLabel(this, "Label21", QStringLiteral("Vc(t)"), {15480, 1320, 450, 225});
    label17_ = MakeLabel(this, "Label17", QString(), {16005, 1320, 1380, 330}, ValueBox());
    MakeLabel(this, "Label28", QStringLiteral("[V]"), {17520, 1320, 330, 225});

    option3_ = MakeOptionButton(this, "Option3", QStringLiteral("vo(t)"), {15720, 2280, 1275, 330}, kBlue);
    MakeLabel(this, "Label30", QStringLiteral("t"), {15600, 2805, 225, 225});
    label29_ = MakeLabel(this, "Label29", QString(), {16005, 2700, 1380, 330}, ValueBox());
    MakeLabel(this, "Label18", QStringLiteral("[usec]"), {17520, 2760, 615, 255});
    MakeLabel(this, "Label33", QStringLiteral("Vo(t)"), {15480, 3225, 450, 225});
    label32_ = MakeLabel(this, "Label32", QString(), {16005, 3120, 1380, 330}, ValueBox());
    MakeLabel(this, "Label40", QStringLiteral("[V]"), {17520, 3120, 330, 225});
}

void Form2::buildBottom() {
    command1_ = MakeButton(this, "Command1", QStringLiteral("Esci"), {16110, 8250, 1275, 435});
    connect(command1_, &QPushButton::clicked, this, &Form2::Command1_Click);
    MakeLabel(this, "Label14", QStringLiteral("Forme d'onda a regime"), {6480, 9840, 4320, 225});
    MakeLabel(this, "Label67", kCreditLine, {15960, 9720, 1575, 285}, CreditLine());
    auto* picture2 = MakePictureArea(this, "Picture2", {14640, 9840, 330, 330}, palette().color(QPalette::Window),
                                     PictureArea::Border::Sunken, PictureArea::Picture::None);
    picture2->hide();
}

void Form2::setTabOrder() {
    QWidget::setTabOrder(picture1_, picture3_);
    QWidget::setTabOrder(picture3_, command1_);
    QWidget::setTabOrder(command1_, option1_);
    QWidget::setTabOrder(option1_, option3_);
    picture1_->setFocus();
}

void Form2::Picture1_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float X, float Y) {
    // Picture1's user coordinates are fixed, so there is nothing to set again.
    if (const auto trace = TraceAt(Y)) (*trace == Trace::Vc ? option1_ : option3_)->setChecked(true);
    showReadout(option1_->isChecked() ? Trace::Vc : Trace::Vo, X, Y);
}

void Form2::showReadout(Trace trace, float X, float Y) {
    const Readout readout = ReadOut(trace, plotScale_, X, Y, LocaleSeparator());
    const bool vc = trace == Trace::Vc;
    (vc ? label16_ : label29_)->setText(QString::fromStdString(readout.time));
    QLabel* voltage = vc ? label17_ : label32_;
    voltage->setText(QString::fromStdString(readout.voltage));
    SetTextColour(voltage, vc ? kRed : kBlue);
    (vc ? label29_ : label16_)->clear();
    (vc ? label32_ : label17_)->clear();

    const QString toolTip = QString::fromStdString(readout.toolTip);
    picture1_->setToolTip(toolTip);
    // A tip already on screen follows the pointer's new reading.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), toolTip, picture1_);
}

void Form2::Command1_Click() {
    emit unloadRequested();
    emit hideRequested();
}

void Form2::closeEvent(QCloseEvent* event) {
    event->accept();
    emit unloadRequested();
}

}  // namespace ostrevo::ui
