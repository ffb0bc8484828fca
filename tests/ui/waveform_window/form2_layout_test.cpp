// The waveform window as it opens: every control, its place, look and order.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "controls.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

using ui::Form2;
using ui::PictureArea;
using ui::TwipsGeometry;

const QColor kLightYellow(255, 255, 192);

struct DesignedControl {
    const char* name;
    const char* container;  // "Form2", "Picture1" or "Picture3"
    const char* caption;    // nullptr for picture areas
    TwipsGeometry geometry;
};

const DesignedControl kControls[] = {
    {"Picture1", "Form2", nullptr, {1080, 240, 13875, 9555}},
    {"Label5", "Picture1", "0", {0, 9240, 330, 225}},
    {"Label2", "Picture1", "Label2", {2940, 8295, 1380, 225}},
    {"Label1", "Picture1", "Label1", {6825, 8295, 1485, 225}},
    {"Label3", "Picture1", "Label3", {10080, 8400, 1275, 225}},
    {"Picture3", "Form2", nullptr, {0, 360, 1065, 9315}},
    {"Label6", "Picture3", "Label6", {210, 105, 750, 225}},
    {"Label7", "Picture3", "Label7", {210, 1050, 645, 225}},
    {"Label8", "Picture3", "Label8", {210, 3360, 750, 225}},
    {"Label12", "Picture3", "Label12", {105, 4515, 855, 240}},
    {"Label11", "Picture3", "Label11", {120, 4920, 735, 255}},
    {"Label13", "Picture3", "Label13", {120, 5280, 855, 255}},
    {"Label4", "Picture3", "Label4", {120, 8880, 855, 255}},
    {"Option1", "Form2", "vc(t)", {15600, 480, 1170, 330}},
    {"Label19", "Form2", "t", {15600, 960, 240, 225}},
    {"Label16", "Form2", "", {16005, 900, 1380, 330}},
    {"Label9", "Form2", "[usec]", {17520, 960, 615, 255}},
    {"Label21", "Form2", "Vc(t)", {15480, 1320, 450, 225}},
    {"Label17", "Form2", "", {16005, 1320, 1380, 330}},
    {"Label28", "Form2", "[V]", {17520, 1320, 330, 225}},
    {"Option3", "Form2", "vo(t)", {15720, 2280, 1275, 330}},
    {"Label30", "Form2", "t", {15600, 2805, 225, 225}},
    {"Label29", "Form2", "", {16005, 2700, 1380, 330}},
    {"Label18", "Form2", "[usec]", {17520, 2760, 615, 255}},
    {"Label33", "Form2", "Vo(t)", {15480, 3225, 450, 225}},
    {"Label32", "Form2", "", {16005, 3120, 1380, 330}},
    {"Label40", "Form2", "[V]", {17520, 3120, 330, 225}},
    {"Command1", "Form2", "Esci", {16110, 8250, 1275, 435}},
    {"Label14", "Form2", "Forme d'onda a regime", {6480, 9840, 4320, 225}},
    {"Label67", "Form2", nullptr, {15960, 9720, 1575, 285}},
    {"Picture2", "Form2", nullptr, {14640, 9840, 330, 330}},
};

QString Caption(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    return {};
}

// Where a control stands in its container's design coordinates: picture
// areas count from the inner corner, inside their border.
QRect DesignRect(const QWidget* control) {
    const auto* area = qobject_cast<const PictureArea*>(control->parentWidget());
    const QPoint origin = area != nullptr ? area->contentsRect().topLeft() : QPoint();
    return control->geometry().translated(-origin);
}

class Form2Layout : public ::testing::Test {
protected:
    Form2 window;
    QWidget* control(const char* name) { return window.findChild<QWidget*>(QString::fromLatin1(name)); }
    QColor background(const char* name) {
        QWidget* widget = control(name);
        return widget->palette().color(widget->backgroundRole());
    }
};

TEST_F(Form2Layout, EveryControlHasItsNameContainerCaptionAndPlace) {
    for (const DesignedControl& designed : kControls) {
        SCOPED_TRACE(designed.name);
        QWidget* widget = control(designed.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(designed.container));
        if (designed.caption != nullptr) {
            EXPECT_EQ(Caption(widget), QString::fromUtf8(designed.caption));
        }
        EXPECT_EQ(DesignRect(widget), ui::TwipsRect(designed.geometry));
    }
}

