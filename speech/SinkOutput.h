#pragma once
#include "AudioOutput.h"
#include <QAudioFormat>
#include <memory>

class QAudioSink;
class QIODevice;

// Plays through the default audio device of the sound server (PulseAudio or PipeWire) with a
// QAudioSink in push mode. Its clock is the sink's processed time, which follows what the server
// has actually played.
class SinkOutput : public AudioOutput
{
public:
    // Null when there is no audio device or the sink does not start.
    static std::unique_ptr<SinkOutput> open(int sampleRate);
    ~SinkOutput() override;

    qint64 write(const QByteArray &samples) override;
    qint64 playedFrames() const override;
    void suspend() override;
    void resume() override;
    void setVolume(double volume) override;
    bool hasFailed() const override;
    bool isSilent() const override { return false; }

private:
    SinkOutput(std::unique_ptr<QAudioSink> sink, QIODevice *device, int sampleRate);

    std::unique_ptr<QAudioSink> m_sink;
    QIODevice *m_device;
    int m_sampleRate;
    qint64 m_writtenFrames = 0;
};
