#include "catalogue.h"

#include <array>
#include <utility>

namespace ostrevo {
namespace {

// Every text is the program's own, word for word, in the groups of Text.
constexpr std::array kEntries{
    // The fields.
    TextEntry{Text::VccMissing, "vccMissing", "Hai dimenticato di scrivere la tensione di alimentazione Vcc"},
    TextEntry{Text::VccInvalid, "vccInvalid",
              "Errore di inserimento dati per la tensione di alimentazione Vcc. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::VccSubject, "vccSubject", "la tensione di alimentazione Vcc"},
    TextEntry{Text::RcMissing, "rcMissing", "Hai dimenticato di scrivere il valore di Rc in kohm"},
    TextEntry{Text::RcInvalid, "rcInvalid",
              "Errore di inserimento dati per il valore di Rc in kohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::RcSubject, "rcSubject", "il valore di Rc"},
    TextEntry{Text::RsMissing, "rsMissing", "Hai dimenticato di scrivere il valore di Rs in kohm"},
    TextEntry{Text::RsInvalid, "rsInvalid",
              "Errore di inserimento dati per il valore di Rs in kohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::RsSubject, "rsSubject", "il valore di Rs"},
    TextEntry{Text::RoHMissing, "roHMissing", "Hai dimenticato di scrivere il valore di RoH in ohm"},
    TextEntry{Text::RoHInvalid, "roHInvalid",
              "Errore di inserimento dati per il valore di RoH in ohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::RoHSubject, "roHSubject", "il valore di RoH"},
    TextEntry{Text::RoLMissing, "roLMissing", "Hai dimenticato di scrivere il valore di RoL in ohm"},
    TextEntry{Text::RoLInvalid, "roLInvalid",
              "Errore di inserimento dati per il valore di RoL in ohm. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::RoLSubject, "roLSubject", "il valore di RoL"},
    TextEntry{Text::CiMissing, "ciMissing", "Hai dimenticato di scrivere il valore di Ci in pF"},
    TextEntry{Text::CiInvalid, "ciInvalid",
              "Errore di inserimento dati per il valore di Ci in pF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::CiSubject, "ciSubject", "il valore di Ci"},
    TextEntry{Text::CMissing, "cMissing", "Hai dimenticato di scrivere il valore di C in nF"},
    TextEntry{Text::CInvalid, "cInvalid",
              "Errore di inserimento dati per il valore di C in nF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::CSubject, "cSubject", "il valore di C"},
    TextEntry{Text::VPlusMissing, "vPlusMissing",
              "Hai dimenticato di scrivere il valore della tensione di soglia superiore v+ in Volt"},
    TextEntry{Text::VPlusInvalid, "vPlusInvalid",
              "Errore di inserimento dati per il della tensione di soglia superiore v+ in Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::VPlusSubject, "vPlusSubject", "la tensione di soglia superiore v+"},
    TextEntry{Text::VMinusMissing, "vMinusMissing",
              "Hai dimenticato di scrivere il valore della tensione di soglia inferiore v-in Volt"},
    TextEntry{Text::VMinusInvalid, "vMinusInvalid",
              "Errore di inserimento dati per il della tensione di soglia inferiore v- in Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::VMinusSubject, "vMinusSubject", "la tensione di soglia inferiore v-"},
    TextEntry{Text::VdMissing, "vdMissing",
              "Hai dimenticato di scrivere il valore della tensione di soglia dei diodi Vd = 0.6 Volt"},
    TextEntry{Text::VdInvalid, "vdInvalid",
              "Errore di inserimento dati per il valore della tensione di soglia dei diodi Vd = 0.6 Volt. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::VdSubject, "vdSubject", "la tensione di soglia dei diodi Vd"},
    TextEntry{Text::NPMissing, "npMissing",
              "Hai dimenticato di scrivere il numero di periodi visualizzati NP"},
    TextEntry{Text::NPInvalid, "npInvalid",
              "Errore di inserimento dati per il numero di periodi visualizzati NP. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::NPSubject, "npSubject", "il numero di periodi visualizzati NP"},
    TextEntry{Text::NMissing, "nMissing", "Hai dimenticato di scrivere il numero di campioni N"},
    TextEntry{Text::NInvalid, "nInvalid",
              "Errore di inserimento dati per il numero di campioni N. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::NSubject, "nSubject", "il numero di campioni N"},
    TextEntry{Text::DesignCMissing, "designCMissing", "Hai dimenticato di scrivere il valore della capactà C in nF"},
    TextEntry{Text::DesignCInvalid, "designCInvalid",
              "Errore di inserimento dati per il valore della capactà C in nF. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::DesignCSubject, "designCSubject", "la capacità C"},
    TextEntry{Text::DesignTcMissing, "designTcMissing",
              "Hai dimenticato di scrivere il valore del tempo di carica tc in usec"},
    TextEntry{Text::DesignTcInvalid, "designTcInvalid",
              "Errore di inserimento dati per il valore del tempo di carica tc in usec. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::DesignTcSubject, "designTcSubject", "il tempo di carica tc"},
    TextEntry{Text::DesignTsMissing, "designTsMissing",
              "Hai dimenticato di scrivere il valore del tempo di scarica ts in usec "},
    TextEntry{Text::DesignTsInvalid, "designTsInvalid",
              "Errore di inserimento dati per il valore del tempo di scarica ts in usec. Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3"},
    TextEntry{Text::DesignTsSubject, "designTsSubject", "il tempo di scarica ts"},
    // Reading a number.
    TextEntry{Text::CannotRead, "cannotRead", "Impossibile leggere {subject}. {cause}"},
    TextEntry{Text::NumberTooLarge, "numberTooLarge",
              "Il numero scritto è troppo grande: supera il massimo valore rappresentabile (circa 1,8E+308)."},
    TextEntry{Text::NotACount, "notACount",
              "Il valore deve essere un numero intero compreso tra -2147483648 e 2147483647."},
    // Computing.
    TextEntry{Text::CannotCompute, "cannotCompute", "Impossibile calcolare {what}: {reason}."},
    TextEntry{Text::ChargeCurrent, "chargeCurrent", "la corrente di carica"},
    TextEntry{Text::DischargeCurrent, "dischargeCurrent", "la corrente di scarica"},
    TextEntry{Text::DivisionByZero, "divisionByZero", "divisione per zero"},
    TextEntry{Text::Overflow, "overflow", "il risultato supera il massimo numero rappresentabile"},
    TextEntry{Text::InvalidOperation, "invalidOperation", "operazione non valida (0/0 o simile)"},
    TextEntry{Text::VMinusAtVd, "vMinusAtVd", "v- è uguale a Vd (divisione per zero)"},
    TextEntry{Text::BothAtVd, "bothAtVd", "v+ e v- sono entrambe uguali a Vd (0/0, operazione non valida)"},
    TextEntry{Text::VPlusAtVd, "vPlusAtVd", "v+ è uguale a Vd (logaritmo di zero)"},
    TextEntry{Text::OppositeSidesOfVd, "oppositeSidesOfVd",
              "v+ e v- stanno da parti opposte rispetto a Vd (logaritmo di un numero negativo)"},
    TextEntry{Text::VPlusAtVccMinusVd, "vPlusAtVccMinusVd", "v+ è uguale a Vcc - Vd (divisione per zero)"},
    TextEntry{Text::BothAtVccMinusVd, "bothAtVccMinusVd",
              "v+ e v- sono entrambe uguali a Vcc - Vd (0/0, operazione non valida)"},
    TextEntry{Text::VMinusAtVccMinusVd, "vMinusAtVccMinusVd", "v- è uguale a Vcc - Vd (logaritmo di zero)"},
    TextEntry{Text::OppositeSidesOfVccMinusVd, "oppositeSidesOfVccMinusVd",
              "v+ e v- stanno da parti opposte rispetto a Vcc - Vd (logaritmo di un numero negativo)"},
    TextEntry{Text::QuotientNearZero, "quotientNearZero",
              "il rapporto delle tensioni è troppo vicino a zero (logaritmo di zero)"},
    TextEntry{Text::CapacitanceZero, "capacitanceZero", "la capacità C è zero (divisione per zero)"},
    TextEntry{Text::RcZero, "rcZero", "Rc è zero (divisione per zero)"},
    TextEntry{Text::RsZero, "rsZero", "Rs è zero (divisione per zero)"},
    // The design's warnings.
    TextEntry{Text::CurrentWarning, "currentWarning", "Controlla la corrente max fornita dall'uscita!"},
    TextEntry{Text::SwitchingTimeWarning, "switchingTimeWarning",
              "I tempi di carica o scarica sono comparabili con i tempi di commutazione dell'integrato!"},
    // The plot.
    TextEntry{Text::CannotComputeStep, "cannotComputeStep",
              "Impossibile calcolare il passo di campionamento (tc + ts)/N: {reason}."},
    TextEntry{Text::SampleCountZero, "sampleCountZero", "il numero di campioni N è zero (divisione per zero)"},
    TextEntry{Text::TooManySamples, "tooManySamples",
              "Impossibile disegnare il grafico con N = {count} campioni per periodo: N + 1 supera il massimo numero "
              "intero a 32 bit (2147483647)."},
    TextEntry{Text::CannotComputeSample, "cannotComputeSample", "Impossibile calcolare il campione {k} di {trace}: {reason}."},
    TextEntry{Text::StepZero, "stepZero", "il passo di campionamento (tc + ts)/N è zero"},
    TextEntry{Text::DischargeTimeConstantZero, "dischargeTimeConstantZero",
              "la costante di tempo di scarica (Ci + C)·(Rs + RoL) è zero"},
    TextEntry{Text::ChargeTimeConstantZero, "chargeTimeConstantZero",
              "la costante di tempo di carica (Rc + RoH)·(Ci + C) è zero"},
    TextEntry{Text::RsRoLZero, "rsRoLZero", "Rs + RoL è zero (divisione per zero)"},
    TextEntry{Text::RcRoHZero, "rcRoHZero", "Rc + RoH è zero (divisione per zero)"},
    TextEntry{Text::CannotLabelTimeAxis, "cannotLabelTimeAxis",
              "Impossibile calcolare i tempi dell'asse orizzontale: {reason}."},
    TextEntry{Text::CannotDraw, "cannotDraw", "Impossibile disegnare {trace}: {reason}."},
    TextEntry{Text::VPlusZero, "vPlusZero", "la tensione di soglia superiore v+ è zero (divisione per zero)"},
    TextEntry{Text::VccZero, "vccZero", "la tensione di alimentazione Vcc è zero (divisione per zero)"},
    TextEntry{Text::SampleOffScale, "sampleOffScale",
              "un campione è fuori dalla scala del grafico (il risultato supera il massimo numero rappresentabile)"},
    TextEntry{Text::ReadoutToolTip, "readoutToolTip", "t = {time} usec\" ; {trace} = {voltage}V"},
    TextEntry{Text::OffScale, "offScale", "fuori scala"},
    // The unforeseen.
    TextEntry{Text::OutOfMemory, "outOfMemory", "Impossibile completare il comando: la memoria non basta."},
    TextEntry{Text::TooMuchData, "tooMuchData",
              "Impossibile completare il comando: i dati superano la dimensione massima che il programma può gestire."},
    TextEntry{Text::UnexpectedError, "unexpectedError", "Impossibile completare il comando: errore imprevisto."},
    // The page.
    TextEntry{Text::BrowserRefused, "browserRefused",
              "Impossibile completare il comando: il browser non ha concesso le risorse necessarie (per esempio la "
              "memoria)."},
    TextEntry{Text::ProgramEnded, "programEnded", "Il programma Ostrevo è terminato."},
    TextEntry{Text::StartAgain, "startAgain", "Avvia di nuovo Ostrevo"},
    // The readout, the plot's text alternative and the audio trace.
    TextEntry{Text::ReadoutSpoken, "readoutSpoken", "{trace}: t {time} usec, {voltage} V"},
    TextEntry{Text::ReadoutSpokenNoTrace, "readoutSpokenNoTrace", "{trace}: t {time} usec, nessuna traccia"},
    TextEntry{Text::PlotDescribedTraces, "plotDescribedTraces",
              "Forme d'onda a regime su {periods} periodi, da 0 a {span} usec. In alto, in rosso, la tensione sul "
              "condensatore vc(t), tra v- = {vMinus} V e v+ = {vPlus} V. In basso, in blu, la tensione d'uscita "
              "vo(t), tra 0 e Vcc = {vcc} V."},
    TextEntry{Text::PlotDescribedPeriod, "plotDescribedPeriod",
              "Periodo {period} usec: scarica ts {ts} usec, con vo(t) basso, poi carica tc {tc} usec, con vo(t) alto."},
    TextEntry{Text::PlotDescribedStop, "plotDescribedStop",
              "Un errore di calcolo ha fermato il disegno nel primo periodo: {trace} si interrompe a t = {time} usec, il resto "
              "non è disegnato."},
    TextEntry{Text::PlotDescribedNoTraces, "plotDescribedNoTraces", "Nessuna traccia disegnata."},
    TextEntry{Text::AudioUnavailable, "audioUnavailable",
              "Nessun dispositivo audio disponibile: la traccia sonora non si sente, il cursore la percorre in silenzio."},
    TextEntry{Text::ExportCopyPicture, "exportCopyPicture", "Copia immagine"},
    TextEntry{Text::ExportSavePng, "exportSavePng", "Salva immagine PNG…"},
    TextEntry{Text::ExportSaveSvg, "exportSaveSvg", "Salva immagine SVG…"},
    TextEntry{Text::ExportSaveCsv, "exportSaveCsv", "Salva dati CSV…"},
    TextEntry{Text::ExportPngTitle, "exportPngTitle", "Salva il grafico come immagine PNG"},
    TextEntry{Text::ExportSvgTitle, "exportSvgTitle", "Salva il grafico come disegno SVG"},
    TextEntry{Text::ExportCsvTitle, "exportCsvTitle", "Salva i campioni di un periodo come dati CSV"},
    TextEntry{Text::ExportPngFilter, "exportPngFilter", "Immagine PNG (*.png)"},
    TextEntry{Text::ExportSvgFilter, "exportSvgFilter", "Disegno SVG (*.svg)"},
    TextEntry{Text::ExportCsvFilter, "exportCsvFilter", "Dati CSV (*.csv)"},
    TextEntry{Text::ExportPngFileName, "exportPngFileName", "grafico-forme-d-onda.png"},
    TextEntry{Text::ExportSvgFileName, "exportSvgFileName", "grafico-forme-d-onda.svg"},
    TextEntry{Text::ExportCsvFileName, "exportCsvFileName", "campioni-un-periodo-N{N}.csv"},
    TextEntry{Text::ExportClipboardRefused, "exportClipboardRefused",
              "Il browser non ha permesso di copiare l'immagine negli appunti ({reason}). Usa \"Salva immagine "
              "PNG…\" e inserisci il file salvato."},
    TextEntry{Text::ExportWriteFailed, "exportWriteFailed",
              "Impossibile scrivere il file {file}: {reason}. Il file non è stato salvato."},
    TextEntry{Text::ExportTooLargeForDownload, "exportTooLargeForDownload",
              "I dati CSV sarebbero circa {size} MB: questo browser non sa scrivere un file un po' alla volta e la "
              "pagina ne prepara in memoria al più {limit} MB. Riduci N, oppure apri la pagina in un browser che "
              "chiede dove salvare il file prima di scriverlo, oppure usa il programma per il desktop."},
    TextEntry{Text::ExportNoSamples, "exportNoSamples",
              "Nessun campione da salvare: il grafico non ha tracce. Premi \"Grafici\" nella finestra principale."},
    TextEntry{Text::ExportPlotChanged, "exportPlotChanged",
              "il grafico è cambiato mentre i dati venivano scritti; salvali di nuovo dal nuovo grafico"},
    TextEntry{Text::LinkUnknownCommand, "linkUnknownCommand",
              "Il link chiede il comando \"{command}\", che non esiste: non è stato eseguito nessun comando. I comandi "
              "sono ideale, reale, tstc, rcrs e grafici."},
};

constexpr bool InOrderOfTheirTexts() {
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        if (static_cast<std::size_t>(kEntries[i].text) != i) return false;
    }
    return true;
}
static_assert(InOrderOfTheirTexts(), "Words() finds an entry at the index of its text");

}  // namespace

std::span<const TextEntry> TextCatalogue() { return kEntries; }

std::string_view Words(Text text) { return kEntries[static_cast<std::size_t>(text)].words; }

std::string Say(Text text, std::initializer_list<Filling> fillings) {
    const std::string_view words = Words(text);
    std::string said;
    std::size_t from = 0;
    while (from < words.size()) {
        const std::size_t open = words.find('{', from);
        const std::size_t close = open == std::string_view::npos ? open : words.find('}', open);
        if (close == std::string_view::npos) break;
        said.append(words.substr(from, open - from));
        const std::string_view name = words.substr(open + 1, close - open - 1);
        const Filling* filling = nullptr;
        for (const Filling& candidate : fillings) {
            if (candidate.placeholder == name) filling = &candidate;
        }
        said.append(filling ? filling->value : words.substr(open, close - open + 1));
        from = close + 1;
    }
    if (from < words.size()) said.append(words.substr(from));
    return said;
}

}  // namespace ostrevo
