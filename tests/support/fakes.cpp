#include "fakes.h"

#include <algorithm>
#include <stdexcept>

#include "fields.h"

namespace ostrevo::testing {

std::u16string U16(std::string_view utf8) {
    std::u16string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const auto next = [&] { return static_cast<char16_t>(utf8[++i] & 0x3F); };
        if (lead < 0x80) {
            text.push_back(lead);
        } else if (lead < 0xE0) {
            text.push_back(static_cast<char16_t>((lead & 0x1F) << 6) | next());
        } else {
            const char16_t high = static_cast<char16_t>((lead & 0x0F) << 12) | static_cast<char16_t>(next() << 6);
            text.push_back(high | next());
        }
    }
    return text;
}

std::string Utf8(std::u16string_view text) {
    std::string utf8;
    for (const char16_t c : text) {
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

FakeForm::FakeForm() {
    for (const Field& field : kFields) texts[field.control];
}

std::string FakeForm::shown(std::string_view control) const {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string() : Utf8(it->second);
}

bool FakeForm::wrote(std::string_view control) const {
    return std::any_of(writes.begin(), writes.end(), [&](const Write& write) { return write.control == control; });
}

std::vector<std::string> FakeForm::writtenControls() const {
    std::vector<std::string> controls;
    for (const Write& write : writes) controls.push_back(write.control);
    return controls;
}

std::u16string FakeForm::text(std::string_view control) const {
    const auto it = texts.find(control);
    if (it == texts.end()) throw std::out_of_range("the form has no control " + std::string(control));
    return it->second;
}

void FakeForm::setText(std::string_view control, const std::string& utf8) {
    texts[std::string(control)] = U16(utf8);
    writes.push_back({std::string(control), utf8});
}

void FakeForm::setTextColour(std::string_view control, Rgb colour) { colours[std::string(control)] = colour; }

void FakePlotWindow::show() {
    calls.emplace_back(WindowCall::Show);
    if (whenShown) whenShown();
}

}  // namespace ostrevo::testing
