// The entry check on any text, and the two validation chains on any fifteen
// field texts: exactly the texts with a character outside the fifteen allowed
// ones (or no character) fail, and a chain shows one message, for the first
// failing field of its order.
#include <algorithm>
#include <span>

#include "fuzz_support.h"
#include "module1.h"

namespace {

using ostrevo::fuzz::Require;
using ostrevo::fuzz::kFieldNames;

bool Passes(const std::u16string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), ostrevo::fuzz::IsNumberCharacter);
}

void CheckOneText(ostrevo::Module1& model, ostrevo::fuzz::RecordingMessageBoxes& messages,
                  const std::u16string& text) {
    model.MissingMessage = "vuoto";
    model.InvalidMessage = "non valido";
    model.CheckNumericEntry(text);
    Require(model.EntryError == (Passes(text) ? 0 : 1), "the entry check judges a text wrongly");
    if (Passes(text)) {
        Require(messages.shown.empty(), "a message for a text that passes");
    } else {
        Require(messages.shown.size() == 1, "not exactly one message for a text that fails");
        Require(messages.shown.front() == (text.empty() ? "vuoto" : "non valido"), "the wrong message");
    }
    messages.shown.clear();
}

// Runs a chain over `order`; the oracle is the first field whose text fails.
template <typename Chain>
void CheckChain(ostrevo::fuzz::FakeMainForm& form, ostrevo::fuzz::RecordingMessageBoxes& messages,
                std::span<const std::string_view> order, Chain chain) {
    const auto failing = std::find_if(order.begin(), order.end(),
                                      [&](std::string_view field) { return !Passes(form.text(field)); });
    const bool passed = chain();
    Require(passed == (failing == order.end()), "a chain passes or fails wrongly");
    Require(messages.shown.size() == (passed ? 0u : 1u), "a chain shows more than one message");
    if (!passed) {
        const bool empty = form.text(*failing).empty();
        const std::string_view expected = empty ? "Hai dimenticato di scrivere " : "Errore di inserimento dati per ";
        Require(messages.shown.front().starts_with(expected), "a chain shows the message of another kind");
    }
    messages.shown.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    ostrevo::fuzz::FakeMainForm form;
    ostrevo::fuzz::RecordingMessageBoxes messages;
    ostrevo::Module1 model(form, messages);

    for (const std::string_view field : kFieldNames) {
        form.setField(field, ostrevo::fuzz::ConsumeFieldText(provider, field));
    }
    const std::span<const std::string_view> fields(kFieldNames);
    const std::array<std::string_view, 4> designOrder{"Text1", "Text14", "Text13", "Text15"};
    CheckChain(form, messages, fields.first(12), [&] { return model.ValidationChain(); });
    CheckChain(form, messages, designOrder, [&] { return model.DesignValidationChain(); });

    const bool pairs = provider.ConsumeBool();
    CheckOneText(model, messages, ostrevo::fuzz::TextFromBytes(provider.ConsumeRemainingBytesAsString(), pairs));
    return 0;
}
