#include "circuit_link.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "catalogue.h"
#include "main_form.h"

namespace ostrevo {
namespace {

struct NamedField {
    std::string_view name;
    FieldId field;
};

// The parameters of the fields, in the order of FieldId.
constexpr std::array<NamedField, 15> kFieldParameters{{
    {"Vcc", FieldId::Vcc}, {"Rc", FieldId::Rc}, {"Rs", FieldId::Rs}, {"RoH", FieldId::RoH},
    {"RoL", FieldId::RoL}, {"Ci", FieldId::Ci}, {"C", FieldId::C}, {"vp", FieldId::VPlus},
    {"vm", FieldId::VMinus}, {"Vd", FieldId::Vd}, {"NP", FieldId::NP}, {"N", FieldId::N},
    {"pC", FieldId::DesignC}, {"ptc", FieldId::DesignTc}, {"pts", FieldId::DesignTs},
}};

constexpr bool InOrderOfFieldId() {
    for (std::size_t i = 0; i < kFieldParameters.size(); ++i) {  // mutants: skip (checked while compiling)
        if (static_cast<std::size_t>(kFieldParameters[i].field) != i) return false;  // mutants: skip (checked while compiling)
    }
    return true;
}
static_assert(InOrderOfFieldId());  // mutants: skip (checked while compiling)

constexpr std::string_view kRunParameter = "run";

struct NamedCommand {
    std::string_view name;
    Command command;
};

constexpr auto kCommandNames = std::to_array<NamedCommand>({
    {"ideale", Command::FillIdealExample},
    {"reale", Command::FillRealExample},
    {"tstc", Command::ComputeTimes},
    {"rcrs", Command::DesignResistors},
    {"grafici", Command::PlotWaveforms},
});

// An unknown command is named in its message up to this many characters.
constexpr std::size_t kNamedCharacters = 40;

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The length of the UTF-8 sequence at `at`, or 0 when none starts there; a
// sequence that breaks off counts as one U+FFFD up to where it breaks, as the
// Encoding Standard's decoder counts it.
std::size_t SequenceLength(std::string_view bytes, std::size_t at, std::size_t& valid) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    std::uint8_t lower = 0x80, upper = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, lower = lead == 0xE0 ? 0xA0 : 0x80, upper = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, lower = lead == 0xF0 ? 0x90 : 0x80, upper = lead == 0xF4 ? 0x8F : 0xBF;
    valid = 1;
    for (; valid < length; ++valid) {
        if (at + valid == bytes.size()) return 0;
        const std::uint8_t next = byte(at + valid);
        if (next < lower || next > upper) return 0;
        lower = 0x80, upper = 0xBF;
    }
    return length;
}

// Bytes as UTF-8 text: each ill-formed part becomes U+FFFD.
std::string ValidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());  // mutants: skip (speed only)
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<std::uint8_t>(bytes[at]) < 0x80) {
            text.push_back(bytes[at++]);
            continue;
        }
        std::size_t valid = 0;  // mutants: skip (SequenceLength sets it)
        if (const std::size_t length = SequenceLength(bytes, at, valid)) {
            text.append(bytes.substr(at, length));
            at += length;
        } else {
            AppendUtf8(text, kReplacement);
            at += valid;
        }
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A name or value of the query: "+" a blank, "%XX" a byte, as UTF-8.
std::string Decoded(std::string_view encoded) {
    std::string bytes;
    bytes.reserve(encoded.size());  // mutants: skip (speed only)
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        const std::string_view hex = c == '%' ? encoded.substr(i + 1, 2) : std::string_view();
        const int high = hex.size() == 2 ? HexValue(hex[0]) : -1;
        const int low = high >= 0 ? HexValue(hex[1]) : -1;
        if (low >= 0) {
            bytes.push_back(static_cast<char>(high << 4 | low));
            i += 2;
        } else {
            bytes.push_back(c == '+' ? ' ' : c);
        }
    }
    return ValidUtf8(bytes);
}

// The query of an address, without "?" and fragment; a text without "?" is
// a bare query unless it is an address ("scheme://...").
std::string_view QueryOf(std::string_view address) {
    address = address.substr(0, address.find('#'));
    const std::size_t mark = address.find('?');
    if (mark != std::string_view::npos) return address.substr(mark + 1);
    return address.find("://") == std::string_view::npos ? address : std::string_view();
}

