#pragma once
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "audio_trace.h"

namespace ostrevo::ui {

// Where an audio trace sounds: the machine's audio output, or nowhere.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // The rate it plays samples at, per second.
    virtual int sampleRate() const = 0;
    // Plays mono samples in [-1, 1] at sampleRate(), from their start.
    virtual void start(const std::vector<float>& pcm) = 0;
    // How long it has played since start().
    virtual double secondsPlayed() const = 0;
    virtual void stop() = 0;
};

// Mono samples in [-1, 1] (beyond it clamped, silent where not finite) in a device's format: each in every channel.
QByteArray EncodeSamples(const std::vector<float>& pcm, const QAudioFormat& format);

// The machine's default audio output, or nullptr when it has none.
std::unique_ptr<SoundOutput> DefaultSoundOutput();
// An output that plays nothing for as long as the sound lasts.
std::unique_ptr<SoundOutput> SilentSoundOutput();

// Plays an audio trace and tells, column by column, where it has come to.
class AudioTracePlayer : public QObject {
    Q_OBJECT
public:
    // `reached` is told each column of the plot the sound reaches.
    explicit AudioTracePlayer(std::function<void(std::int64_t column)> reached);
    ~AudioTracePlayer() override;

    bool hasOutput() const { return output_ != nullptr; }
    void useOutput(std::unique_ptr<SoundOutput> output);
    int sampleRate() const { return output_->sampleRate(); }

    void play(AudioTrace trace);
    void stop();
    bool isPlaying() const { return ticks_.isActive(); }

private:
    void followSound();

    std::function<void(std::int64_t)> reached_;
    std::unique_ptr<SoundOutput> output_;
    AudioTrace trace_;
    std::int64_t lastColumn_ = 0;
    std::int64_t column_ = 0;
    QTimer ticks_;
};

}  // namespace ostrevo::ui
