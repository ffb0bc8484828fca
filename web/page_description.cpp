#include "page_description.h"

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string_view>

#include "catalogue.h"
#include "long_work.h"
#include "main_form.h"
#include "page_face.h"
#include "waveform_form.h"

namespace ostrevo::web {
namespace {

// A small JSON writer: objects and arrays are opened and closed by hand,
// commas come by themselves.
class Json {
public:
    Json& open(char bracket) {
        separate();
        out_ += bracket;
        fresh_ = true;
        return *this;
    }
    Json& close(char bracket) {
        out_ += bracket;
        fresh_ = false;
        return *this;
    }
    Json& key(std::string_view name) {
        value(name);
        out_ += ':';
        fresh_ = true;
        return *this;
    }
    Json& value(std::string_view text) {
        separate();
        out_ += '"';
        for (const char c : text) escape(c);
        out_ += '"';
        return *this;
    }
    Json& value(const char* text) { return value(std::string_view(text)); }
    Json& value(double number) {
        separate();
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", number);
        out_ += digits;
        return *this;
    }
    Json& value(bool flag) {
        separate();
        out_ += flag ? "true" : "false";
        return *this;
    }
    Json& null() {
        separate();
        out_ += "null";
        return *this;
    }
    template <typename T>
    Json& field(std::string_view name, T content) {
        key(name);
        return value(content);
    }
    std::string take() { return std::move(out_); }

private:
    void separate() {
        if (!fresh_) out_ += ',';
        fresh_ = false;
    }
    void escape(char c) {
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            out_ += code;
        } else {
            out_ += c;
        }
    }

    std::string out_;
    bool fresh_ = true;
};

// Twips as CSS pixels: 15 twips to one pixel at 96 dots per inch, which is
// what a CSS pixel is.
double CssPixels(int twips) { return static_cast<double>(twips) / kTwipsPerPixel; }

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label: return "label";
        case ControlKind::TextField: return "field";
        case ControlKind::Button: return "button";
        case ControlKind::OptionButton: return "option";
        case ControlKind::Plot: return "picture";
        case ControlKind::PictureBox: return "picture";
        case ControlKind::Image: return "image";
        case ControlKind::Shape: return "shape";
    }
    return "label";
}

const char* BorderName(Border border) {
    switch (border) {
        case Border::None: return "none";
        case Border::Single: return "single";
        case Border::Sunken: return "sunken";
        case Border::Standard: return "standard";
    }
    return "none";
}

const char* AlignmentName(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left: return "left";
        case Alignment::Right: return "right";
        case Alignment::Center: return "center";
    }
    return "left";
}

const char* RoleName(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::None: return "";
        case AccessibleRole::Control: return "control";
        case AccessibleRole::Result: return "result";
        case AccessibleRole::Picture: return "picture";
    }
    return "";
}

void WriteLooks(Json& json, const Looks& looks) {
    json.key("background");
    if (looks.fill == Fill::Colour) json.value(CssColour(looks.background));
    else json.null();
    json.field("lightFace", looks.fill == Fill::LightFace);
    json.key("color");
    if (looks.text) json.value(CssColour(*looks.text));
    else json.null();
    json.field("border", BorderName(looks.border));
    json.field("align", AlignmentName(looks.alignment));
    json.field("wraps", looks.wraps);
    json.field("bold", looks.weight == FontWeight::Bold);
    json.field("lineWidth", static_cast<double>(looks.lineWidth));
}

void WriteControl(Json& json, const Control& control) {
    json.open('{');
    json.field("name", control.name.text());
    json.field("kind", KindName(control.kind));
    json.field("plot", control.kind == ControlKind::Plot);
    json.field("container", control.container.text());
    json.field("text", control.caption);
    json.field("left", CssPixels(control.place.left));
    json.field("top", CssPixels(control.place.top));
    json.field("width", CssPixels(control.place.width));
    json.field("height", CssPixels(control.place.height));
    WriteLooks(json, control.looks);
    json.field("hidden", !control.visible);
    json.field("checked", control.checked);
    json.field("accessibleName", AccessibleName(control));
    json.field("description", control.accessible.description);
    json.field("role", RoleName(control.accessible.role));
    json.field("source", control.image);
    json.close('}');
}

void WriteNames(Json& json, std::string_view key, std::span<const ControlName> names) {
    json.key(key).open('[');
    for (const ControlName name : names) json.value(name.text());
    json.close(']');
}

// The window as a list: its sections in order, each with its heading, its
// controls and its frame, and which labels name each value and give its unit.
void WriteList(Json& json, const ListLayout& list) {
    json.key("list").open('{');
    json.key("sections").open('[');
    for (const ListSection& section : list.sections) {
        json.open('{').field("heading", section.heading.text());
        WriteNames(json, "controls", section.controls);
        json.field("frame", section.frame.text()).field("sideBySide", section.sideBySide);
        json.close('}');
    }
    json.close(']');
    json.key("labelledValues").open('[');
    for (const LabelledValue& row : list.labelledValues) {
        json.open('{').field("value", row.value.text()).field("caption", row.caption.text());
        json.field("unit", row.unit.text()).close('}');
    }
    json.close(']');
    json.close('}');
}

void WriteForm(Json& json, const Form& form) {
    json.key(form.name.text()).open('{');
    json.field("caption", form.caption);
    json.field("width", CssPixels(form.client.width));
    json.field("height", CssPixels(form.client.height));
    json.field("bold", form.weight == FontWeight::Bold);
    json.field("icon", form.icon);
    json.key("controls").open('[');
    for (const Control& control : form.controls) WriteControl(json, control);
    json.close(']');
    WriteNames(json, "tabOrder", form.tabOrder);
    WriteList(json, form.list);
    json.close('}');
}

void WriteFont(Json& json) {
    json.key("font").open('{');
    json.field("family", kControlFont.family);
    json.key("substitutes").open('[');
    for (const char* substitute : kControlFont.substitutes) json.value(substitute);
    json.close(']');
    json.field("size", static_cast<double>(kControlFont.pixels));
    json.close('}');
}

void WriteLongWork(Json& json) {
    json.key("longWork").open('{');
    json.field("showAfter", static_cast<double>(long_work::kShowAfterMilliseconds));
    json.field("update", static_cast<double>(long_work::kUpdateMilliseconds));
    json.field("stop", long_work::kStopCaption);
    json.field("progressName", long_work::kProgressName);
    json.close('}');
}

// The catalogue's entries by name, their placeholders unfilled: the page
// fills them (js/texts.js) with the values it says them with.
void WriteTexts(Json& json) {
    json.key("texts").open('{');
    for (const TextEntry& entry : TextCatalogue()) json.field(entry.name, entry.words);
    json.close('}');
}

}  // namespace

std::string DescribeWindows() {
    Json json;
    json.open('{');
    json.field("messageTitle", kApplicationTitle);
    json.field("messageButton", kMessageBoxButton);
    WriteFont(json);
    WriteLongWork(json);
    json.field("readoutCursor", CssColour(form2::kReadoutCursorColour));
    WriteTexts(json);
    json.key("windows").open('{');
    WriteForm(json, form1::kForm);
    WriteForm(json, form2::kForm);
    json.close('}').close('}');  // the windows, the whole
    return json.take();
}

}  // namespace ostrevo::web
