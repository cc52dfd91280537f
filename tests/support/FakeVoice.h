#pragma once
#include "SpeechVoice.h"
#include <QStringList>

// A voice for fast window tests: it speaks nothing and the test decides when words and ends of
// streams happen. Events are posted through the event loop, as the real voice does.
class FakeVoice : public SpeechVoice
{
    Q_OBJECT
public:
    using SpeechVoice::SpeechVoice;

    void setVolume(int volume) override { m_volume = volume; }
    int Volume() const override { return m_volume; }
    void Speak(const QString &text, int flags) override;
    void Pause() override;
    void Resume() override;
    int RunningState() const override;

    // Every text handed to Speak with flags 1, in order, purged or not.
    QStringList spoken;
    // Texts still queued; the first is the stream being spoken.
    QStringList queue() const;
    int purgeCount() const { return m_purges; }

    // Posts a Word event for the stream being spoken.
    void sayWord(int characterPosition, int length);
    // Posts the EndStream of the stream being spoken and moves on to the next one.
    void finishStream();

private:
    struct Stream { int number; QString text; };
    QList<Stream> m_queue;
    int m_nextNumber = 1;
    int m_volume = 100;
    int m_purges = 0;
    bool m_paused = false;
};
