// The plot's context menu by mouse, finger and keys, and its exports against
// the plot on screen: the clipboard's and the PNG's pixels, the SVG rendered
// by rsvg-convert, the CSV's rows.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <functional>

#include "catalogue.h"
#include "controls.h"
#include "plot_exports.h"
#include "ui_fixture.h"
#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

class PlotExportsTest : public ui::testing::MainWindowTest {
protected:
    PlotExportsTest() {
        host.exportDialogs() = {[this](QWidget*, const QString& title, const QString& proposed, const QString&) {
                                    asked.append(title + " " + proposed);
                                    return answer.isEmpty() ? QString() : folder.filePath(answer);
                                },
                                [this](const QString& message) { messages.append(message); }};
    }
    void plotReal() {
        clickBoth("Command6", "Command2");
        plot().move(form().frameGeometry().topRight());
        plot().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&plot()));
    }
    ui::PictureArea& area() { return *plot().picture1(); }
    // Through the window, as the platform delivers it, which turns it into a context menu request.
    void rightClick() { QTest::mouseClick(plot().windowHandle(), Qt::RightButton, {}, area().mapTo(&plot(), QPoint(200, 100))); }
    QMenu* menu() { return plot().findChild<QMenu*>(QStringLiteral("PlotExportMenu")); }
    ui::PlotExports& exports() { return *plot().findChild<ui::PlotExports*>(); }
    bool menuShown() { return QTest::qWaitFor([&] { return menu()->isVisible(); }, 2000); }
    // Chooses the item at `index` of the open menu with the keys, as a user does.
    void chooseWithKeys(int index, const QString& fileName) {
        answer = fileName;
        for (int i = 0; i <= index; ++i) QTest::keyClick(menu(), Qt::Key_Down);
        QTest::keyClick(menu(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Until the CSV under way has been written or stopped.
    void waitForCsv() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return exports().csvExport() == nullptr; }, kLongestCommand));
    }
    QByteArray saved(const QString& fileName) {
        QFile file(folder.filePath(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString answer;
    QStringList asked;
};

QString Said(Text text) { return ui::ToQString(Say(text)); }

TEST_F(PlotExportsTest, OpensByMouseFingerAndKeysAndClosesWithEscape) {
    plotReal();
    QStringList items;
    for (QAction* action : menu()->actions()) items << action->text();
    EXPECT_EQ(items, QStringList({"Copia immagine", "Salva immagine PNG…", "Salva immagine SVG…", "Salva dati CSV…"}));

    rightClick();
    ASSERT_TRUE(menuShown());
    area().setFocus();
    QTest::keyClick(menu(), Qt::Key_Escape);
    EXPECT_FALSE(menu()->isVisible());

    // The platform turns the Menu key into a context menu request from the keyboard.
    QContextMenuEvent fromMenuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(&area(), &fromMenuKey);
    ASSERT_TRUE(menuShown());
    QTest::keyClick(menu(), Qt::Key_Escape);
    QTest::keyClick(&area(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menuShown());
    EXPECT_EQ(menu()->activeAction(), menu()->actions().constFirst());
    QTest::keyClick(menu(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return area().hasFocus(); }, 1000));

    // A finger held still opens it after half a second; one that moves reads out instead.
    QPointingDevice* finger = QTest::createTouchDevice();
    const QPoint at = area().mapTo(&plot(), QPoint(300, 200));
    QTest::touchEvent(&plot(), finger).press(0, at);
    QTest::qWait(ui::PlotExports::kLongPressMilliseconds / 2);
    EXPECT_FALSE(menu()->isVisible());
    QTest::touchEvent(&plot(), finger).move(0, at + QPoint(40, 0));
    QTest::qWait(ui::PlotExports::kLongPressMilliseconds);
    EXPECT_FALSE(menu()->isVisible());
    QTest::touchEvent(&plot(), finger).release(0, at + QPoint(40, 0));
    QTest::touchEvent(&plot(), finger).press(0, at);
    ASSERT_TRUE(menuShown());
    QTest::touchEvent(&plot(), finger).release(0, at);
    menu()->hide();
}

// The picture is the block as shown, inside Picture1 the kept raster pixel for pixel.
TEST_F(PlotExportsTest, ThePictureGoesToTheClipboardAndToAPngFile) {
    plotReal();
    const QImage picture = exports().picture();
    const qreal ratio = plot().devicePixelRatio();
    EXPECT_EQ(picture.devicePixelRatio(), ratio);
    const QImage raster = area().picture().convertToFormat(QImage::Format_RGB32);
    const QPoint inner = (area().pos() - QPoint(0, area().y()) + area().contentsRect().topLeft()) * ratio;
    // Above the time labels the block holds the raster unchanged.
    const QRect band(0, 0, raster.width(), raster.height() * 9 / 10);
    EXPECT_EQ(picture.copy(band.translated(inner)), raster.copy(band));

    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(0, {});
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);

    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(1, QStringLiteral("plot.png"));
    EXPECT_EQ(asked, QStringList({Said(Text::ExportPngTitle) + " " + Said(Text::ExportPngFileName)}));
    QImage file;
    ASSERT_TRUE(file.loadFromData(saved(QStringLiteral("plot.png")), "PNG"));
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(messages.isEmpty());
}

// Pixels that are exactly `colour` in `a` and have none of it within one pixel in `b`.
int StrayPixels(const QImage& a, const QImage& b, QRgb colour, const QRect& within, const QList<QRect>& skipped) {
    int stray = 0;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (a.pixel(x, y) != colour) continue;
            if (std::any_of(skipped.begin(), skipped.end(), [&](const QRect& r) { return r.contains(x, y); })) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == colour;
            stray += near ? 0 : 1;
        }
    }
    return stray;
}

