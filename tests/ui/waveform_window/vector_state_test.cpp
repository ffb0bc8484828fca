// "Grafici" samples under the busy cursor with the upper halves of the vector registers clean after both windows
// painted (dirty, every exp of the sampling is thirty times slower on some processors): libm's exp is interposed.
#include <cstdint>
#include <optional>

#include "ui_fixture.h"

namespace {
bool watchNextExp = false;
std::optional<bool> busyCursorAtExp;
std::optional<bool> upperStateInUseAtExp;  // unknown where the processor cannot tell
}  // namespace

#if defined(__x86_64__) && defined(__linux__)
constexpr bool kExpInterposed = true;
#include <cpuid.h>
#include <dlfcn.h>

// XGETBV with ECX = 1 reads XINUSE (CPUID leaf 0xD sub-leaf 1 EAX bit 2 says
// it is there); its bit 2 is the upper halves of the YMM registers.
static std::optional<bool> UpperStateInUse() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid(1, &a, &b, &c, &d) == 0 || (c & bit_OSXSAVE) == 0) return std::nullopt;
    if (__get_cpuid_count(0xD, 1, &a, &b, &c, &d) == 0 || (a & (1u << 2)) == 0) return std::nullopt;
    std::uint32_t low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1u << 2)) != 0;
}

// Every exp of this executable passes through here, the sampling's included.
extern "C" double exp(double x) noexcept {
    if (watchNextExp) {
        watchNextExp = false;
        upperStateInUseAtExp = UpperStateInUse();
        busyCursorAtExp = QApplication::overrideCursor() != nullptr;
    }
    static const auto libmExp = reinterpret_cast<double (*)(double)>(dlsym(RTLD_NEXT, "exp"));
    return libmExp(x);
}
#else
constexpr bool kExpInterposed = false;
#endif

namespace ostrevo::ui::testing {
namespace {

using VectorState = MainWindowTest;

TEST_F(VectorState, GraficiSamplesUnderTheBusyCursorWithACleanUpperState) {
    clickBoth("Command6", "Command2");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot()));
    form().repaint();
    plot().repaint();

    watchNextExp = true;
    click("Command2");
    watchNextExp = false;
    EXPECT_TRUE(messages.isEmpty());
    if (!kExpInterposed) GTEST_SKIP() << "exp is interposed on x86-64 Linux only";
    ASSERT_TRUE(busyCursorAtExp.has_value()) << "the sampling called no exp";
    EXPECT_TRUE(*busyCursorAtExp);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (!upperStateInUseAtExp.has_value()) GTEST_SKIP() << "the processor cannot tell whether the state is in use";
    EXPECT_FALSE(*upperStateInUseAtExp) << "the sampling's exp ran with the upper halves of the YMM registers dirty";
}

}  // namespace
}  // namespace ostrevo::ui::testing
