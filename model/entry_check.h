#pragma once
#include <optional>
#include <span>
#include <string_view>

#include "fields.h"
#include "field_texts.h"

namespace ostrevo {

enum class EntryVerdict {
    Accepted,  // only digits, ".", "e", "E", "+" and "-", in any order and number
    Missing,   // no character at all
    Invalid,   // some other character
};

// Every character is judged, however long the text.
EntryVerdict CheckEntry(std::u16string_view text);

// The message of the first field of `chain` whose text the check refuses;
// none when every field passes.
std::optional<std::string_view> FirstEntryMessage(const FieldTexts& texts, std::span<const FieldId> chain);

}  // namespace ostrevo