TEST_F(Form2Layout, WindowHasItsCaptionClientSizeAndIcon) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ostrevo"));
    EXPECT_EQ(window.size(), QSize(1219, 688));
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    // The hand-drawn pixels are used as they are at their own sizes.
    const QImage small = window.windowIcon().pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_EQ(small.convertToFormat(QImage::Format_ARGB32),
              QImage(QStringLiteral(":/waveform_window/fuel_pump_16.png")).convertToFormat(QImage::Format_ARGB32));
}

TEST_F(Form2Layout, ColoursAndBordersAreAsDesigned) {
    EXPECT_EQ(background("Picture1"), kLightYellow);
    for (const char* name : {"Label1", "Label2", "Label3", "Label5", "Label16", "Label17", "Label29", "Label32"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(background(name), kLightYellow);
        EXPECT_TRUE(control(name)->autoFillBackground());
    }
    EXPECT_EQ(background("Label67"), QColor(192, 255, 255));
    EXPECT_EQ(ui::TextColour(control("Option1")), QColor(255, 0, 0));
    EXPECT_EQ(ui::TextColour(control("Option3")), QColor(0, 0, 255));
    for (const char* name : {"Label16", "Label17", "Label29", "Label32", "Label67"}) {
        EXPECT_GT(qobject_cast<QFrame*>(control(name))->frameWidth(), 0) << name;
    }
    EXPECT_EQ(qobject_cast<QLabel*>(control("Label16"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(window.picture1()->frameShadow(), QFrame::Sunken);
}

TEST_F(Form2Layout, ControlsUseTheBoldControlFontExceptTheCreditLine) {
    for (const DesignedControl& designed : kControls) {
        if (designed.caption == nullptr) continue;
        EXPECT_TRUE(control(designed.name)->font().bold()) << designed.name;
    }
    EXPECT_FALSE(control("Label67")->font().bold());
}

TEST_F(Form2Layout, EveryCaptionFitsItsControl) {
    for (const char* name : {"Label14", "Label67", "Label9", "Label18", "Label21", "Label33", "Label28", "Label40"}) {
        SCOPED_TRACE(name);
        auto* label = qobject_cast<QLabel*>(control(name));
        const QRect room = ui::LabelTextRect(*label);
        const QSize needed = ui::WrappedCaptionSize(label->text(), QFontMetrics(label->font()), room.width());
        EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
            << needed.width() << "x" << needed.height() << " in " << room.width() << "x" << room.height();
    }
}

TEST_F(Form2Layout, OpensWithVcSelectedEmptyValueBoxesAndHiddenPicture2) {
    EXPECT_TRUE(qobject_cast<QRadioButton*>(control("Option1"))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(control("Option3"))->isChecked());
    for (const char* name : {"Label16", "Label17", "Label29", "Label32"}) {
        EXPECT_TRUE(qobject_cast<QLabel*>(control(name))->text().isEmpty()) << name;
    }
    window.show();
    EXPECT_FALSE(control("Picture2")->isVisible());
    EXPECT_TRUE(window.picture1()->toolTip().isEmpty());
}

TEST_F(Form2Layout, ClickingVoSelectsItAndChangesNothingElse) {
    auto* vc = qobject_cast<QRadioButton*>(control("Option1"));
    auto* vo = qobject_cast<QRadioButton*>(control("Option3"));
    window.show();
    QTest::mouseClick(vo, Qt::LeftButton, {}, QPoint(8, vo->height() / 2));
    EXPECT_TRUE(vo->isChecked());
    EXPECT_FALSE(vc->isChecked());
    EXPECT_TRUE(qobject_cast<QLabel*>(control("Label29"))->text().isEmpty());
}

TEST_F(Form2Layout, TabVisitsPicturesButtonThenTheSelectedOption) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), control("Picture1"));
    QStringList visited;
    for (int step = 0; step < 4; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({"Picture3", "Command1", "Option1", "Picture1"}));

    // The option group is entered at its selected button.
    qobject_cast<QRadioButton*>(control("Option3"))->setChecked(true);
    control("Command1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Option3"));
}

TEST_F(Form2Layout, ResizingMovesNothing) {
    window.show();
    const QRect before = control("Command1")->geometry();
    window.resize(600, 400);
    EXPECT_EQ(control("Command1")->geometry(), before);
    EXPECT_EQ(window.picture1()->size(), ui::TwipsRect({1080, 240, 13875, 9555}).size());
}

}  // namespace
}  // namespace ostrevo::test
