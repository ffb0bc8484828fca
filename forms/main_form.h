#pragma once
#include <array>
#include <string>
#include <vector>

#include "fields.h"
#include "form_types.h"
#include "looks.h"

// The main window, Form1: the fields of the real circuit under "Verifica", the
// design block "Progetto" framed in red, the results, the schematic and the
// six buttons.
namespace ostrevo::form1 {

OSTREVO_CONTROL_NAME(Form1)
OSTREVO_CONTROL_NAME(Shape1)
OSTREVO_CONTROL_NAME(Image1)
OSTREVO_CONTROL_NAME(Label1)
OSTREVO_CONTROL_NAME(Label2)
OSTREVO_CONTROL_NAME(Label3)
OSTREVO_CONTROL_NAME(Label4)
OSTREVO_CONTROL_NAME(Label5)
OSTREVO_CONTROL_NAME(Label6)
OSTREVO_CONTROL_NAME(Label7)
OSTREVO_CONTROL_NAME(Label8)
OSTREVO_CONTROL_NAME(Label9)
OSTREVO_CONTROL_NAME(Label10)
OSTREVO_CONTROL_NAME(Label11)
OSTREVO_CONTROL_NAME(Label12)
OSTREVO_CONTROL_NAME(Label14)
OSTREVO_CONTROL_NAME(Label15)
OSTREVO_CONTROL_NAME(Label16)
OSTREVO_CONTROL_NAME(Label17)
OSTREVO_CONTROL_NAME(Label18)
OSTREVO_CONTROL_NAME(Label19)
OSTREVO_CONTROL_NAME(Label20)
OSTREVO_CONTROL_NAME(Label21)
OSTREVO_CONTROL_NAME(Label22)
OSTREVO_CONTROL_NAME(Label23)
OSTREVO_CONTROL_NAME(Label24)
OSTREVO_CONTROL_NAME(Label25)
OSTREVO_CONTROL_NAME(Label26)
OSTREVO_CONTROL_NAME(Label27)
OSTREVO_CONTROL_NAME(Label28)
OSTREVO_CONTROL_NAME(Label29)
OSTREVO_CONTROL_NAME(Label30)
OSTREVO_CONTROL_NAME(Label31)
OSTREVO_CONTROL_NAME(Label32)
OSTREVO_CONTROL_NAME(Label33)
OSTREVO_CONTROL_NAME(Label34)
OSTREVO_CONTROL_NAME(Label35)
OSTREVO_CONTROL_NAME(Label36)
OSTREVO_CONTROL_NAME(Label37)
OSTREVO_CONTROL_NAME(Label38)
OSTREVO_CONTROL_NAME(Label39)
OSTREVO_CONTROL_NAME(Label40)
OSTREVO_CONTROL_NAME(Label41)
OSTREVO_CONTROL_NAME(Label42)
OSTREVO_CONTROL_NAME(Label43)
OSTREVO_CONTROL_NAME(Label44)
OSTREVO_CONTROL_NAME(Label67)
OSTREVO_CONTROL_NAME(Text1)
OSTREVO_CONTROL_NAME(Text2)
OSTREVO_CONTROL_NAME(Text3)
OSTREVO_CONTROL_NAME(Text4)
OSTREVO_CONTROL_NAME(Text5)
OSTREVO_CONTROL_NAME(Text6)
OSTREVO_CONTROL_NAME(Text8)
OSTREVO_CONTROL_NAME(Text9)
OSTREVO_CONTROL_NAME(Text10)
OSTREVO_CONTROL_NAME(Text11)
OSTREVO_CONTROL_NAME(Text12)
OSTREVO_CONTROL_NAME(Text13)
OSTREVO_CONTROL_NAME(Text14)
OSTREVO_CONTROL_NAME(Text15)
OSTREVO_CONTROL_NAME(Text16)
OSTREVO_CONTROL_NAME(Command1)
OSTREVO_CONTROL_NAME(Command2)
OSTREVO_CONTROL_NAME(Command3)
OSTREVO_CONTROL_NAME(Command4)
OSTREVO_CONTROL_NAME(Command5)
OSTREVO_CONTROL_NAME(Command6)

// The colour "Calcola Rc e Rs" writes the designed values into the fields with.
inline constexpr Rgb kDesignedFieldColour{0, 0, 255};

namespace detail {
using K = ControlKind;

constexpr Control PlainLabel(ControlName name, const char* caption, Twips place) {
    return {.name = name, .caption = caption, .place = place, .looks = looks::kPlain};
}
constexpr Control CaptionLabel(ControlName name, const char* caption, Twips place) {
    return {.name = name, .caption = caption, .place = place, .looks = looks::kRightJustified};
}
constexpr Control ResultLabel(ControlName name, Twips place, const char* accessibleName, const char* description) {
    return {.name = name, .place = place, .looks = looks::kResult,
            .accessible = {AccessibleRole::Result, accessibleName, description}};
}
constexpr Control TextField(ControlName name, FieldId field, Twips place, const char* description,
                            const char* text = "") {
    return {.name = name, .kind = K::TextField, .caption = text, .place = place, .looks = looks::kField,
            .accessible = {AccessibleRole::Control, nullptr, description}, .field = field};
}
constexpr Control Button(ControlName name, const char* caption, Twips place, Command command,
                         const char* description) {
    return {.name = name, .kind = K::Button, .caption = caption, .place = place, .looks = looks::kButton,
            .accessible = {AccessibleRole::Control, nullptr, description}, .command = command};
}

inline constexpr Control kControls[]{
    // Created first so that it lies beneath the controls it frames.
    {.name = Shape1, .kind = K::Shape, .place = {11160, 120, 3495, 4335}, .looks = looks::kDesignFrame},
    {.name = Image1, .kind = K::Image, .place = {360, 360, 7410, 6015},
     .accessible = {AccessibleRole::Picture, "Schema del circuito",
                    "Multivibratore astabile con trigger di Schmitt invertente CD40106B: il condensatore C si carica "
                    "dall'uscita attraverso Rc e un diodo e si scarica attraverso Rs e un secondo diodo"},
     .image = "schematic.svg"},
    CaptionLabel(Label10, "ts", {2655, 7320, 585, 255}),
    ResultLabel(Label9, {3435, 7215, 1860, 330}, "ts [usec] risultato", "Tempo di scarica calcolato, in microsecondi"),
    PlainLabel(Label7, "[usec]", {5400, 7320, 615, 255}),
    CaptionLabel(Label12, "tc", {2655, 7680, 585, 225}),
    ResultLabel(Label11, {3435, 7635, 1860, 330}, "tc [usec] risultato", "Tempo di carica calcolato, in microsecondi"),
    PlainLabel(Label8, "[usec]", {5400, 7680, 615, 255}),
    PlainLabel(Label42, "Verifica", {8520, 120, 1695, 255}),
    CaptionLabel(Label1, "Vcc", {7995, 435, 435, 225}),
    PlainLabel(Label17, "[V]", {10440, 480, 375, 255}),
    CaptionLabel(Label2, "Rc", {8100, 855, 330, 225}),
    PlainLabel(Label14, "[kohm]", {10440, 840, 615, 255}),
    CaptionLabel(Label21, "Rs", {8040, 1335, 330, 225}),
    PlainLabel(Label20, "[kohm]", {10380, 1320, 615, 255}),
    CaptionLabel(Label23, "RoH", {8040, 1815, 450, 225}),
    PlainLabel(Label22, "[ohm]", {10500, 1800, 615, 255}),
    CaptionLabel(Label25, "RoL", {8040, 2295, 450, 225}),
    PlainLabel(Label24, "[ohm]", {10500, 2280, 615, 255}),
    CaptionLabel(Label27, "Ci", {8040, 2775, 330, 225}),
    PlainLabel(Label26, "pF", {10500, 2760, 615, 255}),
    CaptionLabel(Label15, "C", {8160, 3360, 255, 255}),
    PlainLabel(Label16, "[nF]", {10440, 3360, 375, 255}),
    CaptionLabel(Label3, "v+", {8100, 3675, 225, 225}),
    PlainLabel(Label18, "[V]", {10440, 3720, 375, 255}),
    CaptionLabel(Label4, "v-", {8100, 4095, 225, 225}),
    PlainLabel(Label19, "[V]", {10440, 4200, 375, 255}),
    PlainLabel(Label5, "Vd", {8040, 4560, 375, 255}),
    PlainLabel(Label28, "[V]", {10440, 4680, 375, 255}),
    PlainLabel(Label6, "NP", {8040, 5160, 375, 255}),
    PlainLabel(Label44, "N", {8040, 5640, 375, 255}),
    PlainLabel(Label43, "Progetto", {12000, 240, 1215, 255}),
    PlainLabel(Label29, "Dati: C , tc, ts  con v+=2/3 Vcc , v-=1/3 Vcc, calcolo Rc e Rs", {11400, 600, 2895, 495}),
    CaptionLabel(Label33, "C", {11400, 1320, 255, 255}),
    PlainLabel(Label32, "[nF]", {13800, 1320, 375, 255}),
    CaptionLabel(Label38, "tc", {11280, 1785, 315, 225}),
    PlainLabel(Label39, "[usec]", {13800, 1680, 615, 255}),
    CaptionLabel(Label40, "ts", {11280, 2265, 315, 225}),
    PlainLabel(Label41, "[usec]", {13800, 2160, 615, 255}),
    PlainLabel(Label37, "Rc", {11400, 3480, 255, 255}),
    ResultLabel(Label31, {11760, 3360, 1815, 375}, "Rc [kohm] risultato", "Resistenza di carica progettata, in kiloohm"),
    PlainLabel(Label36, "[kohm]", {13680, 3480, 615, 255}),
    PlainLabel(Label34, "Rs", {11400, 3960, 255, 255}),
    ResultLabel(Label30, {11760, 3840, 1815, 375}, "Rs [kohm] risultato", "Resistenza di scarica progettata, in kiloohm"),
    PlainLabel(Label35, "[kohm]", {13680, 3960, 615, 255}),
    {.name = Label67, .caption = "Ostrevo didattico", .place = {12000, 7560, 1575, 285}, .looks = looks::kCredit},
    TextField(Text1, FieldId::Vcc, {8520, 435, 1800, 330}, "Tensione di alimentazione, in volt"),
    TextField(Text2, FieldId::Rc, {8520, 840, 1800, 330}, "Resistenza di carica, in kiloohm"),
    TextField(Text9, FieldId::Rs, {8520, 1320, 1800, 330}, "Resistenza di scarica, in kiloohm"),
    TextField(Text10, FieldId::RoH, {8520, 1800, 1800, 330}, "Resistenza d'uscita a livello alto, in ohm"),
    TextField(Text11, FieldId::RoL, {8520, 2280, 1800, 330}, "Resistenza d'uscita a livello basso, in ohm"),
    TextField(Text12, FieldId::Ci, {8520, 2760, 1800, 330}, "Capacità d'ingresso dell'integrato, in picofarad"),
    TextField(Text8, FieldId::C, {8520, 3240, 1815, 375}, "Capacità del condensatore, in nanofarad"),
    TextField(Text3, FieldId::VPlus, {8520, 3675, 1800, 330}, "Tensione di soglia superiore, in volt"),
    TextField(Text4, FieldId::VMinus, {8520, 4095, 1800, 330}, "Tensione di soglia inferiore, in volt"),
    TextField(Text5, FieldId::Vd, {8520, 4560, 1815, 375}, "Tensione di soglia dei diodi, in volt"),
    TextField(Text6, FieldId::NP, {8520, 5040, 1815, 375}, "Numero di periodi disegnati", "5"),
    TextField(Text16, FieldId::N, {8520, 5520, 1815, 405}, "Numero di campioni per periodo", "1000"),
    TextField(Text14, FieldId::DesignC, {11760, 1200, 1815, 375}, "Capacità voluta per il progetto, in nanofarad"),
    TextField(Text13, FieldId::DesignTc, {11760, 1680, 1800, 330}, "Tempo di carica voluto, in microsecondi"),
    TextField(Text15, FieldId::DesignTs, {11760, 2160, 1800, 330}, "Tempo di scarica voluto, in microsecondi"),
    Button(Command1, "Calcola  ts; tc", {480, 7200, 1920, 750}, Command::ComputeTimes,
           "Calcola i tempi di scarica e di carica del circuito reale"),
    Button(Command2, "Grafici", {8520, 6480, 1815, 735}, Command::PlotWaveforms,
           "Disegna vc(t) e vo(t) a regime nella finestra dei grafici"),
    Button(Command3, "Esci", {8520, 7560, 1815, 375}, Command::ExitProgram, "Chiude il programma"),
    Button(Command4, "Calcola Rc e Rs", {11760, 2760, 1815, 495}, Command::DesignResistors,
           "Progetta Rc e Rs del circuito ideale da C, tc e ts"),
    Button(Command5, "Ostrevo ideale, dati esempio", {12000, 5160, 1935, 735}, Command::FillIdealExample,
           "Scrive nei campi i dati d'esempio del circuito ideale"),
    Button(Command6, "Ostrevo reale, dati esempio", {12000, 6480, 1935, 735}, Command::FillRealExample,
           "Scrive nei campi i dati d'esempio del circuito reale"),
};

inline constexpr ControlName kTabOrder[]{
    Text1,  Text2,  Text3,  Text4,  Command1, Text6,  Command2, Text8,  Command3, Text9,   Text10,
    Text11, Text12, Text5,  Text14, Command4, Text13, Text15,   Text16, Command5, Command6,
};

// Each value with the labels that name it and give its unit, for the list.
inline constexpr LabelledValue kLabelledValues[]{
    {Text1, Label1, Label17},   {Text2, Label2, Label14},   {Text9, Label21, Label20},  {Text10, Label23, Label22},
    {Text11, Label25, Label24}, {Text12, Label27, Label26}, {Text8, Label15, Label16},  {Text3, Label3, Label18},
    {Text4, Label4, Label19},   {Text5, Label5, Label28},   {Text6, Label6, {}},        {Text16, Label44, {}},
    {Label9, Label10, Label7},  {Label11, Label12, Label8}, {Text14, Label33, Label32}, {Text13, Label38, Label39},
    {Text15, Label40, Label41}, {Label31, Label37, Label36}, {Label30, Label34, Label35},
};

// The list: the real circuit's values, each command followed by what it
// writes; then the design block; then the examples, the schematic, the
// credit and, last, "Esci", which ends the program.
inline constexpr ControlName kCheckSection[]{Text1,    Text2,  Text9,   Text10, Text11, Text12, Text8,    Text3,
                                             Text4,    Text5,  Text6,   Text16, Command1, Label9, Label11, Command2};
inline constexpr ControlName kDesignSection[]{Label29, Text14, Text13, Text15, Command4, Label31, Label30};
inline constexpr ControlName kRestSection[]{Command5, Command6, Image1, Label67, Command3};
inline constexpr ListSection kListSections[]{
    {Label42, kCheckSection},
    {Label43, kDesignSection, Shape1},
    {{}, kRestSection},
};

}  // namespace detail

inline constexpr Form kForm{Form1, "Ostrevo reale", {0, 0, 14895, 8460}, "", FontWeight::Regular,
                            detail::kControls, detail::kTabOrder, {detail::kListSections, detail::kLabelledValues}};
static_assert(NamesAreControls(kForm));

// The field that holds what `id` names.
constexpr ControlName FieldControl(FieldId id) {
    for (const Control& control : kForm.controls) {
        if (control.field == id) return control.name;
    }
    return {};
}

namespace detail {
// Every field of the table has one control.
constexpr bool EveryFieldOnce() {
    for (int id = 0; id <= static_cast<int>(FieldId::DesignTs); ++id) {
        int controls = 0;
        for (const Control& control : kForm.controls) controls += control.field == static_cast<FieldId>(id);
        if (controls != 1) return false;
    }
    return true;
}
}  // namespace detail
static_assert(detail::EveryFieldOnce());
static_assert(EveryControlListedOnce(kForm));

// What an example button writes: each field it fills and the text.
struct ControlText {
    ControlName control;
    std::string text;  // UTF-8
};
std::vector<ControlText> ExampleFilling(Example example);

}  // namespace ostrevo::form1
