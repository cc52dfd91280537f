#pragma once
#include <QObject>
#include <QString>
#include <QStringList>

// The speech voice the read-aloud window drives. Events reach the receiver through the Qt event
// loop, one at a time, never from inside a call of the voice.
class SpeechVoice : public QObject
{
    Q_OBJECT
public:
    enum SpeakFlags { SVSFlagsAsync = 1, SVSFPurgeBeforeSpeak = 2 };
    enum RunningStates { SRSEPaused = 0, SRSEDone = 1, SRSEIsSpeaking = 2 };

    using QObject::QObject;

    virtual void setVolume(int volume) = 0; // 0..100
    virtual int Volume() const = 0;
    // flags 1: queue `text` as one stream behind what is queued and return at once.
    // flags 2 with an empty text: discard everything queued and the stream being spoken at once.
    virtual void Speak(const QString &text, int flags) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // 0 paused, 1 done (nothing queued or spoken, also for a new voice), 2 speaking.
    virtual int RunningState() const = 0;

    // The speed as a factor of the voice's set rate (1 is that rate). It counts from the next word
    // the voice has not yet made ready to be heard: nothing is heard twice or left out.
    virtual void setRateFactor(double factor) { m_rateFactor = factor; }
    double rateFactor() const { return m_rateFactor; }

    // The listener's own reading files (see ListenerReadings), later ones winning; they count
    // from the next text spoken.
    void setReadingsFiles(const QStringList &files) { m_readingsFiles = files; }
    const QStringList &readingsFiles() const { return m_readingsFiles; }
    // The listener's text rule files (see TextRuleFiles); they count from the next text spoken.
    void setRulesFiles(const QStringList &files) { m_rulesFiles = files; }
    const QStringList &rulesFiles() const { return m_rulesFiles; }
    // The text of the line before and after the next text spoken, which the rules see around it
    // (a rule for whole lines then holds for a line spoken in pieces); empty for none.
    void setTextAround(const QString &before, const QString &after)
    {
        m_textBefore = before;
        m_textAfter = after;
    }
    const QString &textBefore() const { return m_textBefore; }
    const QString &textAfter() const { return m_textAfter; }

signals:
    // Positions and lengths are 0-based, in UTF-16 characters of the text given to that Speak.
    void Word(int streamNumber, qint64 streamPosition, int characterPosition, int length);
    void EndStream(int streamNumber, qint64 streamPosition);
    // A rule file could not be read, or a rule was turned off: one line for the listener.
    void rulesNotice(const QString &text);

protected:
    double m_rateFactor = 1.0;

private:
    QStringList m_readingsFiles;
    QStringList m_rulesFiles;
    QString m_textBefore;
    QString m_textAfter;
};
