#include "TestRegistry.h"
#include "ExportCommand.h"
#include "ExportNaming.h"
#include "ExportProgressText.h"
#include "UnwritableFolder.h"
#include <sys/mount.h>
#include <QProcess>
#include <QTest>
#include <sndfile.h>

// `tarrowin --export-audio` as the built program runs it with no display, on a corpus novel,
// and the progress line it draws on a terminal.
class TestExportCommand : public QObject
{
    Q_OBJECT
private slots:
    void durations_data();
    void durations();
    void progressLine();
    void exportsTwoChapters();
    void failuresPrintOneLine_data();
    void failuresPrintOneLine();
    void cleanupTestCase();

private:
    // Runs the program with `arguments`; its exit code, and its standard error in `err`.
    int run(const QStringList &arguments, QByteArray &err);
    QTemporaryDir m_dir;
};

namespace {
const QString Novel = QStringLiteral(TARROWIN_CORPUS_DIR "/sanguoyanyi_crlf.txt");

qint64 frames(const QString &path)
{
    SF_INFO info{};
    SNDFILE *sound = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!sound)
        return -1;
    sf_close(sound);
    return info.frames;
}
}

int TestExportCommand::run(const QStringList &arguments, QByteArray &err)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    // The user's speech settings and kept tables of contents stay out of the test.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("cache")));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TARROWIN_EXECUTABLE), arguments);
    if (!program.waitForFinished(120000) || program.exitStatus() != QProcess::NormalExit)
        return -1;
    err = program.readAllStandardError();
    return program.exitCode();
}

void TestExportCommand::durations_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << qint64(0) << QStringLiteral("0:00");
    QTest::newRow("seconds") << qint64(59) << QStringLiteral("0:59");
    QTest::newRow("minutes") << qint64(25 * 60 + 1) << QStringLiteral("25:01");
    QTest::newRow("hours") << qint64(3600 + 2 * 60 + 3) << QStringLiteral("1:02:03");
}

void TestExportCommand::durations()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(FormatDuration(seconds), text);
}

void TestExportCommand::progressLine()
{
    ExportProgress progress;
    progress.fileName = QStringLiteral("002 第二回 张翼德怒鞭督邮.opus");
    progress.bytesDone = 1;
    progress.bytesTotal = 4;
    progress.secondsLeft = 75;
    const QString line = ExportProgressLine(progress, 200);
    QCOMPARE(line, QStringLiteral("[######                  ]  25%  002 第二回 张翼德怒鞭督邮.opus  剩余 1:15"));
    // A narrow terminal shortens the file name, never the bar or the time left.
    const QString narrow = ExportProgressLine(progress, 50);
    QVERIFY(narrow.startsWith(QStringLiteral("[######                  ]  25%  002 第")));
    QVERIFY(narrow.endsWith(QStringLiteral("  剩余 1:15")));
    QVERIFY(narrow.size() < line.size());
    progress.bytesDone = 9; // a file that grew while it was read
    progress.secondsLeft.reset();
    QVERIFY(ExportProgressLine(progress, 200).startsWith(QStringLiteral("[########################] 100%  002")));
}

void TestExportCommand::exportsTwoChapters()
{
    const QString folder = m_dir.filePath(QStringLiteral("two chapters"));
    QByteArray err;
    QCOMPARE(run({QStringLiteral("--export-audio"), folder, QStringLiteral("--chapters"),
                  QStringLiteral("2-3"), QStringLiteral("--format"), QStringLiteral("wav"), Novel},
                 err), 0);
    const QStringList names{
        QStringLiteral("002 第二回 张翼德怒鞭督邮 何国舅谋诛宦竖.wav"),
        QStringLiteral("003 第三回 议温明董卓叱丁原 馈金珠李肃说吕布.wav")};
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), names);
    // Standard error is no terminal here: one line per file, naming it, as each is finished
    // (the chapters are written side by side: either may finish first).
    QStringList lines = QString::fromLocal8Bit(err).split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    QCOMPARE(lines.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QVERIFY2(lines[i].startsWith(QDir(folder).filePath(names[i])), qPrintable(lines[i]));
        // Each chapter is over ten minutes of speech.
        QVERIFY(frames(QDir(folder).filePath(names[i])) > 22050 * 600);
    }
}

