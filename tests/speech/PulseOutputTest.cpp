#include "TestRegistry.h"
#include "PrivateSoundServer.h"
#include "PulseOutput.h"
#include "SinkMonitor.h"
#include <QTest>
#include <cmath>

// The voice's own connection to the sound server, against a server of this test's own: it
// connects without blocking, counts as played what the server has played (up to the very last
// frame), holds its place while suspended, and reports a server that is gone.
class PulseOutputTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void noServerFailsAtOnce();
    void playsAndCountsWhatWasHeard();
    void suspendHoldsThePlace();
    void serverLossIsReported();

private:
    // Writes `frames` frames of a tone, as fast as the output takes them.
    static bool feedTone(PulseOutput &output, qint64 frames);

    PrivateSoundServer m_server;
};

namespace {
constexpr int Rate = 22050;
constexpr double ToneRms = 1000;

QByteArray tone(qint64 frames)
{
    QByteArray samples(frames * 2, Qt::Uninitialized);
    auto *data = reinterpret_cast<qint16 *>(samples.data());
    for (qint64 i = 0; i < frames; ++i)
        data[i] = qint16(8000 * std::sin(double(i) * 2 * M_PI * 440 / Rate));
    return samples;
}
}

void PulseOutputTest::initTestCase()
{
    if (!m_server.start())
        QSKIP("pulseaudio and pacat are needed to run a sound server of this test's own");
    qputenv("PULSE_SERVER", m_server.address().toUtf8());
}

bool PulseOutputTest::feedTone(PulseOutput &output, qint64 frames)
{
    const QByteArray samples = tone(frames);
    qint64 offset = 0;
    return QTest::qWaitFor([&] {
        offset += output.write(samples.mid(offset));
        return offset == samples.size();
    }, 5000);
}

void PulseOutputTest::noServerFailsAtOnce()
{
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/tarrowin-no-server");
    PulseOutput output(Rate);
    qputenv("PULSE_SERVER", server);
    QVERIFY(output.isSilent());
    // Well before the connection's own time limit: nothing answers at that address.
    QTRY_VERIFY_WITH_TIMEOUT(output.hasFailed(), 500);
    QCOMPARE(output.write(tone(100)), 0);
    QCOMPARE(output.playedFrames(), 0);
}

void PulseOutputTest::playsAndCountsWhatWasHeard()
{
    SinkMonitor monitor;
    QVERIFY(monitor.start());
    PulseOutput output(Rate);
    QTRY_VERIFY_WITH_TIMEOUT(!output.isSilent(), 1000);
    monitor.restart();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(feedTone(output, Rate)); // one second
    // The clock never runs ahead of what was written, and ends exactly on its last frame once
    // it has been heard: about a second after the start, not when it was handed over.
    qint64 last = 0;
    QVERIFY(QTest::qWaitFor([&] {
        last = output.playedFrames();
        return last >= Rate || clock.elapsed() > 4000;
    }, 5000));
    QCOMPARE(last, qint64(Rate));
    QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(monitor.rms() > ToneRms, qPrintable(QString::number(monitor.rms())));
    QVERIFY(!output.hasFailed());
}

void PulseOutputTest::suspendHoldsThePlace()
{
    PulseOutput output(Rate);
    QTRY_VERIFY_WITH_TIMEOUT(!output.isSilent(), 1000);
    QVERIFY(feedTone(output, Rate / 4));
    QTRY_VERIFY_WITH_TIMEOUT(output.playedFrames() > 0, 2000);
    output.suspend();
    // Suspended, the count stops: two readings 100 ms apart agree.
    qint64 atPause = -1;
    QVERIFY(QTest::qWaitFor([&] {
        const qint64 before = output.playedFrames();
        QTest::qWait(100);
        atPause = output.playedFrames();
        return atPause == before;
    }, 2000));
    QVERIFY(atPause < Rate / 4);
    QTest::qWait(500);
    QCOMPARE(output.playedFrames(), atPause);
    output.resume();
    QTRY_COMPARE_WITH_TIMEOUT(output.playedFrames(), qint64(Rate / 4), 2000);
}

void PulseOutputTest::serverLossIsReported()
{
    PulseOutput output(Rate);
    QTRY_VERIFY_WITH_TIMEOUT(!output.isSilent(), 1000);
    QVERIFY(feedTone(output, Rate / 4));
    m_server.kill();
    QTRY_VERIFY_WITH_TIMEOUT(output.hasFailed(), 1000);
    QCOMPARE(output.write(tone(100)), 0);
    QVERIFY(m_server.start());
}

TARROWIN_GUILESS_TEST_MAIN(PulseOutputTest)
#include "PulseOutputTest.moc"
