#include "SilentOutput.h"
#include "SampleFormat.h"
#include <algorithm>

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
    m_written += SampleFormat::Frames(samples.size());
    return SampleFormat::WholeFrameBytes(samples.size());
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
