// The readout by keys over a real plot: the cursor and its pixels, the boxes against the pointer's, what is announced
// and described, and the audio trace.
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QStyle>
#include <set>

#include "audio_trace_player.h"
#include "catalogue.h"
#include "controls.h"
#include "looks.h"
#include "ui_fixture.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

// The audio output of the tests: it has played for as long as they say.
struct FakeOutput : ui::SoundOutput {
    int sampleRate() const override { return 1000; }
    void start(const std::vector<float>& pcm) override { playing = true, seconds = 0, samples = pcm.size(); }
    double secondsPlayed() const override { return seconds; }
    void stop() override { playing = false; }
    bool playing = false;
    double seconds = 0;
    std::size_t samples = 0;
};

class ReadoutByKeys : public ui::testing::MainWindowTest {
protected:
    // Plots an example; its window comes up active, as it does on a desktop.
    void plotExample(const char* button) {
        clickBoth(button, "Command2");
        plot().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&plot()));
    }
    ui::PictureArea& area() { return *plot().picture1(); }
    QImage picture() { return area().picture(); }
    std::int64_t cursor() { return plot().readout().cursorColumn(); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&area(), static_cast<Qt::Key>(key), modifiers);
    }
    QStringList boxes() { return {plotText("Label16"), plotText("Label17"), plotText("Label29"), plotText("Label32")}; }
    QString announced() { return control("Announcer", &plot())->accessibleName(); }
    bool playing() { return plot().audioTrace().isPlaying(); }
    bool waitUntil(const std::function<bool()>& condition) {
        QElapsedTimer waited;
        waited.start();
        while (!condition() && waited.elapsed() < 10'000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return condition();
    }
};

TEST_F(ReadoutByKeys, TheWindowOpensOnThePlotAndEachKeyMovesTheCursorReadsAndAnnounces) {
    plotExample("Command6");
    EXPECT_EQ(QApplication::focusWidget(), &area());
    const std::int64_t last = picture().width() - 1, middle = last / 2, tenth = picture().width() / 10;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::int64_t column;
        bool upper;
    } cases[] = {
        {Qt::Key_Right, Qt::NoModifier, middle + 1, true},       {Qt::Key_Left, Qt::NoModifier, middle - 1, true},
        {Qt::Key_PageDown, Qt::NoModifier, middle + tenth, true}, {Qt::Key_Right, Qt::ShiftModifier, middle + tenth, true},
        {Qt::Key_PageUp, Qt::NoModifier, middle - tenth, true},   {Qt::Key_Left, Qt::ShiftModifier, middle - tenth, true},
        {Qt::Key_Home, Qt::NoModifier, 0, true},                  {Qt::Key_End, Qt::NoModifier, last, true},
        {Qt::Key_Down, Qt::NoModifier, middle, false},            {Qt::Key_Up, Qt::NoModifier, middle, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        plot().readout().pointerAt(static_cast<double>(middle), picture().height() * (c.upper ? 0.25 : 0.75));
        const QStringList before = boxes();
        press(c.key, c.modifiers);
        EXPECT_EQ(cursor(), c.column);
        EXPECT_EQ(control<QRadioButton>("Option1", &plot())->isChecked(), c.upper);
        EXPECT_NE(boxes(), before);
        const QStringList shown = boxes().mid(c.upper ? 0 : 2, 2);
        EXPECT_EQ(announced().toStdString(), Say(Text::ReadoutSpoken, {{"trace", c.upper ? "vc(t)" : "vo(t)"},
                                                                       {"time", shown[0].toStdString()},
                                                                       {"voltage", shown[1].toStdString()}}));
    }
    press(Qt::Key_Tab);  // no trap: the focus goes on
    EXPECT_EQ(QApplication::focusWidget(), control("Picture3", &plot()));
}

// Ctrl+arrows read ts and tc off the real example's switching instants, 1.221 and 6.927 usec, within a column.
TEST_F(ReadoutByKeys, CtrlArrowsReadTsAndTcOffTheSwitchingInstants) {
    plotExample("Command6");
    press(Qt::Key_Home);
    for (const auto& [key, instant] : {std::pair{Qt::Key_Right, 1.221}, {Qt::Key_Right, 6.927}, {Qt::Key_Left, 1.221},
                                       {Qt::Key_Left, 1.221}}) {
        press(key, Qt::ControlModifier);
        EXPECT_NEAR(plotText("Label16").toDouble(), instant, 5 * 6.927 / double(picture().width() - 1)) << instant;
    }
}

