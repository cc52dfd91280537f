#include "TestRegistry.h"
#include "Gbk.h"
#include "OpenNovel.h"
#include "TextPiece.h"
#include "UnwritableFolder.h"
#include "ZeroRun.h"
#include "mdlFileBinText.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

Q_DECLARE_METATYPE(TextEncoding)

using namespace mdlFileBinText;

// Reading whole files and pieces of GBK text files, and replacing them.
class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readPiece_data();
    void readPiece();
    void failedPieceLeavesPosition_data();
    void failedPieceLeavesPosition();
    void hugeLengthHoldsNoMoreThanTheFile();
    void readsShareOneOpenFile();
    void readsFollowTheFileAtItsPath_data();
    void readsFollowTheFileAtItsPath();
    void filesKeptOpenMakeRoomForOthers();
    void filesKeptOpenAreClosedWhenLeft();
    void zeroBytesBefore_data();
    void zeroBytesBefore();
    void readWholeFile_data();
    void readWholeFile();
    void hiddenFileIsNotFound();
    void writeThenRead_data();
    void writeThenRead();
    void writeReplacesAndLeavesNoSideFile();
    void failedWriteKeepsOldFile();
    void writeReplacesALinkNotItsTarget_data();
    void writeReplacesALinkNotItsTarget();
    void failedWriteIsLogged_data();
    void failedWriteIsLogged();

private:
    QString fileWith(const QByteArray &bytes, const QString &name = QStringLiteral("novel.txt"));
    static QByteArray contentOf(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
};

QString TestTextFile::fileWith(const QByteArray &bytes, const QString &name)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file %s", qPrintable(path));
    return path;
}

QByteArray TestTextFile::contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestTextFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

static QString nuls(int count)
{
    return QString(count, QChar(0));
}

void TestTextFile::readPiece_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("positionAfter");

    // a b 啊 space 吧 c
    const QByteArray mixed("ab\xb0\xa1 \xb0\xc9" "c");
    const QByteArray chinese("\xce\xf7\xd3\xce\xbc\xc7");  // 西游记
    QTest::newRow("ascii") << mixed << 1LL << 2LL << "ab" << 1LL;
    QTest::newRow("whole double-byte character") << mixed << 1LL << 4LL << "ab啊" << 1LL;
    QTest::newRow("ends on a lead byte") << mixed << 1LL << 3LL << "ab" << 0LL;
    QTest::newRow("chinese, ends on a lead byte") << chinese << 1LL << 5LL << "西游" << 0LL;
    QTest::newRow("only a lead byte") << chinese << 3LL << 1LL << "" << 2LL;
    QTest::newRow("starts on a trail byte") << mixed << 4LL << 2LL << " " << 4LL;
    QTest::newRow("ends at the end of the file") << mixed << 6LL << 3LL << "吧c" << 6LL;
    QTest::newRow("runs past the end") << mixed << 8LL << 4LL << "c" + nuls(2) << 7LL;
    QTest::newRow("lead byte runs past the end")
        << QByteArray("a\xb0") << 2LL << 3LL << QChar(0xFFFD) + nuls(1) << 1LL;
    QTest::newRow("wholly beyond the end") << mixed << 20LL << 4LL << nuls(3) << 19LL;
    QTest::newRow("zero byte in the file") << QByteArray("ab\0", 3) << 1LL << 3LL << "ab" << 0LL;
    // A byte that is no GBK character spoils only itself, wherever the piece starts.
    const QByteArray spoilt("\xb5\xda\x81 \xd2\xbb\x95\x32\x82\x36\xb5\xda");  // 第 ? space 一 ?2?6 第
    const QString bad(QChar(0xFFFD));
    QTest::newRow("lead byte before a space") << spoilt << 1LL << 6LL << "第" + bad + " 一" << 1LL;
    QTest::newRow("starts after the bad byte") << spoilt << 4LL << 3LL << " 一" << 4LL;
    QTest::newRow("four-byte GB18030 sequence")
        << spoilt << 5LL << 8LL << "一" + bad + "2" + bad + "6第" << 5LL;
    QTest::newRow("starts on the file's last trail byte") << spoilt << 12LL << 2LL << "" << 11LL;
}

