#include "TestRegistry.h"
#include "ProgramFolder.h"
#include "UnwritableFolder.h"
#include "mdlIniFile.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace mdlIniFile;

// The settings file: where it is, how values are written and read back, and that every line
// the program does not write stays as it was.
class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void pathFollowsTheProgramFolder();
    void pathForExecutableName_data();
    void pathForExecutableName();
    void missingFileReadsDefaults();
    void firstWriteCreatesTheFile();
    void valueRoundTrip_data();
    void valueRoundTrip();
    void integerRule_data();
    void integerRule();
    void longValueIsCut_data();
    void longValueIsCut();
    void namesIgnoreCase();
    void writeKeepsOtherLines_data();
    void writeKeepsOtherLines();
    void namesAndValuesAreGbkOnDisk();
    void utf8FileWithMark();
    void garbageFileReadsDefaults();
    void failedWriteKeepsTheFile();

private:
    void storeFile(const QByteArray &bytes);
    QByteArray fileBytes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    SetProgramFolder(m_dir->path());
}

void TestIniFile::cleanupTestCase()
{
    SetProgramFolder(QString());
}

void TestIniFile::storeFile(const QByteArray &bytes)
{
    QFile file(IniFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray TestIniFile::fileBytes() const
{
    QFile file(IniFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestIniFile::pathFollowsTheProgramFolder()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QCOMPARE(IniFilePath(), m_dir->path() + "/" + name + ".ini");
    QTemporaryDir other;
    SetProgramFolder(other.path());
    QCOMPARE(IniFilePath(), other.path() + "/" + name + ".ini");
}

void TestIniFile::pathForExecutableName_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "Tarrowin" << "/opt/t/Tarrowin.ini";
    QTest::newRow("upper-case .INI, never the executable itself") << "Tarrowin.INI" << "/opt/t/Tarrowin.INI.ini";
    QTest::newRow("mixed-case .Ini, .exe") << "Tarrowin.Ini.exe" << "/opt/t/Tarrowin.Ini";
    QTest::newRow(".exe") << "Tarrowin.EXE" << "/opt/t/Tarrowin.ini";
    QTest::newRow("other dots") << "tarrowin.ini2" << "/opt/t/tarrowin.ini2.ini";
}

void TestIniFile::pathForExecutableName()
{
    QFETCH(QString, executable);
    QFETCH(QString, path);
    QCOMPARE(IniFilePathFor(QStringLiteral("/opt/t"), executable), path);
}

void TestIniFile::missingFileReadsDefaults()
{
    QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 100), 100);
    QCOMPARE(ReadIniInteger("DANGQIAN", "ZUOBIAN", -3), -3);
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", "双击这里开始\r\n"), "双击这里开始\r\n");
    QCOMPARE(ReadIniString("KANXIAOSHUO", "ZITI", "a?b?"), "ab");
    QVERIFY(!QFile::exists(IniFilePath()));
}

void TestIniFile::firstWriteCreatesTheFile()
{
    QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "100"), 1L);
    QCOMPARE(fileBytes(), QByteArray("[DANGQIAN]\r\nCHANGDU=100\r\n"));
    QCOMPARE(WriteIniString("KANXIAOSHUO", "ZIHAO", "10.5"), 1L);
    QCOMPARE(WriteIniString("DANGQIAN", "FENDUAN", "1"), 1L);
    QCOMPARE(fileBytes(), QByteArray("[DANGQIAN]\r\nCHANGDU=100\r\nFENDUAN=1\r\n"
                                     "[KANXIAOSHUO]\r\nZIHAO=10.5\r\n"));
    QCOMPARE(ReadIniInteger("KANXIAOSHUO", "ZIHAO", 0), 10);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestIniFile::valueRoundTrip_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("plain") << "abc" << QByteArray("abc") << "abc";
    QTest::newRow("spaces at both ends") << " 12 " << QByteArray("? 12 ?") << " 12 ";
    QTest::newRow("tab at the end") << "a\t" << QByteArray("?a\t?") << "a\t";
    QTest::newRow("only spaces") << "  " << QByteArray("?  ?") << "  ";
    QTest::newRow("question marks") << "a?b" << QByteArray("ab") << "ab";
    QTest::newRow("question marks around spaces") << "? x?" << QByteArray("? x?") << " x";
    QTest::newRow("empty") << "" << QByteArray() << "";
    QTest::newRow("chinese") << "西游记.txt" << QByteArray("\xce\xf7\xd3\xce\xbc\xc7.txt") << "西游记.txt";
    QTest::newRow("line break") << "双击这里开始\r\n" << QByteArray("\xcb\xab\xbb\xf7\xd5\xe2\xc0\xef\xbf\xaa\xca\xbc")
                                << "双击这里开始";
    QTest::newRow("line break inside") << "a\nCHANGDU=5" << QByteArray("a") << "a";
    QTest::newRow("outside the code page") << "a\u0E01b" << QByteArray("a?b") << "ab";
}

