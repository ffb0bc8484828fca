#include "fields.h"

namespace ostrevo {

constexpr std::array<Field, 15> kFields{{
    {.id = FieldId::Vcc, .name = "Vcc", .unit = "V", .scale = Scale::AsTyped,
     .missingMessage = Text::VccMissing, .invalidMessage = Text::VccInvalid, .readSubject = Text::VccSubject,
     .idealExample = "12", .realExample = "12"},
    {.id = FieldId::Rc, .name = "Rc", .unit = "kohm", .scale = Scale::AsTyped,
     .missingMessage = Text::RcMissing, .invalidMessage = Text::RcInvalid, .readSubject = Text::RcSubject,
     .idealExample = "22", .realExample = "22"},
    {.id = FieldId::Rs, .name = "Rs", .unit = "kohm", .scale = Scale::AsTyped,
     .missingMessage = Text::RsMissing, .invalidMessage = Text::RsInvalid, .readSubject = Text::RsSubject,
     .idealExample = "4.7", .realExample = "4.7"},
    {.id = FieldId::RoH, .name = "RoH", .unit = "ohm", .scale = Scale::Thousandth,
     .missingMessage = Text::RoHMissing, .invalidMessage = Text::RoHInvalid, .readSubject = Text::RoHSubject,
     .idealExample = "0", .realExample = "195"},
    {.id = FieldId::RoL, .name = "RoL", .unit = "ohm", .scale = Scale::Thousandth,
     .missingMessage = Text::RoLMissing, .invalidMessage = Text::RoLInvalid, .readSubject = Text::RoLSubject,
     .idealExample = "0", .realExample = "75"},
    {.id = FieldId::Ci, .name = "Ci", .unit = "pF", .scale = Scale::Thousandth,
     .missingMessage = Text::CiMissing, .invalidMessage = Text::CiInvalid, .readSubject = Text::CiSubject,
     .idealExample = "0", .realExample = "5"},
    {.id = FieldId::C, .name = "C", .unit = "nF", .scale = Scale::AsTyped,
     .missingMessage = Text::CMissing, .invalidMessage = Text::CInvalid, .readSubject = Text::CSubject,
     .idealExample = "1", .realExample = "1"},
    {.id = FieldId::VPlus, .name = "v+", .unit = "V", .scale = Scale::AsTyped,
     .missingMessage = Text::VPlusMissing, .invalidMessage = Text::VPlusInvalid, .readSubject = Text::VPlusSubject,
     .idealExample = "8", .realExample = "6.7"},
    {.id = FieldId::VMinus, .name = "v-", .unit = "V", .scale = Scale::AsTyped,
     .missingMessage = Text::VMinusMissing, .invalidMessage = Text::VMinusInvalid, .readSubject = Text::VMinusSubject,
     .idealExample = "4", .realExample = "5.33"},
    {.id = FieldId::Vd, .name = "Vd", .unit = "V", .scale = Scale::AsTyped,
     .missingMessage = Text::VdMissing, .invalidMessage = Text::VdInvalid, .readSubject = Text::VdSubject,
     .idealExample = "0", .realExample = "0.6"},
    {.id = FieldId::NP, .name = "NP", .unit = "periodi", .scale = Scale::Count,
     .missingMessage = Text::NPMissing, .invalidMessage = Text::NPInvalid, .readSubject = Text::NPSubject,
     .idealExample = "5", .realExample = "5"},
    {.id = FieldId::N, .name = "N", .unit = "campioni per periodo", .scale = Scale::Count,
     .missingMessage = Text::NMissing, .invalidMessage = Text::NInvalid, .readSubject = Text::NSubject,
     .idealExample = "1000", .realExample = "1000"},
    {.id = FieldId::DesignC, .name = "C progetto", .unit = "nF", .scale = Scale::AsTyped,
     .missingMessage = Text::DesignCMissing, .invalidMessage = Text::DesignCInvalid, .readSubject = Text::DesignCSubject,
     .idealExample = "", .realExample = ""},
    {.id = FieldId::DesignTc, .name = "tc progetto", .unit = "usec", .scale = Scale::AsTyped,
     .missingMessage = Text::DesignTcMissing, .invalidMessage = Text::DesignTcInvalid, .readSubject = Text::DesignTcSubject,
     .idealExample = "", .realExample = ""},
    {.id = FieldId::DesignTs, .name = "ts progetto", .unit = "usec", .scale = Scale::AsTyped,
     .missingMessage = Text::DesignTsMissing, .invalidMessage = Text::DesignTsInvalid, .readSubject = Text::DesignTsSubject,
     .idealExample = "", .realExample = ""},
}};

constexpr bool InOrderOfTheirIds() {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i].id != static_cast<FieldId>(i)) return false;  // mutants: skip (checked while compiling only)
    }
    return true;
}
static_assert(InOrderOfTheirIds(), "FieldOf() finds a field at the index of its id");

}  // namespace ostrevo
