// Picture1 as a drawing surface: segments, erasing, label placement and the
// pointer position in user coordinates.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "waveform_test_support.h"

namespace ostrevo::test {
namespace {

using ui::PictureArea;

class PictureAreaTest : public ::testing::Test {
protected:
    PictureAreaTest() {
        window.resize(400, 300);
        area = new PictureArea(&window, QColor(255, 255, 192), PictureArea::Border::Sunken,
                               PictureArea::Picture::Persistent);
        area->setGeometry(10, 10, 205, 105);  // inner area 201 x 101: one user unit is 2 x 1 pixels
        window.show();
    }
    QImage picture() { return area->picture(); }

    QWidget window;
    PictureArea* area = nullptr;
};

TEST_F(PictureAreaTest, PictureCoversTheInnerAreaAtTheScreensPixelRatio) {
    EXPECT_EQ(area->contentsRect(), QRect(2, 2, 201, 101));
    EXPECT_EQ(picture().size(), QSize(201, 101) * area->devicePixelRatioF());
    EXPECT_EQ(CountPixels(picture(), kPlotBackground), 201 * 101);
}

TEST_F(PictureAreaTest, SegmentsAreOnePixelWideAtTheirMappedPixels) {
    area->drawSegment({0, 100}, {100, 100}, kRedPixel);  // the whole top row
    EXPECT_EQ(CountPixels(picture(), kRedPixel), 201);
    EXPECT_EQ(picture().pixel(0, 0), kRedPixel);
    EXPECT_EQ(picture().pixel(200, 0), kRedPixel);

    area->drawSegment({50, 0}, {50, 100}, kBluePixel);  // a whole column
    EXPECT_EQ(CountPixels(picture(), kBluePixel), 101);
    EXPECT_EQ(picture().pixel(100, 100), kBluePixel);

    area->drawSegment({10, 50}, {12, 50}, kBlackPixel);  // two units: five pixels of row 50
    EXPECT_EQ(CountPixels(picture(), kBlackPixel), 5);
    for (int x = 20; x <= 24; ++x) EXPECT_EQ(picture().pixel(x, 50), kBlackPixel) << x;
}

TEST_F(PictureAreaTest, WhatFallsOutsideIsClipped) {
    area->drawSegment({-50, 50}, {150, 50}, kRedPixel);
    area->drawSegment({20, -10}, {20, -90}, kBluePixel);
    EXPECT_EQ(CountPixels(picture(), kRedPixel), 201);
    EXPECT_EQ(CountPixels(picture(), kBluePixel), 0);
}

TEST_F(PictureAreaTest, DrawingPersistsOnScreenUntilCleared) {
    area->drawSegment({0, 50}, {100, 50}, kRedPixel);
    window.hide();
    window.show();
    const QImage onScreen = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint middle = area->contentsRect().topLeft() + QPoint(100, 50);
    EXPECT_EQ(onScreen.pixel(middle * onScreen.devicePixelRatio()), kRedPixel);

    area->clearPicture();
    EXPECT_EQ(CountPixels(picture(), kPlotBackground), picture().width() * picture().height());
}

TEST_F(PictureAreaTest, ChildrenArePlacedByTheirUpperLeftCornerInUserCoordinates) {
    auto* label = new QLabel(QStringLiteral("x"), area);
    const struct {
        float left, top;
        QPoint inner;
    } cases[] = {{0, 100, {0, 0}}, {49, 3, {98, 97}}, {100, 0, {200, 100}}, {15, 99.5F, {30, 1}}};
    for (const auto& c : cases) {
        area->placeChild(label, c.left, c.top);
        EXPECT_EQ(label->pos(), area->contentsRect().topLeft() + c.inner) << c.left << ", " << c.top;
    }
}

TEST_F(PictureAreaTest, PointerMovesAreReportedInUserCoordinates) {
    QSignalSpy moves(area, &PictureArea::mouseMoved);
    const QPoint inner = area->contentsRect().topLeft();
    QTest::mouseMove(area, inner + QPoint(100, 25));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_FLOAT_EQ(moves.last().at(2).toFloat(), 50.0F);
    EXPECT_FLOAT_EQ(moves.last().at(3).toFloat(), 75.0F);
}

TEST_F(PictureAreaTest, PointerOverTheBorderIsReportedOnlyWhileAButtonIsHeld) {
    QSignalSpy moves(area, &PictureArea::mouseMoved);
    const QPointF onBorder(100, area->height() - 1);
    QMouseEvent hover(QEvent::MouseMove, onBorder, area->mapToGlobal(onBorder), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(area, &hover);
    EXPECT_EQ(moves.count(), 0);

    QMouseEvent drag(QEvent::MouseMove, onBorder, area->mapToGlobal(onBorder), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(area, &drag);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_LT(moves.last().at(3).toFloat(), 0.0F);
}

}  // namespace
}  // namespace ostrevo::test