void TestIniFile::valueRoundTrip()
{
    QFETCH(QString, written);
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    QCOMPARE(WriteIniString("DANGQIAN", "WENJIANMING", written), 1L);
    QCOMPARE(fileBytes(), "[DANGQIAN]\r\nWENJIANMING=" + stored + "\r\n");
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", "default"), read);
}

void TestIniFile::integerRule_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<qint32>("value");
    QTest::newRow("whole") << QByteArray("9600") << 9600;
    QTest::newRow("fraction") << QByteArray("9600.5") << 9600;
    QTest::newRow("minus one") << QByteArray("-1") << -1;
    QTest::newRow("word") << QByteArray("abc") << 0;
    QTest::newRow("digits then word") << QByteArray("12abc") << 12;
    QTest::newRow("blanks around") << QByteArray(" \t42 \t") << 42;
    QTest::newRow("plus sign") << QByteArray("+5") << 0;
    QTest::newRow("lone minus") << QByteArray("-") << 0;
    QTest::newRow("empty value") << QByteArray() << 0;
    QTest::newRow("too large") << QByteArray("99999999999") << std::numeric_limits<qint32>::max();
    QTest::newRow("too small") << QByteArray("-99999999999") << std::numeric_limits<qint32>::min();
}

void TestIniFile::integerRule()
{
    QFETCH(QByteArray, stored);
    QFETCH(qint32, value);
    storeFile("[KANXIAOSHUO]\r\nGUNDONGSUDU=" + stored + "\r\n");
    QCOMPARE(ReadIniInteger("KANXIAOSHUO", "GUNDONGSUDU", 77), value);
    QCOMPARE(ReadIniInteger("KANXIAOSHUO", "SEWENZI", 77), 77);
    QCOMPARE(ReadIniInteger("DANGQIAN", "GUNDONGSUDU", 78), 78);
}

void TestIniFile::longValueIsCut_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("ascii") << QByteArray(2500, 'a') << QString(1999, 'a');
    QTest::newRow("exactly 1999") << QByteArray(1999, 'b') << QString(1999, 'b');
    QTest::newRow("guards count") << "?" + QByteArray(2500, 'c') + "?" << QString(1998, 'c');
    QTest::newRow("cut inside a character")
        << QByteArray(1998, 'd') + "\xce\xf7\xd3\xce" << QString(1998, 'd');
    QTest::newRow("cut after a character")
        << QByteArray(1997, 'e') + "\xce\xf7\xd3\xce" << QString(1997, 'e') + "西";
}

void TestIniFile::longValueIsCut()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, read);
    storeFile("[DANGQIAN]\r\nWENJIANMING=" + stored + "\r\n");
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", QString()), read);
}

void TestIniFile::namesIgnoreCase()
{
    storeFile("[dangQian]\nchangdu = 7\n");
    QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 0), 7);
    QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "8"), 1L);
    QCOMPARE(fileBytes(), QByteArray("[dangQian]\nCHANGDU=8\r\n"));
}

