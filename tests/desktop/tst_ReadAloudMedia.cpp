// The read-aloud window driven over the media interface on a private session bus, as media keys
// and the desktop's media widget drive it: every method changes what the window does, every
// property reports it, and every change is announced.
#include "TestRegistry.h"
#include "ChapterLoader.h"
#include "MprisClient.h"
#include "MprisService.h"
#include "PrivateSessionBus.h"
#include "ReadAloudFixture.h"
#include "ReadAloudMedia.h"
#include "SpeechSettings.h"
#include <QCheckBox>
#include <QDBusArgument>
#include <QTest>

using namespace MprisClient;

namespace {
class ChangeListener : public QObject
{
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    bool announced(const char *name) const
    {
        return std::any_of(changes.begin(), changes.end(), [name](const QVariantMap &m) { return m.contains(QLatin1String(name)); });
    }
public slots:
    void changed(const QString &, const QVariantMap &properties, const QStringList &) { changes << properties; }
};

QString FieldOf(const QVariant &metadata, const char *field)
{
    QVariantMap map;
    metadata.value<QDBusArgument>() >> map;
    return map.value(QLatin1String(field)).toStringList().join(QLatin1Char(' '));
}
}

class tst_ReadAloudMedia : public QObject
{
    Q_OBJECT
    PrivateSessionBus m_bus;

private slots:
    void mediaKeysDriveTheWindow()
    {
        QVERIFY(!m_bus.address().isEmpty());
        ReadAloudFixture f;
        QString text;
        for (const char *heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
            text += QString::fromUtf8(heading) + QStringLiteral("\n");
            for (int i = 0; i < 5; ++i)
                text += QStringLiteral("这是一句话。\n");
        }
        f.writeText(QStringLiteral("a.txt"), text);
        frmTTS *w = f.load();
        f.choose(QStringLiteral("a.txt"));
        QTRY_VERIFY(w->chapters()->IsReady());
        w->show();

        auto *media = new ReadAloudMedia(w->session(), {[w] { w->BringToFront(); }, [w] { w->close(); }}, w);
        MprisService service(media, m_bus.connect(QStringLiteral("window")));
        QDBusConnection client = m_bus.connect(QStringLiteral("widget"));
        ChangeListener listener;
        QVERIFY(client.connect(MprisService::kServiceName, MprisService::kObjectPath, kProperties,
                               QStringLiteral("PropertiesChanged"), &listener, SLOT(changed(QString, QVariantMap, QStringList))));
        auto status = [&] { return MprisClient::property(client, kPlayer, QStringLiteral("PlaybackStatus")).toString(); };
        auto title = [&] { return FieldOf(MprisClient::property(client, kPlayer, QStringLiteral("Metadata")), "xesam:title"); };

        QCOMPARE(status(), QStringLiteral("Stopped"));
        QCOMPARE(title(), QStringLiteral("第一章 开始"));

        call(client, kPlayer, QStringLiteral("PlayPause"));
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        QTRY_VERIFY(listener.announced("PlaybackStatus"));
        QCOMPARE(status(), QStringLiteral("Playing"));

        call(client, kPlayer, QStringLiteral("Pause"));
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEPaused));
        QCOMPARE(status(), QStringLiteral("Paused"));
        call(client, kPlayer, QStringLiteral("Play"));
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));

        call(client, kPlayer, QStringLiteral("Next"));
        QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("第二章")));
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        QCOMPARE(title(), QStringLiteral("第二章 继续"));
        QTRY_VERIFY(listener.announced("Metadata"));

        // At twice the speed, before a word measures the pace, 8 characters a second: 2 s into
        // the chapter is nearest its third line, 14 characters (25 bytes) and 1.75 s in.
        call(client, kProperties, QStringLiteral("Set"), {kPlayer, QStringLiteral("Rate"), QVariant::fromValue(QDBusVariant(2.0))});
        const BytePos chapter = w->CurrentPieceStart();
        call(client, kPlayer, QStringLiteral("SetPosition"),
             {QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/tarrowin/current"))), qlonglong(2'000'000)});
        QCOMPARE(w->CurrentPieceStart(), chapter + 25);
        QCOMPARE(MprisClient::property(client, kPlayer, QStringLiteral("Position")).toLongLong(), 1'750'000);

        // Within the first seconds of a chapter, "previous" is the chapter before it.
        call(client, kPlayer, QStringLiteral("Previous"));
        QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("第一章")));

        const int before = listener.changes.size();
        call(client, kProperties, QStringLiteral("Set"), {kPlayer, QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.4))});
        QCOMPARE(f.voice->Volume(), 40);
        QCOMPARE(MprisClient::property(client, kPlayer, QStringLiteral("Volume")).toDouble(), 0.4);
        QTRY_VERIFY(listener.changes.size() > before);

        call(client, kPlayer, QStringLiteral("Stop"));
        QVERIFY(w->chkTingZhi->isChecked());
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
        QCOMPARE(status(), QStringLiteral("Stopped"));

        // What the window changes is told as well; the artist is no engine voice.
        listener.changes.clear();
        w->cmdSpeak_Click(0);
        QTRY_VERIFY(listener.announced("PlaybackStatus"));
        w->setListeningVolume(70);
        QTRY_VERIFY(listener.announced("Volume"));
        const QString artist = FieldOf(MprisClient::property(client, kPlayer, QStringLiteral("Metadata")), "xesam:artist");
        QVERIFY(!artist.isEmpty() && artist != LoadSpeechSettings().voice);

        w->hide();
        call(client, kRoot, QStringLiteral("Raise"));
        QVERIFY(w->isVisible());
        call(client, kRoot, QStringLiteral("Quit"));
        QVERIFY(!w->isVisible());
    }

    void previousLaterInAChapterGoesToItsStart()
    {
        ReadAloudFixture f;
        QString text = QStringLiteral("第一章 开始\n");
        for (int i = 0; i < 40; ++i)
            text += QStringLiteral("这是第一章的一句话。\n");
        f.writeText(QStringLiteral("b.txt"), text);
        frmTTS *w = f.load();
        f.choose(QStringLiteral("b.txt"));
        QTRY_VERIFY(w->chapters()->IsReady());
        ReadAloudMedia media(w->session());
        qint64 nowMs = 0;
        media.setClock([&nowMs] { return nowMs; });
        media.play();
        f.voice->finishStream();
        QTRY_VERIFY(!w->txtLangDu->Text().startsWith(QStringLiteral("第一章")));
        nowMs += ReadAloudMedia::kRestartGraceMs;
        media.previous();
        QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("第一章")));
        QCOMPARE(media.status(), MediaControl::Status::Playing);
    }
};

TARROWIN_TEST_MAIN(tst_ReadAloudMedia)
#include "tst_ReadAloudMedia.moc"
