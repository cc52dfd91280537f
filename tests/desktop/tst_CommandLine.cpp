#include "TestRegistry.h"
#include "../ui/readaloud/ProgramRun.h"
#include "CommandLine.h"
#include "Gbk.h"
#include "TextCodec.h"
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
    void pronouncedNovelJoinsBackWithOwnReadings();
    void handedOverNovelIsTheNextStartsAfterAKill();
    void encodingIsGivenToEveryCommand();
    void pronouncedNovelIsReadInTheGivenEncoding();

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
    QTest::newRow("--pronounce without TEXT") << QStringList{QStringLiteral("--pronounce")} << 2
                                              << QStringLiteral("one TEXT or --file") << QString();
    QTest::newRow("--pronounce with TEXT and --file")
        << QStringList{QStringLiteral("--pronounce"), QStringLiteral("--file"), novel, QStringLiteral("好")} << 2
        << QStringLiteral("one TEXT or --file") << QString();
    QTest::newRow("--pronounce TEXT --chapters")
        << QStringList{QStringLiteral("--pronounce"), QStringLiteral("--chapters=1"), QStringLiteral("好")} << 2
        << QStringLiteral("--chapters goes with") << QString();
    QTest::newRow("--file alone") << QStringList{QStringLiteral("--file"), novel} << 2
                                  << QStringLiteral("--file goes with --pronounce") << QString();
    QTest::newRow("--pronounce a missing novel")
        << QStringList{QStringLiteral("--pronounce"), QStringLiteral("--file"), path(QStringLiteral("gone.txt"))} << 2
        << QStringLiteral("no such file") << QString();
    QTest::newRow("--encoding") << QStringList{QStringLiteral("--encoding=BIG5"), novel} << -1 << QString() << novel;
    QTest::newRow("unknown encoding") << QStringList{QStringLiteral("--encoding"), QStringLiteral("latin9"), novel}
                                      << 2 << QStringLiteral("unknown encoding 'latin9'") << QString();
    QTest::newRow("--encoding without FILE") << QStringList{QStringLiteral("--encoding=gbk")} << 2
                                             << QStringLiteral("--encoding goes with a FILE") << QString();
    QTest::newRow("--pronounce TEXT --encoding")
        << QStringList{QStringLiteral("--pronounce"), QStringLiteral("--encoding=gbk"), QStringLiteral("好")} << 2
        << QStringLiteral("--encoding goes with --pronounce --file") << QString();
    QTest::newRow("--list-shelf with a FILE") << QStringList{QStringLiteral("--list-shelf"), novel} << 2
                                              << QStringLiteral("--list-shelf goes alone") << QString();
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
    QTest::newRow("--pronounce TEXT")
        << QStringList{QStringLiteral("--pronounce"), QStringLiteral("去银行，2个\n好")} << 0
        << QByteArray("去\tqu4\n银行\tyin2 hang2\n，\t\n2\tliang3\n个\tge4\n\\n\t\n好\thao3\n") << QByteArray();
    QTest::newRow("--list-shelf") << QStringList{QStringLiteral("--list-shelf")} << 0
                                  << QByteArray("书名\t编码\t章数\t已读\t所在章节\t上次阅读\t剩余时间\t状态\t位置\n")
                                  << QByteArray();
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

// The words of a chapter, unescaped and joined, give back its text; the listener's readings are
// applied and a line of theirs that does not parse is told with its number.
void TestCommandLine::pronouncedNovelJoinsBackWithOwnReadings()
{
    const QString chapterTwo = QStringLiteral("第二章 银行\n他去银行取了50%的钱。\\ 完\n");
    WriteFile(path(QStringLiteral("two chapters.txt")), QStringLiteral("第一章 开始\n你好。\n").toUtf8() + chapterTwo.toUtf8());
    QDir(m_dir.path()).mkpath(QStringLiteral("config/tarrowin"));
    WriteFile(path(QStringLiteral("config/tarrowin/pronunciations.txt")), "银行 yin2 xing2\n取了 bad\n");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TARROWIN_EXECUTABLE), {QStringLiteral("--pronounce"), QStringLiteral("--file"),
                                                        path(QStringLiteral("two chapters.txt")),
                                                        QStringLiteral("--chapters"), QStringLiteral("2")});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    const QByteArray errors = program.readAllStandardError();
    QVERIFY2(errors.contains("pronunciations.txt:2:"), errors);
    QString joined;
    QStringList readings;
    for (const QString &line : QString::fromUtf8(program.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QString word = line.section(u'\t', 0, 0);
        for (qsizetype i = 0; i < word.size(); ++i) {
            const QChar c = word[i];
            if (c != u'\\' || i + 1 == word.size()) {
                joined += c;
                continue;
            }
            const QChar next = word[++i];
            joined += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next == u't' ? QChar(u'\t') : next;
        }
        readings << line.section(u'\t', 1);
    }
    QCOMPARE(joined, chapterTwo);
    QVERIFY(readings.contains(QStringLiteral("yin2 xing2")));
    QVERIFY(readings.contains(QStringLiteral("bai3 fen1 zhi1 wu3 shi2")));
}

