#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace ostrevo {

// Every sentence the program says that is not a control's caption: messages,
// spoken readouts, the plot's text alternative, menu items. Each entry has a
// stable name (the page looks entries up by it) and its words, in which a
// placeholder in braces, "{time}", stands for a value filled in when the
// sentence is said. A second language would be a second table of the same
// entries.
enum class Text {
    // The readout of the plot, spoken after each move of its cursor.
    ReadoutSpoken,
    ReadoutSpokenNoTrace,
    // The plot's text alternative, sentence by sentence.
    PlotDescribedTraces,
    PlotDescribedPeriod,
    PlotDescribedStop,
    PlotDescribedNoTraces,
    // The audio trace.
    AudioUnavailable,
    // The plot's context menu and its exports.
    ExportCopyPicture,
    ExportSavePng,
    ExportSaveSvg,
    ExportSaveCsv,
    ExportPngTitle,
    ExportSvgTitle,
    ExportCsvTitle,
    ExportPngFilter,
    ExportSvgFilter,
    ExportCsvFilter,
    ExportPngFileName,
    ExportSvgFileName,
    ExportCsvFileName,
    ExportClipboardRefused,
    ExportWriteFailed,
    ExportTooLargeForDownload,
    ExportNoSamples,
    ExportPlotChanged,
    // A link whose list of commands names one that does not exist.
    LinkUnknownCommand,
};

struct TextEntry {
    Text text;
    std::string_view name;
    std::string_view words;
};

// The whole catalogue, in the order of Text.
std::span<const TextEntry> TextCatalogue();

// The words of an entry, placeholders unfilled.
std::string_view Words(Text text);

// A placeholder's name, without braces, and the value it stands for.
struct Filling {
    std::string_view placeholder;
    std::string_view value;
};

// The entry's words with each placeholder replaced by its value. Values are
// put in as they are: braces inside a value are never read as placeholders.
std::string Say(Text text, std::initializer_list<Filling> fillings = {});

}  // namespace ostrevo
