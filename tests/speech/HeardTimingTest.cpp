#include "TestRegistry.h"
#include "HeardDelays.h"
#include "PrivateSoundServer.h"
#include <QTest>
#include <algorithm>
#include <cmath>

// Word events come when their first sample is heard, not when it is handed to the sound server:
// on a server of this test's own, with a small and with a large stream buffer, the sink's
// monitor is recorded and each word's first sound is compared with the time of its event.
class HeardTimingTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void wordsComeWhenHeard_data();
    void wordsComeWhenHeard();
};

void HeardTimingTest::initTestCase()
{
    static PrivateSoundServer server;
    if (!server.start())
        QSKIP("pulseaudio, pacat and parec are needed to run a sound server of this test's own");
    qputenv("PULSE_SERVER", server.address().toUtf8());
}

void HeardTimingTest::wordsComeWhenHeard_data()
{
    // The voice's stream asks for a buffer of `bufferMs`, which the server then holds unheard.
    // The recording asks for little latency, and so the sink, which holds what the least
    // demanding of its streams and recordings asks for, holds little: what the monitor records
    // is heard a few milliseconds later.
    QTest::addColumn<int>("bufferMs");
    QTest::newRow("small buffer") << 40;
    QTest::newRow("large buffer") << 500;
}

void HeardTimingTest::wordsComeWhenHeard()
{
    QFETCH(int, bufferMs);
    const HeardDelays delays = MeasureHeardDelays(bufferMs);
    QVERIFY2(delays.measured, qPrintable(delays.failure));
    QList<double> errors;
    for (double error : delays.errorsMs)
        errors.append(std::abs(error));
    qInfo("%s", qPrintable(delays.report));
    QVERIFY2(Median(errors) <= 30, qPrintable(delays.report));
    QVERIFY2(*std::max_element(errors.begin(), errors.end()) <= 60, qPrintable(delays.report));
}

TARROWIN_GUILESS_TEST_MAIN(HeardTimingTest)
#include "HeardTimingTest.moc"
