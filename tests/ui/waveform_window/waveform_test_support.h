#pragma once
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "circuit_examples.h"
#include "field_reading.h"
#include "plot_canvas.h"
#include "plot_mapping.h"
#include "waveform_window.h"
#include "waveform_window_host.h"

namespace ostrevo::test {

// Light yellow of the plot area, as the picture stores it.
inline constexpr QRgb kPlotBackground = 0xFFFFFFC0;
inline constexpr QRgb kRedPixel = Argb(TraceColour(Trace::Vc));
inline constexpr QRgb kBluePixel = Argb(TraceColour(Trace::Vo));
inline constexpr QRgb kBlackPixel = 0xFF000000;

inline ui::WaveformWindow& Window(WaveformWindowHost& host) { return *host.window(); }

inline QString LabelText(WaveformWindowHost& host, const char* name) {
    auto* label = Window(host).findChild<QLabel*>(QString::fromLatin1(name));
    return label == nullptr ? QStringLiteral("<missing %1>").arg(QString::fromLatin1(name)) : label->text();
}

inline QRadioButton* Option(WaveformWindowHost& host, const char* name) {
    return Window(host).findChild<QRadioButton*>(QString::fromLatin1(name));
}

inline QImage Picture(WaveformWindowHost& host) { return Window(host).picture1()->picture(); }

// Maps user coordinates onto a picture with the drawing surface's own rule.
inline DevicePixel PixelOf(const QImage& picture, double x, double y) {
    const PlotCanvas mapping(nullptr, picture.width(), picture.height(), picture.width());
    return mapping.toDevice({static_cast<float>(x), static_cast<float>(y)});
}

inline bool Inside(const QImage& picture, DevicePixel pixel) {
    return pixel.x >= 0 && pixel.y >= 0 && pixel.x < picture.width() && pixel.y < picture.height();
}

inline QRgb PixelAt(const QImage& picture, DevicePixel pixel) {
    return picture.pixel(static_cast<int>(pixel.x), static_cast<int>(pixel.y));
}

// How many pixels of the picture have the colour.
inline int CountPixels(const QImage& picture, QRgb colour) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Every drawn sample of every period of the example's plot lies on its trace's colour.
inline void ExpectSamplesOnTheirTraces(const QImage& picture, Example example) {
    testing::FakeForm form;
    testing::TypeCircuit(form, testing::ExampleTexts(example));
    const testing::SampledPeriod period = testing::SamplePeriod(ReadCircuit(form, kCircuitFields));
    const std::int32_t n = period.p.N;
    const std::int32_t periods = period.p.NP;
    int vcChecked = 0;
    int voChecked = 0;
    for (std::int32_t p = 1; p <= periods; ++p) {
        for (std::int32_t k = 1; k <= n + 1; ++k) {
            const double x = PlotX(p, k, periods, n);
            const double vc = VcToY(period.vc[static_cast<std::size_t>(k)], period.p.VPlus);
            const double vo = VoToY(period.vo[static_cast<std::size_t>(k)], period.p.Vcc);
            if (k <= n) {
                ASSERT_EQ(PixelAt(picture, PixelOf(picture, x, vc)), kRedPixel) << "vc p=" << p << " k=" << k;
                ++vcChecked;
            }
            if (!Inside(picture, PixelOf(picture, x, vo))) continue;
            ASSERT_EQ(PixelAt(picture, PixelOf(picture, x, vo)), kBluePixel) << "vo p=" << p << " k=" << k;
            ++voChecked;
        }
    }
    EXPECT_EQ(vcChecked, periods * n);
    EXPECT_GE(voChecked, periods * n);
}

// Deletes the windows that were unloaded and are waiting for their handlers to end.
inline void DeleteUnloadedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace ostrevo::test
