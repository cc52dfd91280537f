#include "CommandLine.h"
#include <QProcess>
#include <QTest>
#include <unistd.h>

// The command line as parsed, and as the built program answers it with no display at all.
class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void exportOptionsAreRead();
    void relativeFileIsTakenAgainstTheWorkingFolder();
    void refusedFileIsKeptForTheRunningWindow();
    void programAnswersWithoutDisplay_data();
    void programAnswersWithoutDisplay();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

namespace {
void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
}

void TestCommandLine::initTestCase()
{
    WriteFile(path(QStringLiteral("novel.txt")), "\xB5\xDA\xD2\xBB\xBB\xD8 text\r\n");
    WriteFile(path(QStringLiteral("picture.png")), QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000010000000100806000000"));
    WriteFile(path(QStringLiteral("locked.txt")), "text");
    QFile::setPermissions(path(QStringLiteral("locked.txt")), QFileDevice::WriteOwner);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.txt"));
    WriteFile(path(QStringLiteral("zero byte.txt")), QByteArray(200, 'a') + QByteArray(1, '\0') + QByteArray(200, 'b'));
    WriteFile(path(QStringLiteral("utf16.txt")), QByteArray::fromHex("fffe61006200"));
}

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // -1: the program goes on
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("novel");
    const QString novel = path(QStringLiteral("novel.txt"));
    QTest::newRow("nothing") << QStringList{} << -1 << QString() << QString();
    QTest::newRow("file") << QStringList{novel} << -1 << QString() << novel;
    QTest::newRow("file after --") << QStringList{QStringLiteral("--"), novel} << -1 << QString() << novel;
    QTest::newRow("a zero byte in text") << QStringList{path(QStringLiteral("zero byte.txt"))} << -1 << QString()
                                         << path(QStringLiteral("zero byte.txt"));
    QTest::newRow("UTF-16 text") << QStringList{path(QStringLiteral("utf16.txt"))} << -1 << QString()
                                 << path(QStringLiteral("utf16.txt"));
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("[FILE]") << QString();
    QTest::newRow("-h with a file") << QStringList{QStringLiteral("-h"), novel} << 0 << QStringLiteral("--version") << QString();
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                               << QStringLiteral("tarrowin " TARROWIN_VERSION "\n") << QString();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--speak-louder")} << 2
                                    << QStringLiteral("speak-louder") << QString();
    QTest::newRow("two files") << QStringList{novel, novel} << 2 << QStringLiteral("one FILE at most") << QString();
    QTest::newRow("missing file") << QStringList{path(QStringLiteral("gone.txt"))} << 2
                                  << QStringLiteral("gone.txt: no such file") << QString();
    QTest::newRow("folder") << QStringList{path(QStringLiteral("folder.txt"))} << 2
                            << QStringLiteral("folder.txt: not a regular file") << QString();
    QTest::newRow("binary file") << QStringList{path(QStringLiteral("picture.png"))} << 2
                                 << QStringLiteral("picture.png: not a text file") << QString();
    if (::geteuid() != 0) // root reads any file
        QTest::newRow("unreadable") << QStringList{path(QStringLiteral("locked.txt"))} << 2
                                    << QStringLiteral("locked.txt: cannot be read") << QString();
    QTest::newRow("export without FILE") << QStringList{QStringLiteral("--export-audio"), m_dir.path()} << 2
                                         << QStringLiteral("needs a FILE") << QString();
    QTest::newRow("--chapters alone") << QStringList{QStringLiteral("--chapters"), QStringLiteral("1-2"), novel} << 2
                                      << QStringLiteral("go with --export-audio") << QString();
    QTest::newRow("--format alone") << QStringList{QStringLiteral("--format=wav"), novel} << 2
                                    << QStringLiteral("go with --export-audio") << QString();
    QTest::newRow("unknown format") << QStringList{QStringLiteral("--export-audio"), m_dir.path(),
                                                   QStringLiteral("--format"), QStringLiteral("aac"), novel}
                                    << 2 << QStringLiteral("unknown audio format 'aac'") << QString();
    QTest::newRow("export") << QStringList{QStringLiteral("--export-audio"), m_dir.path(), novel} << -1 << QString()
                            << novel;
    QTest::newRow("--help documents the export") << QStringList{QStringLiteral("--help")} << 0
                                                 << QStringLiteral("--export-audio <DIR>") << QString();
    QTest::newRow("device") << QStringList{QStringLiteral("/dev/zero")} << 2 << QStringLiteral("not a regular file")
                            << QString();
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, novel);
    arguments.prepend(QStringLiteral("tarrowin"));
    const CommandLineRequest request = CommandLine::Parse(arguments, QStringLiteral("/"));
    QCOMPARE(request.exitCode.value_or(-1), exitCode);
    QVERIFY2(request.output.contains(output), qPrintable(request.output));
    if (exitCode > 0) // an error is one line
        QCOMPARE(request.output.count(QLatin1Char('\n')), 1);
    QCOMPARE(request.novel, novel);
}