// Along both traces the keys read what the pointer reads on one of the trace's pixels in the same column.
TEST_F(ReadoutByKeys, KeysReadWhatThePointerReadsOnTheDrawnTrace) {
    plotExample("Command6");
    const QImage drawn = picture();
    for (const auto& [half, colour] : {std::pair{Qt::Key_Up, kRedPixel}, {Qt::Key_Down, kBluePixel}}) {
        press(half);
        press(Qt::Key_Home);
        for (int step = 0; step <= 10; ++step) {
            const std::int64_t column = cursor();
            const QStringList byKeys = boxes();
            std::set<QStringList> byPointer;
            for (int row = 0; row < drawn.height(); ++row) {
                if (drawn.pixel(int(column), row) != colour) continue;
                plot().readout().pointerAt(static_cast<double>(column), row);  // as the mouse over that pixel
                byPointer.insert(boxes());
            }
            EXPECT_TRUE(byPointer.count(byKeys)) << column << ": " << byKeys.join(' ').toStdString();
            press(step == 9 ? Qt::Key_End : Qt::Key_PageDown);
        }
    }
}

TEST_F(ReadoutByKeys, TouchMovesTheCursorAsThePointerDoes) {
    plotExample("Command5");
    QPointingDevice* screen = QTest::createTouchDevice();
    const QPoint inner = area().contentsRect().topLeft() + QPoint(100, area().contentsRect().height() / 4);
    QTest::touchEvent(&area(), screen).press(0, inner);
    QTest::touchEvent(&area(), screen).move(0, inner + QPoint(20, 0));
    QTest::touchEvent(&area(), screen).release(0, inner + QPoint(20, 0));
    EXPECT_EQ(cursor(), std::lround(120 * area().devicePixelRatioF()));
    EXPECT_EQ(boxes()[2] + boxes()[3], "");
    EXPECT_NE(boxes()[0], "");
}

// Also run at device pixel ratio 2 (waveform_window_high_dpi): one device pixel wide at any ratio.
TEST_F(ReadoutByKeys, TheCursorLiesOverThePictureOnlyWhileItHasTheFocus) {
    plotExample("Command5");
    press(Qt::Key_End);
    press(Qt::Key_PageUp);
    const QImage kept = picture();
    const qreal ratio = kept.devicePixelRatio();
    QRegion labels;  // in device pixels of the area
    for (const QWidget* label : area().findChildren<QWidget*>()) labels += QRect(label->pos() * ratio, label->size() * ratio);
    // By column, the colours of the grab's pixels over the inner area that differ from the kept picture's, outside labels.
    const auto changedPixels = [&] {
        const QImage shot = area().grab().toImage().convertToFormat(QImage::Format_RGB32);
        std::map<std::int64_t, std::set<QRgb>> changed;
        const QPoint corner = area().contentsRect().topLeft() * ratio;
        for (int y = 0; y < kept.height(); ++y) {
            for (int x = 0; x < kept.width(); ++x) {
                const QRgb shown = shot.pixel(corner + QPoint(x, y));
                if (shown != kept.pixel(x, y) && !labels.contains(corner + QPoint(x, y))) changed[x].insert(shown);
            }
        }
        return changed;
    };
    EXPECT_EQ(changedPixels(), (std::map<std::int64_t, std::set<QRgb>>{{cursor(), {ui::PictureArea::kCursorColour}}}));
    EXPECT_GE(ui::ContrastRatio(QColor(ui::PictureArea::kCursorColour), ui::ToQColor(looks::kLightYellow)), 3.0);
    control("Command1", &plot())->setFocus();
    EXPECT_TRUE(changedPixels().empty());
    EXPECT_EQ(picture(), kept);
    EXPECT_EQ(CountPixels(kept, ui::PictureArea::kCursorColour), 0);
}