void TestTextFile::readPiece()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(QString, text);
    QFETCH(qint64, positionAfter);
    BytePos at(position);
    QCOMPARE(ReadTextPiece(fileWith(file), at, length), std::optional<QString>(text));
    QCOMPARE(at.value(), positionAfter);
}

void TestTextFile::failedPieceLeavesPosition_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("fails");
    QTest::newRow("position 0") << QByteArray("abc") << 0LL << 2LL << true;
    QTest::newRow("negative position") << QByteArray("abc") << -7LL << 2LL << true;
    QTest::newRow("length 0") << QByteArray("abc") << 1LL << 0LL << true;
    QTest::newRow("negative length") << QByteArray("abc") << 2LL << -1LL << true;
    QTest::newRow("empty file") << QByteArray() << 5LL << 10LL << false;
    QTest::newRow("empty file, position 0") << QByteArray() << 0LL << 10LL << false;
}

void TestTextFile::failedPieceLeavesPosition()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(bool, fails);
    BytePos at(position);
    const auto text = ReadTextPiece(fileWith(file), at, length);
    QCOMPARE(text.has_value(), !fails);
    if (!fails)
        QCOMPARE(*text, QString());
    QCOMPARE(at.value(), position);

    BytePos missingAt(position);
    QCOMPARE(ReadTextPiece(m_dir->filePath("missing.txt"), missingAt, length),
             std::optional<QString>(QString()));
    QCOMPARE(missingAt.value(), position);
}

