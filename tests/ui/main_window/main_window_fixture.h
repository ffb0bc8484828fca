#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "control_font.h"
#include "fakes.h"
#include "main_window.h"
#include "recording_messages.h"

namespace ostrevo::ui::testing {

// The main window with a fake waveform window, shown, under a chosen locale.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        plot.whenShown = [this] {
            ++timesShown;
            const QCursor* cursor = QApplication::overrideCursor();
            if (cursor != nullptr && cursor->shape() == Qt::WaitCursor) ++timesShownWithBusyCursor;
        };
    }
    void SetUp() override { open(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void open(const QLocale& locale) {
        InstallFontFallbacks();
        QLocale::setDefault(locale);
        window_.reset();
        window_ = std::make_unique<MainWindow>(plot, recorded.boxes);
        form().show();
        form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }

    MainWindow& form() { return *window_; }
    QLineEdit* field(const char* name) { return child<QLineEdit>(name); }
    QLabel* label(const char* name) { return child<QLabel>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }

    // Replaces the text of a field the way a user does: select all, type.
    void type(const char* name, const QString& text) {
        QLineEdit* target = field(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // "Calcola Rc e Rs" for Vcc = 12 V and the given C, tc and ts.
    void design(const char* C, const char* tc, const char* ts) {
        type("Text1", "12");
        type("Text14", C);
        type("Text13", tc);
        type("Text15", ts);
        click("Command4");
    }

    RecordingMessages recorded;
    ostrevo::testing::FakePlotWindow plot;
    int timesShown = 0;
    int timesShownWithBusyCursor = 0;

private:
    template <typename Control>
    Control* child(const char* name) {
        auto* found = form().findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr) ADD_FAILURE() << "no control " << name;
        return found;
    }

    std::unique_ptr<MainWindow> window_;
};

}  // namespace ostrevo::ui::testing
