#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "catalogue.h"

namespace ostrevo {

// A computation that cannot go on (division by zero, logarithm of a
// non-positive quotient, overflow, a value outside the range of its type).
// The message is Italian, in the user's terms, and is shown in a message box;
// the command that raised it stops at the failing step and the program goes on.
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string& italianMessage) : std::runtime_error(italianMessage) {}
};

// "Impossibile calcolare <what>: <reason>."
inline Fault CannotCompute(std::string_view what, std::string_view reason) {
    return Fault(Say(Text::CannotCompute, {{"what", what}, {"reason", reason}}));
}

}  // namespace ostrevo
