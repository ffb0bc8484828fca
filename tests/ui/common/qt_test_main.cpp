#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "control_font.h"

// GoogleTest main for GUI tests: a QApplication before any widget, offscreen
// unless a platform is named (test discovery included), the narrow fallback
// font, and numbers read as in the worked examples.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ostrevo::ui::InstallFontFallbacks();
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
