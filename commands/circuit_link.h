#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form_types.h"
#include "window_interfaces.h"

namespace ostrevo {

// A circuit carried by a link: the query of the page's address, which both
// faces open. Its parameters name fields ("Vcc=12&vp=8") and, in `run`, the
// commands to run once the fields are filled ("run=tstc,grafici").
struct CircuitLink {
    struct FieldValue {
        FieldId field;
        std::string text;  // UTF-8, exactly as it will stand in the field
    };
    std::vector<FieldValue> fields;  // in the order of FieldId, each at most once
    std::vector<Command> run;        // in the order given
    // The first name in `run` that is no command, when there is one: then
    // nothing runs.
    std::optional<std::string> unknownCommand;
};

// Reads a whole address (only its query counts) or a bare query, with or
// without its "?", as a browser reads a query: "+" is a blank, "%XX" a byte,
// other "%" stand for themselves, bytes that are no UTF-8 become U+FFFD.
// Parameters it does not know are passed over; of a parameter given twice
// the first counts. Any length.
CircuitLink ParseLink(std::string_view address);

// The query ("Vcc=12&run=tstc", without "?") that carries `link`, every
// byte outside letters, digits and "-._~*," percent-encoded, a blank as "+".
std::string LinkQuery(const CircuitLink& link);

// The link of what the main window shows: every non-empty field and, in
// `run`, "Calcola  ts; tc" while its results are shown and "Grafici" while
// the waveform window is (`plotShown`).
CircuitLink ShownLink(const MainForm& form, bool plotShown);

// The message for a link whose `run` names something that is no command.
std::string UnknownCommandMessage(std::string_view name);

// Writes the link's fields into the main window.
void FillFields(const CircuitLink& link, MainForm& form);

// The button of the main window that runs `command`.
ControlName ButtonOf(Command command);

}  // namespace ostrevo
