// What assistive technology learns about both windows, read through Qt's
// accessibility interfaces (the layer the AT-SPI bridge serves).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QSet>

#include "main_window.h"
#include "recording_messages.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::ui {
namespace {

class AccessibleNamesTest : public ::testing::Test {
protected:
    void SetUp() override { host.ensureCreated(); }

    QWidget& form1() { return mainWindow; }
    QWidget& form2() { return *host.window(); }

    testing::RecordingMessages recorded;
    WaveformWindowHost host;
    MainWindow mainWindow{host, recorded.boxes};
};

QAccessibleInterface* Accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

// Fields, buttons and option buttons: what the keyboard reaches.
QList<QWidget*> Controls(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QAbstractButton*>(child)) controls.append(child);
    }
    return controls;
}

TEST_F(AccessibleNamesTest, EveryControlHasANameOfItsOwnAndADescription) {
    for (QWidget* window : {&form1(), &form2()}) {
        QSet<QString> names;
        for (QWidget* control : Controls(*window)) {
            SCOPED_TRACE(control->objectName().toStdString());
            const QString name = Accessible(control)->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty());
            EXPECT_FALSE(Accessible(control)->text(QAccessible::Description).isEmpty());
            EXPECT_FALSE(names.contains(name)) << name.toStdString();
            names.insert(name);
        }
        EXPECT_GE(names.size(), window == &form1() ? 21 : 3);
    }
}

TEST_F(AccessibleNamesTest, WindowsAreWindowsAndDrawingsAreGraphics) {
    EXPECT_EQ(Accessible(&form1())->role(), QAccessible::Window);
    EXPECT_EQ(Accessible(&form1())->text(QAccessible::Name), QStringLiteral("Ostrevo reale"));
    EXPECT_EQ(Accessible(&form2())->role(), QAccessible::Window);
    EXPECT_EQ(Accessible(form1().findChild<QWidget*>("Image1"))->role(), QAccessible::Graphic);
    for (const char* picture : {"Picture1", "Picture3"}) {
        EXPECT_EQ(Accessible(form2().findChild<QWidget*>(picture))->role(), QAccessible::Graphic) << picture;
    }
}

struct ResultLabel {
    bool inMainWindow;
    const char* control;
    const char* unit;
};

class ResultLabelTest : public AccessibleNamesTest, public ::testing::WithParamInterface<ResultLabel> {};

// The name says what the value is and its unit; the text is the value shown.
TEST_P(ResultLabelTest, NamesItsUnitAndReadsItsCaptionAsText) {
    QWidget& window = GetParam().inMainWindow ? form1() : form2();
    auto* label = window.findChild<QLabel*>(GetParam().control);
    ASSERT_NE(label, nullptr);
    label->setText(QStringLiteral("1,221"));
    QAccessibleInterface* accessible = Accessible(label);
    EXPECT_TRUE(accessible->text(QAccessible::Name).contains(QString::fromUtf8(GetParam().unit)));
    ASSERT_NE(accessible->textInterface(), nullptr);
    EXPECT_EQ(accessible->textInterface()->text(0, accessible->textInterface()->characterCount()),
              QStringLiteral("1,221"));
    EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("1,221"));
}

INSTANTIATE_TEST_SUITE_P(BothWindows, ResultLabelTest,
                         ::testing::Values(ResultLabel{true, "Label9", "[usec]"},  // ts
                                           ResultLabel{true, "Label11", "[usec]"},  // tc
                                           ResultLabel{true, "Label30", "[kohm]"},  // designed Rs
                                           ResultLabel{true, "Label31", "[kohm]"},  // designed Rc
                                           ResultLabel{false, "Label16", "[usec]"},  // readout of vc
                                           ResultLabel{false, "Label17", "[V]"},
                                           ResultLabel{false, "Label29", "[usec]"},  // readout of vo
                                           ResultLabel{false, "Label32", "[V]"}),
                         [](const ::testing::TestParamInfo<ResultLabel>& info) { return info.param.control; });

}  // namespace
}  // namespace ostrevo::ui
