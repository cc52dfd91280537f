#include "SilentOutput.h"
#include "SampleFormat.h"
#include <algorithm>

namespace {
constexpr qint64 BufferMs = 250;
}

SilentOutput::SilentOutput(int sampleRate) : m_sampleRate(std::max(sampleRate, 1))
{
    m_clock.start();
}

qint64 SilentOutput::clockFrames() const
{
    if (!m_clock.isValid())
        return m_clockBase;
    return m_clockBase + m_clock.nsecsElapsed() * m_sampleRate / 1000000000;
}

qint64 SilentOutput::write(const QByteArray &samples)
{
    if (m_clock.isValid() && clockFrames() > m_written) {
        // Nothing was playing while the clock ran past the written audio: start again from here.
        m_clockBase = m_written;
        m_clock.start();
    }
    // Like a sound server's stream, it holds a quarter of a second unheard at most, so that the
    // audio not yet taken can still be made again (at another speed).
    const qint64 room = std::max<qint64>(m_sampleRate * BufferMs / 1000 - (m_written - playedFrames()), 0);
    const qint64 frames = std::min(SampleFormat::Frames(samples.size()), room);
    m_written += frames;
    return SampleFormat::Bytes(frames);
}

qint64 SilentOutput::playedFrames() const
{
    return std::min(clockFrames(), m_written);
}

void SilentOutput::suspend()
{
    if (!m_clock.isValid())
        return;
    m_clockBase = playedFrames();
    m_clock.invalidate();
}

void SilentOutput::resume()
{
    if (!m_clock.isValid())
        m_clock.start();
}
