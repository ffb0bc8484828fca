#include "audio_trace_player.h"

#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ostrevo::ui {
namespace {

// A sample in [-1, 1] in one of the sample formats a device may prefer.
template <typename Sample>
void Append(QByteArray& bytes, float value) {
    Sample sample{};
    if constexpr (std::is_floating_point_v<Sample>) {
        sample = value;
    } else if constexpr (std::is_unsigned_v<Sample>) {
        sample = static_cast<Sample>(std::lround((value + 1.0F) * 0.5F * std::numeric_limits<Sample>::max()));
    } else {
        sample = static_cast<Sample>(std::lround(value * std::numeric_limits<Sample>::max()));
    }
    bytes.append(reinterpret_cast<const char*>(&sample), sizeof sample);
}

}  // namespace

QByteArray EncodeSamples(const std::vector<float>& pcm, const QAudioFormat& format) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(pcm.size()) * format.bytesPerFrame());
    for (const float value : pcm) {
        const float clamped = std::isfinite(value) ? std::clamp(value, -1.0F, 1.0F) : 0.0F;
        for (int channel = 0; channel < format.channelCount(); ++channel) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8: Append<quint8>(bytes, clamped); break;
            case QAudioFormat::Int16: Append<qint16>(bytes, clamped); break;
            case QAudioFormat::Int32: Append<qint32>(bytes, clamped); break;
            default: Append<float>(bytes, clamped); break;
            }
        }
    }
    return bytes;
}

namespace {

// The device in the format it prefers, which it certainly plays.
class DeviceSoundOutput : public SoundOutput {
public:
    explicit DeviceSoundOutput(const QAudioDevice& device) : device_(device), format_(device.preferredFormat()) {
        if (format_.sampleFormat() == QAudioFormat::Unknown) format_.setSampleFormat(QAudioFormat::Int16);
    }
    ~DeviceSoundOutput() override { stop(); }

    int sampleRate() const override { return format_.sampleRate(); }
    void start(const std::vector<float>& pcm) override {
        stop();
        buffer_.setData(EncodeSamples(pcm, format_));
        buffer_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device_, format_);
        sink_->start(&buffer_);
    }
    // What the device has taken so far: ahead of the loudspeaker by its short buffer only.
    double secondsPlayed() const override { return sink_ ? static_cast<double>(sink_->processedUSecs()) / 1e6 : 0; }
    void stop() override {
        if (sink_) sink_->stop();
        sink_.reset();
        buffer_.close();
    }

private:
    QAudioDevice device_;
    QAudioFormat format_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

class SilentOutput : public SoundOutput {
public:
    int sampleRate() const override { return 8000; }  // enough for the sound's length, which is all that counts
    void start(const std::vector<float>&) override { clock_.start(); }
    double secondsPlayed() const override { return clock_.isValid() ? static_cast<double>(clock_.nsecsElapsed()) / 1e9 : 0; }
    void stop() override { clock_.invalidate(); }

private:
    QElapsedTimer clock_;
};

}  // namespace

std::unique_ptr<SoundOutput> DefaultSoundOutput() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return nullptr;
    return std::make_unique<DeviceSoundOutput>(device);
}

std::unique_ptr<SoundOutput> SilentSoundOutput() { return std::make_unique<SilentOutput>(); }

AudioTracePlayer::AudioTracePlayer(std::function<void(std::int64_t)> reached) : reached_(std::move(reached)) {
    ticks_.setInterval(15);  // about a frame of the screen
    connect(&ticks_, &QTimer::timeout, this, &AudioTracePlayer::followSound);
}

AudioTracePlayer::~AudioTracePlayer() { stop(); }

void AudioTracePlayer::useOutput(std::unique_ptr<SoundOutput> output) {
    stop();
    output_ = std::move(output);
}

void AudioTracePlayer::play(AudioTrace trace) {
    stop();
    const double samplesPerColumn = trace.secondsPerColumn * trace.sampleRate;
    if (trace.pcm.empty() || !(samplesPerColumn > 0)) return;
    trace_ = std::move(trace);
    const auto columns = static_cast<std::int64_t>(std::llround(static_cast<double>(trace_.pcm.size()) / samplesPerColumn));
    lastColumn_ = trace_.firstColumn + std::max<std::int64_t>(columns, 1) - 1;
    column_ = trace_.firstColumn;
    output_->start(trace_.pcm);
    ticks_.start();
}

void AudioTracePlayer::stop() {
    if (!isPlaying()) return;
    ticks_.stop();
    output_->stop();
}

void AudioTracePlayer::followSound() {
    const double seconds = output_->secondsPlayed();
    const double columns = std::min(std::floor(seconds / trace_.secondsPerColumn), 1e15);
    const std::int64_t column = std::min(lastColumn_, trace_.firstColumn + static_cast<std::int64_t>(columns));
    if (column != column_) reached_(column);
    column_ = column;
    if (seconds * trace_.sampleRate >= static_cast<double>(trace_.pcm.size())) stop();
}

}  // namespace ostrevo::ui
