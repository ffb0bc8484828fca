#include <gtest/gtest.h>

#include <span>
#include <string>

#include "fakes.h"
#include "module1.h"

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

class EntryCheckTest : public testing::ModuleTest {
protected:

    // Runs the check on `text` and returns the messages it showed.
    std::vector<std::string> check(const std::u16string& text) {
        messages.shown.clear();
        module.MissingMessage = "missing";
        module.InvalidMessage = "invalid";
        module.CheckNumericEntry(text);
        EXPECT_EQ(module.EntryError, messages.shown.empty() ? 0 : 1);
        return messages.shown;
    }

    // For each step, an empty field and then a wrong one (with every other field
    // filled by `fill`): the chain fails there with that step's message only.
    template <typename Chain, typename Fill>
    void expectEachStepStopsTheChain(std::span<const ChainStep> steps, Chain chain, Fill fill) {
        for (const ChainStep& step : steps) {
            for (const bool empty : {true, false}) {
                fill();
                form.type(step.field, empty ? "" : "1,5");
                messages.shown.clear();
                EXPECT_FALSE((module.*chain)());
                EXPECT_EQ(messages.shown, std::vector<std::string>{empty ? step.missing : InvalidMessage(step)})
                    << step.field;
                EXPECT_EQ(module.EntryError, 1);
                EXPECT_EQ(module.EntryText, empty ? u"" : u"1,5");
            }
        }
    }
};

// Digits, signs, points and exponent letters pass in any order and number;
// anything else is invalid, and nothing at all is missing.
TEST_F(EntryCheckTest, AcceptsOnlyTheCharactersOfANumber) {
    const std::vector<std::string> valid, invalid{"invalid"}, missing{"missing"};
    const struct {
        std::u16string text;
        const std::vector<std::string>& shown;
    } cases[] = {
        {u"1-2", valid},   {u"e", valid},    {u"E", valid},     {u".", valid},      {u"-", valid},
        {u"+", valid},     {u"--", valid},   {u"1.2.3", valid}, {u"5e", valid},     {u"E5", valid},
        {u"1e5e5", valid}, {u"+-", valid},   {u"1.23", valid},  {u"1E-5", valid},   {u"5E3", valid},
        {u"0123456789", valid},              {std::u16string(100000, u'9'), valid},
        {u" ", invalid},   {u" 1", invalid}, {u"1 ", invalid},  {u"4,7", invalid},  {u"1\t", invalid},
        {u"1D3", invalid}, {u"abc", invalid}, {u"\u00B2", invalid}, {u"\uFF11", invalid}, {u"\u0661", invalid},
        {u"/", invalid},   {u":", invalid},  {std::u16string(40000, u'1') + u"x", invalid},
        {u"", missing},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(check(cases[i].text), cases[i].shown) << "case " << i;
}

TEST_F(EntryCheckTest, ValidationChainStopsAtTheFirstFailingFieldWithItsMessage) {
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
    expectEachStepStopsTheChain(steps, &Module1::ValidationChain, [&] {
        testing::TypeCircuit(form, testing::kIdealCircuit);
        form.type("Text16", "x");  // a later field is wrong too
    });
    form.type("Text16", "1000");
    messages.shown.clear();
    EXPECT_TRUE(module.ValidationChain());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(module.EntryError, 0);
}

TEST_F(EntryCheckTest, DesignValidationChainChecksItsFourFieldsInOrder) {
    const ChainStep steps[] = {
        {"Text1", "Hai dimenticato di scrivere la tensione di alimentazione Vcc", "la tensione di alimentazione Vcc"},
        {"Text14", "Hai dimenticato di scrivere il valore della capactà C in nF", "il valore della capactà C in nF"},
        {"Text13", "Hai dimenticato di scrivere il valore del tempo di carica tc in usec",
         "il valore del tempo di carica tc in usec"},
        {"Text15", "Hai dimenticato di scrivere il valore del tempo di scarica ts in usec ",
         "il valore del tempo di scarica ts in usec"},
    };
    expectEachStepStopsTheChain(steps, &Module1::DesignValidationChain, [&] {
        for (const char* field : {"Text1", "Text14", "Text13", "Text15"}) form.type(field, "1");
    });
    messages.shown.clear();
    form.type("Text15", "5");
    EXPECT_TRUE(module.DesignValidationChain());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace ostrevo
