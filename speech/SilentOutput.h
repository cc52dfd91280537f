#pragma once
#include "AudioOutput.h"
#include <QElapsedTimer>

// An output that plays nothing but keeps real time: written audio counts as played at the pace
// it would be heard, so words and stream ends come as they would with sound. Time spent waiting
// for audio not yet written does not count.
class SilentOutput : public AudioOutput
{
public:
    explicit SilentOutput(int sampleRate);

    qint64 write(const QByteArray &samples) override;
    qint64 playedFrames() const override;
    qint64 latencyFrames() const override { return m_written - playedFrames(); }
    void suspend() override;
    void resume() override;
    void setVolume(double) override {}
    bool hasFailed() const override { return false; }
    bool isSilent() const override { return true; }

private:
    qint64 clockFrames() const;

    int m_sampleRate;
    qint64 m_written = 0;
    qint64 m_clockBase = 0; // frames counted when the clock last (re)started
    QElapsedTimer m_clock;  // invalid while suspended
};