void TestTextFile::hugeLengthHoldsNoMoreThanTheFile()
{
    QByteArray bytes;
    while (bytes.size() < 10 * 1024)
        bytes += QByteArray("Chapter 1 \xb5\xda\xd2\xbb\xbb\xd8\xa3\xac\xc1\xe9\xb8\xf9\r\n");
    const QString path = fileWith(bytes);
    BytePos at(1);
    const auto text = ReadTextPiece(path, at, 2'000'000'000);
    QVERIFY(text.has_value());
    const QString fileText = Gbk::toUnicode(bytes);
    QVERIFY(text->startsWith(fileText));
    QVERIFY(text->size() > fileText.size());
    QVERIFY(text->size() <= fileText.size() + kMaxZeroTail);
    for (qsizetype i = fileText.size(); i < text->size(); ++i)
        QCOMPARE(text->at(i), QChar(0));
    QCOMPARE(at.value(), 0LL);
}

void TestTextFile::readsShareOneOpenFile()
{
    const QByteArray bytes = QByteArray("\xb5\xda" "1\xbb\xd8\r\n").repeated(400);
    OpenNovel file(Novel{fileWith(bytes)});
    QCOMPARE(file.size(), bytes.size());
    // Read back to front and inside characters: each read gives what a read of its own gives.
    for (qint64 position = bytes.size() + 3; position >= 1; position -= 37) {
        BytePos shared(position);
        BytePos alone(position);
        QCOMPARE(ReadTextPiece(file, shared, 50), ReadTextPiece(file.novel(), alone, 50));
        QCOMPARE(shared.value(), alone.value());
    }
    OpenNovel hidden(Novel{fileWith(bytes, QStringLiteral(".hidden.txt"))});
    BytePos at(1);
    QCOMPARE(ReadTextPiece(hidden, at, 6), std::optional<QString>(QString()));
    QCOMPARE(hidden.size(), bytes.size());
    // A folder is no novel: nothing is open and nothing is read.
    OpenNovel folder(Novel{m_dir->path()});
    QVERIFY(!folder.isOpen());
    QCOMPARE(folder.size(), 0);
    char byte = 0;
    QCOMPARE(folder.ReadAt(0, &byte, 1), -1);
    // A read that runs past the end gives what there is.
    QByteArray tail(10, '\0');
    QCOMPARE(file.ReadAt(bytes.size() - 4, tail.data(), tail.size()), 4);
    QCOMPARE(tail.left(4), bytes.right(4));
}

void TestTextFile::readsFollowTheFileAtItsPath_data()
{
    QTest::addColumn<QString>("change");
    for (const char *change : {"replaced by a renamed file", "written again in place", "shortened in place",
                               "deleted and written anew", "deleted"})
        QTest::newRow(change) << QString::fromLatin1(change);
}

void TestTextFile::readsFollowTheFileAtItsPath()
{
    // Files are kept open between reads; whatever happens to the file at the path between two
    // reads, the second reads the file that is there now.
    QFETCH(QString, change);
    const QByteArray before = QByteArray("\xb5\xda" "1\xbb\xd8\r\n").repeated(50);
    const QByteArray after = QByteArray("\xce\xf7\xd3\xce").repeated(20);
    const QString path = fileWith(before);
    BytePos at(1);
    QCOMPARE(ReadTextPiece(Novel{path}, at, 20), Gbk::toUnicode(before.left(20)));
    OpenNovel held(Novel{path}); // a read under way while the file changes
    if (change == QLatin1String("replaced by a renamed file")) {
        fileWith(after, QStringLiteral("new.txt"));
        QVERIFY(::rename(QFile::encodeName(m_dir->filePath(QStringLiteral("new.txt"))).constData(),
                         QFile::encodeName(path).constData()) == 0);
    } else if (change == QLatin1String("written again in place")) {
        fileWith(after);
    } else if (change == QLatin1String("shortened in place")) {
        QVERIFY(QFile::resize(path, 7));
    } else {
        QVERIFY(QFile::remove(path));
        if (change == QLatin1String("deleted and written anew"))
            fileWith(after);
    }
    const QByteArray now = QFile::exists(path) ? contentOf(path) : QByteArray();
    const OpenNovel reopened(Novel{path});
    QCOMPARE(reopened.size(), now.size());
    QCOMPARE(reopened.isOpen(), QFile::exists(path));
    at = BytePos(1);
    const qint64 length = std::clamp<qint64>(now.size(), 1, 20);
    QCOMPARE(ReadTextPiece(Novel{path}, at, length).value_or(QStringLiteral("<failed>")),
             Gbk::toUnicode(now.left(length)));
    // The read that began before the change still reads one file: the old one, or the same one
    // as it is now.
    char first[2];
    QCOMPARE(held.ReadAt(0, first, 2), 2);
}

void TestTextFile::filesKeptOpenMakeRoomForOthers()
{
    // More novels than are kept open, read in turns, and one read held across all of them.
    QList<QString> paths;
    for (int i = 0; i < 9; ++i)
        paths << fileWith(QByteArray::number(i).repeated(10 + i), QStringLiteral("novel%1.txt").arg(i));
    OpenNovel held(Novel{paths.first()});
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < paths.size(); ++i) {
            BytePos at(1);
            QCOMPARE(ReadTextPiece(Novel{paths[i]}, at, 10 + i).value_or(QStringLiteral("<failed>")),
                     QString::number(i).repeated(10 + i));
        }
    }
    QByteArray bytes(10, '\0');
    QCOMPARE(held.ReadAt(0, bytes.data(), bytes.size()), 10);
    QCOMPARE(bytes, QByteArray("0").repeated(10));
}

// The files this process has open.
static int OpenDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

