#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "main_window.h"
#include "qt_message_boxes.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::ui::testing {

// The main window, shown and active, with the program's own waveform window
// and message boxes that record each message instead of showing it.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { open(QLocale::c()); }
    ~MainWindowTest() override {
        QLocale::setDefault(QLocale::c());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // unloaded waveform windows
    }
    // A new main window: its results take the separator of `locale`.
    void open(const QLocale& locale) {
        QLocale::setDefault(locale);
        form_ = std::make_unique<MainWindow>(host, boxes);
        form_->show();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    MainWindow& form() { return *form_; }
    WaveformWindow& plot() { return *host.window(); }
    template <typename Control = QWidget>
    Control* control(const char* name, QWidget* window = nullptr) {
        auto* found = (window != nullptr ? window : form_.get())->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr) ADD_FAILURE() << "no control " << name;
        return found;
    }
    QString text(const char* name) { return QString::fromStdU16String(form().text(ControlName(name))); }
    QString plotText(const char* name) { return control<QLabel>(name, &plot())->text(); }

    // Replaces the text of a field as a user does.
    void type(const char* name, const QString& typed) {
        auto* field = control<QLineEdit>(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, typed);
    }
    // Clicks a button and lets the command it runs end.
    void click(const char* name, QWidget* window = nullptr) {
        QTest::mouseClick(control<QPushButton>(name, window), Qt::LeftButton);
        waitForCommands();
    }
    // Until no plot is sampled any more (at most a few seconds).
    void waitForCommands() {
        QElapsedTimer waited;
        waited.start();
        while (form().runningPlot() != nullptr && waited.elapsed() < kLongestCommand) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        if (form().runningPlot() != nullptr) ADD_FAILURE() << "the command is still running";
    }
    static constexpr int kLongestCommand = 20'000;
    void clickBoth(const char* first, const char* second) { click(first); click(second); }
    // "Calcola Rc e Rs" for Vcc = 12 V and the given C, tc and ts.
    void design(const char* c, const char* tc, const char* ts) {
        for (const auto& [name, typed] : {std::pair{"Text1", "12"}, {"Text14", c}, {"Text13", tc}, {"Text15", ts}})
            type(name, typed);
        click("Command4");
    }

    QStringList messages;
    int shownUnderBusyCursor = 0;
    QtMessageBoxes boxes{[this](const QString& message) {
        messages.append(message);
        if (QApplication::overrideCursor() != nullptr) ++shownUnderBusyCursor;
    }};
    WaveformWindowHost host{boxes};

private:
    std::unique_ptr<MainWindow> form_;
};

}  // namespace ostrevo::ui::testing
