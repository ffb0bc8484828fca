#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "main_window.h"
#include "quit_when_nothing_visible.h"
#include "recording_messages.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::ui::testing {
namespace {

// The main window and the program's own waveform window, whose "Esci"
// unloads it and leaves a fresh hidden one.
class Closing : public ::testing::Test {
protected:
    void SetUp() override { mainWindow.show(); }

    void plot() {
        mainWindow.fillRealExample();
        mainWindow.plotWaveforms();
        ASSERT_TRUE(host.window()->isVisible());
    }

    // Runs the application's event loop from `first`; returns 0 when the
    // program quit, -1 when it was still running after ample time.
    int runEventLoop(const std::function<void()>& first) {
        QTimer::singleShot(0, &mainWindow, first);
        QTimer stillRunning;
        QObject::connect(&stillRunning, &QTimer::timeout, [] { QApplication::exit(-1); });
        stillRunning.start(10000);
        return QApplication::exec();
    }

    QuitWhenNothingVisible quitWhenNothingVisible;  // as the program has
    RecordingMessages recorded;
    WaveformWindowHost host;
    MainWindow mainWindow{host, recorded.boxes};
};

TEST_F(Closing, EsciEndsTheProgramWithEveryWindow) {
    plot();
    auto* esci = mainWindow.findChild<QPushButton*>("Command3");
    EXPECT_EQ(runEventLoop([esci] { QTest::mouseClick(esci, Qt::LeftButton); }), 0);
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_FALSE(host.window()->isVisible());
}

TEST_F(Closing, WithoutAPlotTheFrameEndsTheProgram) {
    EXPECT_EQ(runEventLoop([this] { mainWindow.close(); }), 0);
}

TEST_F(Closing, ProgramEndsWhenTheWaveformWindowGoesAfterTheMainWindow) {
    plot();
    bool waveformStillOpen = false;
    const int result = runEventLoop([&] {
        mainWindow.close();
        QTimer::singleShot(0, &mainWindow, [&] {
            waveformStillOpen = host.window()->isVisible();
            host.window()->exitWindow();
        });
    });
    EXPECT_TRUE(waveformStillOpen);
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_EQ(result, 0);
}

TEST_F(Closing, WaveformEsciAloneLeavesTheMainWindowRunning) {
    plot();
    constexpr int kStillRunning = 7;
    const int result = runEventLoop([&] {
        host.window()->exitWindow();
        // Queued behind the check that follows the hiding.
        QTimer::singleShot(0, &mainWindow, [] { QApplication::exit(kStillRunning); });
    });
    EXPECT_EQ(result, kStillRunning);
    EXPECT_TRUE(mainWindow.isVisible());
}

// --- the keyboard presses the focused button of either window ---

using Keyboard = Closing;

void PressWithTheKeyboard(QWidget* focused, Qt::Key key) {
    focused->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(focused->window()));
    focused->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focused);
    QTest::keyClick(focused, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

TEST_F(Keyboard, ReturnEnterAndSpacePressTheFocusedButtonButNotFromAField) {
    MainWindow& form = mainWindow;
    const auto text = [&](const char* name) { return QString::fromStdU16String(form.text(name)); };
    const auto mainButton = [&](const char* name) { return form.findChild<QPushButton*>(name); };
    for (const auto& [field, typed] : {std::pair{"Text14", "1"}, {"Text13", "10"}, {"Text15", "5"}}) {
        form.setText(field, typed);
    }
    form.fillRealExample();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        PressWithTheKeyboard(form.findChild<QLineEdit*>("Text1"), key);
    }
    EXPECT_TRUE(text("Label9").isEmpty());  // no button is the default one
    EXPECT_EQ(host.window(), nullptr);

    WaveformWindow* plotted = nullptr;
    // Each button, what undoes its last press, and what shows that it was pressed.
    const struct {
        const char* name;
        std::function<QPushButton*()> button;
        std::function<void()> undo;
        std::function<bool()> pressed;
    } buttons[] = {
        {"ideal example", [&] { return mainButton("Command5"); }, [&] { form.setText("Text3", ""); },
         [&] { return text("Text3") == "8"; }},
        {"real example", [&] { return mainButton("Command6"); }, [&] { form.setText("Text3", ""); },
         [&] { return text("Text3") == "6.7"; }},
        {"times", [&] { return mainButton("Command1"); }, [&] { form.setText("Label9", ""); },
         [&] { return text("Label9") == "1.221"; }},
        {"design", [&] { return mainButton("Command4"); }, [&] { form.setText("Label31", ""); },
         [&] { return text("Label31") == "1.443E+01"; }},
        {"plot", [&] { return mainButton("Command2"); }, [&] { host.window()->hide(); },
         [&] { return host.window()->isVisible(); }},
        {"Esci of the waveform window", [&] { return host.window()->findChild<QPushButton*>("Command1"); },
         [&] { plotted = host.window(); }, [&] { return host.window() != plotted && !host.window()->isVisible(); }},
    };
    for (const auto& [key, keyName] : {std::pair{Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"},
                                       {Qt::Key_Space, "Space"}}) {
        SCOPED_TRACE(keyName);
        host.ensureCreated();
        form.show();
        for (const auto& b : buttons) {
            b.undo();
            PressWithTheKeyboard(b.button(), key);
            EXPECT_TRUE(b.pressed()) << b.name;
        }
        // "Esci" of the main window ends the program.
        EXPECT_EQ(runEventLoop([&] { PressWithTheKeyboard(mainButton("Command3"), key); }), 0);
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_TRUE(recorded.messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::ui::testing
