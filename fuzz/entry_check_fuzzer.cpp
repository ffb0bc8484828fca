// The entry check on any text, and the two chains of fields on any fifteen
// field texts: exactly the texts with a character outside the fifteen allowed
// ones (or no character) fail, and a chain gives the message of its first
// failing field, the one for an empty field or the one for a wrong character.
#include <algorithm>

#include "entry_check.h"
#include "fuzz_support.h"

using namespace ostrevo;

static bool Passes(const std::u16string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), fuzz::IsNumberCharacter);
}

static void CheckChain(const testing::FakeForm& form, std::span<const FieldId> chain) {
    const auto failing =
        std::find_if(chain.begin(), chain.end(), [&](FieldId id) { return !Passes(form.fieldText(id)); });
    const auto message = FirstEntryMessage(form, chain);
    fuzz::Require(message.has_value() == (failing != chain.end()), "a chain passes or fails wrongly");
    if (!message) return;
    const Field& field = FieldOf(*failing);
    const bool empty = form.fieldText(field.id).empty();
    fuzz::Require(*message == Words(empty ? field.missingMessage : field.invalidMessage), "a chain gives another message");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    testing::FakeForm form;
    for (const Field& field : kFields) form.textOf(field.id) = fuzz::ConsumeFieldText(provider, field);
    CheckChain(form, kCircuitFields);
    CheckChain(form, kDesignFields);
    const bool pairs = provider.ConsumeBool();
    const std::u16string text = fuzz::TextFromBytes(provider.ConsumeRemainingBytesAsString(), pairs);
    const EntryVerdict expected =
        text.empty() ? EntryVerdict::Missing : (Passes(text) ? EntryVerdict::Accepted : EntryVerdict::Invalid);
    fuzz::Require(CheckEntry(text) == expected, "the entry check judges a text wrongly");
    return 0;
}
