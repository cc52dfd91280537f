#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "PrivateSoundServer.h"
#include "SinkMonitor.h"
#include "VoiceEvents.h"
#include <QTest>
#include <memory>

// The sound server goes away in the middle of a stream: speech goes on silently, at the same
// pace, with every word. Once a server is back, the next stream is heard through it again, in
// the same run of the program (Qt's own audio stays disconnected here), and pause, resume and
// purge keep their timing on that output. The functions run in order: the later ones use the
// server that came back.
class ServerLossTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void speechGoesOnWhenTheServerGoes();
    void pauseAndResumeAfterTheServerCameBack();
    void purgeAfterTheServerCameBack();
    void volumeAfterTheServerCameBack();
    void secondLossAndReturn();

private:
    void requireReturnedServer();
    double silenceAfterMs(int settleMs, int recordMs);

    PrivateSoundServer m_server;
    std::unique_ptr<SinkMonitor> m_monitor; // of the server that came back
};

namespace {
const QString Text = QStringLiteral("从前有一座山，山里有一座庙，庙里有一个老和尚在给小和尚讲故事。");
const QString Again = QStringLiteral("声音回来了，我们接着读。");
constexpr double SilenceRms = 30; // the null sink's monitor is exact zeros when nothing plays
constexpr double SpeechRms = 300;

QString withoutPunctuation(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("[，。]")));
}

// Counts the warnings of a fall-back to silence while it lives; other messages go on as before.
class SilenceWarnings
{
public:
    SilenceWarnings() { s_count = 0; s_previous = qInstallMessageHandler(&SilenceWarnings::handle); }
    ~SilenceWarnings() { qInstallMessageHandler(s_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.contains(QLatin1String("speech goes on silently")))
            ++s_count;
        s_previous(type, context, message);
    }
    static inline int s_count = 0;
    static inline QtMessageHandler s_previous = nullptr;
};
}

void ServerLossTest::initTestCase()
{
    if (!m_server.start())
        QSKIP("pulseaudio and pacat are needed to run a sound server of this test's own");
    // Before the first use of sound in this process, which connects once.
    qputenv("PULSE_SERVER", m_server.address().toUtf8());
}

void ServerLossTest::requireReturnedServer()
{
    if (!m_monitor)
        QSKIP("needs the server that came back in speechGoesOnWhenTheServerGoes");
}

double ServerLossTest::silenceAfterMs(int settleMs, int recordMs)
{
    QTest::qWait(settleMs);
    m_monitor->restart();
    QTest::qWait(recordMs);
    return m_monitor->rms();
}

