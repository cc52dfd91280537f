#pragma once
#include "SpeechVoice.h"
#include <QElapsedTimer>
#include <QList>

// Everything a voice reported, in order, with the time and the voice's state at each event.
class VoiceEvents : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        bool isWord = false;
        int stream = 0;
        int position = 0;
        int length = 0;
        qint64 atMs = 0;
        int stateThen = 0;
    };

    explicit VoiceEvents(SpeechVoice *voice);

    QList<Event> events;

    QList<Event> wordsOf(int stream) const;
    int endsOf(int stream) const;
    bool waitForEnd(int stream, int timeoutMs = 20000) const;
    bool waitForWords(int stream, int count, int timeoutMs = 10000) const;
    // The words of a stream as the text they select, joined.
    QString spokenText(int stream, const QString &text) const;

private:
    SpeechVoice *m_voice;
    QElapsedTimer m_clock;
};
