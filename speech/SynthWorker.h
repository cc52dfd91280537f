#pragma once
#include "ListenerReadingsCache.h"
#include "SynthTypes.h"
#include "TextRulesCache.h"
#include <QObject>

// Lives in the synthesis thread and makes every espeak-ng call of the process, since the library
// keeps global state. Audio comes out in pieces of a fraction of a second, each with the words
// that start in it, so that playback can begin long before a long text is done.
class SynthWorker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Returns the sample rate of the audio, or 0 when espeak-ng could not start. The library is
    // initialised once per process; later workers find it ready.
    Q_INVOKABLE int initialize();
    Q_INVOKABLE void synthesize(const SynthRequest &request);
    Q_INVOKABLE QList<VoiceInfo> voices() const;

signals:
    // 16-bit mono samples and the words they start, for one stream; the last piece of a stream
    // has `finished` set (it may be empty).
    void synthesized(quint64 voiceId, int stream, const QByteArray &samples,
                     const QVector<WordMark> &words, bool finished);
    // A rule file of that voice's request could not be read, or a rule was turned off.
    void rulesNotice(quint64 voiceId, const QString &text);

private:
    void apply(const SpeechSettings &settings);

    bool m_ready = false;
    // The voice set is Mandarin and reads Latin letters as pinyin (or as English).
    bool m_mandarin = false;
    bool m_readsPinyin = false;
    ListenerReadingsCache m_listenerReadings;
    TextRulesCache m_rules;
    int m_sampleRate = 0;
    bool m_applied = false;
    SpeechSettings m_current;
};
