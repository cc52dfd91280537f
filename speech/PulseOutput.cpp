#include "PulseOutput.h"
#include "SampleFormat.h"
#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <algorithm>
#include <cmath>

namespace {
constexpr int ConnectTimeoutMs = 1000; // a local server answers in milliseconds
constexpr int BufferMs = 250;          // audio the server holds ahead of what is heard

// Holds the main loop's lock for one scope; the loop's callbacks run with it held.
class LoopLock
{
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

QByteArray scaled(const QByteArray &samples, double volume)
{
    QByteArray result(SampleFormat::WholeFrameBytes(samples.size()), Qt::Uninitialized);
    const auto *in = reinterpret_cast<const qint16 *>(samples.constData());
    auto *out = reinterpret_cast<qint16 *>(result.data());
    for (qsizetype i = 0; i < result.size() / SampleFormat::BytesPerSample; ++i)
        out[i] = qint16(std::lround(in[i] * volume));
    return result;
}
}

PulseOutput::PulseOutput(int sampleRate) : m_sampleRate(std::max(sampleRate, 1))
{
    m_sinceOpen.start();
    m_loop = pa_threaded_mainloop_new();
    m_context = m_loop ? pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Tarrowin") : nullptr;
    if (!m_context) {
        m_failed = true;
        return;
    }
    pa_context_set_state_callback(m_context, &PulseOutput::onContextState, this);
    // No server is started on our behalf: without one the voice goes on silently.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0
        || pa_threaded_mainloop_start(m_loop) < 0)
        m_failed = true;
}

PulseOutput::~PulseOutput()
{
    if (m_loop)
        pa_threaded_mainloop_stop(m_loop);
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_underflow_callback(m_stream, nullptr, nullptr);
        pa_stream_unref(m_stream);
    }
    if (m_context) {
        // The server drops the client's stream, and with it what it still held, at once.
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    if (m_loop)
        pa_threaded_mainloop_free(m_loop);
}

void PulseOutput::onContextState(pa_context *context, void *self)
{
    auto *output = static_cast<PulseOutput *>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        output->connectStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        output->m_failed = true;
        break;
    default:
        break;
    }
}

void PulseOutput::connectStream()
{
    const pa_sample_spec format{PA_SAMPLE_S16LE, uint32_t(m_sampleRate), SampleFormat::Channels};
    m_stream = pa_stream_new(m_context, "Tarrowin speech", &format, nullptr);
    if (!m_stream) {
        m_failed = true;
        return;
    }
    pa_stream_set_state_callback(m_stream, &PulseOutput::onStreamState, this);
    pa_stream_set_underflow_callback(m_stream, &PulseOutput::onUnderflow, this);
    pa_buffer_attr buffer;
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = uint32_t(pa_usec_to_bytes(pa_usec_t(BufferMs) * 1000, &format));
    buffer.prebuf = uint32_t(pa_frame_size(&format)); // play as soon as anything is there
    buffer.minreq = uint32_t(-1);
    buffer.fragsize = uint32_t(-1);
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE
                                         | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, flags, nullptr, nullptr) < 0)
        m_failed = true;
}

void PulseOutput::onStreamState(pa_stream *stream, void *self)
{
    auto *output = static_cast<PulseOutput *>(self);
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        output->m_ready = true;
        output->applyCork(); // the output may have been suspended while connecting
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        output->m_failed = true;
        break;
    default:
        break;
    }
}

void PulseOutput::onUnderflow(pa_stream *, void *self)
{
    auto *output = static_cast<PulseOutput *>(self);
    output->m_drained = true;
    output->m_drainedUsecs = output->streamUsecs();
    if (!output->m_suspended)
        output->m_drainClock.start();
}

qint64 PulseOutput::write(const QByteArray &samples)
{
    if (!m_ready || hasFailed())
        return 0;
    LoopLock lock(m_loop);
    const size_t writable = pa_stream_writable_size(m_stream); // -1 once the stream has failed
    if (writable == size_t(-1))
        return 0;
    const QByteArray part = samples.left(SampleFormat::WholeFrameBytes(qsizetype(std::min(writable, size_t(samples.size())))));
    if (part.isEmpty())
        return 0;
    const QByteArray audio = m_volume < 1.0 ? scaled(part, m_volume) : part;
    if (pa_stream_write(m_stream, audio.constData(), size_t(audio.size()), nullptr, 0,
                        PA_SEEK_RELATIVE) < 0)
        return 0;
    m_writtenFrames += SampleFormat::Frames(audio.size());
    m_drained = false;
    m_drainClock.invalidate();
    return audio.size();
}

qint64 PulseOutput::streamUsecs() const
{
    pa_usec_t usecs = 0;
    return pa_stream_get_time(m_stream, &usecs) < 0 ? 0 : qint64(usecs);
}

qint64 PulseOutput::playedFrames() const
{
    if (!m_ready)
        return 0;
    LoopLock lock(m_loop);
    qint64 usecs = streamUsecs();
    if (m_drained) {
        const qint64 sinceUnderflow = m_drainClock.isValid() ? m_drainClock.nsecsElapsed() / 1000 : 0;
        usecs = std::max(usecs, m_drainedUsecs + sinceUnderflow);
    }
    return framesHeard(usecs, m_sampleRate, m_writtenFrames);
}

qint64 PulseOutput::latencyFrames() const
{
    return m_writtenFrames - playedFrames();
}

void PulseOutput::applyCork()
{
    if (pa_operation *operation = pa_stream_cork(m_stream, m_suspended ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(operation);
}

void PulseOutput::cork(bool corked)
{
    if (!m_loop)
        return;
    LoopLock lock(m_loop);
    if (corked == m_suspended)
        return;
    m_suspended = corked;
    if (m_drainClock.isValid())
        m_drainedUsecs += m_drainClock.nsecsElapsed() / 1000;
    if (m_drained && !corked)
        m_drainClock.start();
    else
        m_drainClock.invalidate();
    if (m_ready)
        applyCork();
}

void PulseOutput::suspend()
{
    cork(true);
}

void PulseOutput::resume()
{
    cork(false);
}

void PulseOutput::setVolume(double volume)
{
    m_volume = std::clamp(volume, 0.0, 1.0);
}

bool PulseOutput::hasFailed() const
{
    return m_failed || (!m_ready && m_sinceOpen.elapsed() > ConnectTimeoutMs);
}

bool PulseOutput::isSilent() const
{
    return !m_ready;
}