void TestTextFile::filesKeptOpenAreClosedWhenLeft()
{
    KeptFiles::CloseIdle(std::chrono::seconds(0));
    const int before = OpenDescriptors();
    const QString first = fileWith("first", QStringLiteral("first.txt"));
    const QString second = fileWith("second", QStringLiteral("second.txt"));
    for (const QString &path : {first, second}) {
        BytePos at(1);
        QVERIFY(ReadTextPiece(Novel{path}, at, 5).has_value());
    }
    QCOMPARE(OpenDescriptors(), before + 2);
    // A deleted novel is closed at the next read of its path, which frees its disk space.
    QVERIFY(QFile::remove(first));
    BytePos at(1);
    QCOMPARE(ReadTextPiece(Novel{first}, at, 5), std::optional<QString>(QString()));
    QCOMPARE(OpenDescriptors(), before + 1);
    // A novel no longer read is closed; one being read stays open until its read ends.
    {
        const OpenNovel reading(Novel{second});
        QCOMPARE(KeptFiles::CloseIdle(std::chrono::seconds(0)), size_t(1));
        QCOMPARE(OpenDescriptors(), before + 1);
    }
    QCOMPARE(OpenDescriptors(), before);
    at = BytePos(1);
    QCOMPARE(ReadTextPiece(Novel{second}, at, 6), std::optional<QString>(QStringLiteral("second")));
}

void TestTextFile::zeroBytesBefore_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("most");
    QTest::addColumn<qint64>("zeros");
    const QByteArray run("ab\0\0\0cd", 7);
    QTest::newRow("run before the position") << run << TextEncoding::Gbk << 6LL << 10LL << 3LL;
    QTest::newRow("counted back at most") << run << TextEncoding::Gbk << 6LL << 2LL << 2LL;
    QTest::newRow("text before the position") << run << TextEncoding::Gbk << 7LL << 10LL << 0LL;
    QTest::newRow("past the end of the file") << run << TextEncoding::Gbk << 9LL << 10LL << 0LL;
    QTest::newRow("whole code units of UTF-16") << run << TextEncoding::Utf16Le << 6LL << 10LL << 2LL;
    QTest::newRow("position 1") << run << TextEncoding::Gbk << 1LL << 10LL << 0LL;
}

void TestTextFile::zeroBytesBefore()
{
    QFETCH(QByteArray, file);
    QFETCH(TextEncoding, encoding);
    QFETCH(qint64, position);
    QFETCH(qint64, most);
    QFETCH(qint64, zeros);
    OpenNovel novel(Novel{fileWith(file), encoding});
    QCOMPARE(ZeroBytesBefore(novel, BytePos(position), most), zeros);
    // A second count on the same open file gives the same.
    QCOMPARE(ZeroBytesBefore(novel, BytePos(position), most), zeros);
    OpenNovel missing(Novel{m_dir->filePath(QStringLiteral("missing.txt")), encoding});
    QCOMPARE(ZeroBytesBefore(missing, BytePos(position), most), 0LL);
}

void TestTextFile::readWholeFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("mixed, CR LF") << QByteArray("\xb5\xda" "1\xbb\xd8\r\nok") << "第1回\r\nok";
    QTest::newRow("ends in a lone lead byte") << QByteArray("a\xb0") << "a" + QString(QChar(0xFFFD));
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestTextFile::readWholeFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QCOMPARE(ReadTextFile(fileWith(file)), std::optional<QString>(text));
    QCOMPARE(ReadTextFile(m_dir->filePath("missing.txt")), std::optional<QString>(QString()));
    QCOMPARE(ReadTextFile(m_dir->path()), std::optional<QString>(QString()));
}

void TestTextFile::hiddenFileIsNotFound()
{
    const QString path = fileWith("hidden text", QStringLiteral(".hidden.txt"));
    BytePos at(1);
    QCOMPARE(ReadTextPiece(path, at, 6), std::optional<QString>(QString()));
    QCOMPARE(ReadTextFile(path), std::optional<QString>(QString()));
}

void TestTextFile::writeThenRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("mixed") << QStringLiteral("西游记 ch.1\r\n") << QByteArray("\xce\xf7\xd3\xce\xbc\xc7 ch.1\r\n");
    QTest::newRow("outside the code page")
        << QStringLiteral("a\u0E01\U0001F600b") << QByteArray("a??b");
}

