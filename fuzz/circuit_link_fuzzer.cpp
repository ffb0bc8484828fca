// The parser of links on any address: it reads only well-formed UTF-8 texts,
// each field once in the order of the fields, runs nothing when a command is
// unknown; what LinkQuery writes of a link (or of any texts in the fields,
// lone surrogates included) reads back as the same link, in characters that
// need no escaping in an address.
#include <algorithm>

#include "circuit_link.h"
#include "fuzz_support.h"

using namespace ostrevo;

static bool IsWellFormedUtf8(const std::string& text) {
    return ParseLink(LinkQuery({{{FieldId::Vcc, text}}, {}, {}})).fields.at(0).text == text;
}

static bool SameLink(const CircuitLink& a, const CircuitLink& b) {
    const auto sameField = [](const CircuitLink::FieldValue& x, const CircuitLink::FieldValue& y) {
        return x.field == y.field && x.text == y.text;
    };
    return std::equal(a.fields.begin(), a.fields.end(), b.fields.begin(), b.fields.end(), sameField) && a.run == b.run;
}

static void CheckWrittenBack(const CircuitLink& link) {
    const std::string query = LinkQuery(link);
    const auto safe = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("-._~*,%+=&").find(c) != std::string_view::npos;
    };
    fuzz::Require(std::all_of(query.begin(), query.end(), safe), "a query holds a character an address would escape");
    const CircuitLink read = ParseLink(query);
    fuzz::Require(SameLink(read, link) && !read.unknownCommand, "a written link reads back otherwise");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    testing::FakeForm form;
    for (const Field& field : kFields) form.textOf(field.id) = fuzz::ConsumeFieldText(provider, field);
    form.type(form1::Label9, provider.ConsumeBool() ? "1" : "");
    form.type(form1::Label11, "");
    CheckWrittenBack(ShownLink(form, provider.ConsumeBool()));

    const CircuitLink link = ParseLink(provider.ConsumeRemainingBytesAsString());
    for (std::size_t i = 0; i < link.fields.size(); ++i) {
        fuzz::Require(i == 0 || link.fields[i - 1].field < link.fields[i].field, "a field is read twice or out of order");
        fuzz::Require(IsWellFormedUtf8(link.fields[i].text), "a field's text is no well-formed UTF-8");
    }
    fuzz::Require(!link.unknownCommand || link.run.empty(), "a link with an unknown command runs something");
    if (link.unknownCommand) {
        fuzz::Require(IsWellFormedUtf8(*link.unknownCommand), "an unknown command's name is no well-formed UTF-8");
        fuzz::Require(IsWellFormedUtf8(UnknownCommandMessage(*link.unknownCommand)), "a message is cut inside a character");
    }
    CheckWrittenBack(link);
    return 0;
}