// The focus indicator takes the frame's place: outside the scheme's highlight, or its text colour where the highlight
// would hardly show against the window; inside the cursor's colour against the picture.
TEST_F(ReadoutByKeys, TheFocusIndicatorStandsOutInLightAndDarkSchemes) {
    plotExample("Command5");
    QPalette dark(QColor(35, 38, 41));  // its highlight, dark blue, vanishes in it
    dark.setColor(QPalette::WindowText, QRgb(0xFCFCFC));
    const QPalette original = QApplication::palette();
    for (const QPalette& scheme : {QApplication::style()->standardPalette(), dark}) {
        QApplication::setPalette(scheme);
        const QColor outside = ui::FocusIndicatorColour(plot().palette());
        EXPECT_GE(ui::ContrastRatio(outside, scheme.color(QPalette::Window)), 3.0) << outside.name().toStdString();
        const auto frame = [&](int inset) {
            const QImage shot = area().grab().toImage();
            return shot.pixelColor(QPoint(inset, area().height() / 2) * shot.devicePixelRatio());
        };
        area().setFocus();
        EXPECT_EQ(frame(0), outside);
        EXPECT_EQ(frame(1), QColor::fromRgb(ui::PictureArea::kCursorColour));
        control("Command1", &plot())->setFocus();
        EXPECT_NE(frame(0), outside);
    }
    QApplication::setPalette(original);
}

TEST_F(ReadoutByKeys, ThePlotIsDescribedByWhatItWasDrawnWith) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {  // example, field, typed, said
        {"Command5", nullptr, nullptr, "scarica ts 3.258 usec"},
        {"Command6", nullptr, nullptr, "scarica ts 1.221 usec"},
        {"Command5", "Text1", "0", "vo(t) si interrompe"},  // Vcc
        {"Command6", "Text16", "2147483647", "Nessuna traccia disegnata."},  // N: stopped before its labels
    };
    for (const auto& [example, field, typed, said] : cases) {
        click(example);
        if (field != nullptr) type(field, typed);
        click("Command2");
        EXPECT_TRUE(area().accessibleDescription().contains(said)) << area().accessibleDescription().toStdString();
    }
}

TEST_F(ReadoutByKeys, SpaceOrEnterPlaysTheTraceFromTheCursorWhichFollowsTheSoundUntilAKeyStopsIt) {
    plotExample("Command6");
    auto* sound = new FakeOutput;
    plot().audioTrace().useOutput(std::unique_ptr<ui::SoundOutput>(sound));
    const std::int64_t width = picture().width();
    const double secondsPerColumn = kAudioTraceSeconds / static_cast<double>(width);
    const struct {
        int start, stop;
        std::int64_t afterStop;  // columns from where the sound stopped
    } cases[] = {{Qt::Key_Space, Qt::Key_Space, 0}, {Qt::Key_Enter, Qt::Key_Escape, 0}, {Qt::Key_Return, Qt::Key_Right, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stop);
        press(Qt::Key_Home);
        press(Qt::Key_PageDown);
        const std::int64_t from = cursor();
        const QString announcedBefore = announced();
        press(c.start);
        ASSERT_TRUE(sound->playing);
        EXPECT_NEAR(double(sound->samples), double(width - from) * secondsPerColumn * 1000, 1000 * secondsPerColumn);
        sound->seconds = 100.5 * secondsPerColumn;
        ASSERT_TRUE(waitUntil([&] { return cursor() == from + 100; }));
        EXPECT_EQ(announced(), announcedBefore);  // the sound speaks, not the announcer
        press(c.stop);
        EXPECT_FALSE(sound->playing || playing());
        EXPECT_EQ(cursor(), from + 100 + c.afterStop);
    }
    press(Qt::Key_Space);
    sound->seconds = 10;  // past the end: the cursor stops at the last column, and the sound with it
    EXPECT_TRUE(waitUntil([&] { return !playing(); }));
    EXPECT_EQ(cursor(), width - 1);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ReadoutByKeys, WithoutAnAudioDeviceAMessageSaysSoOnceAndTheCursorSweepsInSilence) {
    if (!QMediaDevices::audioOutputs().isEmpty()) GTEST_SKIP() << "this machine has an audio output";
    plotExample("Command6");
    press(Qt::Key_End);
    press(Qt::Key_PageUp);  // a tenth of the width: about 0.3 s
    for (int time = 0; time < 2; ++time) {
        press(Qt::Key_Space);
        EXPECT_TRUE(waitUntil([&] { return !playing(); }));
        EXPECT_EQ(cursor(), picture().width() - 1);
        press(Qt::Key_PageUp);
    }
    EXPECT_EQ(messages, QStringList{ui::ToQString(Say(Text::AudioUnavailable))});
}

}  // namespace
}  // namespace ostrevo::test
