#include "EspeakVoice.h"
#include "SampleFormat.h"
#include "PulseOutput.h"
#include "SilentOutput.h"
#include "SpeechLog.h"
#include "SynthEngine.h"
#include "SynthWorker.h"
#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace {
constexpr int PumpIntervalMs = 20;
constexpr int LeadMs = 250; // audio handed to the output beyond what it still holds unheard
}

EspeakVoice::Output EspeakVoice::s_defaultOutput = EspeakVoice::Output::Audio;

void EspeakVoice::setDefaultOutput(Output output)
{
    s_defaultOutput = output;
}

EspeakVoice::EspeakVoice(const SpeechSettings &settings, QObject *parent)
    : EspeakVoice(settings, s_defaultOutput, parent)
{
}

EspeakVoice::EspeakVoice(const SpeechSettings &settings, Output output, QObject *parent)
    : SpeechVoice(parent),
      m_engine(SynthEngine::shared()),
      m_id(SynthEngine::newClientId()),
      m_settings(settings.clamped()),
      m_outputChoice(output),
      m_cancelUpTo(std::make_shared<std::atomic<int>>(0))
{
    connect(m_engine->worker(), &SynthWorker::synthesized, this, &EspeakVoice::onSynthesized,
            Qt::QueuedConnection);
    connect(m_engine->worker(), &SynthWorker::rulesNotice, this, [this](quint64 voiceId, const QString &text) {
        if (voiceId == m_id)
            emit rulesNotice(text);
    }, Qt::QueuedConnection);
    m_pumpTimer.setInterval(PumpIntervalMs);
    m_pumpTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pumpTimer, &QTimer::timeout, this, &EspeakVoice::pump);
    m_eventTimer.setSingleShot(true);
    m_eventTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_eventTimer, &QTimer::timeout, this, &EspeakVoice::pump);
}

EspeakVoice::~EspeakVoice()
{
    m_cancelUpTo->store(m_lastJob);
}

void EspeakVoice::setVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 100);
    if (m_output)
        m_output->setVolume(m_volume / 100.0);
}

void EspeakVoice::Speak(const QString &text, int flags)
{
    if (flags & SVSFPurgeBeforeSpeak)
        purge();
    if ((flags & SVSFPurgeBeforeSpeak) && text.isEmpty())
        return;
    const int stream = ++m_lastStream;
    m_liveStreams.append(stream);
    m_timeline.addStream(stream);
    m_texts.insert(stream, {textBefore(), text, textAfter()});
    synthesize(stream, 0);
    if (!m_paused)
        m_pumpTimer.start();
}

// The stream's text from `position` on, its audio following what the stream holds already.
void EspeakVoice::synthesize(int stream, int position)
{
    const int job = ++m_lastJob;
    m_jobs.insert(job, {stream, position, m_timeline.streamFrames(stream)});
    // Made again from `position` on, the rules still see the stream's text before it.
    const StreamText &spoken = m_texts[stream];
    m_engine->synthesize({m_id, job, spoken.text.mid(position), settingsAtRate(), m_cancelUpTo, readingsFiles(),
                          rulesFiles(), spoken.before + spoken.text.left(position), spoken.after});
}

SpeechSettings EspeakVoice::settingsAtRate() const
{
    SpeechSettings settings = m_settings;
    settings.rate = std::clamp(int(std::lround(m_settings.rate * m_rateFactor)), SpeechSettings::MinimumRate,
                               SpeechSettings::MaximumFastRate);
    return settings;
}

void EspeakVoice::setRateFactor(double factor)
{
    if (factor == m_rateFactor)
        return;
    m_rateFactor = factor;
    m_remakePending = true;
    remakeAtRate();
}

// Every job so far is abandoned and the audio not yet handed on is made again, at the new rate.
void EspeakVoice::remakeAtRate()
{
    if (!m_remakePending)
        return;
    const std::optional<QList<SpeechTimeline::Remake>> remakes = m_timeline.cutAfterTaken();
    if (!remakes)
        return; // the words of the stream being taken are not known yet: tried again as they come
    m_remakePending = false;
    if (remakes->isEmpty())
        return;
    m_cancelUpTo->store(m_lastJob);
    m_jobs.clear();
    for (const SpeechTimeline::Remake &remake : *remakes)
        synthesize(remake.stream, remake.position);
    emit rateTaken(remakes->first().stream, remakes->first().position);
}

void EspeakVoice::purge()
{
    m_cancelUpTo->store(m_lastJob);
    m_jobs.clear();
    m_texts.clear();
    m_remakePending = false;
    m_liveStreams.clear();
    m_pendingEvents.clear();
    m_timeline.clear();
    closeOutput();
    m_paused = false;
}

void EspeakVoice::Pause()
{
    if (m_paused || m_liveStreams.isEmpty())
        return;
    m_paused = true;
    m_pumpTimer.stop();
    m_eventTimer.stop();
    if (m_output)
        m_output->suspend();
}

void EspeakVoice::Resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    if (m_output)
        m_output->resume();
    m_pumpTimer.start();
}

int EspeakVoice::RunningState() const
{
    if (m_paused)
        return SRSEPaused;
    return m_liveStreams.isEmpty() ? SRSEDone : SRSEIsSpeaking;
}

