#pragma once
// What the fuzz targets share: fuzzer bytes turned into field texts, and the
// properties every command must keep, checked on what the fakes of the
// windows recorded.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "fakes.h"
#include "fields.h"

namespace ostrevo::fuzz {

// Stops the run with a report when a property does not hold.
[[noreturn]] void Violation(const std::string& what);
inline void Require(bool holds, const std::string& what) {
    if (!holds) Violation(what);
}

bool IsValidUtf8(std::string_view text);

// The fifteen characters a typed number may hold: digits, ".", "e", "E", "+", "-".
bool IsNumberCharacter(char16_t c);

// Bytes as a text: one code unit per byte, or one per pair of bytes (so that
// lone surrogates and every other code unit occur).
std::u16string TextFromBytes(std::string_view bytes, bool pairs);

// A field text made from fuzzer bytes: empty, ASCII (NUL and control
// characters included), raw UTF-16 code units (lone surrogates included), the
// field's sane text, or a piece repeated to 32,760..40,000 code units.
std::u16string ConsumeFieldText(FuzzedDataProvider& data, const Field& field);

// The real example, and a design that shows no warning.
std::u16string SaneText(const Field& field);

// What the commands wrote into the main window: valid UTF-8, only into the
// result labels and the designed fields, which only turn blue.
void RequireSaneWrites(const testing::FakeForm& form);

// Every message box has a text in valid UTF-8.
void RequireSaneMessages(const testing::FakeMessages& messages);

// The calls of one plot: the window created first, finite coordinates, valid
// texts, sane trace requests; affordable traces drawn with both renderers,
// which must give the same picture when `compareRenderers`.
void RequireSanePlot(const testing::FakePlotWindow& plot, bool compareRenderers);

}  // namespace ostrevo::fuzz
