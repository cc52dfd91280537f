#include "TestRegistry.h"
#include "FaultFiles.h"
#include "Gbk.h"
#include "RewriterContents.h"
#include "mdlIniFile.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

// A process whose writes fail part of the way (a file-size limit, with the signal that would end
// it ignored, so that each write past the limit fails as on a full disk): the side file and the
// settings file keep their old bytes, no partly written file is left beside them, and each
// failed write is reported as failed. Under a limit the new contents fit in, both are written.
class TestWriteFailure : public QObject
{
    Q_OBJECT
private slots:
    void failedWriteKeepsOldBytes_data();
    void failedWriteKeepsOldBytes();
};

namespace {
QByteArray settingsFile(int which)
{
    return "[DANGQIAN]\r\nWENJIANMING=" + Gbk::fromUnicode(RewriterContents::settingsValue(which))
        + "\r\nCHANGDU=100\r\nFENDUAN=1\r\n[KANXIAOSHUO]\r\nZIHAO=22\r\nSEWENZI=14737632\r\n";
}
}

void TestWriteFailure::failedWriteKeepsOldBytes_data()
{
    QTest::addColumn<rlim_t>("limit");
    QTest::addColumn<bool>("fits");
    const auto newSide = rlim_t(Gbk::fromUnicode(RewriterContents::sideText(1)).size());
    QTest::newRow("no byte may be written") << rlim_t(0) << false;
    QTest::newRow("a few bytes") << rlim_t(7) << false;
    QTest::newRow("room for the settings, not the side file") << rlim_t(4096) << false;
    QTest::newRow("one byte short of the side file") << newSide - 1 << false;
    QTest::newRow("room for both") << newSide << true;
}

void TestWriteFailure::failedWriteKeepsOldBytes()
{
    QFETCH(rlim_t, limit);
    QFETCH(bool, fits);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString sidePath = dir.filePath(RewriterContents::SideFileName);
    const QString settingsPath = mdlIniFile::IniFilePathFor(dir.path(), QStringLiteral("fault_place_writer"));
    const QByteArray oldSide = Gbk::fromUnicode(RewriterContents::sideText(0).left(20));
    writeFile(sidePath, oldSide);
    writeFile(settingsPath, settingsFile(0));

    QProcess writer;
    writer.setChildProcessModifier([limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    writer.start(QStringLiteral(FAULT_PLACE_WRITER), {dir.path()});
    QVERIFY(writer.waitForFinished(30000));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    const QByteArray report = writer.readAllStandardOutput();

    const bool settingsFit = limit >= rlim_t(settingsFile(1).size());
    QCOMPARE(report.contains("side ok"), fits);
    QCOMPARE(report.contains("settings ok"), settingsFit);
    QCOMPARE(fileBytes(sidePath), fits ? Gbk::fromUnicode(RewriterContents::sideText(1)) : oldSide);
    QCOMPARE(fileBytes(settingsPath), settingsFile(settingsFit ? 1 : 0));
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList({QStringLiteral("fault_place_writer.ini"), RewriterContents::SideFileName}));
}

TARROWIN_GUILESS_TEST_MAIN(TestWriteFailure)
#include "tst_WriteFailure.moc"