// The box around the dark pixels of a text.
QRect Ink(const QImage& image, const QRect& box) {
    QRect ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (qMax(qMax(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y))), qBlue(image.pixel(x, y))) < 110) ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(PlotExportsTest, TheSvgIsWellFormedAndRsvgDrawsItAsThePng) {
    plotReal();
    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(2, QStringLiteral("plot.svg"));
    const QByteArray svg = saved(QStringLiteral("plot.svg"));
    QXmlStreamReader xml(svg);
    int texts = 0;
    while (!xml.atEnd()) texts += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text";
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 11);  // four on the plot, seven in the strip

    const QImage png = exports().picture().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = png.devicePixelRatio();
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"), {QStringLiteral("--zoom"), QString::number(ratio), folder.filePath("plot.svg")});
    ASSERT_TRUE(rsvg.waitForFinished(20000)) << "rsvg-convert (librsvg2-bin) is needed";
    QImage drawn;
    ASSERT_TRUE(drawn.loadFromData(rsvg.readAllStandardOutput(), "PNG"));
    drawn = drawn.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), png.size());

    const QPoint corner = area().pos() - QPoint(0, area().y());
    const QRect inner = QRect(corner + area().contentsRect().topLeft(), area().contentsRect().size());
    const QRect plotArea(inner.topLeft() * ratio, inner.size() * ratio);
    QList<QRect> labels;
    for (QLabel* label : area().findChildren<QLabel*>()) labels << QRect((corner + label->pos()) * ratio, label->size() * ratio);
    for (const QRgb colour : {kRedPixel, kBluePixel, kBlackPixel}) {
        EXPECT_EQ(StrayPixels(png, drawn, colour, plotArea, labels), 0) << std::hex << colour;
        EXPECT_EQ(StrayPixels(drawn, png, colour, plotArea, labels), 0) << std::hex << colour;
    }
    QWidget* strip = plot().findChild<QWidget*>(QStringLiteral("Picture3"));
    const QPoint stripCorner = strip->pos() - QPoint(0, area().y());
    for (QLabel* label : strip->findChildren<QLabel*>()) labels << QRect((stripCorner + label->pos()) * ratio, label->size() * ratio);
    for (const QRect& box : labels) {
        const QRect shown = Ink(png, box), rendered = Ink(drawn, box);
        ASSERT_FALSE(shown.isEmpty());
        for (const auto& [a, b] : {std::pair{shown.left(), rendered.left()}, {shown.top(), rendered.top()},
                                   {shown.right(), rendered.right()}, {shown.bottom(), rendered.bottom()}})
            EXPECT_LE(std::abs(a - b), ratio) << "text at " << box.x() << "," << box.y() << " " << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height() << " / " << rendered.x() << "," << rendered.y() << " " << rendered.width() << "x" << rendered.height();
    }
}

