// The default output going away (headphones unplugged) on a sound server of the test's own: the
// watch reports it once; a switch between outputs that both stay is not reported.
#include "TestRegistry.h"
#include "OutputDeviceWatch.h"
#include "PrivateSoundServer.h"
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class OutputDeviceWatchTest : public QObject
{
    Q_OBJECT
    PrivateSoundServer m_server;

    // Runs pactl against the private server; its standard output, trimmed.
    QString pactl(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), m_server.address());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("pactl"), arguments);
        process.waitForFinished(5000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), "a private PulseAudio server could not be started");
        qputenv("PULSE_SERVER", m_server.address().toUtf8());
    }

    void removalOfTheDefaultOutputIsReportedOnce()
    {
        const QString module = pactl({"load-module", "module-null-sink", "sink_name=headphones"});
        QVERIFY(!module.isEmpty());
        pactl({"set-default-sink", "headphones"});

        OutputDeviceWatch watch;
        QSignalSpy removed(&watch, &OutputDeviceWatch::defaultOutputRemoved);
        QTRY_VERIFY(watch.isWatching());

        // Another output coming and going is no reason to pause.
        const QString other = pactl({"load-module", "module-null-sink", "sink_name=hdmi"});
        pactl({"unload-module", other});
        QTest::qWait(300);
        QCOMPARE(removed.count(), 0);

        pactl({"unload-module", module});
        QTRY_COMPARE(removed.count(), 1);
        QTest::qWait(300);
        QCOMPARE(removed.count(), 1);
    }

    // A jack moves a sound card's output between ports; leaving a port worn on the head pauses.
    void headphonesPorts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("headphones");
        QTest::newRow("headphones by type") << "analog-output-lineout" << int(PA_DEVICE_PORT_TYPE_HEADPHONES) << true;
        QTest::newRow("speakers by type, whatever the name") << "headphone-jack-speaker" << int(PA_DEVICE_PORT_TYPE_SPEAKER) << false;
        QTest::newRow("no type: headphones by name") << "analog-output-Headphones" << int(PA_DEVICE_PORT_TYPE_UNKNOWN) << true;
        QTest::newRow("no type: speakers by name") << "analog-output-speaker" << int(PA_DEVICE_PORT_TYPE_UNKNOWN) << false;
    }
    void headphonesPorts()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(bool, headphones);
        QCOMPARE(OutputDeviceWatch::IsHeadphonesPort(name, type), headphones);
    }

    void switchingOutputsIsNotARemoval()
    {
        const QString module = pactl({"load-module", "module-null-sink", "sink_name=speakers"});
        OutputDeviceWatch watch;
        QSignalSpy removed(&watch, &OutputDeviceWatch::defaultOutputRemoved);
        QTRY_VERIFY(watch.isWatching());
        pactl({"set-default-sink", "speakers"});
        pactl({"set-default-sink", "private_null"});
        QTest::qWait(300);
        QCOMPARE(removed.count(), 0);
        pactl({"unload-module", module});
    }
};

TARROWIN_GUILESS_TEST_MAIN(OutputDeviceWatchTest)
#include "OutputDeviceWatchTest.moc"
