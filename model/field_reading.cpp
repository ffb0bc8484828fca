#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "catalogue.h"
#include "fault.h"
#include "field_reading.h"
#include "float_text.h"
#include "number_format.h"

namespace ostrevo {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSign(char16_t c) { return c == u'+' || c == u'-'; }
bool IsIgnoredBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The pieces of the leading number of a text, as ASCII.
struct NumberPieces {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    std::string exponent = "0";  // its digits, after a "-" when negative; "0" when none is written

    bool empty() const { return integerDigits.empty() && fractionDigits.empty(); }
};

class LeadingNumberScanner {
public:
    explicit LeadingNumberScanner(std::u16string_view text) {
        for (const char16_t c : text) {
            if (!IsIgnoredBlank(c)) compact_.push_back(c);
        }
    }

    NumberPieces scan() {
        NumberPieces pieces;
        if (at(IsSign)) pieces.negative = compact_[position_++] == u'-';
        pieces.integerDigits = takeDigits();
        if (atChar(u'.')) {
            ++position_;
            pieces.fractionDigits = takeDigits();
        }
        if (!pieces.empty()) scanExponent(pieces);
        return pieces;
    }

private:
    // An exponent letter counts only when digits follow it (after an optional sign).
    void scanExponent(NumberPieces& pieces) {
        if (!atChar(u'e') && !atChar(u'E')) return;
        const std::size_t letter = position_++;
        std::string exponent(atChar(u'-') ? "-" : "");
        if (at(IsSign)) ++position_;
        const std::string digits = takeDigits();
        if (digits.empty()) {
            position_ = letter;
            return;
        }
        pieces.exponent = exponent.append(digits);
    }

    template <typename Predicate>
    bool at(Predicate predicate) const {
        return position_ != compact_.size() && predicate(compact_[position_]);
    }
    bool atChar(char16_t wanted) const { return position_ != compact_.size() && compact_[position_] == wanted; }

    std::string takeDigits() {
        std::string digits;
        while (at(IsDigit)) digits.push_back(static_cast<char>(compact_[position_++]));
        return digits;
    }

    std::u16string compact_;
    std::size_t position_ = 0;
};

std::string ToAscii(const NumberPieces& pieces) {
    std::string text(pieces.negative ? "-" : "");
    text.append(pieces.integerDigits).append(".").append(pieces.fractionDigits).append("e");
    return text.append(pieces.exponent);
}

// Decimal exponent of the leading non-zero digit, give or take one, saturated
// far beyond the range of a double: its sign tells a number too large from
// one too small, both hundreds of powers of ten away from 1.
long long MagnitudeOf(const NumberPieces& pieces) {
    constexpr std::int32_t kSaturation = std::numeric_limits<std::int32_t>::max();
    const std::string& written = pieces.exponent;
    std::int32_t exponent = written.front() == '-' ? -kSaturation : kSaturation;  // kept where it does not fit
    std::from_chars(written.data(), written.data() + written.size(), exponent);
    const auto firstInteger = pieces.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos) {
        return exponent + static_cast<long long>(pieces.integerDigits.size() - firstInteger);
    }
    const auto firstFraction = pieces.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(firstFraction);
}

// The field's value stored where the circuit keeps it.
void Store(CircuitParameters& p, FieldId id, double value) {
    switch (id) {
        case FieldId::Vcc: p.Vcc = value; break;
        case FieldId::Rc: p.Rc = value; break;
        case FieldId::Rs: p.Rs = value; break;
        case FieldId::RoH: p.RoH = value; break;
        case FieldId::RoL: p.RoL = value; break;
        case FieldId::Ci: p.Ci = value; break;
        case FieldId::C: p.C = value; break;
        case FieldId::VPlus: p.VPlus = value; break;
        case FieldId::VMinus: p.VMinus = value; break;
        case FieldId::Vd: p.Vd = value; break;
        case FieldId::NP: p.NP = static_cast<std::int32_t>(value); break;  // a count, already whole
        case FieldId::N: p.N = static_cast<std::int32_t>(value); break;
        case FieldId::DesignC:
        case FieldId::DesignTc:
        case FieldId::DesignTs: break;  // not part of the real circuit
    }
}

double Scaled(Scale scale, double typed) {
    switch (scale) {
        case Scale::AsTyped: return typed;
        case Scale::Thousandth: return typed * 0.001;
        case Scale::Count: return RoundToInt32(typed);
    }
    return typed;
}

}  // namespace

double ParseLeadingNumber(std::u16string_view text) {
    const NumberPieces pieces = LeadingNumberScanner(text).scan();
    if (pieces.empty()) return 0;
    const ParsedDouble parsed = ParseDecimal(ToAscii(pieces));
    if (!parsed.outOfRange) return parsed.value;
    if (MagnitudeOf(pieces) < 0) return pieces.negative ? -0.0 : 0.0;  // too small: underflow is no fault
    throw Fault(std::string(Words(Text::NumberTooLarge)));
}

std::int32_t RoundToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw Fault(std::string(Words(Text::NotACount)));
    }
    return static_cast<std::int32_t>(rounded);
}

double ReadField(const FieldTexts& texts, FieldId id) {
    const Field& field = FieldOf(id);
    try {
        return Scaled(field.scale, ParseLeadingNumber(texts.fieldText(id)));
    } catch (const Fault& cause) {
        throw Fault(Say(Text::CannotRead, {{"subject", Words(field.readSubject)}, {"cause", cause.what()}}));
    }
}

CircuitParameters ReadCircuit(const FieldTexts& texts, std::span<const FieldId, 12> order) {
    CircuitParameters parameters;
    for (const FieldId id : order) Store(parameters, id, ReadField(texts, id));
    return parameters;
}

DesignTargets ReadDesignTargets(const FieldTexts& texts) {
    DesignTargets targets;
    targets.Vcc = ReadField(texts, FieldId::Vcc);
    targets.C = ReadField(texts, FieldId::DesignC);
    targets.tc = ReadField(texts, FieldId::DesignTc);
    targets.ts = ReadField(texts, FieldId::DesignTs);
    return targets;
}

}  // namespace ostrevo
