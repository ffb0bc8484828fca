#include <gtest/gtest.h>

#include <QApplication>

// GoogleTest main for GUI tests: a QApplication must exist before any widget.
// The tests never need a real display, not even when ctest lists them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
