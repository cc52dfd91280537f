#include "EspeakVoice.h"
#include "PrivateSoundServer.h"
#include "VoiceEvents.h"
#include <QtTest>

// The sound server goes away in the middle of a stream: speech goes on silently, at the same
// pace, with every word, and the next stream still ends.
class ServerLossTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void speechGoesOnWhenTheServerGoes();

private:
    PrivateSoundServer m_server;
};

namespace {
const QString Text = QStringLiteral("从前有一座山，山里有一座庙，庙里有一个老和尚在给小和尚讲故事。");
}

void ServerLossTest::initTestCase()
{
    if (!m_server.start())
        QSKIP("pulseaudio and pacat are needed to run a sound server of this test's own");
    // Before the first use of sound in this process, which connects once.
    qputenv("PULSE_SERVER", m_server.address().toUtf8());
}

void ServerLossTest::speechGoesOnWhenTheServerGoes()
{
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(Text, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY(voice.isPlayingAudio());

    m_server.kill();
    QElapsedTimer afterLoss;
    afterLoss.start();
    QVERIFY(heard.waitForEnd(1));
    QVERIFY(!voice.isPlayingAudio());
    QString expected = Text;
    expected.remove(QRegularExpression(QStringLiteral("[，。]")));
    QCOMPARE(heard.spokenText(1, Text), expected);
    // Most of the sentence was still to come: it took seconds, not the synthesis' milliseconds.
    QVERIFY2(afterLoss.elapsed() > 3000, qPrintable(QString::number(afterLoss.elapsed())));

    // The server comes back; the next stream tries it again (Qt 6.4 stays disconnected, so it
    // may still be silent) and is spoken either way.
    QVERIFY(m_server.start());
    voice.Speak(QStringLiteral("再见。"), SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForEnd(2));
    QCOMPARE(heard.spokenText(2, QStringLiteral("再见。")), QStringLiteral("再见"));
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
}

QTEST_GUILESS_MAIN(ServerLossTest)
#include "ServerLossTest.moc"