// A novel handed over by a second start is named in the settings at once: the first start,
// killed after the hand-over, opens that novel at its next start.
void TestCommandLine::handedOverNovelIsTheNextStartsAfterAKill()
{
    ProgramFolderCopy folder;
    QProcessEnvironment env = folder.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QTemporaryDir novels;
    const QString first = novels.filePath(QStringLiteral("first.txt"));
    const QString second = novels.filePath(QStringLiteral("second.txt"));
    WriteFile(first, Gbk::fromUnicode(QStringLiteral("第一本书。").repeated(50)));
    WriteFile(second, Gbk::fromUnicode(QStringLiteral("第二本书。").repeated(50)));
    const auto settings = [&] {
        QFile f(folder.path(QStringLiteral("Tarrowin.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    std::unique_ptr<QProcess> running(folder.start(env, {first}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(first + QStringLiteral(".find")), 20000);
    std::unique_ptr<QProcess> handing(folder.start(env, {second}));
    QVERIFY(handing->waitForFinished(20000));
    QCOMPARE(handing->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(second + QStringLiteral(".find")), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(settings().contains("WENJIANLUJING=" + second.toUtf8()), 20000);
    running->kill();
    QVERIFY(running->waitForFinished(20000));

    // The next start opens the handed-over novel and goes on at its place, the piece there
    // replacing the place text; the first novel's place is not touched.
    const QByteArray place = Gbk::fromUnicode(QStringLiteral("本书。第二"));
    WriteFile(second + QStringLiteral(".find"), place);
    WriteFile(first + QStringLiteral(".find"), place);
    running.reset(folder.start(env));
    const auto secondPlace = [&] {
        QFile f(second + QStringLiteral(".find"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(secondPlace() != place, 20000);
    QVERIFY(secondPlace().startsWith(Gbk::fromUnicode(QStringLiteral("本书。第二本书。"))));
    QFile firstPlace(first + QStringLiteral(".find"));
    QVERIFY(firstPlace.open(QIODevice::ReadOnly));
    QCOMPARE(firstPlace.readAll(), place);
    running->kill();
    QVERIFY(running->waitForFinished(20000));
}

// Opening FILE, exporting it and pronouncing it each carry the encoding given; without it, none.
void TestCommandLine::encodingIsGivenToEveryCommand()
{
    const QString novel = path(QStringLiteral("novel.txt"));
    const auto parse = [this](QStringList arguments) {
        arguments.prepend(QStringLiteral("tarrowin"));
        return CommandLine::Parse(arguments, m_dir.path());
    };
    const CommandLineRequest opened = parse({QStringLiteral("--encoding"), QStringLiteral("utf-16le"), novel});
    QCOMPARE(opened.encoding, std::optional(TextEncoding::Utf16Le));
    const CommandLineRequest exported = parse({QStringLiteral("--export-audio"), m_dir.path(), QStringLiteral("--encoding"),
                                               QStringLiteral("Big5"), novel});
    QVERIFY(exported.exportAudio);
    QCOMPARE(exported.exportAudio->encoding, std::optional(TextEncoding::Big5));
    const CommandLineRequest pronounced = parse({QStringLiteral("--pronounce"), QStringLiteral("--file"), novel,
                                                 QStringLiteral("--encoding"), QStringLiteral("gb18030")});
    QVERIFY(pronounced.pronounce);
    QCOMPARE(pronounced.pronounce->encoding, std::optional(TextEncoding::Gb18030));
    QVERIFY(!parse({novel}).encoding);
    QVERIFY(!parse({QStringLiteral("--export-audio"), m_dir.path(), novel}).exportAudio->encoding);
    QVERIFY(!parse({QStringLiteral("--pronounce"), QStringLiteral("--file"), novel}).pronounce->encoding);
}

// The words printed are those of the novel read in the encoding given, whatever its bytes suggest.
void TestCommandLine::pronouncedNovelIsReadInTheGivenEncoding()
{
    const QString text = QStringLiteral("第一回 美猴王\n猴王出世。\n");
    const QString novel = path(QStringLiteral("big5 copy.txt"));
    WriteFile(novel, TextCodec::Encode(TextEncoding::Big5, text));
    const auto joinedWords = [&](const QString &encoding) {
        QProcess program;
        program.start(QStringLiteral(TARROWIN_EXECUTABLE), {QStringLiteral("--pronounce"), QStringLiteral("--file"),
                                                            novel, QStringLiteral("--encoding"), encoding});
        program.waitForFinished(10000);
        QString joined;
        for (const QString &line : QString::fromUtf8(program.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            joined += line.section(u'\t', 0, 0).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        return joined;
    };
    QCOMPARE(joinedWords(QStringLiteral("big5")), text);
    const QString asGbk = joinedWords(QStringLiteral("gbk"));
    QVERIFY2(!asGbk.isEmpty() && asGbk != text, qPrintable(asGbk));
}

TARROWIN_GUILESS_TEST_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