void ServerLossTest::speechGoesOnWhenTheServerGoes()
{
    SilenceWarnings warnings;
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(Text, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY(voice.isPlayingAudio());
    QCOMPARE(warnings.count(), 0);

    m_server.kill();
    QElapsedTimer afterLoss;
    afterLoss.start();
    QVERIFY(heard.waitForEnd(1));
    QVERIFY(!voice.isPlayingAudio());
    QCOMPARE(heard.spokenText(1, Text), withoutPunctuation(Text));
    // Most of the sentence was still to come: it took seconds, not the synthesis' milliseconds.
    QVERIFY2(afterLoss.elapsed() > 3000, qPrintable(QString::number(afterLoss.elapsed())));

    // Still no server: the next stream is spoken silently.
    voice.Speak(Again, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(2, 2));
    QVERIFY(!voice.isPlayingAudio());
    QVERIFY(heard.waitForEnd(2));
    QCOMPARE(heard.spokenText(2, Again), withoutPunctuation(Again));
    // One outage is told once, though the server was tried again for the second stream.
    QCOMPARE(warnings.count(), 1);

    // The server comes back: the next stream is heard through it, its words in order.
    QVERIFY(m_server.start());
    m_monitor = std::make_unique<SinkMonitor>();
    QVERIFY(m_monitor->start());
    m_monitor->restart();
    voice.Speak(Again, SpeechVoice::SVSFlagsAsync);
    QVERIFY(QTest::qWaitFor([&voice] { return voice.isPlayingAudio(); }, 3000));
    QVERIFY(heard.waitForEnd(3));
    QVERIFY2(m_monitor->rms() > SpeechRms, qPrintable(QString::number(m_monitor->rms())));
    QCOMPARE(heard.spokenText(3, Again), withoutPunctuation(Again));
    QCOMPARE(heard.endsOf(3), 1);
    QVERIFY(!heard.events.last().isWord);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
}

void ServerLossTest::pauseAndResumeAfterTheServerCameBack()
{
    requireReturnedServer();
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(Text, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY(voice.isPlayingAudio());
    voice.Pause();
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEPaused));
    QTest::qWait(100);
    const qsizetype before = heard.events.size();
    QVERIFY2(silenceAfterMs(0, 600) < SilenceRms, qPrintable(QString::number(m_monitor->rms())));
    QCOMPARE(heard.events.size(), before);

    m_monitor->restart();
    voice.Resume();
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(heard.waitForEnd(1));
    QVERIFY2(m_monitor->rms() > SpeechRms, qPrintable(QString::number(m_monitor->rms())));
    // None of the words lost or repeated across the pause.
    QCOMPARE(heard.spokenText(1, Text), withoutPunctuation(Text));
    QVERIFY(heard.events.size() > before + 1);
}

void ServerLossTest::purgeAfterTheServerCameBack()
{
    requireReturnedServer();
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(Text, SpeechVoice::SVSFlagsAsync);
    voice.Speak(Again, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY(voice.isPlayingAudio());
    voice.Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
    const qsizetype before = heard.events.size();
    QVERIFY2(silenceAfterMs(100, 500) < SilenceRms, qPrintable(QString::number(m_monitor->rms())));
    QCOMPARE(heard.events.size(), before);
    QCOMPARE(heard.endsOf(1) + heard.endsOf(2), 0);
}

void ServerLossTest::volumeAfterTheServerCameBack()
{
    requireReturnedServer();
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    voice.setVolume(0);
    VoiceEvents heard(&voice);
    m_monitor->restart();
    voice.Speak(Again, SpeechVoice::SVSFlagsAsync);
    QVERIFY(QTest::qWaitFor([&voice] { return voice.isPlayingAudio(); }, 3000));
    QVERIFY(heard.waitForEnd(1));
    QCOMPARE(heard.spokenText(1, Again), withoutPunctuation(Again));
    QVERIFY2(m_monitor->rms() < SilenceRms, qPrintable(QString::number(m_monitor->rms())));
}

// The server goes again while the voice plays through its own connection, and comes back again.
void ServerLossTest::secondLossAndReturn()
{
    requireReturnedServer();
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(Text, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY(voice.isPlayingAudio());
    m_monitor.reset();
    SilenceWarnings warnings;
    m_server.kill();
    QVERIFY(heard.waitForEnd(1));
    QCOMPARE(heard.spokenText(1, Text), withoutPunctuation(Text));
    QCOMPARE(warnings.count(), 1);

    QVERIFY(m_server.start());
    m_monitor = std::make_unique<SinkMonitor>();
    QVERIFY(m_monitor->start());
    m_monitor->restart();
    voice.Speak(Again, SpeechVoice::SVSFlagsAsync);
    QVERIFY(QTest::qWaitFor([&voice] { return voice.isPlayingAudio(); }, 3000));
    QVERIFY(heard.waitForEnd(2));
    QCOMPARE(heard.spokenText(2, Again), withoutPunctuation(Again));
    QVERIFY2(m_monitor->rms() > SpeechRms, qPrintable(QString::number(m_monitor->rms())));
}

TARROWIN_GUILESS_TEST_MAIN(ServerLossTest)
#include "ServerLossTest.moc"
