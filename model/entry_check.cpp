#include <array>

#include "module1.h"

namespace ostrevo {

// One step of a validation chain: the field and its two messages.
struct EntryStep {
    std::string_view control;
    const char* missingMessage;
    const char* invalidMessage;
};

namespace {

bool IsAccepted(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'e' || c == u'.' || c == u'E' || c == u'-' || c == u'+';
}

const std::array<EntryStep, 12> kValidationSteps{{
    {"Text1", "Hai dimenticato di scrivere la tensione di alimentazione Vcc",
     "Errore di inserimento dati per la tensione di alimentazione Vcc. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text2", "Hai dimenticato di scrivere il valore di Rc in kohm",
     "Errore di inserimento dati per il valore di Rc in kohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text9", "Hai dimenticato di scrivere il valore di Rs in kohm",
     "Errore di inserimento dati per il valore di Rs in kohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text10", "Hai dimenticato di scrivere il valore di RoH in ohm",
     "Errore di inserimento dati per il valore di RoH in ohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text11", "Hai dimenticato di scrivere il valore di RoL in ohm",
     "Errore di inserimento dati per il valore di RoL in ohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text12", "Hai dimenticato di scrivere il valore di Ci in pF",
     "Errore di inserimento dati per il valore di Ci in pF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text8", "Hai dimenticato di scrivere il valore di C in nF",
     "Errore di inserimento dati per il valore di C in nF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text3", "Hai dimenticato di scrivere il valore della tensione di soglia superiore v+ in Volt",
     "Errore di inserimento dati per il della tensione di soglia superiore v+ in Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text4", "Hai dimenticato di scrivere il valore della tensione di soglia inferiore v-in Volt",
     "Errore di inserimento dati per il della tensione di soglia inferiore v- in Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text5", "Hai dimenticato di scrivere il valore della tensione di soglia dei diodi Vd = 0.6 Volt",
     "Errore di inserimento dati per il valore della tensione di soglia dei diodi Vd = 0.6 Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text6", "Hai dimenticato di scrivere il numero di periodi visualizzati NP",
     "Errore di inserimento dati per il numero di periodi visualizzati NP. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text16", "Hai dimenticato di scrivere il numero di campioni N",
     "Errore di inserimento dati per il numero di campioni N. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
}};

const std::array<EntryStep, 4> kDesignValidationSteps{{
    kValidationSteps[0],
    {"Text14", "Hai dimenticato di scrivere il valore della capactà C in nF",
     "Errore di inserimento dati per il valore della capactà C in nF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text13", "Hai dimenticato di scrivere il valore del tempo di carica tc in usec",
     "Errore di inserimento dati per il valore del tempo di carica tc in usec. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    {"Text15", "Hai dimenticato di scrivere il valore del tempo di scarica ts in usec ",
     "Errore di inserimento dati per il valore del tempo di scarica ts in usec. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
}};

}  // namespace

void Module1::CheckNumericEntry(const std::u16string& text) {
    EntryError = 0;
    if (text.empty()) {
        messages_.show(MissingMessage);
        EntryError = 1;
        return;
    }
    // Every character is judged, however long the text.
    for (const char16_t c : text) {
        if (!IsAccepted(c)) {
            messages_.show(InvalidMessage);
            EntryError = 1;
            return;
        }
    }
}

bool Module1::RunEntryChain(std::span<const EntryStep> steps) {
    for (const EntryStep& step : steps) {
        EntryText = form_.text(step.control);
        MissingMessage = step.missingMessage;
        InvalidMessage = step.invalidMessage;
        CheckNumericEntry(EntryText);
        if (EntryError == 1) return false;
    }
    return true;
}

bool Module1::ValidationChain() { return RunEntryChain(kValidationSteps); }

bool Module1::DesignValidationChain() { return RunEntryChain(kDesignValidationSteps); }

}  // namespace ostrevo
