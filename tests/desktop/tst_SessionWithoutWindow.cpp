// The reading session with no window at all, driven as the desktop drives it: opened, read on,
// moved by chapters and by media keys, paused when the headphones go. After each step the place
// in ".find" is where reading stands; a ".find" that could not be read is never written.
#include "TestRegistry.h"
#include "FakeVoice.h"
#include "ChapterLoader.h"
#include "Gbk.h"
#include "OutputDeviceWatch.h"
#include "ProgramFolder.h"
#include "ReadAloudMedia.h"
#include "ReadingSession.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/fsuid.h>
#include <unistd.h>

class tst_SessionWithoutWindow : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    void write(const QString &name, const QString &text)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Gbk::fromUnicode(text));
    }
    QString find() const
    {
        QFile file(m_dir.filePath(QStringLiteral("a.txt.find")));
        return file.open(QIODevice::ReadOnly) ? Gbk::toUnicode(file.readAll()) : QStringLiteral("(none)");
    }

private slots:
    void init()
    {
        SetProgramFolder(m_dir.path());
        QFile::remove(m_dir.filePath(QStringLiteral("a.txt.find")));
        QString text;
        for (const char *heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
            text += QString::fromUtf8(heading) + QLatin1Char('\n');
            for (int i = 0; i < 4; ++i)
                text += QStringLiteral("这是一句话。\n");
        }
        write(QStringLiteral("a.txt"), text);
    }

    void openReadMoveAndMediaKeysKeepThePlace()
    {
        ReadingSession session;
        auto *voice = new FakeVoice;
        session.setVoice(std::unique_ptr<SpeechVoice>(voice));
        session.setPieceLength(20);
        ReadAloudMedia media(&session);
        QSignalSpy status(&media, &MediaControl::statusChanged);

        session.open(QStringLiteral("a.txt"));
        QTRY_VERIFY(session.chapters()->IsReady());
        QVERIFY(find().startsWith(QStringLiteral("第一章")));

        media.playPause();
        QTRY_COMPARE(status.count(), 1);
        const QString first = session.current().text;
        voice->finishStream();
        QTRY_VERIFY(session.current().text != first);
        QCOMPARE(find(), session.current().text);

        media.next();
        QVERIFY(find().startsWith(QStringLiteral("第二章")));
        QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        QVERIFY(voice->queue().first().startsWith(QStringLiteral("第二章")));

        session.goTo(*session.chapters()->Chapters().nextStart(session.currentPieceStart()));
        QVERIFY(find().startsWith(QStringLiteral("第三章")));
        QCOMPARE(media.status(), MediaControl::Status::Playing);

        media.previous(); // within the first seconds of a chapter: the one before it
        QVERIFY(find().startsWith(QStringLiteral("第二章")));

        OutputDeviceWatch headphones;
        media.pauseOnOutputLoss(&headphones);
        emit headphones.headphonesLeft();
        QCOMPARE(media.status(), MediaControl::Status::Paused);
        media.play();
        emit headphones.defaultOutputRemoved();
        QCOMPARE(media.status(), MediaControl::Status::Paused);

        media.stop();
        QTRY_COMPARE(status.count(), 2); // each settled change told once: playing, then stopped
        QVERIFY(find().startsWith(QStringLiteral("第二章")));
    }

    // As root, file access runs as the user "nobody", who cannot read the side file but can
    // write the folder.
    void anUnreadablePlaceIsNeverWritten()
    {
        write(QStringLiteral("a.txt.find"), QStringLiteral("第三章 结束"));
        QVERIFY(QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("a.txt.find")), {}));
        const bool asNobody = geteuid() == 0;
        if (asNobody)
            setfsuid(65534);
        ReadingSession session;
        session.setVoice(std::make_unique<FakeVoice>());
        session.open(QStringLiteral("a.txt"));
        session.start();
        if (asNobody)
            setfsuid(0);
        QVERIFY(session.current().text.startsWith(QStringLiteral("第一章")));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("a.txt.find")), QFileDevice::ReadOwner));
        QCOMPARE(find(), QStringLiteral("第三章 结束"));
    }
};

TARROWIN_GUILESS_TEST_MAIN(tst_SessionWithoutWindow)
#include "tst_SessionWithoutWindow.moc"
