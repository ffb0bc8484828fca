#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "control_font.h"

int main(int argc, char** argv) {
    // Without a screen of their own (test discovery included) the tests run offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ostrevo::ui::InstallFontFallbacks();
    // Numbers read as in the worked examples; tests of other locales set their own.
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
