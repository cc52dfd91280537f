#include "TestRegistry.h"
#include "FaultFiles.h"
#include "Gbk.h"
#include "RewriterContents.h"
#include "mdlIniFile.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// A process that rewrites a side file and the settings file in a loop is killed with SIGKILL at
// random moments: afterwards each file holds its old or its new content in full, never a part.
// A kill that lands in the middle of a write leaves that write's unfinished new file beside the
// target; some kills must, or the test has not tested anything.
class TestKilledWriter : public QObject
{
    Q_OBJECT
private slots:
    void filesAreWholeAfterAKill();
};

namespace {
constexpr int kKills = 30;

// A settings file of about 2 MB: the rewritten key, then many lines it must keep.
QByteArray settingsFile(int which)
{
    QByteArray bytes = "; Tarrowin\r\n[DANGQIAN]\r\nWENJIANMING="
        + Gbk::fromUnicode(RewriterContents::settingsValue(which)) + "\r\nCHANGDU=100\r\n\r\n[KANXIAOSHUO]\r\n";
    for (int i = 0; i < 40000; ++i)
        bytes += "KEY" + QByteArray::number(i) + "=" + QByteArray(40, char('a' + i % 26)) + "\r\n";
    return bytes;
}

// Which of the two contents `bytes` is: 0, 1, or -1 for neither.
int whichOf(const QByteArray &bytes, const QByteArray &first, const QByteArray &second)
{
    return bytes == first ? 0 : bytes == second ? 1 : -1;
}

// Removes the unfinished new files a killed write left in `folder` and tells how many there were.
int removeUnfinishedWrites(const QString &folder)
{
    QDir dir(folder);
    const QStringList unfinished = dir.entryList({QStringLiteral(".*.new")}, QDir::Files | QDir::Hidden);
    for (const QString &name : unfinished)
        dir.remove(name);
    return int(unfinished.size());
}
}

void TestKilledWriter::filesAreWholeAfterAKill()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sidePath = dir.filePath(RewriterContents::SideFileName);
    const QString settingsPath = mdlIniFile::IniFilePathFor(dir.path(), QStringLiteral("fault_rewriter"));
    const QByteArray side[2] = {Gbk::fromUnicode(RewriterContents::sideText(0)),
                                Gbk::fromUnicode(RewriterContents::sideText(1))};
    const QByteArray settings[2] = {settingsFile(0), settingsFile(1)};
    writeFile(sidePath, side[0]);
    writeFile(settingsPath, settings[0]);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int seen[2][2] = {{0, 0}, {0, 0}};
    int killsMidWrite = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(FAULT_REWRITER), {dir.path()});
        QVERIFY2(writer.waitForReadyRead(30000), qPrintable(writer.errorString()));
        QVERIFY(writer.readAllStandardOutput().startsWith("writing"));
        QThread::msleep(random.bounded(5, 300));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const int sideNow = whichOf(fileBytes(sidePath), side[0], side[1]);
        const int settingsNow = whichOf(fileBytes(settingsPath), settings[0], settings[1]);
        const QString where = QStringLiteral("kill %1 of %2, random seed %3").arg(kill + 1).arg(kKills).arg(seed);
        QVERIFY2(sideNow >= 0, qPrintable(QStringLiteral("side file neither old nor new, ") + where));
        QVERIFY2(settingsNow >= 0, qPrintable(QStringLiteral("settings file neither old nor new, ") + where));
        ++seen[0][sideNow];
        ++seen[1][settingsNow];
        if (removeUnfinishedWrites(dir.path()) > 0)
            ++killsMidWrite;
    }
    qInfo("side file: %d times the first content, %d the second; settings file: %d and %d; "
          "%d of %d kills in the middle of a write",
          seen[0][0], seen[0][1], seen[1][0], seen[1][1], killsMidWrite, kKills);
    QVERIFY2(killsMidWrite > 0,
             qPrintable(QStringLiteral("no kill landed in the middle of a write, random seed %1").arg(seed)));
}

TARROWIN_GUILESS_TEST_MAIN(TestKilledWriter)
#include "tst_KilledWriter.moc"
