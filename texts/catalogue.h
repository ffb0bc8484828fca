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
// sentence is said: a number, or a name such as "vc(t)" or "Rc" that is the
// same in every language. A piece of a sentence that is words ("la corrente
// di carica") is an entry of its own, filled in by its name's words. A second
// language would be a second table of the same entries.
//
// The windows' captions and accessible names are not here: each window's
// description (main_form.h, waveform_form.h, long_work.h for the strip of a
// long command, fields.h for each field's quantity and unit) is their one
// home, which both faces lay out from.
enum class Text {
    // The entry check's two messages for each field, and what "Impossibile
    // leggere" names when the field's number cannot be read, in the order of
    // FieldId.
    VccMissing,
    VccInvalid,
    VccSubject,
    RcMissing,
    RcInvalid,
    RcSubject,
    RsMissing,
    RsInvalid,
    RsSubject,
    RoHMissing,
    RoHInvalid,
    RoHSubject,
    RoLMissing,
    RoLInvalid,
    RoLSubject,
    CiMissing,
    CiInvalid,
    CiSubject,
    CMissing,
    CInvalid,
    CSubject,
    VPlusMissing,
    VPlusInvalid,
    VPlusSubject,
    VMinusMissing,
    VMinusInvalid,
    VMinusSubject,
    VdMissing,
    VdInvalid,
    VdSubject,
    NPMissing,
    NPInvalid,
    NPSubject,
    NMissing,
    NInvalid,
    NSubject,
    DesignCMissing,
    DesignCInvalid,
    DesignCSubject,
    DesignTcMissing,
    DesignTcInvalid,
    DesignTcSubject,
    DesignTsMissing,
    DesignTsInvalid,
    DesignTsSubject,
    // A number that cannot be read.
    CannotRead,
    NumberTooLarge,
    NotACount,
    // A computation that cannot go on, and the reasons it gives.
    CannotCompute,
    ChargeCurrent,
    DischargeCurrent,
    DivisionByZero,
    Overflow,
    InvalidOperation,
    VMinusAtVd,
    BothAtVd,
    VPlusAtVd,
    OppositeSidesOfVd,
    VPlusAtVccMinusVd,
    BothAtVccMinusVd,
    VMinusAtVccMinusVd,
    OppositeSidesOfVccMinusVd,
    QuotientNearZero,
    CapacitanceZero,
    RcZero,
    RsZero,
    // The warnings of "Calcola Rc e Rs".
    CurrentWarning,
    SwitchingTimeWarning,
    // What stops "Grafici", and the reasons it gives.
    CannotComputeStep,
    SampleCountZero,
    TooManySamples,
    CannotComputeSample,
    StepZero,
    DischargeTimeConstantZero,
    ChargeTimeConstantZero,
    RsRoLZero,
    RcRoHZero,
    CannotLabelTimeAxis,
    CannotDraw,
    VPlusZero,
    VccZero,
    SampleOffScale,
    // The readout's tooltip, and a readout value beyond any number.
    ReadoutToolTip,
    OffScale,
    // A command stopped by what no computation foresees.
    OutOfMemory,
    TooMuchData,
    UnexpectedError,
    // The page's own: the browser refused what a command needed, the end of
    // the program and the link that starts it again.
    BrowserRefused,
    ProgramEnded,
    StartAgain,
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
