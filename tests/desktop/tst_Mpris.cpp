// The media interface on a private session bus, seen from a second connection as a desktop's
// media widget sees it: every method reaches the session, every property reports it, every
// change is announced, and the name goes away with the service.
#include "TestRegistry.h"
#include "MediaControl.h"
#include "MprisClient.h"
#include "MprisService.h"
#include "PrivateSessionBus.h"
#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTest>

namespace {
// A listening session that records the buttons pressed.
class RecordingControl : public MediaControl
{
public:
    Status state = Status::Stopped;
    QString chapter = QStringLiteral("第一回 灵根育孕源流出");
    double level = 1.0;
    QStringList pressed;

    Status status() const override { return state; }
    QString title() const override { return chapter; }
    QString album() const override { return QStringLiteral("西游记"); }
    QString artist() const override { return QStringLiteral("Tarrowin"); }
    double volume() const override { return level; }
    void setVolume(double v) override { level = v; pressed << QStringLiteral("volume"); emit volumeChanged(); }
    void play() override { press("play", Status::Playing); }
    void pause() override { press("pause", Status::Paused); }
    void playPause() override { press("playPause", state == Status::Playing ? Status::Paused : Status::Playing); }
    void stop() override { press("stop", Status::Stopped); }
    void next() override { pressed << QStringLiteral("next"); }
    void previous() override { pressed << QStringLiteral("previous"); }
    void raise() override { pressed << QStringLiteral("raise"); }
    void quit() override { pressed << QStringLiteral("quit"); }
    double speed = 1.0;
    qint64 at = 0;
    double rate() const override { return speed; }
    void setRate(double r) override { speed = r; emit rateChanged(); }
    bool canSeek() const override { return true; }
    qint64 position() const override { return at; }
    void seek(qint64 offset) override { at += offset; emit seeked(at); }
    void setPosition(qint64 p) override { at = p; emit seeked(at); }

private:
    void press(const char *name, Status after)
    {
        pressed << QLatin1String(name);
        state = after;
        emit statusChanged();
    }
};

// Collects the PropertiesChanged signals of the media object.
class ChangeListener : public QObject
{
    Q_OBJECT
public:
    QList<QVariantMap> changes;
public slots:
    void changed(const QString &, const QVariantMap &properties, const QStringList &) { changes << properties; }
};
}

using namespace MprisClient;

class tst_Mpris : public QObject
{
    Q_OBJECT
    PrivateSessionBus m_bus;
    QList<qlonglong> m_seekedOnTheBus;

public slots:
    void seekedOnTheBus(qlonglong position) { m_seekedOnTheBus << position; }

private slots:
    void initTestCase()
    {
        if (m_bus.address().isEmpty())
            QFAIL("dbus-daemon could not be started");
    }

