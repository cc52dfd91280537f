#pragma once
#include <QByteArray>

// Where the voice's audio goes: 16-bit mono samples at one rate, written ahead of playback, with
// a clock that tells how much of it has been played (heard).
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;

    // Returns the number of bytes taken; the rest must be offered again.
    virtual qint64 write(const QByteArray &samples) = 0;
    virtual qint64 playedFrames() const = 0;
    // Frames written and not yet heard, as far as the output knows: what the sound server holds
    // in the stream's buffer and in the device.
    virtual qint64 latencyFrames() const = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
    virtual void setVolume(double volume) = 0; // 0..1
    // True once the output can no longer play (its sound server went away).
    virtual bool hasFailed() const = 0;
    virtual bool isSilent() const = 0;

protected:
    // The frames heard after `usecs` of playback of `written` frames. A playback time in whole
    // microseconds may end a frame short of the last one, so the last millisecond counts as all.
    static qint64 framesHeard(qint64 usecs, int sampleRate, qint64 written)
    {
        const qint64 frames = (usecs * sampleRate + 500000) / 1000000;
        return frames + sampleRate / 1000 >= written ? written : frames;
    }
};
