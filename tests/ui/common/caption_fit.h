#pragma once
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "controls.h"

namespace ostrevo::ui::testing {

// The caption, wrapped at blanks as the control draws it, fits the room.
inline void ExpectCaptionFits(const QWidget* control, const QString& caption, const QRect& room) {
    const QSize needed = WrappedCaptionSize(caption, QFontMetrics(control->font()), room.width());
    EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
        << control->objectName().toStdString() << " needs " << needed.width() << "x" << needed.height() << ", has "
        << room.width() << "x" << room.height();
}

inline void ExpectLabelFits(const QLabel* label) { ExpectCaptionFits(label, label->text(), LabelTextRect(*label)); }

}  // namespace ostrevo::ui::testing
