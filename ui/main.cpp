#include <QApplication>
#include <QTimer>

#include "control_font.h"
#include "main_window.h"
#include "qt_message_boxes.h"
#include "quit_when_nothing_visible.h"
#include "waveform_window_host.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The display name follows from this one; setting it as well would make
    // Qt append it to every window caption.
    QApplication::setApplicationName(ostrevo::ui::kApplicationTitle);
    // Lets the desktop match the windows with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.ostrevo.Ostrevo"));
    ostrevo::ui::InstallFontFallbacks();
    ostrevo::ui::QuitWhenNothingVisible quitWhenNothingVisible;

    ostrevo::ui::QtMessageBoxes messages;
    ostrevo::WaveformWindowHost waveformWindow(messages);
    ostrevo::ui::MainWindow mainWindow(waveformWindow, messages);
    mainWindow.show();
    // A link given (the first argument Qt leaves): once the window shows, as if its buttons were clicked.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        QTimer::singleShot(0, &mainWindow, [&mainWindow, link = arguments[1].toStdString()] { mainWindow.openLink(link); });
    }
    return QApplication::exec();
}
