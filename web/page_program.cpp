#include "page_program.h"

#include <emscripten/bind.h>

#include <utility>

#include "fields.h"
#include "page_description.h"

namespace ostrevo::web {
namespace {

constexpr std::string_view kMainWindow = "Form1";
constexpr std::string_view kPlotWindow = "Form2";
// The colours of the plot's picture area: its face and its drawing colour.
constexpr Rgb kPlotBackground{255, 255, 192};
constexpr Rgb kPlotForeground{0, 0, 0};

}  // namespace

std::u16string PageMainForm::text(std::string_view control) const { return face_.text(kMainWindow, control); }

void PageMainForm::setText(std::string_view control, const std::string& utf8) {
    face_.setText(kMainWindow, control, utf8);
}

void PageMainForm::setTextColour(std::string_view control, Rgb colour) {
    face_.setTextColour(kMainWindow, control, colour);
}

PageProgram::PageProgram(emscripten::val face, std::string decimalSeparator)
    : face_(std::move(face)),
      form_(face_),
      plot_(face_, kPlotBackground, kPlotForeground, decimalSeparator),
      commands_(form_, messages_, decimalSeparator) {}

std::vector<std::string> PageProgram::click(const std::string& window, const std::string& control) {
    runGuarded(window == kMainWindow ? &PageProgram::clickMain : &PageProgram::clickPlot, control);
    return messages_.take();
}

void PageProgram::runGuarded(void (PageProgram::*action)(const std::string&), const std::string& control) {
    // The commands end their own faults in messages; whatever else escapes
    // (memory the browser refuses, say) must not take the page down with it.
    try {
        (this->*action)(control);
    } catch (...) {
        face_.commandFailed();
    }
}

void PageProgram::clickMain(const std::string& control) {
    if (control == "Command1") commands_.computeTimes();
    if (control == "Command2") commands_.plotWaveforms(plot_);
    if (control == "Command3") {
        plot_.unload();
        face_.endProgram();
    }
    if (control == "Command4") commands_.designResistors();
    if (control == "Command5") fillExample(Example::Ideal);
    if (control == "Command6") fillExample(Example::Real);
}

void PageProgram::clickPlot(const std::string& control) {
    if (control == "Command1") plot_.unload();
}

void PageProgram::closeWindow(const std::string& window) {
    if (window == kPlotWindow) plot_.unload();
}

void PageProgram::pointerAt(double deviceX, double deviceY) {
    try {
        plot_.readOutAt(deviceX, deviceY);
    } catch (...) {
        face_.commandFailed();
    }
}

void PageProgram::fillExample(Example example) {
    for (const Field& field : kFields) {
        const char* text = ExampleText(field, example);
        if (*text != '\0') form_.setText(field.control, text);
    }
}

emscripten::val PageProgram::pictureBytes() {
    const std::vector<std::uint8_t>& bytes = plot_.rgbaPixels();
    return emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

}  // namespace ostrevo::web

EMSCRIPTEN_BINDINGS(ostrevo_page) {
    using ostrevo::web::PageProgram;
    emscripten::function("describe", &ostrevo::web::DescribeWindows);
    emscripten::register_vector<std::string>("Messages");
    emscripten::class_<PageProgram>("Program")
        .constructor<emscripten::val, std::string>()
        .function("click", &PageProgram::click)
        .function("pointerAt", &PageProgram::pointerAt)
        .function("closeWindow", &PageProgram::closeWindow)
        .function("resizePicture", &PageProgram::resizePicture)
        .function("pictureBytes", &PageProgram::pictureBytes)
        .function("pictureWidth", &PageProgram::pictureWidth)
        .function("pictureHeight", &PageProgram::pictureHeight);
}