    void methodsDriveTheSessionAndChangesAreAnnounced()
    {
        RecordingControl control;
        QDBusConnection serviceBus = m_bus.connect(QStringLiteral("service-1"));
        QDBusConnection client = m_bus.connect(QStringLiteral("client-1"));
        MprisService service(&control, serviceBus);
        QVERIFY(service.isRegistered());

        ChangeListener listener;
        QVERIFY(client.connect(MprisService::kServiceName, MprisService::kObjectPath,
                               QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                               &listener, SLOT(changed(QString, QVariantMap, QStringList))));

        const QString player = kPlayer;
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));

        call(client, player, QStringLiteral("PlayPause"));
        QTRY_COMPARE(listener.changes.size(), 1);
        QCOMPARE(listener.changes.last().value(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));

        call(client, player, QStringLiteral("Pause"));
        QTRY_COMPARE(listener.changes.size(), 2);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
        for (const char *method : {"Play", "Stop", "Next", "Previous"})
            call(client, player, QLatin1String(method));
        QTRY_COMPARE(listener.changes.size(), 4);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));

        const QDBusMessage set = call(client, kProperties, QStringLiteral("Set"),
                                            {player, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.25))});
        QCOMPARE(set.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(listener.changes.size(), 5);
        QCOMPARE(control.level, 0.25);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("Volume")).toDouble(), 0.25);

        control.chapter = QStringLiteral("第二回 悟彻菩提真妙理");
        emit control.metadataChanged();
        QTRY_COMPARE(listener.changes.size(), 6);
        QVERIFY(listener.changes.last().contains(QStringLiteral("Metadata")));

        call(client, kRoot, QStringLiteral("Raise"));
        QCOMPARE(control.pressed, QStringList({"playPause", "pause", "play", "stop", "next", "previous", "volume", "raise"}));
    }

    void propertiesDescribeThePlayer()
    {
        RecordingControl control;
        QDBusConnection serviceBus = m_bus.connect(QStringLiteral("service-2"));
        QDBusConnection client = m_bus.connect(QStringLiteral("client-2"));
        MprisService service(&control, serviceBus);

        const QString root = kRoot;
        QCOMPARE(MprisClient::property(client, root, QStringLiteral("Identity")).toString(), QStringLiteral("Tarrowin"));
        QCOMPARE(MprisClient::property(client, root, QStringLiteral("DesktopEntry")).toString(), QStringLiteral("tarrowin"));
        QCOMPARE(MprisClient::property(client, root, QStringLiteral("CanQuit")).toBool(), true);
        QCOMPARE(MprisClient::property(client, root, QStringLiteral("HasTrackList")).toBool(), false);

        const QString player = kPlayer;
        for (const char *name : {"CanPlay", "CanPause", "CanGoNext", "CanGoPrevious", "CanControl"})
            QVERIFY2(MprisClient::property(client, player, QLatin1String(name)).toBool(), name);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("CanSeek")).toBool(), true);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("MinimumRate")).toDouble(), 0.5);
        QCOMPARE(MprisClient::property(client, player, QStringLiteral("MaximumRate")).toDouble(), 3.0);

        const QDBusArgument argument = MprisClient::property(client, player, QStringLiteral("Metadata")).value<QDBusArgument>();
        QVariantMap metadata;
        argument >> metadata;
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), control.chapter);
        QCOMPARE(metadata.value(QStringLiteral("xesam:album")).toString(), QStringLiteral("西游记"));
        QCOMPARE(metadata.value(QStringLiteral("xesam:artist")).toStringList(), QStringList{control.artist()});
        QVERIFY(metadata.contains(QStringLiteral("mpris:trackid")));
    }

    // Rate within its range reaches the session and is announced; Seek and SetPosition of this
    // track move it and send Seeked; Position is the session's.
    void rateAndSeekingReachTheSession()
    {
        RecordingControl control;
        QDBusConnection client = m_bus.connect(QStringLiteral("client-4"));
        MprisService service(&control, m_bus.connect(QStringLiteral("service-4")));
        ChangeListener listener;
        QVERIFY(client.connect(MprisService::kServiceName, MprisService::kObjectPath, kProperties, QStringLiteral("PropertiesChanged"),
                               &listener, SLOT(changed(QString, QVariantMap, QStringList))));
        QVERIFY(client.connect(MprisService::kServiceName, MprisService::kObjectPath, kPlayer, QStringLiteral("Seeked"),
                               this, SLOT(seekedOnTheBus(qlonglong))));
        for (double rate : {1.75, 3.5, 0.25})
            call(client, kProperties, QStringLiteral("Set"), {kPlayer, QStringLiteral("Rate"), QVariant::fromValue(QDBusVariant(rate))});
        QTRY_COMPARE(listener.changes.value(0).value(QStringLiteral("Rate")).toDouble(), 1.75);
        QCOMPARE(MprisClient::property(client, kPlayer, QStringLiteral("Rate")).toDouble(), 1.75);
        control.at = 40'000'000;
        QCOMPARE(MprisClient::property(client, kPlayer, QStringLiteral("Position")).toLongLong(), 40'000'000);
        call(client, kPlayer, QStringLiteral("Seek"), {qlonglong(-15'000'000)});
        for (const char *track : {"/org/mpris/MediaPlayer2/tarrowin/current", "/other"})
            call(client, kPlayer, QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(QLatin1String(track))), qlonglong(5'000'000)});
        QTRY_COMPARE(m_seekedOnTheBus, (QList<qlonglong>{25'000'000, 5'000'000}));
    }

    void nameIsReleasedWithTheService()
    {
        RecordingControl control;
        QDBusConnection client = m_bus.connect(QStringLiteral("client-3"));
        {
            MprisService service(&control, m_bus.connect(QStringLiteral("service-3")));
            QVERIFY(client.interface()->isServiceRegistered(MprisService::kServiceName));
        }
        QTRY_VERIFY(!client.interface()->isServiceRegistered(MprisService::kServiceName).value());
    }

    void noBusMeansNoServiceAndNoError()
    {
        RecordingControl control;
        MprisService service(&control, QDBusConnection(QStringLiteral("never-connected")));
        QVERIFY(!service.isRegistered());
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_Mpris)
#include "tst_Mpris.moc"
