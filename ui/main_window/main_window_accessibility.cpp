#include "main_window_accessibility.h"

#include <array>

#include "accessible_texts.h"
#include "fields.h"

namespace ostrevo::ui {
namespace {

using Kind = AccessibleText::Kind;

// The fields are described by their table; buttons keep their caption as name,
// so that what is seen is what is heard.
constexpr std::array<AccessibleText, 11> kResultsButtonsAndSchematic{{
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

void DescribeMainWindowForAccessibility(QWidget& window) {
    ApplyAccessibleTexts(window, kResultsButtonsAndSchematic);
    for (const Field& field : kFields) {
        // The name says what the field holds and its unit: "Vcc [V]".
        const QString name = QStringLiteral("%1 [%2]").arg(QString::fromUtf8(field.name), QString::fromUtf8(field.unit));
        DescribeControl(*window.findChild<QWidget*>(QString::fromLatin1(field.control)), name,
                        QString::fromUtf8(field.description));
    }
}

}  // namespace ostrevo::ui
