#include "page_program.h"

#include <emscripten/bind.h>

#include <utility>

#include "circuit_link.h"
#include "main_form.h"
#include "page_description.h"
#include "sampling_glue.h"
#include "waveform_form.h"

namespace ostrevo::web {
namespace {

const Form& FormNamed(std::string_view window) { return window == form1::Form1 ? form1::kForm : form2::kForm; }

// What a click on a control runs: its button's command, or nothing.
Command CommandOf(std::string_view window, std::string_view control) {
    const Control* found = FindControl(FormNamed(window), ControlName(control));
    return found ? found->command : Command::None;
}

}  // namespace

std::u16string PageMainForm::text(ControlName control) const { return face_.text(form1::Form1, control); }

void PageMainForm::setText(ControlName control, const std::string& utf8) {
    face_.setText(form1::Form1, control, utf8);
}

void PageMainForm::setTextColour(ControlName control, Rgb colour) {
    face_.setTextColour(form1::Form1, control, colour);
}

PageProgram::PageProgram(emscripten::val face, std::string decimalSeparator)
    : face_(std::move(face)),
      form_(face_),
      plot_(face_, decimalSeparator),
      commands_(form_, messages_, decimalSeparator) {}

std::vector<std::string> PageProgram::click(const std::string& window, const std::string& control) {
    runGuarded(&PageProgram::run, CommandOf(window, control));
    return messages_.take();
}

std::vector<std::string> PageProgram::openLink(const std::string& query) {
    const CircuitLink link = ParseLink(query);
    FillFields(link, form_);
    if (link.unknownCommand) messages_.show(UnknownCommandMessage(*link.unknownCommand));
    std::vector<std::string> buttons;
    for (const Command command : link.run) buttons.emplace_back(ButtonOf(command).text());
    return buttons;
}

std::string PageProgram::shownQuery(bool plotShown) const { return LinkQuery(ShownLink(form_, plotShown)); }

void PageProgram::runGuarded(void (PageProgram::*action)(Command), Command command) {
    // The commands end every stop of theirs in a message; whatever escapes
    // the page's own steps must not take the page down with it.
    try {
        (this->*action)(command);
    } catch (...) {
        face_.commandFailed();
    }
}

void PageProgram::run(Command command) {
    if (commands_.runButton(command, plot_)) return;
    if (command == Command::ExitProgram) {
        plot_.unload();
        face_.endProgram();
    }
    if (command == Command::CloseWindow) plot_.unload();
}

bool PageProgram::startsPlot(const std::string& window, const std::string& control) const {
    return CommandOf(window, control) == Command::PlotWaveforms;
}

emscripten::val PageProgram::beginPlot(int workers) {
    abandonPlot();
    const std::optional<SamplingJob> job = commands_.beginPlot(plot_, workers);
    if (!job) return emscripten::val::null();
    sampling_ = std::make_unique<PlotSampling>(*job);
    merged_ = std::make_unique<SamplingMerge>(sampling_->chunkCount());
    return JobToJs(*job);
}

double PageProgram::chunkCount() const { return sampling_ ? static_cast<double>(sampling_->chunkCount()) : 0; }

void PageProgram::addChunk(double index, const emscripten::val& outcome) {
    if (merged_) merged_->add(static_cast<std::int64_t>(index), OutcomeFromJs(outcome));
}

bool PageProgram::needsChunk(double index) const {
    return merged_ && merged_->needs(static_cast<std::int64_t>(index));
}

bool PageProgram::plotSampled() const { return merged_ && merged_->complete(); }

double PageProgram::doneFraction() const { return merged_ ? merged_->doneFraction() : 0; }

void PageProgram::finishPlot() {
    if (!plotSampled()) return;
    commands_.finishPlot(plot_, *sampling_, *merged_);
    abandonPlot();
}

void PageProgram::abandonPlot() {
    merged_.reset();
    sampling_.reset();
}

void PageProgram::closeWindow(const std::string& window) {
    if (window == form2::Form2.text()) runGuarded(&PageProgram::run, Command::CloseWindow);
}

template <typename Action>
void PageProgram::readGuarded(Action action) {
    try {
        action(plot_.readout());
    } catch (...) {
        face_.commandFailed();
    }
}

void PageProgram::pointerAt(double deviceX, double deviceY) {
    readGuarded([=](PlotReadout& readout) { readout.pointerAt(deviceX, deviceY); });
}

void PageProgram::press(ReadoutKey key) {
    readGuarded([=](PlotReadout& readout) { readout.press(key); });
}

void PageProgram::followSound(double deviceColumn) {
    readGuarded([=](PlotReadout& readout) { readout.followSound(static_cast<std::int64_t>(deviceColumn)); });
}

emscripten::val PageProgram::sound(int sampleRate) const {
    using emscripten::val;
    try {
        const AudioTrace trace = plot_.readout().sound(sampleRate);
        val sound = val::object();
        sound.set("sampleRate", trace.sampleRate);
        sound.set("firstColumn", static_cast<double>(trace.firstColumn));
        sound.set("secondsPerColumn", trace.secondsPerColumn);
        // A copy: the view into the module's memory lasts only until it grows.
        sound.set("pcm", val::global("Float32Array").new_(emscripten::typed_memory_view(trace.pcm.size(), trace.pcm.data())));
        return sound;
    } catch (...) {
        return val::null();
    }
}

emscripten::val PageProgram::pictureBytes() {
    const std::span<const std::uint8_t> bytes = plot_.rgbaPixels();
    return emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

}  // namespace ostrevo::web

EMSCRIPTEN_BINDINGS(ostrevo_page) {
    using ostrevo::web::PageProgram;
    // For the site's build, which writes it into description.json.
    emscripten::function("describe", &ostrevo::web::DescribeWindows);
    emscripten::register_vector<std::string>("Messages");
    using ostrevo::ReadoutKey;
    emscripten::enum_<ReadoutKey>("ReadoutKey")
        .value("ColumnLeft", ReadoutKey::ColumnLeft)
        .value("ColumnRight", ReadoutKey::ColumnRight)
        .value("TenthLeft", ReadoutKey::TenthLeft)
        .value("TenthRight", ReadoutKey::TenthRight)
        .value("FirstColumn", ReadoutKey::FirstColumn)
        .value("LastColumn", ReadoutKey::LastColumn)
        .value("UpperTrace", ReadoutKey::UpperTrace)
        .value("LowerTrace", ReadoutKey::LowerTrace)
        .value("PreviousSwitch", ReadoutKey::PreviousSwitch)
        .value("NextSwitch", ReadoutKey::NextSwitch);
    emscripten::class_<PageProgram>("Program")
        .constructor<emscripten::val, std::string>()
        .function("click", &PageProgram::click)
        .function("stopped", &PageProgram::stopped)
        .function("openLink", &PageProgram::openLink)
        .function("shownQuery", &PageProgram::shownQuery)
        .function("startsPlot", &PageProgram::startsPlot)
        .function("beginPlot", &PageProgram::beginPlot)
        .function("chunkCount", &PageProgram::chunkCount)
        .function("addChunk", &PageProgram::addChunk)
        .function("needsChunk", &PageProgram::needsChunk)
        .function("plotSampled", &PageProgram::plotSampled)
        .function("doneFraction", &PageProgram::doneFraction)
        .function("finishPlot", &PageProgram::finishPlot)
        .function("abandonPlot", &PageProgram::abandonPlot)
        .function("takeMessages", &PageProgram::takeMessages)
        .function("pointerAt", &PageProgram::pointerAt)
        .function("press", &PageProgram::press)
        .function("followSound", &PageProgram::followSound)
        .function("sound", &PageProgram::sound)
        .function("closeWindow", &PageProgram::closeWindow)
        .function("resizePicture", &PageProgram::resizePicture)
        .function("pictureBytes", &PageProgram::pictureBytes)
        .function("pictureWidth", &PageProgram::pictureWidth)
        .function("pictureHeight", &PageProgram::pictureHeight);
}
