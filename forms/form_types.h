#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fields.h"

namespace ostrevo {

// A colour as the windows were designed with it.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The object name of a control of a window ("Text1", "Label9", ...). The
// descriptions of the windows name every control once (form1::Label9,
// form2::Picture1); everything else takes the name from there, so that a
// control that does not exist does not compile.
class ControlName {
public:
    constexpr ControlName() = default;  // no control: the window itself
    explicit constexpr ControlName(std::string_view text) : text_(text) {}
    constexpr std::string_view text() const { return text_; }
    constexpr operator std::string_view() const { return text_; }
    constexpr bool empty() const { return text_.empty(); }
    friend constexpr bool operator==(ControlName, ControlName) = default;

private:
    std::string_view text_;
};

// The program's name: the title of every message box.
inline constexpr std::string_view kApplicationTitle = "Ostrevo";
// The caption of a message box's one button.
inline constexpr std::string_view kMessageBoxButton = "OK";

// The designed ground and text of fields, and of an option button's indicator.
inline constexpr Rgb kFieldGround{255, 255, 255};
inline constexpr Rgb kFieldText{0, 0, 0};

// Places and sizes are in twips: 1/1440 inch, 15 twips to one pixel at 96
// dots per inch (a face scales them as it scales pixels).
inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, halves up.
constexpr int TwipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Left, Top, Width and Height of a control, in twips, from the inner corner of
// its container (inside the container's border).
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind {
    Label,         // a caption or a value box the program writes
    TextField,     // a one-line field the user types into
    Button,        // a push button; it runs its Command
    OptionButton,  // one of a group of option buttons of the same container
    Plot,          // a picture area the plot is drawn into, in the user coordinates of plot_mapping.h
    PictureBox,    // a picture area that holds only the labels placed in it
    Image,         // a picture drawn from the vector image `image`, scaled to the control
    Shape,         // a rectangle outline drawn beneath the controls it frames
};

// What a button runs. The last two are the face's own (they end the program
// or close a window); the others are CircuitCommands.
enum class Command {
    None,
    ComputeTimes,      // "Calcola  ts; tc"
    PlotWaveforms,     // "Grafici"
    DesignResistors,   // "Calcola Rc e Rs"
    FillIdealExample,  // "Ostrevo ideale, dati esempio"
    FillRealExample,   // "Ostrevo reale, dati esempio"
    ExitProgram,       // "Esci" of the main window: every window goes at once, without asking
    CloseWindow,       // "Esci" of the waveform window: it is unloaded
};

// The horizontal place of a caption. Vertically a label's caption sits at
// the top, a field's text and a button's caption in the middle.
enum class Alignment { Left, Right, Center };

enum class Border {
    None,
    Single,    // a one-pixel line in the desktop's dark shade
    Sunken,    // the platform's sunken three-dimensional border, two pixels
    Standard,  // the frame the platform draws around a field or a button
};

// What a control fills its background with.
enum class Fill {
    Window,     // nothing of its own: the desktop's window colour shows
    LightFace,  // the light face of the platform's own palette, whatever the desktop's scheme
    Colour,     // Looks::background
};

enum class FontWeight { Regular, Bold };

// The face every control is designed for, 8.25 pt (11 pixels at 96 DPI), and
// the faces that stand in for it where it is missing: Liberation Sans is
// about 8 % narrower, so every designed caption fits (the usual fallback,
// DejaVu Sans, is about 6 % wider and clips some); Arimo is the same design
// under another name.
struct Font {
    const char* family;
    std::array<const char*, 2> substitutes;
    double points;
    int pixels;
};
inline constexpr Font kControlFont{"MS Sans Serif", {"Liberation Sans", "Arimo"}, 8.25, 11};

// How a control looks. A control with a background of its own (Fill::Colour or
// LightFace) keeps every colour of its own under any desktop scheme, so that its
// text stays readable under a dark one too.
struct Looks {
    Fill fill = Fill::Window;
    Rgb background{};           // with Fill::Colour
    std::optional<Rgb> text{}; // none: the desktop's text colour
    Border border = Border::None;
    Alignment alignment = Alignment::Left;
    bool wraps = false;         // the caption wraps at blanks only, as many words on a line as fit
    FontWeight weight = FontWeight::Bold;
    int lineWidth = 0;          // a Shape's outline, in pixels, in the colour `text`
};

// What assistive technology is told about a control.
enum class AccessibleRole {
    None,     // nothing of the program's own: the platform tells what it shows
    Control,  // a field, a button or an option button
    Result,   // a label showing a value: the name says what it is, the text is the value
    Picture,  // a drawing: a graphic, described
};
struct Accessible {
    AccessibleRole role = AccessibleRole::None;
    const char* name = nullptr;  // UTF-8; none: AccessibleName() makes it from the field or the caption
    const char* description = "";
};

// One control of a window.
struct Control {
    ControlName name;
    ControlKind kind = ControlKind::Label;
    const char* caption = "";  // UTF-8; a field's text when the window opens
    Twips place{};
    ControlName container{};   // a picture area, or none: the window
    Looks looks{};
    Accessible accessible{};
    Command command = Command::None;  // a button's
    std::optional<FieldId> field{};   // a field of the circuit's table
    bool visible = true;
    bool checked = false;   // an option button selected when the window opens
    const char* image = ""; // an Image's vector picture, a file of assets/
};

// A value of a window with the labels that name it and give its unit, for a
// layout as a list (a narrow screen), where each row shows all three.
struct LabelledValue {
    ControlName value;    // a field or a result
    ControlName caption;  // the label naming it
    ControlName unit;     // the label of its unit; none for counts
};

// One section of a window laid out as a list: a heading label (or none) and
// the controls under it in the order they are read and visited. A value of the
// list's LabelledValues stands in one row with its caption and unit.
struct ListSection {
    ControlName heading;
    std::span<const ControlName> controls;
    ControlName frame{};     // a Shape drawn around the section, or none
    bool sideBySide = false; // the controls stand side by side in one row (the plot and its scale)
};

// A window as a list, for a screen too narrow for its designed layout.
struct ListLayout {
    std::span<const ListSection> sections;
    std::span<const LabelledValue> labelledValues;
};

// One window.
struct Form {
    ControlName name;
    const char* caption;  // the title
    Twips client;         // the size of its inner area (left and top 0)
    const char* icon;     // a vector picture of assets/ for the title bar, "" for the application's
    FontWeight weight;    // of the window's own font, which controls without a font of their own use
    // In the order they are created: a later control lies above an earlier one.
    std::span<const Control> controls;
    // The order in which Tab visits the controls; the window opens with the
    // focus on the first. An option group is entered at its selected button.
    std::span<const ControlName> tabOrder;
    // The window as a list; on a narrow screen the list is also the order Tab follows.
    ListLayout list{};
};

// What assistive technology calls a control: its own accessible name, or for a
// field the quantity and its unit ("Vcc [V]"), or else its caption.
std::string AccessibleName(const Control& control);

// The control of `form` called `name`; nullptr when there is none.
constexpr const Control* FindControl(const Form& form, ControlName name) {
    for (const Control& control : form.controls) {
        if (control.name == name) return &control;
    }
    return nullptr;
}

// Whether `form` has a control called `name`. Compares names only: GCC's
// null-pointer sanitizer makes a pointer comparison unusable in a constant
// expression, and the checks below run at compile time.
constexpr bool HasControl(const Form& form, ControlName name) {
    for (const Control& control : form.controls) {
        if (control.name == name) return true;
    }
    return false;
}

// Every name of a tab order, a container or the list is a control of its form.
constexpr bool NamesAreControls(const Form& form) {
    for (const ControlName name : form.tabOrder) {
        if (!HasControl(form, name)) return false;
    }
    for (const Control& control : form.controls) {
        if (!control.container.empty() && !HasControl(form, control.container)) return false;
    }
    for (const LabelledValue& row : form.list.labelledValues) {
        for (const ControlName name : {row.value, row.caption, row.unit}) {
            if (!name.empty() && !HasControl(form, name)) return false;
        }
    }
    for (const ListSection& section : form.list.sections) {
        for (const ControlName name : section.controls) {
            if (!HasControl(form, name)) return false;
        }
    }
    return true;
}

// How many times the sections of `form` name `name` as a heading, a frame or a
// listed control.
constexpr int TimesInSections(const Form& form, ControlName name) {
    int times = 0;
    for (const ListSection& section : form.list.sections) {
        times += (section.heading == name) + (section.frame == name);
        for (const ControlName listed : section.controls) times += listed == name;
    }
    return times;
}

// How many times the list of `form` shows `name`: in its sections, or as the
// caption or unit of a listed value. (Counted value by value, not section by
// section, so that the check stays within the compilers' constexpr budgets.)
constexpr int TimesListed(const Form& form, ControlName name) {
    int times = TimesInSections(form, name);
    for (const LabelledValue& row : form.list.labelledValues) {
        if (row.caption == name || row.unit == name) {
            times += ((row.caption == name) + (row.unit == name)) * TimesInSections(form, row.value);
        }
    }
    return times;
}

// The list shows every visible control that lies directly on the window once,
// and nothing else: a control inside a picture area goes with its area.
constexpr bool EveryControlListedOnce(const Form& form) {
    for (const Control& control : form.controls) {
        const int expected = control.visible && control.container.empty() ? 1 : 0;
        if (TimesListed(form, control.name) != expected) return false;
    }
    return true;
}

}  // namespace ostrevo

// Declares the object name of one control, spelled once.
#define OSTREVO_CONTROL_NAME(name) inline constexpr ::ostrevo::ControlName name{#name};
