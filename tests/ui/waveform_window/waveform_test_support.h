#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "circuit_examples.h"
#include "field_reading.h"
#include "plot_canvas.h"
#include "plot_mapping.h"
#include "waveform_window.h"

namespace ostrevo::test {

// The plot's colours as its picture stores them.
inline constexpr QRgb kRedPixel = Argb(TraceColour(Trace::Vc));
inline constexpr QRgb kBluePixel = Argb(TraceColour(Trace::Vo));
inline constexpr QRgb kBlackPixel = 0xFF000000;

// Maps user coordinates onto a picture with the drawing surface's own rule.
inline DevicePixel PixelOf(const QImage& picture, double x, double y) {
    const PlotCanvas mapping(nullptr, picture.width(), picture.height(), picture.width());
    return mapping.toDevice({static_cast<float>(x), static_cast<float>(y)});
}

// The colour at (x, y), or 0 outside the picture.
inline QRgb ColourAt(const QImage& picture, double x, double y) {
    const DevicePixel pixel = PixelOf(picture, x, y);
    const QPoint at(static_cast<int>(pixel.x), static_cast<int>(pixel.y));
    return picture.valid(at) ? picture.pixel(at) : 0;
}

// The readout of the pointer at the user coordinates (x, y) of the plot, however many device pixels they fall between.
inline void ReadOutAt(ui::WaveformWindow& window, double x, double y) {
    const QImage& picture = window.picture1()->picture();
    const PlotCanvas mapping(nullptr, picture.width(), picture.height(), picture.width());
    const auto device = [](double user, double atZero, double atOne) { return (user - atZero) / (atOne - atZero); };
    window.readout().pointerAt(device(x, mapping.toUserX(0), mapping.toUserX(1)),
                               device(y, mapping.toUserY(0), mapping.toUserY(1)));
}

// The pointer over the plot at `inner` from its corner. Offscreen it reaches the first window under it (so the window
// moves beside `mainWindow`) and a move to where it already is goes unreported (so it comes from a neighbour).
inline void PointAt(ui::WaveformWindow& window, const QWidget& mainWindow, QPoint inner) {
    window.move(mainWindow.frameGeometry().topRight());
    ui::PictureArea& area = *window.picture1();
    QTest::mouseMove(&area, area.contentsRect().topLeft() + inner + QPoint(1, 1));
    QTest::mouseMove(&area, area.contentsRect().topLeft() + inner);
}

inline int CountPixels(const QImage& picture, QRgb colour) {
    int count = 0;
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        count += picture.pixel(i % picture.width(), i / picture.width()) == colour ? 1 : 0;
    return count;
}

// Every sample of every period of the example lies on its trace's colour (vo where it falls inside the picture).
inline void ExpectSamplesOnTheirTraces(const QImage& picture, Example example) {
    testing::FakeForm form;
    testing::TypeCircuit(form, testing::ExampleTexts(example));
    const testing::SampledPeriod period = testing::SamplePeriod(ReadCircuit(form, kCircuitFields));
    const std::int32_t n = period.p.N;
    int voChecked = 0;
    for (std::int32_t p = 1; p <= period.p.NP; ++p) {
        for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k) {
            const double x = PlotX(p, static_cast<std::int32_t>(k), period.p.NP, n);
            ASSERT_EQ(ColourAt(picture, x, VcToY(period.vc[k], period.p.VPlus)), kRedPixel) << "vc " << p << " " << k;
            const QRgb vo = ColourAt(picture, x, VoToY(period.vo[k], period.p.Vcc));
            if (vo == 0) continue;
            ASSERT_EQ(vo, kBluePixel) << "vo " << p << " " << k;
            ++voChecked;
        }
    }
    EXPECT_GE(voChecked, period.p.NP * (n - 1));
}

}  // namespace ostrevo::test
