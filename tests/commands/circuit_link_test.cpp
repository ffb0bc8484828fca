// Links: the query read as a browser reads it, the query written back, and a
// link opened on the fakes of the windows: fields filled, commands run in
// order up to the first that stops.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "circuit_commands.h"
#include "circuit_link.h"
#include "fakes.h"

namespace ostrevo {
namespace {

using Commands = std::vector<Command>;
using Fields = std::vector<std::pair<FieldId, std::string>>;

Fields FieldsOf(const CircuitLink& link) {
    Fields fields;
    for (const auto& value : link.fields) fields.emplace_back(value.field, value.text);
    return fields;
}

TEST(ParseLink, ReadsFieldsAndCommandsAsABrowserReadsAQuery) {
    const struct {
        std::string address;
        Fields fields;
        Commands run;
        std::optional<std::string> unknown;
    } cases[]{
        {"https://example.org/ostrevo/?Vcc=12&Rc=22&run=tstc#top", {{FieldId::Vcc, "12"}, {FieldId::Rc, "22"}},
         {Command::ComputeTimes}, {}},
        {"?vp=8&vm=4&pC=1&ptc=10&pts=5", {{FieldId::VPlus, "8"}, {FieldId::VMinus, "4"}, {FieldId::DesignC, "1"},
                                          {FieldId::DesignTc, "10"}, {FieldId::DesignTs, "5"}}, {}, {}},
        {"Vcc=12&N=1000", {{FieldId::Vcc, "12"}, {FieldId::N, "1000"}}, {}, {}},     // bare, without "?"
        {"https://example.org/ostrevo/", {}, {}, {}},                                  // no query
        {"?N=1&Vcc=9&NP=3&Vcc=5", {{FieldId::Vcc, "9"}, {FieldId::NP, "3"}, {FieldId::N, "1"}}, {}, {}},
        {"?RoH=195&RoL=75&Ci=5&C=1&Vd=0.6&Rs=4.7", {{FieldId::Rs, "4.7"}, {FieldId::RoH, "195"}, {FieldId::RoL, "75"},
                                                    {FieldId::Ci, "5"}, {FieldId::C, "1"}, {FieldId::Vd, "0.6"}}, {}, {}},
        // Decoding: "+" a blank, "%2B" a plus, a lone or broken "%" itself, UTF-8, and bytes that are no UTF-8.
        {"?Vcc=1E%2B3+V&Rc=%&Rs=%4&RoH=%zz1&RoL=%C2%A9%c3%a8%DF%BF%ed%9f%bf&Ci=%C3&C=%F0%9F%98%80&vp=%ED%A0%80",
         {{FieldId::Vcc, "1E+3 V"}, {FieldId::Rc, "%"}, {FieldId::Rs, "%4"}, {FieldId::RoH, "%zz1"},
          {FieldId::RoL, "©è\u07FF\uD7FF"}, {FieldId::Ci, "\uFFFD"}, {FieldId::C, "\U0001F600"}, {FieldId::VPlus, "\uFFFD\uFFFD\uFFFD"}},
         {}, {}},
        {"?vm=%E2%82&Vd=%F4%90%80%80x", {{FieldId::VMinus, "\uFFFD"}, {FieldId::Vd, "\uFFFD\uFFFD\uFFFD\uFFFDx"}}, {}, {}},
        // Markup, separators and empty values stay texts; names are matched decoded and exactly.
        {"?Vcc=%3Cb%3E1%3C%2Fb%3E&%52c=a%26b%3Dc&Rs=&vcc=7&C&NP==&Vd=a%09b", {{FieldId::Vcc, "<b>1</b>"}, {FieldId::Rc, "a&b=c"},
          {FieldId::Rs, ""}, {FieldId::C, ""}, {FieldId::Vd, "a\tb"}, {FieldId::NP, "="}}, {}, {}},
        {"?unknown=1&&=&run=ideale,reale,%20tstc%20,,rcrs,grafici,&run=tstc", {},
         {Command::FillIdealExample, Command::FillRealExample, Command::ComputeTimes, Command::DesignResistors,
          Command::PlotWaveforms}, {}},
        {"?Vcc=12&run=tstc,esci,grafici", {{FieldId::Vcc, "12"}}, {}, "esci"},
        {"?run=TSTC", {}, {}, "TSTC"},
        {"?run=%3Cscript%3E", {}, {}, "<script>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const CircuitLink link = ParseLink(c.address);
        EXPECT_EQ(FieldsOf(link), c.fields);
        EXPECT_EQ(link.run, c.run);
        EXPECT_EQ(link.unknownCommand, c.unknown);
    }
}

TEST(ParseLink, TakesAValueOfAnyLength) {
    const std::string value(1'000'000, '7');
    const CircuitLink link = ParseLink("?N=" + value + "&run=tstc");
    EXPECT_EQ(FieldsOf(link), (Fields{{FieldId::N, value}}));
    EXPECT_EQ(link.run, Commands{Command::ComputeTimes});
}

TEST(LinkQuery, WritesWhatParseLinkReadsBack) {
    CircuitLink link;
    const std::string texts[]{"12", "1E+3", "azAZ09 b&c=d#e?f%g", "<img src=x onerror=alert(1)>", "èé\U0001F600", "", "1,5"};
    FieldId field = FieldId::Vcc;
    for (const std::string& text : texts) link.fields.push_back({field, text}), field = static_cast<FieldId>(static_cast<int>(field) + 1);
    link.run = {Command::FillRealExample, Command::ComputeTimes, Command::PlotWaveforms};
    const std::string query = LinkQuery(link);
    EXPECT_EQ(query.find_first_of("<>\"' #?"), std::string::npos) << query;
    EXPECT_TRUE(query.starts_with("Vcc=12&Rc=1E%2B3&Rs=azAZ09+b%26c%3Dd%23e%3Ff%25g&")) << query;
    EXPECT_TRUE(query.ends_with("&RoL=%C3%A8%C3%A9%F0%9F%98%80&Ci=&C=1,5&run=reale,tstc,grafici")) << query;
    const CircuitLink read = ParseLink("?" + query);
    EXPECT_EQ(FieldsOf(read), FieldsOf(link));
    EXPECT_EQ(read.run, link.run);
    EXPECT_EQ(LinkQuery({}), "");
}

struct OpenedLink : ::testing::Test {
    testing::FakeForm form;
    testing::FakeMessages messages;
    testing::FakePlotWindow plot;
    CircuitCommands commands{form, messages, ","};
    std::vector<Command> ran;

    // As a face opens a link: the fields, then each command once the one before has ended without a stop.
    void open(std::string_view address) {
        const CircuitLink link = ParseLink(address);
        FillFields(link, form);
        if (link.unknownCommand) messages.show(UnknownCommandMessage(*link.unknownCommand));
        for (const Command command : link.run) {
            ran.push_back(command);
            commands.runButton(command, plot);
            if (commands.stopped()) break;
        }
    }
};

TEST_F(OpenedLink, FillsThenRunsTheCommandsInOrder) {
    open("?run=ideale,tstc,reale,tstc&NP=2");
    EXPECT_EQ(form.shown("Text6"), "5");  // the fields first, then the examples over them
    EXPECT_EQ(form.shown("Label9"), "1,221");
    EXPECT_EQ(form.shown("Label11"), "5,706");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenedLink, AWarningGoesOnAStopEndsTheList) {
    // tc and ts 0.05 usec on 1 nF: "Calcola Rc e Rs" warns twice and the list goes on, to the first stop.
    open("?Vcc=12&pC=1&ptc=0.05&pts=0.05&run=rcrs,tstc,grafici,reale");
    EXPECT_EQ(ran, (Commands{Command::DesignResistors, Command::ComputeTimes}));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown.back(), Words(FieldOf(FieldId::RoH).missingMessage));
    EXPECT_EQ(plot.log, "");
    EXPECT_EQ(form.shown("Text1"), "12");
}

TEST_F(OpenedLink, AnUnknownCommandRunsNothingAndIsNamed) {
    open("?Vcc=7&run=reale,%3Cb%3E" + std::string(100, 'x'));
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(form.shown("Text1"), "7");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Il link chiede il comando \"<b>" + std::string(37, 'x') +
                                     "…\", che non esiste: non è stato eseguito nessun comando. I comandi sono ideale, "
                                     "reale, tstc, rcrs e grafici.");
}

TEST_F(OpenedLink, TheShownLinkReopensTheSameWindow) {
    open("?run=reale,tstc");
    form.type("Text14", "3");
    form.textOf(FieldId::N) = u"1\x80\u0800\u00e8\xD800\U00010000\U0010FFFF\xDFFF";  // a lone surrogate cannot be written: U+FFFD
    EXPECT_EQ(LinkQuery(ShownLink(form, true)),
              "Vcc=12&Rc=22&Rs=4.7&RoH=195&RoL=75&Ci=5&C=1&vp=6.7&vm=5.33&Vd=0.6&NP=5&N=1%C2%80%E0%A0%80%C3%A8%EF%BF%BD%F0%90%80%80%F4%8F%BF%BF%EF%BF%BD&pC=3"
              "&run=tstc,grafici");
    form.type("Label9", "");
    form.type("Label11", "");
    form.textOf(FieldId::N).clear();
    EXPECT_EQ(LinkQuery(ShownLink(form, false)),
              "Vcc=12&Rc=22&Rs=4.7&RoH=195&RoL=75&Ci=5&C=1&vp=6.7&vm=5.33&Vd=0.6&NP=5&pC=3");
}

TEST(ButtonOf, NamesTheButtonOfEachCommand) {
    EXPECT_EQ(ButtonOf(Command::ComputeTimes).text(), "Command1");
    EXPECT_EQ(ButtonOf(Command::PlotWaveforms).text(), "Command2");
    EXPECT_EQ(ButtonOf(Command::DesignResistors).text(), "Command4");
    EXPECT_EQ(ButtonOf(Command::FillIdealExample).text(), "Command5");
    EXPECT_EQ(ButtonOf(Command::FillRealExample).text(), "Command6");
}

}  // namespace
}  // namespace ostrevo
