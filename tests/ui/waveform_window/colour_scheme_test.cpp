// Both windows under a light and a dark desktop palette: every text stays
// readable against its own background, measured from the drawn pixels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHash>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "main_window.h"
#include "controls.h"
#include "qt_message_boxes.h"
#include "recording_messages.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

// A dark desktop scheme: light text on dark windows, buttons and fields.
QPalette DarkPalette() {
    QPalette dark(QColor(35, 38, 41));  // button and window; the shades follow from it
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        dark.setColor(role, QColor(252, 252, 252));
    }
    return dark;
}

// Relative luminance and contrast ratio as WCAG 2 defines them.
double Luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

// The background is the most frequent colour of the area, the text the
// colour farthest from it in luminance.
double TextContrast(const QImage& area) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) ++counts[area.pixel(x, y) | 0xFF000000];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background)) background = it.key();
    }
    const double behind = Luminance(background);
    double text = behind;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (std::abs(Luminance(it.key()) - behind) > std::abs(text - behind)) text = Luminance(it.key());
    }
    return (std::max(text, behind) + 0.05) / (std::min(text, behind) + 0.05);
}

QString ShownText(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
    if (const auto* field = qobject_cast<const QLineEdit*>(&control)) return field->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
    return {};
}

// The part of a control its text is drawn in: inside borders, beside an
// option button's indicator.
QRect TextRoom(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) return ui::LabelTextRect(*label);
    if (const auto* field = qobject_cast<const QLineEdit*>(&control)) {
        const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field) + 1;
        return field->rect().adjusted(frame, frame, -frame, -frame);
    }
    if (const auto* option = qobject_cast<const QRadioButton*>(&control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        return option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    }
    return ui::ButtonTextRect(*qobject_cast<const QPushButton*>(&control));
}

// Every control of `window` that shows a text, with the contrast of that text.
QHash<QString, double> ContrastOfEveryText(QWidget& window) {
    const QImage shot = window.grab().toImage();
    QHash<QString, double> contrasts;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible() || ShownText(*control).isEmpty()) continue;
        const QRect room = TextRoom(*control).translated(control->mapTo(&window, QPoint(0, 0)));
        const QString name = control->objectName().isEmpty() ? control->metaObject()->className()
                                                             : control->objectName();
        contrasts.insert(window.objectName() + "." + name, TextContrast(shot.copy(room)));
    }
    return contrasts;
}

// A real message box, measured while it waits for its OK.
QHash<QString, double> ContrastOfAMessageBox() {
    QHash<QString, double> contrasts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return QApplication::exit();  // ends the box's loop as well
        }
        box->setObjectName("QMessageBox");
        contrasts = ContrastOfEveryText(*box);
        box->button(QMessageBox::Ok)->click();
    });
    ui::ShowModalMessageBox("Controlla la corrente max fornita dall'uscita!");
    return contrasts;
}

// Both windows after the real example, its times, a design, a plot and a
// pointer over the upper half of the plot.
void ShowEveryKindOfText(ui::MainWindow& form, WaveformWindowHost& host) {
    form.show();
    form.fillRealExample();
    form.computeTimes();
    for (const auto& [field, text] : {std::pair{"Text14", "1"}, {"Text13", "10"}, {"Text15", "5"}}) {
        form.setText(field, text);
    }
    form.designResistors();
    form.plotWaveforms();
    ui::PictureArea& plot = *Window(host).picture1();
    const QPoint upperHalf = plot.contentsRect().center() - QPoint(0, plot.contentsRect().height() / 4);
    QTest::mouseMove(&plot, upperHalf + QPoint(1, 1));  // a move to where the pointer already is goes unreported
    QTest::mouseMove(&plot, upperHalf);
}

TEST(ColourScheme, EveryTextOfBothWindowsKeepsThreeToOneUnderLightAndDarkPalettes) {
    const QPalette original = QApplication::palette();
    const QPalette light = QApplication::style()->standardPalette();
    const struct {
        const char* name;
        QPalette whileBuilt;
        QPalette whileShown;  // the desktop may change its scheme while the program runs
    } cases[] = {
        {"light", light, light},
        {"dark", DarkPalette(), DarkPalette()},
        {"dark once running", light, DarkPalette()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QApplication::setPalette(c.whileBuilt);
        ui::testing::RecordingMessages messages;
        WaveformWindowHost host;
        ui::MainWindow mainWindow(host, messages.boxes);
        ShowEveryKindOfText(mainWindow, host);
        ASSERT_TRUE(messages.messages.isEmpty()) << messages.messages.join('\n').toStdString();
        QApplication::setPalette(c.whileShown);
        QApplication::processEvents();  // the widgets follow a new palette through posted events

        QHash<QString, double> contrasts = ContrastOfEveryText(mainWindow);
        contrasts.insert(ContrastOfEveryText(Window(host)));
        contrasts.insert(ContrastOfAMessageBox());
        // 65 controls of the main window, 26 of the waveform window (its vo boxes are empty), 2 of the box.
        EXPECT_EQ(contrasts.size(), 93);
        for (auto it = contrasts.cbegin(); it != contrasts.cend(); ++it) {
            EXPECT_GE(it.value(), 3.0) << it.key().toStdString();
        }
    }
    QApplication::setPalette(original);
    DeleteUnloadedWindows();
}

}  // namespace
}  // namespace ostrevo::test