void TestIniFile::writeKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");
    const QByteArray file = "; comment\n[DANGQIAN]\nCHANGDU=100\n  OTHER = x \n\n"
                            "[KANXIAOSHUO]\r\nZITI=\xbf\xac\r\n";
    QTest::newRow("existing key replaced where it stands") << file << "DANGQIAN" << "CHANGDU"
        << QByteArray("; comment\n[DANGQIAN]\nCHANGDU=V\r\n  OTHER = x \n\n"
                      "[KANXIAOSHUO]\r\nZITI=\xbf\xac\r\n");
    QTest::newRow("new key after the section's last line") << file << "DANGQIAN" << "FENDUAN"
        << QByteArray("; comment\n[DANGQIAN]\nCHANGDU=100\n  OTHER = x \nFENDUAN=V\r\n\n"
                      "[KANXIAOSHUO]\r\nZITI=\xbf\xac\r\n");
    QTest::newRow("new section at the end") << file << "NEW" << "K"
        << file + "[NEW]\r\nK=V\r\n";
    QTest::newRow("no final line end") << QByteArray("[A]\r\nX=1") << "A" << "Y"
        << QByteArray("[A]\r\nX=1\r\nY=V\r\n");
    QTest::newRow("no final line end, new section") << QByteArray("[A]\r\nX=1") << "B" << "Y"
        << QByteArray("[A]\r\nX=1\r\n[B]\r\nY=V\r\n");
    QTest::newRow("lone CR at the end, new key") << QByteArray("[A]\r\nX=1\r") << "A" << "Y"
        << QByteArray("[A]\r\nX=1\r\nY=V\r\n");
    QTest::newRow("lone CR at the end, new section") << QByteArray("[A]\r") << "B" << "Y"
        << QByteArray("[A]\r\n[B]\r\nY=V\r\n");
    QTest::newRow("last key without line end") << QByteArray("[A]\r\nX=1") << "A" << "X"
        << QByteArray("[A]\r\nX=V\r\n");
    QTest::newRow("first of two sections of that name") << QByteArray("[A]\nX=1\n[A]\nY=2\n")
        << "A" << "Y" << QByteArray("[A]\nX=1\nY=V\r\n[A]\nY=2\n");
    QTest::newRow("key-like line before any section") << QByteArray("X=1\n[A]\n") << "A" << "X"
        << QByteArray("X=1\n[A]\nX=V\r\n");
    QTest::newRow("commented-out key") << QByteArray("[A]\n;X=1\n") << "A" << "X"
        << QByteArray("[A]\n;X=1\nX=V\r\n");
    const QByteArray mark = "\xEF\xBB\xBF";
    QTest::newRow("UTF-8 mark: first section found") << mark + "[DANGQIAN]\r\nX=1\r\n" << "DANGQIAN" << "X"
        << mark + "[DANGQIAN]\r\nX=V\r\n";
    QTest::newRow("UTF-8 mark: new key in the first section") << mark + "[DANGQIAN]\r\nX=1\r\n[B]\r\n"
        << "DANGQIAN" << "Y" << mark + "[DANGQIAN]\r\nX=1\r\nY=V\r\n[B]\r\n";
    QTest::newRow("UTF-8 mark alone: section after it") << mark << "A" << "X" << mark + "[A]\r\nX=V\r\n";
}

void TestIniFile::writeKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    storeFile(before);
    QCOMPARE(WriteIniString(section, key, "V"), 1L);
    QCOMPARE(fileBytes(), after);
    QCOMPARE(ReadIniString(section, key, "default"), "V");
}

void TestIniFile::namesAndValuesAreGbkOnDisk()
{
    QCOMPARE(WriteIniString("小说", "字体", "楷体_GB2312"), 1L);
    QCOMPARE(fileBytes(), QByteArray("[\xd0\xa1\xcb\xb5]\r\n\xd7\xd6\xcc\xe5=\xbf\xac\xcc\xe5_GB2312\r\n"));
    QCOMPARE(ReadIniString("小说", "字体", QString()), "楷体_GB2312");
}

