// Under light and dark desktop palettes every text of both windows stays readable, measured from the drawn pixels.
#include <QAbstractButton>
#include <QHash>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "controls.h"
#include "ui_fixture.h"
#include "waveform_test_support.h"

namespace ostrevo::ui::testing {
namespace {

// A dark desktop scheme: light text on dark windows, buttons and fields.
QPalette DarkPalette() {
    QPalette dark(QColor(35, 38, 41));  // button and window; the shades follow from it
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) dark.setColor(role, QRgb(0xFCFCFC));
    return dark;
}

// The contrast ratio (WCAG 2) of the text: the background is the most frequent
// colour of the area, the text the colour farthest from it in luminance.
double TextContrast(const QImage& area) {
    const auto luminance = [](QRgb colour) { return RelativeLuminance(QColor(colour)); };
    QHash<QRgb, int> counts;
    for (int i = 0; i < area.width() * area.height(); ++i) ++counts[area.pixel(i % area.width(), i / area.width()) | 0xFF000000];
    const QRgb background = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](auto a, auto b) { return a.second < b.second; })->first;
    const double behind = luminance(background);
    double text = behind;
    for (const QRgb colour : counts.keys()) {
        if (std::abs(luminance(colour) - behind) > std::abs(text - behind)) text = luminance(colour);
    }
    return (std::max(text, behind) + 0.05) / (std::min(text, behind) + 0.05);
}

// The text a control shows and where it is drawn: inside borders, beside an option button's indicator.
std::pair<QString, QRect> TextAndRoom(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) return {label->text(), LabelTextRect(*label)};
    if (const auto* field = qobject_cast<const QLineEdit*>(&control)) {
        const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field) + 1;
        return {field->text(), field->rect().adjusted(frame, frame, -frame, -frame)};
    }
    if (const auto* option = qobject_cast<const QRadioButton*>(&control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        return {option->text(), option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option)};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) return {button->text(), ButtonTextRect(*button)};
    return {};
}

QHash<QString, double> ContrastOfEveryText(QWidget& window) {
    const QImage shot = window.grab().toImage();
    QHash<QString, double> contrasts;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const auto [text, room] = TextAndRoom(*control);
        if (!control->isVisible() || text.isEmpty()) continue;
        const QString name = control->objectName().isEmpty() ? control->metaObject()->className() : control->objectName();
        contrasts.insert(window.objectName() + "." + name,
                         TextContrast(shot.copy(room.translated(control->mapTo(&window, QPoint(0, 0))))));
    }
    return contrasts;
}

// A real message box of the program, shown under the busy cursor and measured while it waits for its OK: the
// application's title, no icon, OK only, the normal cursor while it waits and the busy one back after.
QHash<QString, double> ContrastOfAMessageBox() {
    const QString message = QStringLiteral("Controlla la corrente max fornita dall'uscita!");
    QHash<QString, double> contrasts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return QApplication::exit();  // ends the box's loop; the count below fails
        EXPECT_EQ(box->windowTitle() + ": " + box->text(), "Ostrevo: " + message);
        EXPECT_TRUE(box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok);
        EXPECT_EQ(box->button(QMessageBox::Ok)->text(), "OK");
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        box->setObjectName("QMessageBox");
        contrasts = ContrastOfEveryText(*box);
        box->button(QMessageBox::Ok)->click();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QtMessageBoxes().show(message.toStdString());
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    QApplication::restoreOverrideCursor();
    return contrasts;
}

using ColourScheme = MainWindowTest;

TEST_F(ColourScheme, EveryTextOfBothWindowsKeepsThreeToOneUnderLightAndDarkPalettes) {
    const QPalette original = QApplication::palette();
    const QPalette light = QApplication::style()->standardPalette();
    // The palette while the windows are built and while measured: the desktop may change its scheme meanwhile.
    const std::tuple<const char*, QPalette, QPalette> cases[] = {
        {"light", light, light}, {"dark", DarkPalette(), DarkPalette()}, {"dark once running", light, DarkPalette()}};
    for (const auto& [name, whileBuilt, whileShown] : cases) {
        SCOPED_TRACE(name);
        QApplication::setPalette(whileBuilt);
        if (host.window() != nullptr) plot().close();  // unloads it: a window built under this palette
        open(QLocale::c());
        clickBoth("Command6", "Command1");
        design("1", "10", "5");
        click("Command2");  // then the pointer over the upper half of the plot
        const QSize area = plot().picture1()->contentsRect().size();
        test::PointAt(plot(), form(), QPoint(area.width() / 2, area.height() / 4));
        ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
        QApplication::setPalette(whileShown);
        QApplication::processEvents();  // the widgets follow a new palette through posted events

        QHash<QString, double> contrasts = ContrastOfEveryText(form());
        contrasts.insert(ContrastOfEveryText(plot()));
        contrasts.insert(ContrastOfAMessageBox());
        // 65 controls of the main window, 26 of the waveform window (its vo boxes are empty), 2 of the box.
        EXPECT_EQ(contrasts.size(), 93);
        for (const auto& [control, contrast] : contrasts.asKeyValueRange()) EXPECT_GE(contrast, 3.0) << control.toStdString();
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace ostrevo::ui::testing