void TestExportCommand::failuresPrintOneLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const QString folder = m_dir.filePath(QStringLiteral("failed"));
    QTest::newRow("range backwards") << QStringList{QStringLiteral("--export-audio"), folder,
                                                    QStringLiteral("--chapters"), QStringLiteral("3-2"), Novel}
                                     << 2 << QByteArray("--chapters 3-2: not a range of chapters 1 to 120");
    QTest::newRow("range past the end") << QStringList{QStringLiteral("--export-audio"), folder,
                                                       QStringLiteral("--chapters"), QStringLiteral("120-121"), Novel}
                                        << 2 << QByteArray("1 to 120");
    QTest::newRow("missing FILE") << QStringList{QStringLiteral("--export-audio"), folder,
                                                 m_dir.filePath(QStringLiteral("gone.txt"))}
                                  << 2 << QByteArray("gone.txt: no such file");
    QTest::newRow("folder cannot be made") << QStringList{QStringLiteral("--export-audio"),
                                                          QStringLiteral("/proc/tarrowin/audio"),
                                                          QStringLiteral("--chapters"), QStringLiteral("1"), Novel}
                                           << 1 << QByteArray("/proc/tarrowin/audio");
    QTest::newRow("folder cannot be written") << QStringList{QStringLiteral("--export-audio"), folder,
                                                             QStringLiteral("--chapters"), QStringLiteral("1"), Novel}
                                              << 1 << QByteArray(folder.toUtf8());
    // A full disk names the file and says that the disk is full.
    const QString full = m_dir.filePath(QStringLiteral("full"));
    QDir().mkpath(full);
    if (::mount("tmpfs", QFile::encodeName(full).constData(), "tmpfs", 0, "size=48k") == 0)
        QTest::newRow("full disk") << QStringList{QStringLiteral("--export-audio"), full, QStringLiteral("--format"),
                                                  QStringLiteral("wav"), QStringLiteral("--chapters"), QStringLiteral("1"), Novel}
                                   << 1 << QStringLiteral("%1/001").arg(full).toUtf8();
    // A novel with nothing to read gives no files of silence.
    for (const auto &[name, bytes] : {std::pair{QStringLiteral("empty.txt"), QByteArray()},
                                      std::pair{QStringLiteral("blank.txt"), QByteArray(" \r\n\t\r\n\xa1\xa1\r\n")}}) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        QTest::newRow(qPrintable(name)) << QStringList{QStringLiteral("--export-audio"), folder, file.fileName()}
                                        << 1 << QByteArray(": no text to export");
    }
}

void TestExportCommand::failuresPrintOneLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    const QString folder = m_dir.filePath(QStringLiteral("failed"));
    QVERIFY(QDir().mkpath(folder));
    UnwritableFolder locked(folder);
    if (!locked.works())
        QSKIP("cannot make a folder unwritable here");
    QByteArray err;
    QCOMPARE(run(arguments, err), exitCode);
    QVERIFY2(err.contains(message) && err.count('\n') == 1, err.constData());
    if (QByteArray(QTest::currentDataTag()) == "full disk")
        QVERIFY2(err.contains(QStringLiteral("磁盘已满").toUtf8()), err.constData());
    QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestExportCommand::cleanupTestCase()
{
    ::umount2(QFile::encodeName(m_dir.filePath(QStringLiteral("full"))).constData(), MNT_DETACH);
}

TARROWIN_GUILESS_TEST_MAIN(TestExportCommand)
#include "tst_ExportCommand.moc"
