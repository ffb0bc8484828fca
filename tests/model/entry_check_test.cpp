#include <gtest/gtest.h>

#include <span>
#include <string>

#include "circuit_examples.h"
#include "entry_check.h"

namespace ostrevo {
namespace {

const std::string kTail =
    ". Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. "
    "Ad es: 1.23 , 1E-5 , 5E3";

struct ChainStep {
    const char* field;
    const char* missing;
    const char* subject;  // of the message for a text with a character not allowed
};

std::string InvalidMessage(const ChainStep& step) {
    return "Errore di inserimento dati per " + std::string(step.subject) + kTail;
}

class EntryCheckTest : public ::testing::Test {
protected:
    // For each step, an empty field and then a wrong one (with every other field
    // filled by `fill`): the chain fails there with that step's message.
    template <typename Fill>
    void expectEachStepStopsTheChain(std::span<const ChainStep> steps, std::span<const FieldId> chain, Fill fill) {
        for (const ChainStep& step : steps) {
            for (const bool empty : {true, false}) {
                fill();
                form.type(step.field, empty ? "" : "1,5");
                EXPECT_EQ(FirstEntryMessage(form, chain), empty ? step.missing : InvalidMessage(step)) << step.field;
            }
        }
    }

    testing::FakeForm form;
};

// Digits, signs, points and exponent letters pass in any order and number;
// anything else is invalid, and nothing at all is missing.
TEST_F(EntryCheckTest, AcceptsOnlyTheCharactersOfANumber) {
    using enum EntryVerdict;
    const struct {
        std::u16string text;
        EntryVerdict verdict;
    } cases[] = {
        {u"1-2", Accepted},   {u"e", Accepted},    {u"E", Accepted},     {u".", Accepted},      {u"-", Accepted},
        {u"+", Accepted},     {u"--", Accepted},   {u"1.2.3", Accepted}, {u"5e", Accepted},     {u"E5", Accepted},
        {u"1e5e5", Accepted}, {u"+-", Accepted},   {u"1.23", Accepted},  {u"1E-5", Accepted},   {u"5E3", Accepted},
        {u"0123456789", Accepted},                 {std::u16string(100000, u'9'), Accepted},
        {u" ", Invalid},   {u" 1", Invalid}, {u"1 ", Invalid},  {u"4,7", Invalid},  {u"1\t", Invalid},
        {u"1D3", Invalid}, {u"abc", Invalid}, {u"\u00B2", Invalid}, {u"\uFF11", Invalid}, {u"\u0661", Invalid},
        {u"/", Invalid},   {u":", Invalid},  {std::u16string(40000, u'1') + u"x", Invalid},
        {u"", Missing},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(CheckEntry(cases[i].text), cases[i].verdict) << "case " << i;
}

TEST_F(EntryCheckTest, TheCircuitChainStopsAtTheFirstFailingFieldWithItsMessage) {
    const ChainStep steps[] = {
        {"Text1", "Hai dimenticato di scrivere la tensione di alimentazione Vcc", "la tensione di alimentazione Vcc"},
        {"Text2", "Hai dimenticato di scrivere il valore di Rc in kohm", "il valore di Rc in kohm"},
        {"Text9", "Hai dimenticato di scrivere il valore di Rs in kohm", "il valore di Rs in kohm"},
        {"Text10", "Hai dimenticato di scrivere il valore di RoH in ohm", "il valore di RoH in ohm"},
        {"Text11", "Hai dimenticato di scrivere il valore di RoL in ohm", "il valore di RoL in ohm"},
        {"Text12", "Hai dimenticato di scrivere il valore di Ci in pF", "il valore di Ci in pF"},
        {"Text8", "Hai dimenticato di scrivere il valore di C in nF", "il valore di C in nF"},
        {"Text3", "Hai dimenticato di scrivere il valore della tensione di soglia superiore v+ in Volt",
         "il della tensione di soglia superiore v+ in Volt"},
        {"Text4", "Hai dimenticato di scrivere il valore della tensione di soglia inferiore v-in Volt",
         "il della tensione di soglia inferiore v- in Volt"},
        {"Text5", "Hai dimenticato di scrivere il valore della tensione di soglia dei diodi Vd = 0.6 Volt",
         "il valore della tensione di soglia dei diodi Vd = 0.6 Volt"},
        {"Text6", "Hai dimenticato di scrivere il numero di periodi visualizzati NP",
         "il numero di periodi visualizzati NP"},
        {"Text16", "Hai dimenticato di scrivere il numero di campioni N", "il numero di campioni N"},
    };
    expectEachStepStopsTheChain(steps, kCircuitFields, [&] {
        testing::TypeCircuit(form, testing::ExampleTexts(Example::Ideal));
        form.type("Text16", "x");  // a later field is wrong too
    });
    form.type("Text16", "1000");
    EXPECT_EQ(FirstEntryMessage(form, kCircuitFields), std::nullopt);
}

TEST_F(EntryCheckTest, TheDesignChainChecksItsFourFieldsInOrder) {
    const ChainStep steps[] = {
        {"Text1", "Hai dimenticato di scrivere la tensione di alimentazione Vcc", "la tensione di alimentazione Vcc"},
        {"Text14", "Hai dimenticato di scrivere il valore della capactà C in nF", "il valore della capactà C in nF"},
        {"Text13", "Hai dimenticato di scrivere il valore del tempo di carica tc in usec",
         "il valore del tempo di carica tc in usec"},
        {"Text15", "Hai dimenticato di scrivere il valore del tempo di scarica ts in usec ",
         "il valore del tempo di scarica ts in usec"},
    };
    expectEachStepStopsTheChain(steps, kDesignFields, [&] {
        for (const char* field : {"Text1", "Text14", "Text13", "Text15"}) form.type(field, "1");
    });
    form.type("Text15", "5");
    EXPECT_EQ(FirstEntryMessage(form, kDesignFields), std::nullopt);
}

}  // namespace
}  // namespace ostrevo
