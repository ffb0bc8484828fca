#include "main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <array>
#include <stdexcept>

#include "controls.h"
#include "fields.h"
#include "main_window_accessibility.h"
#include "outline_shape.h"
#include "schematic_image.h"

namespace ostrevo::ui {
namespace {

const QString kCaption = QStringLiteral("Ostrevo reale");
constexpr TwipsGeometry kClientArea{0, 0, 14895, 8460};
const QColor kResultBackground(255, 255, 255);
const QColor kCreditBackground(192, 255, 255);
const QColor kDesignFrame(255, 0, 0);
constexpr int kDesignFrameWidth = 2;

enum class LabelKind { Plain, RightJustified, Result, Credit };

struct DesignedLabel {
    const char* name;
    const char* caption;
    TwipsGeometry geometry;
    LabelKind kind;
};

constexpr std::array kLabels{
    DesignedLabel{"Label10", "ts", {2655, 7320, 585, 255}, LabelKind::RightJustified},
    DesignedLabel{"Label9", "", {3435, 7215, 1860, 330}, LabelKind::Result},
    DesignedLabel{"Label7", "[usec]", {5400, 7320, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label12", "tc", {2655, 7680, 585, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label11", "", {3435, 7635, 1860, 330}, LabelKind::Result},
    DesignedLabel{"Label8", "[usec]", {5400, 7680, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label42", "Verifica", {8520, 120, 1695, 255}, LabelKind::Plain},
    DesignedLabel{"Label1", "Vcc", {7995, 435, 435, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label17", "[V]", {10440, 480, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label2", "Rc", {8100, 855, 330, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label14", "[kohm]", {10440, 840, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label21", "Rs", {8040, 1335, 330, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label20", "[kohm]", {10380, 1320, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label23", "RoH", {8040, 1815, 450, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label22", "[ohm]", {10500, 1800, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label25", "RoL", {8040, 2295, 450, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label24", "[ohm]", {10500, 2280, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label27", "Ci", {8040, 2775, 330, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label26", "pF", {10500, 2760, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label15", "C", {8160, 3360, 255, 255}, LabelKind::RightJustified},
    DesignedLabel{"Label16", "[nF]", {10440, 3360, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label3", "v+", {8100, 3675, 225, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label18", "[V]", {10440, 3720, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label4", "v-", {8100, 4095, 225, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label19", "[V]", {10440, 4200, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label5", "Vd", {8040, 4560, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label28", "[V]", {10440, 4680, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label6", "NP", {8040, 5160, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label44", "N", {8040, 5640, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label43", "Progetto", {12000, 240, 1215, 255}, LabelKind::Plain},
    DesignedLabel{"Label29", "Dati: C , tc, ts  con v+=2/3 Vcc , v-=1/3 Vcc, calcolo Rc e Rs",
              {11400, 600, 2895, 495}, LabelKind::Plain},
    DesignedLabel{"Label33", "C", {11400, 1320, 255, 255}, LabelKind::RightJustified},
    DesignedLabel{"Label32", "[nF]", {13800, 1320, 375, 255}, LabelKind::Plain},
    DesignedLabel{"Label38", "tc", {11280, 1785, 315, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label39", "[usec]", {13800, 1680, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label40", "ts", {11280, 2265, 315, 225}, LabelKind::RightJustified},
    DesignedLabel{"Label41", "[usec]", {13800, 2160, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label37", "Rc", {11400, 3480, 255, 255}, LabelKind::Plain},
    DesignedLabel{"Label31", "", {11760, 3360, 1815, 375}, LabelKind::Result},
    DesignedLabel{"Label36", "[kohm]", {13680, 3480, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label34", "Rs", {11400, 3960, 255, 255}, LabelKind::Plain},
    DesignedLabel{"Label30", "", {11760, 3840, 1815, 375}, LabelKind::Result},
    DesignedLabel{"Label35", "[kohm]", {13680, 3960, 615, 255}, LabelKind::Plain},
    DesignedLabel{"Label67", "Ostrevo didattico", {12000, 7560, 1575, 285}, LabelKind::Credit},
};

// Where each text field stands, and what it holds when the window opens.
struct DesignedField {
    FieldId id;
    const char* text;
    TwipsGeometry geometry;
};

constexpr std::array kFieldPlaces{
    DesignedField{FieldId::Vcc, "", {8520, 435, 1800, 330}},
    DesignedField{FieldId::Rc, "", {8520, 840, 1800, 330}},
    DesignedField{FieldId::Rs, "", {8520, 1320, 1800, 330}},
    DesignedField{FieldId::RoH, "", {8520, 1800, 1800, 330}},
    DesignedField{FieldId::RoL, "", {8520, 2280, 1800, 330}},
    DesignedField{FieldId::Ci, "", {8520, 2760, 1800, 330}},
    DesignedField{FieldId::C, "", {8520, 3240, 1815, 375}},
    DesignedField{FieldId::VPlus, "", {8520, 3675, 1800, 330}},
    DesignedField{FieldId::VMinus, "", {8520, 4095, 1800, 330}},
    DesignedField{FieldId::Vd, "", {8520, 4560, 1815, 375}},
    DesignedField{FieldId::NP, "5", {8520, 5040, 1815, 375}},
    DesignedField{FieldId::N, "1000", {8520, 5520, 1815, 405}},
    DesignedField{FieldId::DesignC, "", {11760, 1200, 1815, 375}},
    DesignedField{FieldId::DesignTc, "", {11760, 1680, 1800, 330}},
    DesignedField{FieldId::DesignTs, "", {11760, 2160, 1800, 330}},
};

struct ButtonSpec {
    const char* name;
    const char* caption;
    TwipsGeometry geometry;
    void (MainWindow::*handler)();
};

constexpr std::array kButtons{
    ButtonSpec{"Command1", "Calcola  ts; tc", {480, 7200, 1920, 750}, &MainWindow::computeTimes},
    ButtonSpec{"Command2", "Grafici", {8520, 6480, 1815, 735}, &MainWindow::plotWaveforms},
    ButtonSpec{"Command3", "Esci", {8520, 7560, 1815, 375}, &MainWindow::exitProgram},
    ButtonSpec{"Command4", "Calcola Rc e Rs", {11760, 2760, 1815, 495}, &MainWindow::designResistors},
    ButtonSpec{"Command5", "Ostrevo ideale, dati esempio", {12000, 5160, 1935, 735}, &MainWindow::fillIdealExample},
    ButtonSpec{"Command6", "Ostrevo reale, dati esempio", {12000, 6480, 1935, 735}, &MainWindow::fillRealExample},
};

// The order in which Tab visits the controls; the window opens in the first.
constexpr std::array kTabOrder{
    "Text1",  "Text2",  "Text3",  "Text4",  "Command1", "Text6",  "Command2", "Text8",    "Command3", "Text9",  "Text10",
    "Text11", "Text12", "Text5",  "Text14", "Command4", "Text13", "Text15",   "Text16",   "Command5", "Command6",
};

LabelLook LookOf(LabelKind kind) {
    LabelLook look;
    switch (kind) {
        case LabelKind::Plain:
            break;
        case LabelKind::RightJustified:
            look.alignment = Qt::AlignRight;
            break;
        case LabelKind::Result:
            look.alignment = Qt::AlignRight;
            look.border = true;
            look.background = kResultBackground;
            break;
        case LabelKind::Credit:
            look.border = true;
            look.background = kCreditBackground;
            look.weight = FontWeight::Regular;
            break;
    }
    return look;
}

// The wait cursor for as long as a long command runs.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString ToQString(std::string_view name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

}  // namespace

MainWindow::MainWindow(PlotWindow& plotWindow, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent),
      plotWindow_(plotWindow),
      commands_(*this, messages, QLocale().decimalPoint().toStdString()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setFont(ControlFont(FontWeight::Regular));
    resize(TwipsRect(kClientArea).size());
    createControls();
    setTabOrder();
    DescribeMainWindowForAccessibility(*this);
}

void MainWindow::createControls() {
    // Created first so that it lies beneath the controls it frames.
    auto* frame = new OutlineShape(kDesignFrame, kDesignFrameWidth, this);
    frame->setObjectName(QStringLiteral("Shape1"));
    frame->setGeometry(TwipsRect({11160, 120, 3495, 4335}));

    auto* schematic = new SchematicImage(this);
    schematic->setObjectName(QStringLiteral("Image1"));
    schematic->setGeometry(TwipsRect({360, 360, 7410, 6015}));

    for (const auto& designed : kLabels) {
        controls_.insert(designed.name, MakeLabel(this, designed.name, designed.caption, designed.geometry, LookOf(designed.kind)));
    }
    for (const auto& designed : kFieldPlaces) {
        const char* name = FieldOf(designed.id).control;
        controls_.insert(name, MakeTextField(this, name, designed.text, designed.geometry));
    }
    for (const auto& designed : kButtons) {
        auto* button = MakeButton(this, designed.name, designed.caption, designed.geometry);
        connect(button, &QPushButton::clicked, this, designed.handler);
        controls_.insert(designed.name, button);
    }
}

void MainWindow::setTabOrder() {
    for (std::size_t i = 0; i + 1 < kTabOrder.size(); ++i) {
        QWidget::setTabOrder(controls_.value(kTabOrder[i]), controls_.value(kTabOrder[i + 1]));
    }
    controls_.value(kTabOrder.front())->setFocus();
}

QWidget* MainWindow::control(std::string_view name) const {
    QWidget* found = controls_.value(ToQString(name));
    if (found == nullptr) throw std::invalid_argument("The main window has no control " + std::string(name));
    return found;
}

std::u16string MainWindow::text(std::string_view name) const {
    const QWidget* widget = control(name);
    if (const auto* field = qobject_cast<const QLineEdit*>(widget)) return field->text().toStdU16String();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdU16String();
    return qobject_cast<const QPushButton*>(widget)->text().toStdU16String();
}

void MainWindow::setText(std::string_view name, const std::string& utf8) {
    QWidget* widget = control(name);
    const QString text = QString::fromStdString(utf8);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else {
        qobject_cast<QPushButton*>(widget)->setText(text);
    }
}

void MainWindow::setTextColour(std::string_view name, Rgb colour) {
    SetTextColour(control(name), ToQColor(colour));
}

void MainWindow::computeTimes() { commands_.computeTimes(); }

void MainWindow::plotWaveforms() {
    BusyCursor busy;
    commands_.plotWaveforms(plotWindow_);
}

void MainWindow::exitProgram() {
    // Every window goes at once, without asking anything.
    close();
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    QCoreApplication::quit();
}

void MainWindow::designResistors() { commands_.designResistors(); }

void MainWindow::fillIdealExample() { fillExample(Example::Ideal); }

void MainWindow::fillRealExample() { fillExample(Example::Real); }

// The fields of the real circuit, in the order of the table.
void MainWindow::fillExample(Example example) {
    for (const Field& field : kFields) {
        const char* text = ExampleText(field, example);
        if (*text != '\0') setText(field.control, text);
    }
}

}  // namespace ostrevo::ui
