#include "module1.h"

namespace ostrevo {

Module1::Module1(MainForm& form, MessageBoxes& messages) : form_(form), messages_(messages) {}

}  // namespace ostrevo
