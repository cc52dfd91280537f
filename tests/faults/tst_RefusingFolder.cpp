#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include "StatusLine.h"
#include "mdlIniFile.h"
#include <QProcess>
#include <QTest>
#include <unistd.h>

// A program folder that refuses every write although its rights let this process write (root on a
// read-only mount; a full disk, where even access() says yes): the place and the settings go to
// the state folder at the first write, the window says so, and the next start resumes there.
class TestRefusingFolder : public QObject
{
    Q_OBJECT
private slots:
    void placeResumesFromTheStateFolder_data()
    {
        QTest::addColumn<QString>("mount"); // $S holds the novel, $F becomes the program folder
        QTest::addColumn<QString>("said");
        QTest::newRow("read-only bind mount") << "mount --bind $S $F && mount -o remount,ro,bind $F"
                                              << QStringLiteral("文件夹不能写入");
        const QString tmpfs = QStringLiteral("mount -t tmpfs -o size=256k tmpfs $F && cp $S/novel.txt $F && ");
        QTest::newRow("read-only file system") << tmpfs + "mount -o remount,ro $F" << QStringLiteral("文件夹不能写入");
        QTest::newRow("full disk") << tmpfs + "{ cat /dev/zero > $F/filler; true; }" << QStringLiteral("磁盘已满");
    }

    void placeResumesFromTheStateFolder()
    {
        QFETCH(QString, mount);
        QFETCH(QString, said);
        ReadAloudFixture f;
        QTemporaryDir state, folder;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
        QString novel;
        for (int i = 1; i <= 40; ++i)
            novel += QStringLiteral("第%1句话。").arg(i);
        f.writeText(QStringLiteral("novel.txt"), novel);
        QProcess sh;
        sh.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        sh.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("S='%1' F='%2'; %3").arg(f.dir.path(), folder.path(), mount)});
        const bool mounted = sh.waitForFinished() && sh.exitCode() == 0;
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), folder.path()}); });
        if (!mounted)
            QSKIP("folders cannot be mounted here (no rights to mount)");
        SetProgramFolder(folder.path());
        mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("novel.txt"));
        mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("24"));

        frmTTS *w = f.load();
        QString told = w->lblZhuangTai->message(); // a folder found unwritable at the start
        w->cmdSpeak_Click(0);
        for (int i = 0; i < 5; ++i)
            f.voice->finishStream();
        f.deliverEvents();
        const QString heard = w->txtLangDu->Text();
        QVERIFY2(!heard.isEmpty() && !heard.startsWith(QStringLiteral("第1句话")), qPrintable(heard));
        w->close();
        told += w->lblZhuangTai->message(); // or at a write that failed
        QVERIFY2(told.contains(state.path()) && told.contains(said), qPrintable(told));
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.find"), QStringLiteral("*.ini")}, QDir::Files), QStringList());

        w = f.load();
        QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("novel.txt"));
        QCOMPARE(w->txtFenChangDu->Text(), QStringLiteral("24"));
        QCOMPARE(w->txtLangDu->Text(), heard);
        w->close();
    }
};

TARROWIN_TEST_MAIN(TestRefusingFolder)
#include "tst_RefusingFolder.moc"
