#include "waveform_window_accessibility.h"

#include <array>

#include "accessible_texts.h"

namespace ostrevo::ui {
namespace {

using Kind = AccessibleText::Kind;

constexpr std::array<AccessibleText, 9> kWaveformWindowTexts{{
    {"Picture1", "Grafico delle forme d'onda",
     "Forme d'onda a regime su NP periodi: in alto, in rosso, la tensione sul condensatore vc(t) tra v- e v+; "
     "in basso, in blu, la tensione d'uscita vo(t) tra 0 e Vcc. L'asse orizzontale è il tempo in microsecondi. "
     "Muovendo il puntatore sul grafico si leggono tempo e tensione della traccia scelta a destra.",
     Kind::Picture},
    {"Picture3", "Scala delle tensioni", "Etichette dell'asse verticale: v+ e v- per vc(t), Vcc e 0 per vo(t)",
     Kind::Picture},
    {"Option1", "vc(t) tensione sul condensatore", "Legge col puntatore la traccia rossa vc(t)"},
    {"Option3", "vo(t) tensione d'uscita", "Legge col puntatore la traccia blu vo(t)"},
    {"Label16", "t [usec] lettura vc(t)", "Tempo sotto il puntatore sulla traccia vc(t)", Kind::Result},
    {"Label17", "Vc(t) [V] lettura", "Tensione sul condensatore sotto il puntatore", Kind::Result},
    {"Label29", "t [usec] lettura vo(t)", "Tempo sotto il puntatore sulla traccia vo(t)", Kind::Result},
    {"Label32", "Vo(t) [V] lettura", "Tensione d'uscita sotto il puntatore", Kind::Result},
    {"Command1", "Esci", "Chiude la finestra dei grafici"},
}};

}  // namespace

void DescribeWaveformWindowForAccessibility(QWidget& window) { ApplyAccessibleTexts(window, kWaveformWindowTexts); }

}  // namespace ostrevo::ui