void TestTextFile::writeThenRead()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QString path = fileWith("older and longer content");
    QVERIFY(WriteTextFile(path, text));
    QCOMPARE(contentOf(path), bytes);
    QCOMPARE(ReadTextFile(path), std::optional<QString>(Gbk::toUnicode(bytes)));
}

void TestTextFile::writeReplacesAndLeavesNoSideFile()
{
    const QString path = m_dir->filePath("new.txt.find");
    QVERIFY(WriteTextFile(path, QStringLiteral("第一")));
    QVERIFY(WriteTextFile(path, QStringLiteral("x")));
    QCOMPARE(contentOf(path), QByteArray("x"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"new.txt.find"});
    QVERIFY(!WriteTextFile(m_dir->filePath("no such folder/a.txt"), QStringLiteral("x")));
}

void TestTextFile::failedWriteKeepsOldFile()
{
    const QString path = fileWith("kept");
    {
        UnwritableFolder folder(m_dir->path());
        if (!folder.works())
            QSKIP("this user cannot make a folder refuse new files");
        QVERIFY(!WriteTextFile(path, QStringLiteral("replacement")));
    }
    QCOMPARE(contentOf(path), QByteArray("kept"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"novel.txt"});
}

// A side file that is a symbolic link is replaced by a file of its own; what the link pointed at,
// wherever it lies, keeps its bytes (or stays missing).
void TestTextFile::writeReplacesALinkNotItsTarget_data()
{
    QTest::addColumn<QString>("target"); // relative to the test folder, as the link names it
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("file beside, relative link") << QStringLiteral("other.txt") << false << true;
    QTest::newRow("file elsewhere, absolute link") << QStringLiteral("elsewhere/notes.txt") << true << true;
    QTest::newRow("dangling link") << QStringLiteral("elsewhere/missing.txt") << true << false;
}

void TestTextFile::writeReplacesALinkNotItsTarget()
{
    QFETCH(QString, target);
    QFETCH(bool, absolute);
    QFETCH(bool, targetExists);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("elsewhere")));
    const QString targetPath = m_dir->filePath(target);
    const QByteArray targetBytes("the listener's own notes");
    if (targetExists)
        fileWith(targetBytes, target);
    const QString side = m_dir->filePath(QStringLiteral("novel.txt.find"));
    QVERIFY(QFile::link(absolute ? targetPath : target, side));
    QVERIFY(WriteTextFile(side, QStringLiteral("第一")));
    QVERIFY(!QFileInfo(side).isSymLink());
    QCOMPARE(contentOf(side), Gbk::fromUnicode(QStringLiteral("第一")));
    QCOMPARE(QFileInfo::exists(targetPath), targetExists);
    if (targetExists)
        QCOMPARE(contentOf(targetPath), targetBytes);
}

// A write that fails leaves one warning that names the file and the cause; one that succeeds, none.
void TestTextFile::failedWriteIsLogged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cause");
    QTest::newRow("no such folder") << QStringLiteral("no such folder/a.txt.find") << QStringLiteral("No such file or directory");
    QTest::newRow("a folder in the way") << QStringLiteral("in the way.find") << QStringLiteral("Is a directory");
}

void TestTextFile::failedWriteIsLogged()
{
    QFETCH(QString, name);
    QFETCH(QString, cause);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("in the way.find")));
    const QString path = m_dir->filePath(name);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("cannot write %1: %2").arg(path, cause)));
    QVERIFY(!WriteTextFile(path, QStringLiteral("x")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QVERIFY(WriteTextFile(m_dir->filePath(QStringLiteral("written.find")), QStringLiteral("x")));
}

TARROWIN_APPLESS_TEST_MAIN(TestTextFile)
#include "tst_textfile.moc"
