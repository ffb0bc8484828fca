#pragma once
#include <array>

#include "form_types.h"
#include "looks.h"

// The waveform window, Form2: the plot Picture1 with its time labels, the
// voltage scale Picture3, the readout of the trace under the pointer and "Esci".
namespace ostrevo::form2 {

// The colour of lines drawn on Picture1 without one of their own (its frame,
// the ticks): the picture's foreground.
inline constexpr Rgb kPlotForeground{0, 0, 0};

OSTREVO_CONTROL_NAME(Form2)
OSTREVO_CONTROL_NAME(Picture1)
OSTREVO_CONTROL_NAME(Picture2)
OSTREVO_CONTROL_NAME(Picture3)
OSTREVO_CONTROL_NAME(Option1)
OSTREVO_CONTROL_NAME(Option3)
OSTREVO_CONTROL_NAME(Command1)
OSTREVO_CONTROL_NAME(Label1)
OSTREVO_CONTROL_NAME(Label2)
OSTREVO_CONTROL_NAME(Label3)
OSTREVO_CONTROL_NAME(Label4)
OSTREVO_CONTROL_NAME(Label5)
OSTREVO_CONTROL_NAME(Label6)
OSTREVO_CONTROL_NAME(Label7)
OSTREVO_CONTROL_NAME(Label8)
OSTREVO_CONTROL_NAME(Label9)
OSTREVO_CONTROL_NAME(Label11)
OSTREVO_CONTROL_NAME(Label12)
OSTREVO_CONTROL_NAME(Label13)
OSTREVO_CONTROL_NAME(Label14)
OSTREVO_CONTROL_NAME(Label16)
OSTREVO_CONTROL_NAME(Label17)
OSTREVO_CONTROL_NAME(Label18)
OSTREVO_CONTROL_NAME(Label19)
OSTREVO_CONTROL_NAME(Label21)
OSTREVO_CONTROL_NAME(Label28)
OSTREVO_CONTROL_NAME(Label29)
OSTREVO_CONTROL_NAME(Label30)
OSTREVO_CONTROL_NAME(Label32)
OSTREVO_CONTROL_NAME(Label33)
OSTREVO_CONTROL_NAME(Label40)
OSTREVO_CONTROL_NAME(Label67)

// The colours of the two traces, which their zero lines, their option buttons
// and their readouts share: vc(t) red, vo(t) blue.
inline constexpr Rgb kVcColour{255, 0, 0};
inline constexpr Rgb kVoColour{0, 0, 255};

namespace detail {
using K = ControlKind;

constexpr Control Label(ControlName name, const char* caption, Twips place, Looks look = looks::kPlain,
                        ControlName container = {}) {
    return {.name = name, .caption = caption, .place = place, .container = container, .looks = look};
}
// A label the plot command writes and places, inside a picture area.
constexpr Control Placed(ControlName name, ControlName container, const char* caption, Twips place,
                         Looks look = looks::kPlain) {
    return Label(name, caption, place, look, container);
}
constexpr Control ValueBox(ControlName name, Twips place, const char* accessibleName, const char* description) {
    return {.name = name, .place = place, .looks = looks::kValueBox,
            .accessible = {AccessibleRole::Result, accessibleName, description}};
}

inline constexpr Control kControls[]{
    {.name = Picture1, .kind = K::Plot, .place = {1080, 240, 13875, 9555}, .looks = looks::kPlot,
     .accessible = {AccessibleRole::Picture, "Grafico delle forme d'onda",
                    "Forme d'onda a regime su NP periodi: in alto, in rosso, la tensione sul condensatore vc(t) tra v- "
                    "e v+; in basso, in blu, la tensione d'uscita vo(t) tra 0 e Vcc. L'asse orizzontale è il tempo in "
                    "microsecondi. Muovendo il puntatore sul grafico si leggono tempo e tensione della traccia scelta "
                    "a destra."}},
    // The time origin and the three time labels, on the plot's colour.
    Placed(Label5, Picture1, "0", {0, 9240, 330, 225}, looks::kOnPlot),
    Placed(Label2, Picture1, "Label2", {2940, 8295, 1380, 225}, looks::kOnPlot),
    Placed(Label1, Picture1, "Label1", {6825, 8295, 1485, 225}, looks::kOnPlot),
    Placed(Label3, Picture1, "Label3", {10080, 8400, 1275, 225}, looks::kOnPlot),
    // The voltage scale: it reads as the plot's vertical axis, no border of its own.
    {.name = Picture3, .kind = K::PictureBox, .place = {0, 360, 1065, 9315},
     .accessible = {AccessibleRole::Picture, "Scala delle tensioni",
                    "Etichette dell'asse verticale: v+ e v- per vc(t), Vcc e 0 per vo(t)"}},
    Placed(Label6, Picture3, "Label6", {210, 105, 750, 225}),
    Placed(Label7, Picture3, "Label7", {210, 1050, 645, 225}),
    Placed(Label8, Picture3, "Label8", {210, 3360, 750, 225}),
    Placed(Label12, Picture3, "Label12", {105, 4515, 855, 240}),
    Placed(Label11, Picture3, "Label11", {120, 4920, 735, 255}),
    Placed(Label13, Picture3, "Label13", {120, 5280, 855, 255}),
    Placed(Label4, Picture3, "Label4", {120, 8880, 855, 255}),
    {.name = Option1, .kind = K::OptionButton, .caption = "vc(t)", .place = {15600, 480, 1170, 330},
     .looks = looks::Option(kVcColour),
     .accessible = {AccessibleRole::Control, "vc(t) tensione sul condensatore", "Legge col puntatore la traccia rossa vc(t)"},
     .checked = true},
    {.name = Option3, .kind = K::OptionButton, .caption = "vo(t)", .place = {15720, 2280, 1275, 330},
     .looks = looks::Option(kVoColour),
     .accessible = {AccessibleRole::Control, "vo(t) tensione d'uscita", "Legge col puntatore la traccia blu vo(t)"}},
    // The rows of both readouts, the caption under the plot and the credit line.
    Label(Label19, "t", {15600, 960, 240, 225}),
    ValueBox(Label16, {16005, 900, 1380, 330}, "t [usec] lettura vc(t)", "Tempo sotto il puntatore sulla traccia vc(t)"),
    Label(Label9, "[usec]", {17520, 960, 615, 255}),
    Label(Label21, "Vc(t)", {15480, 1320, 450, 225}),
    ValueBox(Label17, {16005, 1320, 1380, 330}, "Vc(t) [V] lettura", "Tensione sul condensatore sotto il puntatore"),
    Label(Label28, "[V]", {17520, 1320, 330, 225}),
    Label(Label30, "t", {15600, 2805, 225, 225}),
    ValueBox(Label29, {16005, 2700, 1380, 330}, "t [usec] lettura vo(t)", "Tempo sotto il puntatore sulla traccia vo(t)"),
    Label(Label18, "[usec]", {17520, 2760, 615, 255}),
    Label(Label33, "Vo(t)", {15480, 3225, 450, 225}),
    ValueBox(Label32, {16005, 3120, 1380, 330}, "Vo(t) [V] lettura", "Tensione d'uscita sotto il puntatore"),
    Label(Label40, "[V]", {17520, 3120, 330, 225}),
    Label(Label14, "Forme d'onda a regime", {6480, 9840, 4320, 225}),
    Label(Label67, "Ostrevo didattico", {15960, 9720, 1575, 285}, looks::kCredit),
    {.name = Command1, .kind = K::Button, .caption = "Esci", .place = {16110, 8250, 1275, 435},
     .looks = looks::kButton,
     .accessible = {AccessibleRole::Control, nullptr, "Chiude la finestra dei grafici"},
     .command = Command::CloseWindow},
    // The empty picture that erases Picture1; never shown.
    {.name = Picture2, .kind = K::PictureBox, .place = {14640, 9840, 330, 330}, .looks = looks::kSunken,
     .visible = false},
};

inline constexpr ControlName kTabOrder[]{Picture1, Picture3, Command1, Option1, Option3};

// Each readout box with the labels that name it and give its unit, for the list.
inline constexpr LabelledValue kLabelledValues[]{
    {Label16, Label19, Label9},
    {Label17, Label21, Label28},
    {Label29, Label30, Label18},
    {Label32, Label33, Label40},
};

// The list on a phone: the plot with its voltage scale beside it across the
// screen, its caption, then each trace's option button with its readout (what a
// finger on the plot writes stays in view under it), the credit and, last, "Esci".
inline constexpr ControlName kPlotSection[]{Picture3, Picture1};
inline constexpr ControlName kReadoutSection[]{Label14, Option1, Label16, Label17, Option3, Label29, Label32,
                                               Label67, Command1};
inline constexpr ListSection kListSections[]{
    {.heading = {}, .controls = kPlotSection, .sideBySide = true},
    {{}, kReadoutSection},
};

}  // namespace detail

inline constexpr Form kForm{Form2, "ostrevo", {0, 0, 18285, 10320}, "fuel_pump.svg", FontWeight::Regular,
                            detail::kControls, detail::kTabOrder, {detail::kListSections, detail::kLabelledValues}};
static_assert(NamesAreControls(kForm));
static_assert(EveryControlListedOnce(kForm));

// The readout of one half of the plot: moving the pointer over that half
// selects its option button, writes the time and the voltage under the pointer
// into its two boxes, the voltage in the trace's colour (the time stays
// black), and clears the two boxes of the other half. The same text goes into
// the tool tip of Picture1.
struct Readout {
    ControlName option;
    ControlName time;     // usec
    ControlName voltage;  // V
    Rgb voltageColour;
};

// The upper half (vc(t)), then the lower half (vo(t)), in the order of Trace.
// The readout cursor over the plot: dark grey, 10:1 against the plot's light
// yellow, a colour no trace or frame is drawn in.
inline constexpr Rgb kReadoutCursorColour{0x40, 0x40, 0x40};

inline constexpr std::array<Readout, 2> kReadouts{{
    {Option1, Label16, Label17, kVcColour},
    {Option3, Label29, Label32, kVoColour},
}};

}  // namespace ostrevo::form2
