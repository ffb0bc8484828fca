#include "waveform_window_host.h"
