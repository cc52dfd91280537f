#include "VoiceEvents.h"
#include <QTest>

VoiceEvents::VoiceEvents(SpeechVoice *voice) : m_voice(voice)
{
    m_clock.start();
    connect(voice, &SpeechVoice::Word, this, [this](int stream, qint64, int position, int length) {
        events.append({true, stream, position, length, m_clock.elapsed(), m_voice->RunningState()});
    });
    connect(voice, &SpeechVoice::EndStream, this, [this](int stream, qint64) {
        events.append({false, stream, 0, 0, m_clock.elapsed(), m_voice->RunningState()});
    });
}

QList<VoiceEvents::Event> VoiceEvents::wordsOf(int stream) const
{
    QList<Event> words;
    for (const Event &e : events) {
        if (e.isWord && e.stream == stream)
            words.append(e);
    }
    return words;
}

int VoiceEvents::endsOf(int stream) const
{
    return int(std::count_if(events.begin(), events.end(),
                             [stream](const Event &e) { return !e.isWord && e.stream == stream; }));
}

bool VoiceEvents::waitForEnd(int stream, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return endsOf(stream) > 0; }, timeoutMs);
}

bool VoiceEvents::waitForWords(int stream, int count, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return wordsOf(stream).size() >= count; }, timeoutMs);
}

QString VoiceEvents::spokenText(int stream, const QString &text) const
{
    QString spoken;
    for (const Event &e : wordsOf(stream))
        spoken += text.mid(e.position, e.length);
    return spoken;
}
