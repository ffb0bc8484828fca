// "Grafici" samples with the upper halves of the vector registers clean, even
// after both windows have run and painted library code that leaves them
// dirty (on processors that charge for it, a dirty state makes every exp of
// the sampling thirty times slower). The test executable interposes libm's
// exp to read the processor's in-use bitmap at the first call of the sampling.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <optional>

#include "main_window.h"
#include "recording_messages.h"
#include "waveform_test_support.h"

namespace {
bool watchNextExp = false;
std::optional<bool> upperStateInUseAtExp;
}  // namespace

#if defined(__x86_64__) && defined(__linux__)
#include <cpuid.h>
#include <dlfcn.h>

namespace {

// XGETBV with ECX = 1 reads XINUSE; bit 2 is the upper halves of the YMM registers.
bool ProcessorReportsStateInUse() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d) == 0 || (c & bit_OSXSAVE) == 0) return false;
    return __get_cpuid_count(0xD, 1, &a, &b, &c, &d) != 0 && (a & (1u << 2)) != 0;
}

bool UpperStateInUse() {
    std::uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1u << 2)) != 0;
}

}  // namespace

// Every exp of this executable passes through here, the sampling's included.
extern "C" double exp(double x) noexcept {
    if (watchNextExp) {
        watchNextExp = false;
        upperStateInUseAtExp = UpperStateInUse();
    }
    static const auto libmExp = reinterpret_cast<double (*)(double)>(dlsym(RTLD_NEXT, "exp"));
    return libmExp(x);
}
#else
namespace {
bool ProcessorReportsStateInUse() { return false; }
}  // namespace
#endif

namespace ostrevo::test {
namespace {

TEST(VectorState, GraficiSamplesWithACleanUpperStateAfterBothWindowsHavePainted) {
    if (!ProcessorReportsStateInUse()) {
        GTEST_SKIP() << "this build or processor cannot tell whether the upper vector state is in use "
                        "(x86-64 Linux with XGETBV ECX = 1, CPUID leaf 0xD sub-leaf 1 EAX bit 2)";
    }
    ui::testing::RecordingMessages messages;
    WaveformWindowHost host;
    ui::MainWindow form1(host, messages.boxes);
    form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form1));
    const auto click = [&](const char* name) {
        QTest::mouseClick(form1.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    };
    click("Command6");  // "Ostrevo reale, dati esempio"
    click("Command2");  // "Grafici"
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window(host)));
    form1.repaint();
    Window(host).repaint();

    watchNextExp = true;
    click("Command2");
    watchNextExp = false;
    ASSERT_TRUE(upperStateInUseAtExp.has_value()) << "the sampling called no exp";
    EXPECT_FALSE(*upperStateInUseAtExp) << "the sampling's exp ran with the upper halves of the YMM registers dirty";
    EXPECT_TRUE(messages.messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::test
