#pragma once
#include "SpeechSettings.h"
#include "SpeechTimeline.h"
#include "SpeechVoice.h"
#include <QHash>
#include <QTimer>
#include <QVector>
#include <atomic>
#include <memory>

class AudioOutput;
class SynthEngine;

// The real voice: espeak-ng synthesises in the shared synthesis thread, the audio plays through
// the sound server, and every Word and EndStream is sent when its first (or last) sample is
// heard. Without a sound server (or once it has gone) the voice goes on with a silent output
// that keeps real time; the sound server is tried again whenever a stream starts from silence.
class EspeakVoice : public SpeechVoice
{
    Q_OBJECT
public:
    enum class Output { Audio, Silent };

    explicit EspeakVoice(const SpeechSettings &settings, QObject *parent = nullptr);
    EspeakVoice(const SpeechSettings &settings, Output output, QObject *parent = nullptr);
    ~EspeakVoice() override;

    // The output that voices made without an explicit choice use. Tests set Silent to run
    // without sound; the default is Audio.
    static void setDefaultOutput(Output output);

    void setVolume(int volume) override;
    int Volume() const override { return m_volume; }
    void Speak(const QString &text, int flags) override;
    void Pause() override;
    void Resume() override;
    int RunningState() const override;

    // The speed, as a factor of the rate set in the settings. The words not yet handed to the
    // output are made again at the new speed, from the first of them on; what is already on its
    // way to be heard (a quarter of a second or so) is heard as it was made.
    void setRateFactor(double factor) override;

signals:
    // A new speed counts from this word of that stream on: the first one made again at it.
    void rateTaken(int stream, int characterPosition);

public:
    // True while audio plays through the sound server (false when silent or idle).
    bool isPlayingAudio() const;

private:
    void purge();
    void synthesize(int stream, int position);
    void remakeAtRate();
    SpeechSettings settingsAtRate() const;
    void onSynthesized(quint64 voiceId, int stream, const QByteArray &samples,
                       const QVector<WordMark> &words, bool finished);
    void pump();
    void writeAhead(qint64 played);
    void scheduleDelivery();
    void openOutput(qint64 origin);
    void closeOutput();
    void fallBackToSilence();
    qint64 playedFrames() const;
    void deliverNextEvent();

    static Output s_defaultOutput;

    std::shared_ptr<SynthEngine> m_engine;
    quint64 m_id;
    SpeechSettings m_settings;
    Output m_outputChoice;
    bool m_silenceTold = false; // the fall-back to silence was warned of, and no stream heard since
    std::shared_ptr<std::atomic<int>> m_cancelUpTo; // synthesis jobs up to this are abandoned
    // A synthesis job: the stream it makes, from which character of the stream's text, and the
    // frame of the stream its audio follows.
    struct Job
    {
        int stream = 0;
        int position = 0;
        qint64 frame = 0;
    };
    QHash<int, Job> m_jobs;
    struct StreamText
    {
        QString before; // of its line, which the text rules see but the voice does not say
        QString text;
        QString after;
    };
    QHash<int, StreamText> m_texts; // the text of every stream not yet ended
    int m_lastJob = 0;
    bool m_remakePending = false; // a speed change waits for the words of the stream being taken

    SpeechTimeline m_timeline;
    std::unique_ptr<AudioOutput> m_output;
    qint64 m_outputOrigin = 0;   // time-line frame at which the current output began
    qint64 m_lastPlayed = 0;     // last frame the output reported played
    QTimer m_pumpTimer;
    QTimer m_eventTimer;         // wakes the pump when the next event is heard, between its ticks

    QList<int> m_liveStreams;    // spoken and not yet ended, in order
    QList<SpeechTimeline::Event> m_pendingEvents;
    bool m_deliveryScheduled = false;
    int m_lastStream = 0;
    int m_volume = 100;
    bool m_paused = false;
};

// The voice with the user's stored settings (LoadSpeechSettings), as the window creates it.
SpeechVoice *CreateUserVoice(QObject *parent);
// The voices espeak-ng offers, Mandarin first.
QList<VoiceInfo> AvailableVoices();
