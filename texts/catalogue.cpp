#include "catalogue.h"

#include <array>
#include <utility>

namespace ostrevo {
namespace {

constexpr std::array kEntries{
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
