// The waveform window as it opens: size, captions, options and order.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "caption_fit.h"
#include "controls.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

class WaveformWindowLayout : public ::testing::Test {
protected:
    ui::WaveformWindow window;
    QWidget* control(const char* name) { return window.findChild<QWidget*>(QString::fromLatin1(name)); }
};

TEST_F(WaveformWindowLayout, WindowHasItsCaptionAndClientSize) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ostrevo"));
    EXPECT_EQ(window.size(), QSize(1219, 688));
}

TEST_F(WaveformWindowLayout, EveryCaptionFitsItsControl) {
    for (const char* name : {"Label14", "Label67", "Label9", "Label18", "Label21", "Label33", "Label28", "Label40"}) {
        ui::testing::ExpectLabelFits(qobject_cast<QLabel*>(control(name)));
    }
}

TEST_F(WaveformWindowLayout, ClickingVoSelectsItAndChangesNothingElse) {
    auto* vc = qobject_cast<QRadioButton*>(control("Option1"));
    auto* vo = qobject_cast<QRadioButton*>(control("Option3"));
    window.show();
    QTest::mouseClick(vo, Qt::LeftButton, {}, QPoint(8, vo->height() / 2));
    EXPECT_TRUE(vo->isChecked());
    EXPECT_FALSE(vc->isChecked());
    EXPECT_TRUE(qobject_cast<QLabel*>(control("Label29"))->text().isEmpty());
}

TEST_F(WaveformWindowLayout, TabVisitsPicturesButtonThenTheSelectedOption) {
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

TEST_F(WaveformWindowLayout, ResizingMovesNothing) {
    window.show();
    const QRect before = control("Command1")->geometry();
    window.resize(600, 400);
    EXPECT_EQ(control("Command1")->geometry(), before);
    EXPECT_EQ(window.picture1()->size(), ui::TwipsRect({1080, 240, 13875, 9555}).size());
}

}  // namespace
}  // namespace ostrevo::test
