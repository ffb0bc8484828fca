// The entry check on any text, and the two chains of fields on any fifteen
// field texts: exactly the texts with a character outside the fifteen allowed
// ones (or no character) fail, and a chain gives the message of its first
// failing field, the one for an empty field or the one for a wrong character.
#include <algorithm>
#include <span>

#include "entry_check.h"
#include "fuzz_support.h"

namespace {

using ostrevo::EntryVerdict;
using ostrevo::FieldId;
using ostrevo::fuzz::Require;

bool Passes(const std::u16string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), ostrevo::fuzz::IsNumberCharacter);
}

void CheckOneText(const std::u16string& text) {
    const EntryVerdict expected =
        text.empty() ? EntryVerdict::Missing : (Passes(text) ? EntryVerdict::Accepted : EntryVerdict::Invalid);
    Require(ostrevo::CheckEntry(text) == expected, "the entry check judges a text wrongly");
}

// The oracle of a chain is the first field whose text fails.
void CheckChain(const ostrevo::testing::FakeForm& form, std::span<const FieldId> chain) {
    const auto failing = std::find_if(chain.begin(), chain.end(), [&](FieldId id) {
        return !Passes(form.text(ostrevo::FieldOf(id).control));
    });
    const auto message = ostrevo::FirstEntryMessage(form, chain);
    Require(message.has_value() == (failing != chain.end()), "a chain passes or fails wrongly");
    if (!message) return;
    const ostrevo::Field& field = ostrevo::FieldOf(*failing);
    const bool empty = form.text(field.control).empty();
    Require(*message == (empty ? field.missingMessage : field.invalidMessage), "a chain gives another message");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    ostrevo::testing::FakeForm form;
    for (const ostrevo::Field& field : ostrevo::kFields) {
        form.texts[field.control] = ostrevo::fuzz::ConsumeFieldText(provider, field);
    }
    CheckChain(form, ostrevo::kCircuitFields);
    CheckChain(form, ostrevo::kDesignFields);

    const bool pairs = provider.ConsumeBool();
    CheckOneText(ostrevo::fuzz::TextFromBytes(provider.ConsumeRemainingBytesAsString(), pairs));
    return 0;
}
