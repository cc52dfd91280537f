#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "SinkMonitor.h"
#include "VoiceEvents.h"
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The sound server is killed while the voice speaks: the words and the end of the stream still
// come (the voice goes on silently, in real time), nothing hangs, and once a server is back the
// next speech is heard through it. The test runs a server of its own, so that killing it touches
// no other test.
class TestSoundServerLost : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void speechGoesOnAndComesBack();

private:
    bool startServer();
    void killServer();

    QTemporaryDir m_folder;
    QString m_socket;
    QProcess m_server;
    QProcess m_keepAlive;
};

namespace {
const QString kLong = QStringLiteral("从前有一座山，山里有一座庙，庙里有一个老和尚在给小和尚讲故事。"
                                     "讲的是什么呢？从前有一座山，山里有一座庙。");
const QString kAgain = QStringLiteral("声音回来了，我们接着读。");
constexpr double kSpeechRms = 300;
}

void TestSoundServerLost::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
        QSKIP("pulseaudio and parec are needed (scripts/setup.sh installs them)");
    QVERIFY(m_folder.isValid());
    m_socket = m_folder.filePath(QStringLiteral("native"));
    // Everything in this process, and parec, talks to this server only.
    qputenv("PULSE_SERVER", QByteArray("unix:") + QFile::encodeName(m_socket));
    QVERIFY(startServer());
}

void TestSoundServerLost::cleanupTestCase()
{
    killServer();
}

bool TestSoundServerLost::startServer()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.path());
    environment.insert(QStringLiteral("HOME"), m_folder.path());
    environment.remove(QStringLiteral("PULSE_SERVER"));
    m_server.setProcessEnvironment(environment);
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + m_socket,
                    QStringLiteral("--load=module-null-sink sink_name=fault_null"),
                    QStringLiteral("--load=module-always-sink")});
    if (!m_server.waitForStarted(5000))
        return false;
    if (!QTest::qWaitFor([this] { return QFile::exists(m_socket); }, 10000))
        return false;
    // One silent stream keeps the null sink's clock running.
    m_keepAlive.setStandardInputFile(QStringLiteral("/dev/zero"));
    m_keepAlive.start(QStringLiteral("pacat"), {QStringLiteral("--playback"), QStringLiteral("--format=s16le"),
                                                 QStringLiteral("--rate=22050"), QStringLiteral("--channels=1")});
    return m_keepAlive.waitForStarted(5000) && QTest::qWaitFor([] { return SoundServerReachable(); }, 10000);
}

void TestSoundServerLost::killServer()
{
    m_keepAlive.kill();
    m_keepAlive.waitForFinished(5000);
    m_server.kill();
    m_server.waitForFinished(5000);
    QFile::remove(m_socket);
}

void TestSoundServerLost::speechGoesOnAndComesBack()
{
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(kLong, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    QVERIFY2(voice.isPlayingAudio(), "the voice does not play through the test's sound server");

    killServer();
    const qsizetype wordsAtKill = heard.wordsOf(1).size();
    QVERIFY2(heard.waitForEnd(1, 60000), "no end of stream after the sound server went");
    QVERIFY(heard.wordsOf(1).size() > wordsAtKill);
    QString expected = kLong;
    expected.remove(QRegularExpression(QStringLiteral("[，。？]")));
    QCOMPARE(heard.spokenText(1, kLong), expected);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));

    // Without a server the next stream is spoken silently, in real time.
    voice.Speak(kAgain, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForEnd(2));
    QVERIFY(!voice.isPlayingAudio());

    QVERIFY(startServer());
    SinkMonitor monitor;
    QVERIFY(monitor.start());
    monitor.restart();
    voice.Speak(kAgain, SpeechVoice::SVSFlagsAsync);
    QVERIFY(QTest::qWaitFor([&voice] { return voice.isPlayingAudio(); }, 5000));
    QVERIFY(heard.waitForEnd(3));
    QVERIFY2(monitor.rms() > kSpeechRms, qPrintable(QString::number(monitor.rms())));
}

TARROWIN_TEST_MAIN(TestSoundServerLost)
#include "tst_SoundServerLost.moc"
