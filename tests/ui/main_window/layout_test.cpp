#include <QFontMetrics>
#include <QImage>
#include <QSet>
#include <QStyle>

#include "caption_fit.h"
#include "controls.h"
#include "main_window_fixture.h"
#include "schematic_image.h"

namespace ostrevo::ui::testing {
namespace {

using Layout = MainWindowTest;

const QStringList kTabOrder{"Text1",  "Text2",  "Text3",  "Text4",  "Command1", "Text6",    "Command2",
                            "Text8",  "Command3", "Text9", "Text10", "Text11",  "Text12",   "Text5",
                            "Text14", "Command4", "Text13", "Text15", "Text16", "Command5", "Command6"};

TEST_F(Layout, OpensWithItsCaptionSizeAndStartingTexts) {
    EXPECT_EQ(form().windowTitle(), "Ostrevo reale");
    EXPECT_EQ(form().size(), QSize(993, 564));
    for (QLineEdit* edit : form().findChildren<QLineEdit*>()) {
        const QString expected = edit->objectName() == "Text6" ? "5" : edit->objectName() == "Text16" ? "1000" : "";
        EXPECT_EQ(edit->text(), expected) << edit->objectName().toStdString();
    }
    EXPECT_EQ(button("Command1")->text(), "Calcola  ts; tc");
    EXPECT_EQ(label("Label29")->text(), "Dati: C , tc, ts  con v+=2/3 Vcc , v-=1/3 Vcc, calcolo Rc e Rs");
}

// Empty result boxes are white and bordered; the design block has a two pixel
// red outline and no fill.
TEST_F(Layout, ResultBoxesAndDesignFrameAsDrawn) {
    const QImage shot = form().grab().toImage();
    for (const char* name : {"Label9", "Label11", "Label30", "Label31"}) {
        const QRect box = label(name)->geometry();
        EXPECT_EQ(shot.pixel(box.center()), qRgb(255, 255, 255)) << name;
        EXPECT_NE(shot.pixel(box.topLeft()), qRgb(255, 255, 255)) << name;
        EXPECT_NE(shot.pixel(box.bottomRight()), qRgb(255, 255, 255)) << name;
    }
    EXPECT_EQ(shot.pixel(label("Label67")->geometry().center() + QPoint(0, 4)), qRgb(192, 255, 255));

    const QRect frame = form().findChild<QWidget*>("Shape1")->geometry();
    EXPECT_EQ(frame, QRect(744, 8, 233, 289));
    const QPoint onTopEdge = frame.topLeft() + QPoint(5, 0);
    const QPoint onRightEdge = frame.bottomRight() - QPoint(1, 20);
    const std::pair<QPoint, bool> redOrNot[] = {{onTopEdge, true},    {onTopEdge + QPoint(0, 1), true},
                                                {onTopEdge + QPoint(0, 2), false}, {onRightEdge, true},
                                                {onRightEdge - QPoint(1, 0), false}, {frame.center(), false}};
    for (const auto& [point, red] : redOrNot) EXPECT_EQ(shot.pixel(point) == qRgb(255, 0, 0), red) << point.x() << "," << point.y();
}

TEST_F(Layout, SchematicIsDrawnAtItsPlaceWithFrameWiresSymbolsAndNames) {
    auto* schematic = form().findChild<SchematicImage*>("Image1");
    ASSERT_NE(schematic, nullptr);
    EXPECT_TRUE(schematic->isLoaded());
    EXPECT_EQ(schematic->geometry(), QRect(24, 24, 494, 401));
    const QImage picture = schematic->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) colours.insert(picture.pixel(x, y) & 0xffffff);
    }
    EXPECT_TRUE(colours.contains(0x008000));  // wires
    EXPECT_TRUE(colours.contains(0x0000ff));  // names
    EXPECT_EQ(picture.pixel(0, 0) & 0xffffff, 0x000000u);  // frame
    EXPECT_EQ(picture.pixel(5, 5) & 0xffffff, 0xffffffu);  // ground
}

TEST_F(Layout, ResizingMovesNothing) {
    QHash<QString, QRect> before;
    for (QWidget* child : form().findChildren<QWidget*>()) before.insert(child->objectName(), child->geometry());
    for (const QSize size : {QSize(400, 300), QSize(1400, 900)}) {
        form().resize(size);
        for (QWidget* child : form().findChildren<QWidget*>()) {
            EXPECT_EQ(child->geometry(), before.value(child->objectName())) << child->objectName().toStdString();
        }
    }
}

TEST_F(Layout, TabVisitsFieldsAndButtonsInTheDesignedOrderStartingInText1) {
    ASSERT_EQ(QApplication::focusWidget(), field("Text1"));
    QStringList visited;
    for (int step = 0; step < kTabOrder.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, kTabOrder.mid(1) << "Text1");
    EXPECT_EQ(label("Label9")->focusPolicy(), Qt::NoFocus);
}

// --- every caption fits its control in the face actually used ---

void ExpectFieldFits(const QLineEdit* field) {
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    const int room = field->width() - 2 * frame - 4;  // the line edit's own side margins
    EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(field->text()), room) << field->objectName().toStdString();
}

int ButtonCaptionLines(const QPushButton* button) {
    const QRect room = ButtonTextRect(*button);
    ExpectCaptionFits(button, button->text(), room);
    return int(WrapAtBlanks(button->text(), QFontMetrics(button->font()), room.width()).size());
}

TEST_F(Layout, EveryCaptionFitsItsControl) {
    for (const QLabel* label : form().findChildren<QLabel*>()) ExpectLabelFits(label);
    for (const QPushButton* button : form().findChildren<QPushButton*>()) {
        const bool twoLines = button->objectName() == "Command5" || button->objectName() == "Command6";
        EXPECT_EQ(ButtonCaptionLines(button), twoLines ? 2 : 1) << button->objectName().toStdString();
    }
}

TEST_F(Layout, ExampleAndResultTextsFitTheirBoxes) {
    click("Command6");
    click("Command1");
    design("2.2", "0.1", "-47");
    type("Text5", "0.6");
    for (const QLabel* label : form().findChildren<QLabel*>()) ExpectLabelFits(label);
    for (const QLineEdit* field : form().findChildren<QLineEdit*>()) ExpectFieldFits(field);
}

}  // namespace
}  // namespace ostrevo::ui::testing
