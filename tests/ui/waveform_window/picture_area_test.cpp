// Picture1 as a drawing surface: segments, clipping, erasing and the pointer
// over the border.
#include <gtest/gtest.h>

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

TEST_F(PictureAreaTest, PointerOverTheBorderIsReportedOnlyWhileAButtonIsHeld) {
    QSignalSpy moves(area, &PictureArea::pointerMoved);
    const QPointF onBorder(100, area->height() - 1);
    QMouseEvent hover(QEvent::MouseMove, onBorder, area->mapToGlobal(onBorder), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(area, &hover);
    EXPECT_EQ(moves.count(), 0);

    QMouseEvent drag(QEvent::MouseMove, onBorder, area->mapToGlobal(onBorder), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(area, &drag);
    ASSERT_EQ(moves.count(), 1);
    EXPECT_LT(moves.last().at(1).toFloat(), 0.0F);
}

}  // namespace
}  // namespace ostrevo::test
