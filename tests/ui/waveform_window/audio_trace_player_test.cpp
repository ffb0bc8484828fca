// The audio trace in the sample formats a device may prefer.
#include <gtest/gtest.h>

#include <limits>

#include "audio_trace_player.h"

namespace ostrevo::ui {
namespace {

template <typename Sample>
QByteArray Bytes(std::initializer_list<Sample> samples) {
    return QByteArray(reinterpret_cast<const char*>(std::data(samples)), qsizetype(samples.size() * sizeof(Sample)));
}

TEST(EncodeSamples, EachSampleInEveryChannelOfTheDevicesFormat) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<QAudioFormat::SampleFormat, int, std::vector<float>, QByteArray> cases[] = {
        {QAudioFormat::Float, 1, {0.5F, -1, 2, nan}, Bytes<float>({0.5F, -1, 1, 0})},
        {QAudioFormat::Int16, 2, {1, -0.5F, -3}, Bytes<qint16>({32767, 32767, -16384, -16384, -32767, -32767})},
        {QAudioFormat::UInt8, 1, {-1, 0, 1, nan}, Bytes<quint8>({0, 128, 255, 128})},
    };
    for (const auto& [sampleFormat, channels, pcm, bytes] : cases) {
        QAudioFormat format;
        format.setSampleFormat(sampleFormat);
        format.setChannelCount(channels);
        EXPECT_EQ(EncodeSamples(pcm, format), bytes) << sampleFormat;
    }
}

}  // namespace
}  // namespace ostrevo::ui
