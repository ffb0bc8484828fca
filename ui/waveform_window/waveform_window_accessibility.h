#pragma once
#include <QWidget>

namespace ostrevo::ui {

// Accessible names and descriptions of the waveform window's plot, scale,
// option buttons, readout boxes and button.
void DescribeWaveformWindowForAccessibility(QWidget& window);

}  // namespace ostrevo::ui
