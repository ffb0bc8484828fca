#pragma once
#include <stdexcept>
#include <string>

namespace ostrevo {

// A computation that cannot go on (division by zero, logarithm of a
// non-positive quotient, overflow, a value outside the range of its type).
// The message is Italian, in the user's terms, and is shown in a message box;
// the command that raised it stops at the failing step and the program goes on.
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string& italianMessage) : std::runtime_error(italianMessage) {}
};

}  // namespace ostrevo
