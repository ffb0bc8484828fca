#pragma once
#include <QApplication>
#include <QString>
#include <QStringList>

#include "qt_message_boxes.h"

namespace ostrevo::ui::testing {

// Message boxes for GUI tests: every message is recorded in order instead of
// being shown, together with whether a busy cursor was still up at the time.
struct RecordingMessages {
    QStringList messages;
    int shownUnderOverrideCursor = 0;
    QtMessageBoxes boxes{[this](const QString& message) {
        messages.append(message);
        if (QApplication::overrideCursor() != nullptr) ++shownUnderOverrideCursor;
    }};
};

}  // namespace ostrevo::ui::testing
