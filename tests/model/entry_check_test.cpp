#include <gtest/gtest.h>

#include <span>
#include <string>

#include "fakes.h"
#include "module1.h"

namespace ostrevo {
namespace {

using testing::FakeForm;
using testing::FakeMessages;
using testing::U16;

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
    FakeForm form;
    FakeMessages messages;
    Module1 module{form, messages};

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

TEST_F(EntryCheckTest, AcceptsDigitsSignsPointsAndExponentLetters) {
    for (const char* text : {"1-2", "e", "E", ".", "-", "+", "--", "1.2.3", "5e", "E5", "1e5e5", "+-", "1.23",
                             "1E-5", "5E3", "2.5", "0123456789"}) {
        EXPECT_TRUE(check(U16(text)).empty()) << text;
    }
}

TEST_F(EntryCheckTest, RejectsEverythingElse) {
    const std::u16string cases[] = {u" ", u" 1", u"1 ", u"4,7", u"1\t", u"1D3", u"abc", u"\u00B2", u"\uFF11", u"\u0661",
                                    u"/", u":"};
    for (const std::u16string& text : cases) {
        EXPECT_EQ(check(text), std::vector<std::string>{"invalid"});
    }
}

TEST_F(EntryCheckTest, EmptyTextGivesTheMissingMessage) {
    EXPECT_EQ(check(u""), std::vector<std::string>{"missing"});
}

TEST_F(EntryCheckTest, VeryLongTextsAreCheckedLikeAnyOther) {
    EXPECT_TRUE(check(std::u16string(32767, u'1')).empty());
    EXPECT_TRUE(check(std::u16string(100000, u'9')).empty());
    EXPECT_EQ(check(std::u16string(40000, u'1') + u"x"), std::vector<std::string>{"invalid"});
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
}

TEST_F(EntryCheckTest, ValidationChainPassesAndClearsTheError) {
    testing::TypeCircuit(form, testing::kRealCircuit);
    form.type("Text2", "");
    EXPECT_FALSE(module.ValidationChain());
    form.type("Text2", "22");
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