std::string_view TrimmedBlanks(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// The commands of `run`, in order; empty items are passed over.
void ReadRun(std::string_view list, CircuitLink& link) {
    std::size_t from = 0;
    while (from <= list.size()) {  // mutants: skip (an empty last item is passed over)
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view name = TrimmedBlanks(list.substr(from, comma - from));
        from = comma + 1;
        if (name.empty()) continue;
        const auto known = std::find_if(kCommandNames.begin(), kCommandNames.end(),
                                        [&](const NamedCommand& command) { return command.name == name; });
        if (known == kCommandNames.end()) {
            link.unknownCommand = std::string(name);
            link.run.clear();
            return;
        }
        link.run.push_back(known->command);
    }
}

bool IsLeftAsIs(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~*,").find(c) != std::string_view::npos;
}

void AppendEncoded(std::string& query, std::string_view text) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char c : text) {
        if (IsLeftAsIs(c)) {
            query.push_back(c);
        } else if (c == ' ') {
            query.push_back('+');
        } else {
            const auto byte = static_cast<std::uint8_t>(c);
            query.push_back('%');
            query.push_back(kHex[byte >> 4]);
            query.push_back(kHex[byte & 0xF]);
        }
    }
}

// UTF-16 as UTF-8, a lone surrogate as U+FFFD.
std::string Utf8Of(std::u16string_view text) {
    std::string utf8;
    utf8.reserve(text.size());  // mutants: skip (speed only)
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const char16_t next = i + 1 < text.size() ? text.at(i + 1) : u'\0';
        if (high && next >= 0xDC00 && next <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(utf8, c);
    }
    return utf8;
}

// The first characters of a UTF-8 text, with "…" when it goes on.
std::string Shortened(std::string_view text, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t counted = 0; at < text.size() && counted < characters; ++counted) {  // mutants: skip (past the end all is kept)
        ++at;
        while (at < text.size() && (static_cast<std::uint8_t>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return at < text.size() ? std::string(text.substr(0, at)) + "…" : std::string(text);
}

}  // namespace

CircuitLink ParseLink(std::string_view address) {
    CircuitLink link;
    std::array<std::optional<std::string>, kFieldParameters.size()> values;
    bool runRead = false;
    std::string_view query = QueryOf(address);
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view parameter = query.substr(0, end);
        query.remove_prefix(std::min(end + 1, query.size()));
        const std::size_t equals = std::min(parameter.find('='), parameter.size());
        const std::string name = Decoded(parameter.substr(0, equals));
        const std::string_view value = parameter.substr(std::min(equals + 1, parameter.size()));
        if (name == kRunParameter && !runRead) {
            runRead = true;
            ReadRun(Decoded(value), link);
        }
        for (const NamedField& named : kFieldParameters) {
            auto& kept = values[static_cast<std::size_t>(named.field)];
            if (named.name == name && !kept) kept = Decoded(value);
        }
    }
    for (const NamedField& named : kFieldParameters) {
        auto& kept = values[static_cast<std::size_t>(named.field)];
        if (kept) link.fields.push_back({named.field, std::move(*kept)});
    }
    return link;
}

std::string LinkQuery(const CircuitLink& link) {
    std::string query;
    const auto separate = [&] {
        if (!query.empty()) query.push_back('&');
    };
    for (const CircuitLink::FieldValue& value : link.fields) {
        separate();
        query += kFieldParameters[static_cast<std::size_t>(value.field)].name;
        query.push_back('=');
        AppendEncoded(query, value.text);
    }
    if (link.run.empty()) return query;
    separate();
    query += kRunParameter;
    query.push_back('=');
    bool first = true;
    for (const Command command : link.run) {
        const auto named = std::find_if(kCommandNames.begin(), kCommandNames.end(),
                                        [&](const NamedCommand& known) { return known.command == command; });
        if (named == kCommandNames.end()) continue;
        if (!first) query.push_back(',');
        query += named->name;
        first = false;
    }
    return query;
}

CircuitLink ShownLink(const MainForm& form, bool plotShown) {
    CircuitLink link;
    for (const NamedField& named : kFieldParameters) {
        const std::u16string text = form.fieldText(named.field);
        if (!text.empty()) link.fields.push_back({named.field, Utf8Of(text)});
    }
    if (!form.text(form1::Label9).empty() || !form.text(form1::Label11).empty()) link.run.push_back(Command::ComputeTimes);
    if (plotShown) link.run.push_back(Command::PlotWaveforms);
    return link;
}

std::string UnknownCommandMessage(std::string_view name) {
    return Say(Text::LinkUnknownCommand, {{"command", Shortened(name, kNamedCharacters)}});
}

void FillFields(const CircuitLink& link, MainForm& form) {
    for (const CircuitLink::FieldValue& value : link.fields) form.setText(form1::FieldControl(value.field), value.text);
}

ControlName ButtonOf(Command command) {
    for (const Control& control : form1::kForm.controls) {
        if (control.kind == ControlKind::Button && control.command == command) return control.name;
    }
    return {};
}

}  // namespace ostrevo
