#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "circuit.h"
#include "fields.h"
#include "field_texts.h"

namespace ostrevo {

// Leading decimal number of a typed text ("." always the separator, blanks,
// tabs and line feeds ignored, 0 when no number begins the text).
// Throws Fault when the number lies beyond the range of a double.
double ParseLeadingNumber(std::u16string_view text);

// Nearest 32-bit integer, halves to even. Throws Fault outside the range.
std::int32_t RoundToInt32(double value);

// The number in a field, scaled as the field says. A number that cannot be
// read stops with "Impossibile leggere <its subject>. <why>".
double ReadField(const FieldTexts& texts, FieldId id);

// The circuit fields one after the other in `order`: the first that cannot be
// read stops the reading.
CircuitParameters ReadCircuit(const FieldTexts& texts, std::span<const FieldId, 12> order);

// The four fields of the design block, in the order of kDesignFields.
DesignTargets ReadDesignTargets(const FieldTexts& texts);

}  // namespace ostrevo
