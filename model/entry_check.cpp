#include "entry_check.h"

#include <algorithm>

#include "catalogue.h"

namespace ostrevo {
namespace {

bool IsAccepted(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'e' || c == u'.' || c == u'E' || c == u'-' || c == u'+';
}

}  // namespace

EntryVerdict CheckEntry(std::u16string_view text) {
    if (text.empty()) return EntryVerdict::Missing;
    return std::all_of(text.begin(), text.end(), IsAccepted) ? EntryVerdict::Accepted : EntryVerdict::Invalid;
}

std::optional<std::string_view> FirstEntryMessage(const FieldTexts& texts, std::span<const FieldId> chain) {
    for (const FieldId id : chain) {
        const Field& field = FieldOf(id);
        switch (CheckEntry(texts.fieldText(id))) {
            case EntryVerdict::Accepted: break;
            case EntryVerdict::Missing: return Words(field.missingMessage);
            case EntryVerdict::Invalid: return Words(field.invalidMessage);
        }
    }
    return std::nullopt;
}

}  // namespace ostrevo
