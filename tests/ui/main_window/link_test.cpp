// A link opened on the desktop, as `ostrevo 'LINK'` opens it: the fields
// filled, the commands run in turn with their messages, up to the first stop.
#include "ui_fixture.h"

namespace ostrevo::ui::testing {
namespace {

TEST_F(MainWindowTest, ALinkFillsTheFieldsThenRunsItsCommandsInOrder) {
    form().openLink("https://example.org/ostrevo/?Vcc=12&Rc=22&Rs=4.7&RoH=195&RoL=75&Ci=5&C=1&vp=6.7&vm=5.33&Vd=0.6"
                    "&NP=2&N=1000&pC=1&ptc=10&pts=%3Cb%3E5&run=tstc,rcrs,grafici");
    waitForCommands();
    EXPECT_EQ(text("Label9") + " " + text("Label11"), "1.221 5.706");
    EXPECT_EQ(text("Text15"), "<b>5");  // a text like any other: "Calcola Rc e Rs" refuses it
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Errore di inserimento dati per il valore del tempo di scarica ts")) << messages[0].toStdString();
    EXPECT_EQ(host.window(), nullptr);

    messages.clear();
    form().openLink("?N=100&run=grafici,ideale,tstc");
    waitForCommands();
    ASSERT_NE(host.window(), nullptr);
    EXPECT_TRUE(plot().isVisible());
    EXPECT_EQ(text("Label9") + " " + text("Label11"), "3.258 15.249");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, ALinkStopsAtTheFirstCommandThatStopsAndWarningsGoOn) {
    form().openLink("?Vcc=12&pC=1&ptc=0.05&pts=0.05&Rc=" + std::string(100'000, '1') + "&run=rcrs,tstc,reale");
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(messages.last(), "Hai dimenticato di scrivere il valore di RoH in ohm");
    EXPECT_EQ(text("Text10"), "");  // "reale" did not run
    EXPECT_EQ(text("Text2"), "7.213E-02");  // the design wrote over the link's 100,000 characters
}

TEST_F(MainWindowTest, ALinkWithAnUnknownCommandFillsButRunsNothing) {
    form().openLink("?Rc=" + std::string(100'000, '7') + "&run=reale,esci");
    EXPECT_EQ(text("Text2"), QString(100'000, u'7'));
    EXPECT_EQ(text("Text1"), "");
    EXPECT_EQ(messages, QStringList{"Il link chiede il comando \"esci\", che non esiste: non è stato eseguito nessun "
                                    "comando. I comandi sono ideale, reale, tstc, rcrs e grafici."});
}

}  // namespace
}  // namespace ostrevo::ui::testing
