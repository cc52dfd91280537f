#include "TestRegistry.h"
#include "../../core/UnwritableFolder.h"
#include "ProgramRun.h"
#include <QTest>
#include <memory>

// One instance of the built program per user, with real processes.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAtOnce();
    void lockOfACrashedInstanceDoesNotStopTheNextStart();
    void secondStartHandsItsFileOver();
    void lockThatCannotBeTakenIsReported();
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
    // the first start opens the sample built into the program and keeps its place
    const auto settings = [&folder] {
        QFile file(folder.path(QStringLiteral("Tarrowin.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!settings().isEmpty(), 10000);
    const QByteArray kept = settings();
    std::unique_ptr<QProcess> second(folder.start(Offscreen(folder)));
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QTest::qWait(300);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(QFile::exists(folder.lockPath()));
    // the second start touched nothing of the first one's: the settings are as they were
    QCOMPARE(settings(), kept);
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

void TestSingleInstance::secondStartHandsItsFileOver()
{
    ProgramFolderCopy folder;
    const QTemporaryDir novels;
    const QString novel = novels.filePath(QStringLiteral("红楼梦.txt"));
    QFile file(novel);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xB5\xDA\xD2\xBB\xBE\xE4\xA1\xA3"); // 第一句。
    file.close();
    std::unique_ptr<QProcess> first(folder.start(Offscreen(folder)));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.lockPath() + QStringLiteral(".socket")), 10000);

    QProcess second;
    second.setProcessEnvironment(Offscreen(folder));
    second.setWorkingDirectory(novels.path());
    second.start(folder.executable, {QStringLiteral("红楼梦.txt")}); // relative to where it starts
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    // the running instance opened it: its place is kept beside it
    QTRY_COMPARE_WITH_TIMEOUT(QFile::exists(novel + QStringLiteral(".find")), true, 10000);
    QCOMPARE(first->state(), QProcess::Running);

    // a file that cannot be read ends the second start with one line; the running window is told
    // too (its message box waits without holding up later starts)
    second.start(folder.executable, {novels.filePath(QStringLiteral("gone.txt"))});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 2);
    QCOMPARE(second.readAllStandardError().count('\n'), 1);
    QVERIFY(!QFile::exists(novels.filePath(QStringLiteral("gone.txt.find"))));
    const QString next = novels.filePath(QStringLiteral("水浒传.txt"));
    QVERIFY(QFile::copy(novel, next));
    second.start(folder.executable, {next});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(QFile::exists(next + QStringLiteral(".find")), true, 10000);

    // A name with a line break is carried whole: the file its first line names is not opened.
    QVERIFY(QFile::copy(novel, novels.filePath(QStringLiteral("b"))));
    QVERIFY(QFile::copy(novel, novels.filePath(QStringLiteral("b\nc.txt"))));
    second.start(folder.executable, {novels.filePath(QStringLiteral("b\nc.txt"))});
    QVERIFY(second.waitForFinished(10000));
    QVERIFY(QFile::remove(next + QStringLiteral(".find")));
    second.start(folder.executable, {next}); // answered after the one before
    QVERIFY(second.waitForFinished(10000));
    QTRY_COMPARE_WITH_TIMEOUT(QFile::exists(next + QStringLiteral(".find")), true, 10000);
    QVERIFY(!QFile::exists(novels.filePath(QStringLiteral("b.find"))));
    End(first.get());
}

void TestSingleInstance::lockThatCannotBeTakenIsReported()
{
    ProgramFolderCopy folder;
    const UnwritableFolder runtime(folder.path(QStringLiteral("runtime")), UnwritableFolder::Immutable);
    if (!runtime.works())
        QSKIP("the runtime folder cannot be made to refuse new files here");
    QProcess program;
    program.setProcessEnvironment(Offscreen(folder));
    program.start(folder.executable, {});
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardError()).contains("Tarrowin cannot start"), 10000);
    QCOMPARE(said.count("cannot start"), 1);
    QCOMPARE(program.state(), QProcess::Running); // the message box waits for an answer
    program.kill();
    program.waitForFinished(5000);
    QVERIFY(!QFile::exists(folder.path(QStringLiteral("Tarrowin.ini"))));
}

TARROWIN_GUILESS_TEST_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
