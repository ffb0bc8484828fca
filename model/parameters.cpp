#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "fault.h"
#include "module1.h"
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
    bool hasExponent = false;
    bool negativeExponent = false;
    std::string exponentDigits;

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
        const bool negative = atChar(u'-');
        if (at(IsSign)) ++position_;
        std::string digits = takeDigits();
        if (digits.empty()) {
            position_ = letter;
            return;
        }
        pieces.hasExponent = true;
        pieces.negativeExponent = negative;
        pieces.exponentDigits = std::move(digits);
    }

    template <typename Predicate>
    bool at(Predicate predicate) const {
        return position_ < compact_.size() && predicate(compact_[position_]);
    }
    bool atChar(char16_t wanted) const { return position_ < compact_.size() && compact_[position_] == wanted; }

    std::string takeDigits() {
        std::string digits;
        while (at(IsDigit)) digits.push_back(static_cast<char>(compact_[position_++]));
        return digits;
    }

    std::u16string compact_;
    std::size_t position_ = 0;
};

std::string ToAscii(const NumberPieces& pieces) {
    std::string text = pieces.negative ? "-" : "";
    text += pieces.integerDigits + "." + pieces.fractionDigits;
    if (pieces.hasExponent) text += std::string("e") + (pieces.negativeExponent ? "-" : "") + pieces.exponentDigits;
    return text;
}

// Decimal exponent of the leading non-zero digit, saturated far beyond the
// range of a double: tells a number too large from one too small.
long long MagnitudeOf(const NumberPieces& pieces) {
    constexpr long long kSaturation = 1'000'000'000;
    long long exponent = 0;
    for (const char digit : pieces.exponentDigits) exponent = std::min(exponent * 10 + (digit - '0'), kSaturation);
    if (pieces.negativeExponent) exponent = -exponent;
    const auto firstInteger = pieces.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos) {
        return exponent + static_cast<long long>(pieces.integerDigits.size() - firstInteger) - 1;
    }
    const auto firstFraction = pieces.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(firstFraction) - 1;
}

enum class Conversion { None, Thousandth, Count };

struct FieldReading {
    std::string_view control;
    const char* subject;  // completes "Impossibile leggere ..."
    Conversion conversion;
    double CircuitParameters::*real = nullptr;
    std::int32_t CircuitParameters::*count = nullptr;
};

using P = CircuitParameters;
const FieldReading kVcc{"Text1", "la tensione di alimentazione Vcc", Conversion::None, &P::Vcc};
const FieldReading kRc{"Text2", "il valore di Rc", Conversion::None, &P::Rc};
const FieldReading kRs{"Text9", "il valore di Rs", Conversion::None, &P::Rs};
const FieldReading kRoH{"Text10", "il valore di RoH", Conversion::Thousandth, &P::RoH};
const FieldReading kRoL{"Text11", "il valore di RoL", Conversion::Thousandth, &P::RoL};
const FieldReading kCi{"Text12", "il valore di Ci", Conversion::Thousandth, &P::Ci};
const FieldReading kC{"Text8", "il valore di C", Conversion::None, &P::C};
const FieldReading kVPlus{"Text3", "la tensione di soglia superiore v+", Conversion::None, &P::VPlus};
const FieldReading kVMinus{"Text4", "la tensione di soglia inferiore v-", Conversion::None, &P::VMinus};
const FieldReading kVd{"Text5", "la tensione di soglia dei diodi Vd", Conversion::None, &P::Vd};
const FieldReading kNP{"Text6", "il numero di periodi visualizzati NP", Conversion::Count, nullptr, &P::NP};
const FieldReading kN{"Text16", "il numero di campioni N", Conversion::Count, nullptr, &P::N};

const std::array<const FieldReading*, 12> kTimingCommandOrder{&kVcc, &kRc, &kRs,     &kRoH, &kRoL, &kCi,
                                                              &kC,   &kVPlus, &kVMinus, &kN, &kVd, &kNP};
const std::array<const FieldReading*, 12> kDrawWaveformsOrder{&kVcc, &kRc, &kRs,     &kRoH, &kRoL, &kCi,
                                                              &kC,   &kVPlus, &kVMinus, &kVd, &kNP, &kN};

void Store(const FieldReading& field, double typed, CircuitParameters& parameters) {
    switch (field.conversion) {
        case Conversion::None: parameters.*field.real = typed; break;
        case Conversion::Thousandth: parameters.*field.real = typed * 0.001; break;
        case Conversion::Count: parameters.*field.count = RoundToInt32(typed); break;
    }
}

Fault ReadFault(const char* subject, const Fault& cause) {
    return Fault(std::string("Impossibile leggere ") + subject + ". " + cause.what());
}

}  // namespace

double ParseLeadingNumber(std::u16string_view text) {
    const NumberPieces pieces = LeadingNumberScanner(text).scan();
    if (pieces.empty()) return 0;
    const std::string ascii = ToAscii(pieces);
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc::result_out_of_range) return value;
    if (MagnitudeOf(pieces) < 0) return pieces.negative ? -0.0 : 0.0;  // too small: underflow is no fault
    throw Fault("Il numero scritto è troppo grande: supera il massimo valore rappresentabile (circa 1,8E+308).");
}

std::int32_t RoundToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw Fault("Il valore deve essere un numero intero compreso tra -2147483648 e 2147483647.");
    }
    return static_cast<std::int32_t>(rounded);
}

double Module1::ReadField(std::string_view control, const char* subject) const {
    try {
        return ParseLeadingNumber(form_.text(control));
    } catch (const Fault& cause) {
        throw ReadFault(subject, cause);
    }
}

void Module1::ReadParameters(ReadOrder order) {
    const auto& fields = order == ReadOrder::TimingCommand ? kTimingCommandOrder : kDrawWaveformsOrder;
    for (const FieldReading* field : fields) {
        try {
            Store(*field, ParseLeadingNumber(form_.text(field->control)), Parameters);
        } catch (const Fault& cause) {
            throw ReadFault(field->subject, cause);
        }
    }
}

}  // namespace ostrevo