bool EspeakVoice::isPlayingAudio() const
{
    return m_output && !m_output->isSilent();
}

void EspeakVoice::onSynthesized(quint64 voiceId, int jobNumber, const QByteArray &samples,
                                const QVector<WordMark> &words, bool finished)
{
    if (voiceId != m_id || jobNumber <= m_cancelUpTo->load() || !m_jobs.contains(jobNumber))
        return;
    const Job job = finished ? m_jobs.take(jobNumber) : m_jobs.value(jobNumber);
    QVector<WordMark> marks = words;
    for (WordMark &mark : marks) {
        mark.frame += job.frame;
        mark.position += job.position;
    }
    m_timeline.append(job.stream, samples, marks, finished);
    remakeAtRate();
    if (!m_paused)
        pump();
}

qint64 EspeakVoice::playedFrames() const
{
    return m_output ? m_outputOrigin + m_output->playedFrames() : m_outputOrigin;
}

void EspeakVoice::pump()
{
    if (m_output && m_output->hasFailed())
        fallBackToSilence();
    const qint64 played = std::max(playedFrames(), m_lastPlayed);
    m_lastPlayed = played;
    writeAhead(played);
    m_pendingEvents.append(m_timeline.eventsUpTo(played));
    if (m_timeline.isEmpty()) {
        closeOutput();
        m_pumpTimer.stop();
        m_eventTimer.stop();
    }
    // An event heard before the next tick wakes the pump when it is heard, so that a word is
    // marked as it sounds and not up to a tick later.
    const std::optional<qint64> next = m_timeline.nextEventFrame();
    const qint64 rate = m_engine->sampleRate();
    if (next && m_pumpTimer.isActive() && rate > 0) {
        const qint64 ms = (*next - played) * 1000 / rate;
        if (ms >= 0 && ms < PumpIntervalMs)
            m_eventTimer.start(int(ms));
    }
    scheduleDelivery();
}

void EspeakVoice::writeAhead(qint64 played)
{
    const qint64 taken = m_timeline.takenFrames();
    // A device with a large buffer holds more than the lead unheard; it is kept filled, or a
    // stream that waits for a full buffer before it plays would never start.
    const qint64 held = m_output ? m_output->latencyFrames() : 0;
    const qint64 lead = qint64(m_engine->sampleRate()) * LeadMs / 1000 + held;
    const QByteArray audio = m_timeline.takeAudio(played + lead - taken);
    if (audio.isEmpty())
        return;
    if (!m_output)
        openOutput(taken);
    const qint64 written = m_output->write(audio);
    m_timeline.rewindTo(m_timeline.takenFrames() - SampleFormat::Frames(audio.size() - written));
}

void EspeakVoice::scheduleDelivery()
{
    if (m_pendingEvents.isEmpty() || m_deliveryScheduled)
        return;
    m_deliveryScheduled = true;
    QMetaObject::invokeMethod(this, &EspeakVoice::deliverNextEvent, Qt::QueuedConnection);
}

void EspeakVoice::openOutput(qint64 origin)
{
    const int sampleRate = m_engine->sampleRate();
    if (m_outputChoice == Output::Audio)
        m_output = std::make_unique<PulseOutput>(sampleRate);
    if (!m_output)
        m_output = std::make_unique<SilentOutput>(sampleRate);
    m_output->setVolume(m_volume / 100.0);
    m_outputOrigin = origin;
    m_lastPlayed = origin;
}

void EspeakVoice::closeOutput()
{
    // A stream heard through the sound server to its end ends the outage: the next loss is told.
    if (m_output && !m_output->isSilent() && !m_output->hasFailed())
        m_silenceTold = false;
    m_output.reset();
    m_outputOrigin = 0;
    m_lastPlayed = 0;
}

void EspeakVoice::fallBackToSilence()
{
    // Told once an outage: the server is tried again at each stream, and fails again at each.
    if (!m_silenceTold)
        qCWarning(lcSpeech, "the sound output failed: speech goes on silently, timed as if heard");
    m_silenceTold = true;
    // What the server had not played yet is played again, silently, from where it stopped.
    m_output = std::make_unique<SilentOutput>(m_engine->sampleRate());
    m_timeline.rewindTo(m_lastPlayed);
    m_outputOrigin = m_timeline.takenFrames();
    m_lastPlayed = m_outputOrigin;
    if (m_paused)
        m_output->suspend();
}

void EspeakVoice::deliverNextEvent()
{
    m_deliveryScheduled = false;
    if (m_pendingEvents.isEmpty())
        return;
    const SpeechTimeline::Event event = m_pendingEvents.takeFirst();
    scheduleDelivery();
    if (event.kind == SpeechTimeline::Event::Word) {
        emit Word(event.stream, event.streamPosition, event.position, event.length);
    } else {
        m_liveStreams.removeOne(event.stream);
        m_texts.remove(event.stream);
        emit EndStream(event.stream, event.streamPosition);
    }
}

SpeechVoice *CreateUserVoice(QObject *parent)
{
    return new EspeakVoice(LoadSpeechSettings(), parent);
}

QList<VoiceInfo> AvailableVoices()
{
    return SynthEngine::shared()->voices();
}
