// The sleep timer on a clock the test moves: the fade, the single stop, cancel, chapter ends.
#include "TestRegistry.h"
#include "SleepTimer.h"
#include <QSignalSpy>
#include <QTest>

class tst_SleepTimer : public QObject
{
    Q_OBJECT
    qint64 m_now = 0;
    SleepTimer::Clock clock()
    {
        return [this] { return m_now; };
    }

private slots:
    void init() { m_now = 1'000'000; }

    void fadesOverTheLastHalfMinuteThenStopsOnce()
    {
        SleepTimer timer(clock());
        QSignalSpy expired(&timer, &SleepTimer::expired);
        timer.startFor(SleepTimer::durationMs(SleepTimer::Minutes15));
        QVERIFY(timer.isRunning());

        m_now += 14 * 60 * 1000; // one minute left: full volume
        timer.tick();
        QCOMPARE(timer.volumeFactor(), 1.0);
        QCOMPARE(timer.remainingMs(), qint64(60'000));
        m_now += 45'000; // 15 s left: half way down
        timer.tick();
        QCOMPARE(timer.volumeFactor(), 0.5);
        QCOMPARE(expired.count(), 0);
        m_now += 14'999;
        timer.tick();
        QVERIFY(timer.volumeFactor() > 0.0);
        QCOMPARE(expired.count(), 0);

        m_now += 1;
        timer.tick();
        timer.tick();
        QCOMPARE(expired.count(), 1);
        QVERIFY(!timer.isRunning());
        // Once ended the volume is whole again for the next start.
        QCOMPARE(timer.volumeFactor(), 1.0);
    }

    void cancelAndRestart()
    {
        SleepTimer timer(clock());
        QSignalSpy expired(&timer, &SleepTimer::expired);
        timer.startFor(60'000);
        m_now += 50'000;
        timer.cancel();
        QCOMPARE(timer.volumeFactor(), 1.0);
        m_now += 20'000;
        timer.tick();
        QCOMPARE(expired.count(), 0);

        // A new choice replaces the old run rather than adding to it.
        timer.startFor(60'000);
        timer.startUntil(BytePos(5000));
        m_now += 120'000;
        timer.tick();
        QCOMPARE(expired.count(), 0);
        QVERIFY(!timer.isTimed());
    }

    void stopsWhenTheVoiceReachesTheChapterEnd()
    {
        SleepTimer timer(clock());
        QSignalSpy expired(&timer, &SleepTimer::expired);
        timer.startUntil(BytePos(5000));
        timer.heard(BytePos(4999));
        QCOMPARE(expired.count(), 0);
        QCOMPARE(timer.volumeFactor(), 1.0);
        timer.heard(BytePos(5003)); // a word that starts past the heading's first byte
        timer.heard(BytePos(6000));
        QCOMPARE(expired.count(), 1);
    }

    void remainingText_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole minutes") << qint64(90 * 60'000) << QStringLiteral("90:00");
        QTest::newRow("part of a second rounds up") << qint64(61'001) << QStringLiteral("1:02");
        QTest::newRow("last second") << qint64(1) << QStringLiteral("0:01");
        QTest::newRow("nothing left") << qint64(0) << QStringLiteral("0:00");
    }
    void remainingText()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(SleepTimer::remainingText(ms), text);
    }

    void choicesInOrder()
    {
        const QStringList captions = SleepTimer::captions();
        QCOMPARE(captions.size(), SleepTimer::offered().size());
        QCOMPARE(SleepTimer::offered().last(), SleepTimer::Off);
        QCOMPARE(captions.at(SleepTimer::EndOfThreeChapters), QStringLiteral("三章后"));
        QCOMPARE(captions.at(SleepTimer::EndOfChapter), QStringLiteral("本章结束"));
        QCOMPARE(captions.at(SleepTimer::Off), QStringLiteral("关闭定时"));
        QCOMPARE(SleepTimer::durationMs(SleepTimer::Minutes90), qint64(90 * 60'000));
        QCOMPARE(SleepTimer::durationMs(SleepTimer::EndOfChapter), qint64(0));
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_SleepTimer)
#include "tst_SleepTimer.moc"