TEST_F(PlotExportsTest, TheCsvHoldsThePeriodWithTheResultsSeparatorAndAFailedWriteSaysSo) {
    open(QLocale(QLocale::Italian, QLocale::Italy));
    plotReal();
    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(3, QStringLiteral("samples.csv"));
    waitForCsv();
    const QList<QByteArray> rows = saved(QStringLiteral("samples.csv")).split('\n');
    ASSERT_EQ(rows.size(), 1000 + 3);  // the real example's N = 1000
    EXPECT_EQ(rows[0], "k;t [usec];vc [V];vo [V]");
    EXPECT_TRUE(rows[1].startsWith("0;0;6,7")) << rows[1].toStdString();
    EXPECT_EQ(asked.last(), Said(Text::ExportCsvTitle) + " campioni-un-periodo-N1000.csv");

    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(3, QStringLiteral("no/such/folder/samples.csv"));
    waitForCsv();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Impossibile scrivere il file " + folder.filePath("no/such/folder/samples.csv")));
    EXPECT_FALSE(QFile::exists(folder.filePath("no/such/folder/samples.csv")));
}

// A hundred million rows (some 6 GB) take a minute or more: the windows answer meanwhile,
// the strip of a long command shows, the item waits for it, and a stop by
// "Interrompi", by Escape or by closing the window leaves no file and no message.
TEST_F(PlotExportsTest, ALongCsvShowsItsProgressWhileTheWindowsAnswerAndAStopLeavesNoFile) {
    click("Command6");
    type("Text16", "100000000");
    click("Command2");
    const std::function<void()> stops[] = {
        [this] { QTest::mouseClick(plot().findChild<QProgressBar*>()->parentWidget()->findChild<QPushButton*>(), Qt::LeftButton); },
        [this] { QTest::keyClick(&area(), Qt::Key_Escape); },
        [this] { plot().close(); },
    };
    for (const auto& stop : stops) {
        plot().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&plot()));
        rightClick();
        ASSERT_TRUE(menuShown());
        chooseWithKeys(3, QStringLiteral("big.csv"));
        ASSERT_NE(exports().csvExport(), nullptr);
        int ticks = 0;
        QTimer ticking;
        QObject::connect(&ticking, &QTimer::timeout, [&] { ++ticks; });
        ticking.start(10);
        const auto bar = [&] { return plot().findChild<QProgressBar*>(); };
        ASSERT_TRUE(QTest::qWaitFor([&] { return bar() != nullptr && bar()->isVisible() && bar()->value() > 0; }, kLongestCommand));
        EXPECT_GT(ticks, 1) << "the window's events waited for the file";
        EXPECT_EQ(bar()->accessibleName(), "Avanzamento del comando");
        EXPECT_EQ(bar()->parentWidget()->findChild<QPushButton*>()->text(), "Interrompi");
        rightClick();
        ASSERT_TRUE(menuShown());
        EXPECT_FALSE(menu()->actions()[3]->isEnabled()) << "a second CSV while one is written";
        menu()->hide();
        ASSERT_NE(exports().csvExport(), nullptr) << "finished before its stop: a faster machine needs a larger N";

        stop();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(QTest::qWaitFor([&] { return host.window() == nullptr || exports().csvExport() == nullptr; }, 1000));
        if (host.window() != nullptr) {
            EXPECT_EQ(bar(), nullptr) << "the strip goes with the export";
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no file, not even a part";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(messages.isEmpty());
    }
}

// "Grafici" while the CSV is written draws the new plot at once; the file
// holds the plot it was asked for, whole.
TEST_F(PlotExportsTest, ANewPlotWhileTheCsvIsWrittenLeavesTheFileToThePlotItWasAskedFor) {
    click("Command6");
    type("Text16", "2000000");
    click("Command2");
    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(3, QStringLiteral("big.csv"));
    type("Text16", "1000");
    click("Command2");
    ASSERT_NE(exports().csvExport(), nullptr) << "finished before the new plot: a faster machine needs a larger N";
    waitForCsv();
    const auto rowsOf = [&](const char* name) {
        QFile file(folder.filePath(name));
        qint64 rows = 0;
        if (file.open(QIODevice::ReadOnly))
            for (QByteArray part; !(part = file.read(1 << 20)).isEmpty();) rows += part.count('\n');
        return rows;
    };
    EXPECT_EQ(rowsOf("big.csv"), 1 + 2000001);
    rightClick();
    ASSERT_TRUE(menuShown());
    chooseWithKeys(3, QStringLiteral("small.csv"));
    waitForCsv();
    EXPECT_EQ(rowsOf("small.csv"), 1 + 1001);
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
}  // namespace ostrevo::test
