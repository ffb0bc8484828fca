#pragma once
#include <array>
#include <cstddef>

#include "catalogue.h"

namespace ostrevo {

// What a text field of the main window holds: the twelve values of the real
// circuit, then the three of the design block.
enum class FieldId { Vcc, Rc, Rs, RoH, RoL, Ci, C, VPlus, VMinus, Vd, NP, N, DesignC, DesignTc, DesignTs };

// How a typed number becomes the value the circuit is computed with.
enum class Scale {
    AsTyped,     // V, kohm, nF, usec
    Thousandth,  // ohm to kohm, pF to nF
    Count,       // rounded to a whole number, halves to even
};

// One text field: what it holds and every text that speaks of it.
struct Field {
    FieldId id;
    const char* name;     // the quantity, as its accessible name gives it
    const char* unit;     // of the typed number
    Scale scale;
    Text missingMessage;  // the entry check, when the field is empty
    Text invalidMessage;  // the entry check, when a character is not allowed
    Text readSubject;     // what "Impossibile leggere" names when the number cannot be read
    const char* idealExample;    // written by "Ostrevo ideale, dati esempio"; "" leaves the field alone
    const char* realExample;     // written by "Ostrevo reale, dati esempio"; "" leaves the field alone
};

// The fifteen fields, in the order of FieldId.
extern const std::array<Field, 15> kFields;

inline const Field& FieldOf(FieldId id) { return kFields[static_cast<std::size_t>(id)]; }

// The data sets of the main window's two example buttons.
enum class Example { Ideal, Real };

// The text an example writes into a field; "" for a field it leaves alone.
inline const char* ExampleText(const Field& field, Example example) {
    return example == Example::Ideal ? field.idealExample : field.realExample;
}

// The fields of the real circuit: the order in which the entry check goes
// through them and "Grafici" reads them.
inline constexpr std::array<FieldId, 12> kCircuitFields{
    FieldId::Vcc, FieldId::Rc,     FieldId::Rs, FieldId::RoH, FieldId::RoL, FieldId::Ci,
    FieldId::C,   FieldId::VPlus, FieldId::VMinus, FieldId::Vd, FieldId::NP, FieldId::N};

// "Calcola  ts; tc" reads the same fields with N before Vd and NP.
inline constexpr std::array<FieldId, 12> kTimingReadOrder{
    FieldId::Vcc, FieldId::Rc,     FieldId::Rs, FieldId::RoH, FieldId::RoL, FieldId::Ci,
    FieldId::C,   FieldId::VPlus, FieldId::VMinus, FieldId::N, FieldId::Vd, FieldId::NP};

// What "Calcola Rc e Rs" checks and reads, in that order.
inline constexpr std::array<FieldId, 4> kDesignFields{FieldId::Vcc, FieldId::DesignC, FieldId::DesignTc,
                                                      FieldId::DesignTs};

}  // namespace ostrevo
