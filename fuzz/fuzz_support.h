#pragma once
// What the fuzz targets share: fuzzer bytes turned into field texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fakes.h"

namespace ostrevo::fuzz {

// Stops the run with a report when a property does not hold.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

// The fifteen characters a typed number may hold.
inline bool IsNumberCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || std::u16string_view(u".eE+-").find(c) != std::u16string_view::npos;
}

// Bytes as a text: one code unit per byte, or one per pair of bytes (so that
// lone surrogates and every other code unit occur).
inline std::u16string TextFromBytes(std::string_view bytes, bool pairs) {
    std::u16string text;
    for (std::size_t i = 0; i + pairs < bytes.size(); i += 1 + pairs) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        text.push_back(pairs ? static_cast<char16_t>(low | static_cast<unsigned char>(bytes[i + 1]) << 8) : low);
    }
    return text;
}

// The real example, and a design that shows no warning (C 1 nF, tc 10 usec, ts 5 usec).
inline std::u16string SaneText(const Field& field) {
    const std::string_view example = ExampleText(field, Example::Real);
    if (!example.empty()) return std::u16string(example.begin(), example.end());
    return field.id == FieldId::DesignC ? u"1" : field.id == FieldId::DesignTc ? u"10" : u"5";
}

// A field text: empty, ASCII (NUL and control characters included), raw
// UTF-16 code units (lone surrogates included), a piece repeated to
// 32,760..40,000 code units, the sane text with a tail, or the sane text.
inline std::u16string ConsumeFieldText(FuzzedDataProvider& data, const Field& field) {
    switch (data.ConsumeIntegralInRange(0, 5)) {
        case 0: return {};
        case 1: return TextFromBytes(data.ConsumeRandomLengthString(96), false);
        case 2: return TextFromBytes(data.ConsumeRandomLengthString(192), true);
        case 3: {
            std::u16string text = TextFromBytes(data.ConsumeRandomLengthString(8), false) + u"9";
            const std::size_t length = data.ConsumeIntegralInRange<std::size_t>(32760, 40000);
            while (text.size() < length) text += text;
            return text.substr(0, length);
        }
        case 4: return SaneText(field) + TextFromBytes(data.ConsumeRandomLengthString(8), false);
        default: return SaneText(field);
    }
}

}  // namespace ostrevo::fuzz