// A settings file saved by an editor as UTF-8 with a byte-order mark: its first section is found,
// values are read as UTF-8 and written back as UTF-8 behind the mark, a long value is cut before a
// character, not inside it.
void TestIniFile::utf8FileWithMark()
{
    storeFile("\xEF\xBB\xBF[DANGQIAN]\r\nWENJIANMING=\xE4\xB8\x89\xE5\x9B\xBD.txt\r\nFENDUAN=1\r\n");
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", "x"), QStringLiteral("三国.txt"));
    QCOMPARE(ReadIniInteger("DANGQIAN", "FENDUAN", 0), 1);
    QCOMPARE(WriteIniString("DANGQIAN", "WENJIANMING", QStringLiteral("西游记 €.txt")), 1L);
    QCOMPARE(WriteIniString("KANXIAOSHUO", "ZITI", QStringLiteral("楷体")), 1L);
    QCOMPARE(fileBytes(), QByteArray("\xEF\xBB\xBF[DANGQIAN]\r\nWENJIANMING=") + QStringLiteral("西游记 €.txt").toUtf8()
                              + "\r\nFENDUAN=1\r\n[KANXIAOSHUO]\r\nZITI=" + QStringLiteral("楷体").toUtf8() + "\r\n");
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", "x"), QStringLiteral("西游记 €.txt"));
    QCOMPARE(WriteIniString("DANGQIAN", "LONG", QString(1000, QChar(0x4E09))), 1L);
    QCOMPARE(ReadIniString("DANGQIAN", "LONG", "x"), QString(666, QChar(0x4E09)));
    QCOMPARE(WriteIniString("DANGQIAN", "LONG", QString(666, QChar(0x4E09)) + "ab"), 1L);
    QCOMPARE(ReadIniString("DANGQIAN", "LONG", "x"), QString(666, QChar(0x4E09)) + "a");
}

void TestIniFile::garbageFileReadsDefaults()
{
    QRandomGenerator random(7);
    QByteArray garbage;
    for (int line = 0; line < 200; ++line) {
        QByteArray bytes(random.bounded(line % 50 == 0 ? 200000 : 300), Qt::Uninitialized);
        for (char &byte : bytes)
            byte = char(random.bounded(256));
        garbage += bytes + (line % 3 ? "\n" : "\r\n");
    }
    garbage += "=]\0[\xff\x81" + QByteArray(100000, '=');
    storeFile(garbage);
    QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 100), 100);
    QCOMPARE(ReadIniString("DANGQIAN", "WENJIANMING", "none"), "none");
    QCOMPARE(ReadIniInteger("KANXIAOSHUO", "YOUBIANLAN", -1), -1);
    QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "250"), 1L);
    QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 100), 250);
    QVERIFY(fileBytes().startsWith(garbage));
}

void TestIniFile::failedWriteKeepsTheFile()
{
    storeFile("[DANGQIAN]\r\nCHANGDU=100\r\n");
    const QTemporaryDir state;
    const QByteArray stateHome = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QDir(state.path()).mkdir("tarrowin");
    {
        // An unwritable program folder keeps the settings in the state folder; when that cannot
        // be written either, the write fails.
        UnwritableFolder folder(m_dir->path());
        if (!folder.works())
            QSKIP("this user cannot make a folder refuse new files");
        QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "2"), 1L);
        QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 5), 2);
        UnwritableFolder stateFolder(state.filePath("tarrowin"));
        QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "1"), 0L);
        QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 5), 2);
    }
    qputenv("XDG_STATE_HOME", stateHome);
    QCOMPARE(fileBytes(), QByteArray("[DANGQIAN]\r\nCHANGDU=100\r\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    SetProgramFolder(m_dir->filePath("missing folder"));
    QCOMPARE(WriteIniString("DANGQIAN", "CHANGDU", "1"), 0L);
    QCOMPARE(ReadIniInteger("DANGQIAN", "CHANGDU", 5), 5);
}

TARROWIN_GUILESS_TEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
