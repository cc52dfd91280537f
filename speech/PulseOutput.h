#pragma once
#include "AudioOutput.h"
#include <QElapsedTimer>
#include <atomic>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// Plays through a connection of its own to the sound server (libpulse). Qt 6.4's QAudioSink is
// not used: its processed time stalls for hundreds of milliseconds on a device with a large
// buffer, and its audio engine, connected once per process, fails every later sink once the
// server has gone. The connection is made in the background: until the stream is ready nothing
// is taken and the clock stands still, so the caller never waits. When no server answers in
// time, or the server goes away later, the output has failed. Its clock is what is heard: the
// stream's playback time, which is what was written less the stream's latency as the server
// reports it (the audio in the stream's buffer and in the device). Suspend corks the stream,
// and destroying it drops what the server still holds.
class PulseOutput : public AudioOutput
{
public:
    explicit PulseOutput(int sampleRate);
    ~PulseOutput() override;
    PulseOutput(const PulseOutput &) = delete;
    PulseOutput &operator=(const PulseOutput &) = delete;

    qint64 write(const QByteArray &samples) override;
    qint64 playedFrames() const override;
    qint64 latencyFrames() const override;
    void suspend() override;
    void resume() override;
    void setVolume(double volume) override;
    bool hasFailed() const override;
    // True until the stream is ready to play.
    bool isSilent() const override;

private:
    static void onContextState(pa_context *context, void *self);
    static void onStreamState(pa_stream *stream, void *self);
    static void onUnderflow(pa_stream *stream, void *self);
    qint64 streamUsecs() const;
    void connectStream();
    void cork(bool corked);
    void applyCork();

    int m_sampleRate;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr; // set and used with the main loop's lock held
    std::atomic<bool> m_ready{false};
    std::atomic<bool> m_failed{false};
    // Guarded by the main loop's lock:
    bool m_suspended = false;
    // Once the server has run out of audio, the stream's time stops short of the end by what
    // the sink still holds; that much real time after the underflow, all of it has been heard.
    bool m_drained = false;
    qint64 m_drainedUsecs = 0;
    QElapsedTimer m_drainClock;    // since the underflow, invalid while suspended
    qint64 m_writtenFrames = 0;
    double m_volume = 1.0;
    QElapsedTimer m_sinceOpen;
};
