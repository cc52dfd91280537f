#include "ProgramRun.h"
#include <QtTest>
#include <memory>

// One instance of the built program per user, with real processes.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAtOnce();
    void lockOfACrashedInstanceDoesNotStopTheNextStart();
};

namespace {
QProcessEnvironment Offscreen(const ProgramFolderCopy &folder)
{
    QProcessEnvironment env = folder.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

void End(QProcess *p)
{
    p->kill();
    p->waitForFinished(5000);
}
}

void TestSingleInstance::secondStartEndsAtOnce()
{
    ProgramFolderCopy folder;
    std::unique_ptr<QProcess> first(folder.start(Offscreen(folder)));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.lockPath()), 10000);
    std::unique_ptr<QProcess> second(folder.start(Offscreen(folder)));
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTest::qWait(300);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(QFile::exists(folder.lockPath()));
    // the second start touched nothing of the first one's: no settings file was written
    QVERIFY(!QFile::exists(folder.path(QStringLiteral("Tarrowin.ini"))));
    End(first.get());
}

void TestSingleInstance::lockOfACrashedInstanceDoesNotStopTheNextStart()
{
    ProgramFolderCopy folder;
    std::unique_ptr<QProcess> crashed(folder.start(Offscreen(folder)));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.lockPath()), 10000);
    End(crashed.get()); // killed outright: the lock file stays behind
    QVERIFY(QFile::exists(folder.lockPath()));
    std::unique_ptr<QProcess> next(folder.start(Offscreen(folder)));
    QVERIFY(!next->waitForFinished(2000));
    QCOMPARE(next->state(), QProcess::Running);
    End(next.get());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