void TestCommandLine::exportOptionsAreRead()
{
    const CommandLineRequest request = CommandLine::Parse(
        {QStringLiteral("tarrowin"), QStringLiteral("--export-audio"), QStringLiteral("out/../audio"),
         QStringLiteral("--chapters"), QStringLiteral("2-3"), QStringLiteral("--format"),
         QStringLiteral("FLAC"), QStringLiteral("novel.txt")},
        m_dir.path());
    QVERIFY(!request.exitCode);
    QVERIFY(request.exportAudio);
    QCOMPARE(request.exportAudio->folder, path(QStringLiteral("audio")));
    QCOMPARE(request.exportAudio->chapters, QStringLiteral("2-3"));
    QCOMPARE(request.exportAudio->format, AudioFormat::Flac);
    const CommandLineRequest plain = CommandLine::Parse(
        {QStringLiteral("tarrowin"), QStringLiteral("novel.txt")}, m_dir.path());
    QVERIFY(!plain.exportAudio);
}

void TestCommandLine::relativeFileIsTakenAgainstTheWorkingFolder()
{
    const CommandLineRequest request = CommandLine::Parse(
        {QStringLiteral("tarrowin"), QStringLiteral("./sub/../novel.txt")}, m_dir.path());
    QVERIFY(!request.exitCode);
    QCOMPARE(request.novel, path(QStringLiteral("novel.txt")));
}

void TestCommandLine::refusedFileIsKeptForTheRunningWindow()
{
    const QString gone = path(QStringLiteral("gone.txt"));
    const CommandLineRequest refused = CommandLine::Parse({QStringLiteral("tarrowin"), gone}, QStringLiteral("/"));
    QCOMPARE(refused.exitCode.value_or(-1), CommandLine::kUsageError);
    QCOMPARE(refused.refusedNovel, gone);
    QCOMPARE(refused.novel, QString());
    // an export has no window to tell; a wrong option names no file
    QCOMPARE(CommandLine::Parse({QStringLiteral("tarrowin"), QStringLiteral("--export-audio"), m_dir.path(), gone},
                                QStringLiteral("/"))
                 .refusedNovel,
             QString());
    QCOMPARE(CommandLine::Parse({QStringLiteral("tarrowin"), QStringLiteral("-x"), gone}, QStringLiteral("/")).refusedNovel,
             QString());
}

void TestCommandLine::programAnswersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0 << QByteArray("Usage: " TARROWIN_EXECUTABLE " [options] [FILE]\n") << QByteArray();
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                               << QByteArray("tarrowin " TARROWIN_VERSION "\n") << QByteArray();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("-x")} << 2 << QByteArray()
                                    << QByteArray("Unknown option 'x'");
    QTest::newRow("missing file") << QStringList{path(QStringLiteral("gone.txt"))} << 2 << QByteArray()
                                  << QByteArray("no such file");
}

void TestCommandLine::programAnswersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TARROWIN_EXECUTABLE), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QByteArray stdOut = program.readAllStandardOutput();
    const QByteArray stdErr = program.readAllStandardError();
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out) || stdOut.contains(out), stdOut);
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err) && stdErr.count('\n') == 1, stdErr);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
