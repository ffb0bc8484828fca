#include "form1_accessibility.h"

#include <array>

#include "accessible_texts.h"

namespace ostrevo::ui {
namespace {

using Kind = AccessibleText::Kind;

// Buttons keep their caption as name, so that what is seen is what is heard.
constexpr std::array<AccessibleText, 26> kForm1Texts{{
    {"Text1", "Vcc [V]", "Tensione di alimentazione, in volt"},
    {"Text2", "Rc [kohm]", "Resistenza di carica, in kiloohm"},
    {"Text9", "Rs [kohm]", "Resistenza di scarica, in kiloohm"},
    {"Text10", "RoH [ohm]", "Resistenza d'uscita a livello alto, in ohm"},
    {"Text11", "RoL [ohm]", "Resistenza d'uscita a livello basso, in ohm"},
    {"Text12", "Ci [pF]", "Capacità d'ingresso dell'integrato, in picofarad"},
    {"Text8", "C [nF]", "Capacità del condensatore, in nanofarad"},
    {"Text3", "v+ [V]", "Tensione di soglia superiore, in volt"},
    {"Text4", "v- [V]", "Tensione di soglia inferiore, in volt"},
    {"Text5", "Vd [V]", "Tensione di soglia dei diodi, in volt"},
    {"Text6", "NP [periodi]", "Numero di periodi disegnati"},
    {"Text16", "N [campioni per periodo]", "Numero di campioni per periodo"},
    {"Text14", "C progetto [nF]", "Capacità voluta per il progetto, in nanofarad"},
    {"Text13", "tc progetto [usec]", "Tempo di carica voluto, in microsecondi"},
    {"Text15", "ts progetto [usec]", "Tempo di scarica voluto, in microsecondi"},
    {"Label9", "ts [usec] risultato", "Tempo di scarica calcolato, in microsecondi", Kind::Result},
    {"Label11", "tc [usec] risultato", "Tempo di carica calcolato, in microsecondi", Kind::Result},
    {"Label31", "Rc [kohm] risultato", "Resistenza di carica progettata, in kiloohm", Kind::Result},
    {"Label30", "Rs [kohm] risultato", "Resistenza di scarica progettata, in kiloohm", Kind::Result},
    {"Command1", "Calcola  ts; tc", "Calcola i tempi di scarica e di carica del circuito reale"},
    {"Command2", "Grafici", "Disegna vc(t) e vo(t) a regime nella finestra dei grafici"},
    {"Command3", "Esci", "Chiude il programma"},
    {"Command4", "Calcola Rc e Rs", "Progetta Rc e Rs del circuito ideale da C, tc e ts"},
    {"Command5", "Ostrevo ideale, dati esempio", "Scrive nei campi i dati d'esempio del circuito ideale"},
    {"Command6", "Ostrevo reale, dati esempio", "Scrive nei campi i dati d'esempio del circuito reale"},
    {"Image1", "Schema del circuito",
     "Multivibratore astabile con trigger di Schmitt invertente CD40106B: il condensatore C si carica "
     "dall'uscita attraverso Rc e un diodo e si scarica attraverso Rs e un secondo diodo",
     Kind::Picture},
}};

}  // namespace

void DescribeForm1ForAccessibility(QWidget& form1) { ApplyAccessibleTexts(form1, kForm1Texts); }

}  // namespace ostrevo::ui
