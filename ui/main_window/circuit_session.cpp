#include "circuit_session.h"

#include <QLocale>

namespace ostrevo::ui {

CircuitSession::CircuitSession(PlotWindow& plotWindow, MessageBoxes& messages)
    : module_(form_, messages), form_(module_, plotWindow) {
    module_.DecimalSeparator = QLocale().decimalPoint().toStdString();
}

}  // namespace ostrevo::ui
