// The audio trace in each sample format a device may prefer.
#include <gtest/gtest.h>

#include <limits>

#include "audio_trace_player.h"

namespace ostrevo::ui {
namespace {

template <typename Sample>
QByteArray Bytes(std::initializer_list<Sample> samples) {
    QByteArray bytes;
    for (const Sample sample : samples) bytes.append(reinterpret_cast<const char*>(&sample), sizeof sample);
    return bytes;
}

TEST(EncodeSamples, EachSampleInEveryChannelOfTheDevicesFormat) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        QAudioFormat::SampleFormat format;
        int channels;
        std::vector<float> pcm;
        QByteArray bytes;
    } cases[] = {
        {QAudioFormat::Float, 1, {0.5F, -1, 2, nan}, Bytes<float>({0.5F, -1, 1, 0})},
        {QAudioFormat::Int16, 2, {1, -0.5F, -3}, Bytes<qint16>({32767, 32767, -16384, -16384, -32767, -32767})},
        {QAudioFormat::Int32, 1, {0.5F, nan}, Bytes<qint32>({1073741824, 0})},
        {QAudioFormat::UInt8, 1, {-1, 0, 1}, Bytes<quint8>({0, 128, 255})},
    };
    for (const auto& c : cases) {
        QAudioFormat format;
        format.setSampleFormat(c.format);
        format.setChannelCount(c.channels);
        format.setSampleRate(48000);
        EXPECT_EQ(EncodeSamples(c.pcm, format), c.bytes) << c.format;
    }
}

}  // namespace
}  // namespace ostrevo::ui
