// The catalogue: names a page can look entries up by, placeholders that Say
// and the page's filling read alike, and the filling itself.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <string_view>

#include "catalogue.h"

namespace ostrevo {
namespace {

bool IsIdentifier(std::string_view name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) return false;
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// Each "{" opens a placeholder that a "}" closes before any other brace, and
// names it with letters and digits; no "}" stands alone.
bool PlaceholdersWellFormed(std::string_view words) {
    for (std::size_t at = 0; at < words.size(); ++at) {
        if (words[at] == '}') return false;
        if (words[at] != '{') continue;
        const std::size_t close = words.find_first_of("{}", at + 1);
        if (close == std::string_view::npos || words[close] != '}') return false;
        if (!IsIdentifier(words.substr(at + 1, close - at - 1))) return false;
        at = close;
    }
    return true;
}

TEST(CatalogueTest, EveryEntryHasItsOwnNameWordsAndWellFormedPlaceholders) {
    std::set<std::string_view> names;
    for (const TextEntry& entry : TextCatalogue()) {
        const std::string name(entry.name);
        EXPECT_TRUE(IsIdentifier(name) && std::islower(static_cast<unsigned char>(name.front()))) << name;
        EXPECT_TRUE(names.insert(entry.name).second) << name << " twice";
        EXPECT_FALSE(entry.words.empty()) << name;
        EXPECT_TRUE(PlaceholdersWellFormed(entry.words)) << name;
        EXPECT_EQ(Words(entry.text), entry.words) << name;
    }
}

TEST(CatalogueTest, WellFormedPlaceholdersAreTold) {
    const struct {
        std::string_view words;
        bool wellFormed;
    } cases[] = {{"", true},         {"a {b} c {d2}", true}, {"{a}{b}", true}, {"{", false},   {"}", false},
                 {"{a", false},      {"a}", false},          {"{}", false},    {"{a{b}}", false}, {"{1a}", false},
                 {"{a b}", false},   {"{a}}", false}};
    for (const auto& c : cases) EXPECT_EQ(PlaceholdersWellFormed(c.words), c.wellFormed) << c.words;
}

TEST(CatalogueTest, SayFillsEachPlaceholderAndPutsValuesInAsTheyAre) {
    const struct {
        Text text;
        std::initializer_list<Filling> fillings;
        std::string said;
    } cases[] = {
        {Text::CannotCompute, {{"what", "ts"}, {"reason", "x"}}, "Impossibile calcolare ts: x."},
        // Order of the fillings, fillings for no placeholder, an empty value.
        {Text::CannotCompute, {{"reason", ""}, {"unused", "?"}, {"what", "tc"}}, "Impossibile calcolare tc: ."},
        // A placeholder without a filling stays as it is written.
        {Text::CannotCompute, {{"what", "Rc"}}, "Impossibile calcolare Rc: {reason}."},
        // Braces in a value are never read as placeholders, nor is a value filled twice.
        {Text::CannotRead, {{"subject", "{cause}"}, {"cause", "{subject} {"}}, "Impossibile leggere {cause}. {subject} {"},
        {Text::CannotComputeSample, {{"k", "7"}, {"trace", "vc(t)"}, {"reason", "}"}},
         "Impossibile calcolare il campione 7 di vc(t): }."},
        {Text::ReadoutToolTip, {{"time", "1,5"}, {"trace", "vo(t)"}, {"voltage", "-0,25"}}, "t = 1,5 usec\" ; vo(t) = -0,25V"},
        {Text::OffScale, {{"time", "1"}}, "fuori scala"},
    };
    for (const auto& c : cases) EXPECT_EQ(Say(c.text, c.fillings), c.said) << c.said;
}

}  // namespace
}  // namespace ostrevo
