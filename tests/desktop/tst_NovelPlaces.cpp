#include "TestRegistry.h"
#include "../core/UnwritableFolder.h"
#include "ProgramFolder.h"
#include "RecentNovels.h"
#include "StateFolder.h"
#include "StoredPath.h"
#include "mdlFileBinText.h"
#include "mdlIniFile.h"
#include "Gbk.h"
#include <QTest>

// Where the place of a novel and the settings are kept: beside the novel, in the program
// folder, or in the state folder when the folder cannot be written; how paths are stored; which
// folder is the program folder of an installed program.
class TestNovelPlaces : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sideFilesBesideTheNovel_data();
    void sideFilesBesideTheNovel();
    void unwritableFolderKeepsThePlaceInTheStateFolder_data();
    void unwritableFolderKeepsThePlaceInTheStateFolder();
    void settingsOfAnUnwritableProgramFolder();
    void nameTooLongForItsSideFileKeepsThePlaceInTheStateFolder_data();
    void nameTooLongForItsSideFileKeepsThePlaceInTheStateFolder();
    void storedPathComesBackUnchanged_data();
    void storedPathComesBackUnchanged();
    void programFolderOfAnInstalledProgram();
    void recentListNewestFirst();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

namespace {
void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

void TestNovelPlaces::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QDir(m_dir->path()).mkpath(QStringLiteral("program"));
    QDir(m_dir->path()).mkpath(QStringLiteral("novels"));
    qputenv("XDG_STATE_HOME", path(QStringLiteral("state")).toLocal8Bit());
    SetProgramFolder(path(QStringLiteral("program")));
}

void TestNovelPlaces::cleanup()
{
    SetProgramFolder(QString());
    m_dir.reset();
}

void TestNovelPlaces::sideFilesBesideTheNovel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("side"); // relative to the test folder; empty: none
    QTest::newRow("program folder") << QStringLiteral("西游记.txt") << QStringLiteral("program/西游记.txt.find");
    QTest::newRow("elsewhere") << QStringLiteral("<dir>/novels/红楼梦.txt") << QStringLiteral("novels/红楼梦.txt.find");
    QTest::newRow("climbs out") << QStringLiteral("../novels/a.txt") << QString();
    QTest::newRow("design text") << QStringLiteral("双击这里开始\r\n") << QString();
    QTest::newRow("path with a line break") << QStringLiteral("<dir>/novels/a\n.txt") << QString();
    QTest::newRow("a folder's path") << QStringLiteral("<dir>/novels/") << QString();
}

void TestNovelPlaces::sideFilesBesideTheNovel()
{
    QFETCH(QString, name);
    QFETCH(QString, side);
    name.replace(QStringLiteral("<dir>"), m_dir->path());
    const QString expected = side.isEmpty() ? QString() : path(side);
    QCOMPARE(SideFilePath(name, QStringLiteral(".find")), expected);
    QCOMPARE(SideFileToRead(name, QStringLiteral(".find")), expected);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("state"))) || QDir(path(QStringLiteral("state/tarrowin"))).isEmpty());
}

void TestNovelPlaces::unwritableFolderKeepsThePlaceInTheStateFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("program folder") << QStringLiteral("program") << QStringLiteral("a.txt");
    QTest::newRow("novel's folder") << QStringLiteral("novels") << QStringLiteral("<dir>/novels/a.txt");
}

void TestNovelPlaces::unwritableFolderKeepsThePlaceInTheStateFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    name.replace(QStringLiteral("<dir>"), m_dir->path());
    const QString beside = path(folder + QStringLiteral("/a.txt.kan"));
    WriteFile(beside, "old place");
    UnwritableFolder locked(path(folder));
    if (!locked.works())
        QSKIP("this folder cannot be made unwritable here");

    const QString kept = SideFilePath(name, QStringLiteral(".kan"));
    QVERIFY2(kept.startsWith(path(QStringLiteral("state/tarrowin/"))) && kept.endsWith(QStringLiteral("-a.txt.kan")),
             qPrintable(kept));
    // The place kept beside the novel still opens until the state folder holds one.
    QCOMPARE(SideFileToRead(name, QStringLiteral(".kan")), beside);
    WriteFile(kept, "new place");
    QCOMPARE(SideFileToRead(name, QStringLiteral(".kan")), kept);
    QCOMPARE(ReadFile(beside), QByteArray("old place"));
    // Novels of the same name in other folders keep places of their own.
    QVERIFY(StateFilePath(path(QStringLiteral("other/a.txt.kan"))) != kept);
}

// A novel whose name is near the file system's limit has no room for ".find" after it: its
// side files are written to, and read from, the state folder, and a place written there opens.
void TestNovelPlaces::nameTooLongForItsSideFileKeepsThePlaceInTheStateFolder_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("inStateFolder");
    QTest::newRow("ASCII, 250 bytes") << QString(246, u'a') + QStringLiteral(".txt") << true;
    QTest::newRow("Chinese, 252 bytes") << QString(83, u'书') + QStringLiteral(".txt") << true;
    QTest::newRow("short name") << QStringLiteral("短.txt") << false;
}

void TestNovelPlaces::nameTooLongForItsSideFileKeepsThePlaceInTheStateFolder()
{
    QFETCH(QString, fileName);
    QFETCH(bool, inStateFolder);
    const QString novel = path(QStringLiteral("novels/") + fileName);
    WriteFile(novel, "text");
    const QString side = SideFilePath(novel, QStringLiteral(".find"));
    QCOMPARE(side.startsWith(path(QStringLiteral("state/tarrowin/"))), inStateFolder);
    QVERIFY(mdlFileBinText::WriteTextFile(side, QStringLiteral("第一")));
    QCOMPARE(SideFileToRead(novel, QStringLiteral(".find")), side);
    QCOMPARE(ReadFile(side), Gbk::fromUnicode(QStringLiteral("第一")));
}

void TestNovelPlaces::settingsOfAnUnwritableProgramFolder()
{
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("120"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("a.txt"));
    const QByteArray before = ReadFile(mdlIniFile::IniFilePath());
    UnwritableFolder locked(path(QStringLiteral("program")));
    if (!locked.works())
        QSKIP("this folder cannot be made unwritable here");

    QCOMPARE(mdlIniFile::ReadIniInteger(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), 0), 120);
    QCOMPARE(mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("80")), 1L);
    QCOMPARE(mdlIniFile::ReadIniInteger(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), 0), 80);
    // the other settings came along, and the file beside the program kept its bytes
    QCOMPARE(mdlIniFile::ReadIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QString()),
             QStringLiteral("a.txt"));
    QCOMPARE(ReadFile(mdlIniFile::IniFilePath()), before);
    QVERIFY(ReadFile(StateFilePath(mdlIniFile::IniFilePath())).contains("CHANGDU=80"));
}

void TestNovelPlaces::storedPathComesBackUnchanged_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("plain"); // stored as it is, readable in the settings file
    QTest::newRow("ASCII") << QStringLiteral("/home/u/novels/a.txt") << true;
    QTest::newRow("Chinese") << QStringLiteral("/home/u/小说/西游记.txt") << true;
    QTest::newRow("blanks at both ends") << QStringLiteral("/home/u/ a.txt ") << true;
    QTest::newRow("question mark") << QStringLiteral("/home/u/why?.txt") << false;
    QTest::newRow("not in GBK") << QStringLiteral("/home/u/한국어 😀.txt") << false;
    QTest::newRow("percent sign") << QStringLiteral("/home/u/100%.txt") << true;
    QTest::newRow("looks like an address") << QStringLiteral("/file:/a.txt") << true;
}

void TestNovelPlaces::storedPathComesBackUnchanged()
{
    QFETCH(QString, path);
    QFETCH(bool, plain);
    const QString stored = StoredPathText(path);
    QCOMPARE(stored == path, plain);
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANLUJING"), stored);
    QCOMPARE(PathFromStored(mdlIniFile::ReadIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANLUJING"), QString())),
             path);
    QCOMPARE(PathFromStored(QStringLiteral("a.txt")), QString());
    QCOMPARE(PathFromStored(QStringLiteral("file:relative")), QString());
}

void TestNovelPlaces::programFolderOfAnInstalledProgram()
{
    const QString prefix = path(QStringLiteral("prefix"));
    QDir().mkpath(prefix + QStringLiteral("/bin"));
    const QString data = path(QStringLiteral("data"));
    QCOMPARE(ProgramFolderFor(prefix + QStringLiteral("/bin"), data), prefix + QStringLiteral("/bin"));
    QDir().mkpath(prefix + QStringLiteral("/share/tarrowin"));
    QCOMPARE(ProgramFolderFor(prefix + QStringLiteral("/bin"), data), data + QStringLiteral("/tarrowin"));
    // a build folder beside an installed tree is no install
    QDir().mkpath(prefix + QStringLiteral("/build"));
    QCOMPARE(ProgramFolderFor(prefix + QStringLiteral("/build"), data), prefix + QStringLiteral("/build"));
}

void TestNovelPlaces::recentListNewestFirst()
{
    QStringList list;
    for (int i = 0; i < 12; ++i)
        list = RecentNovels::WithFirst(list, QStringLiteral("/n/%1.txt").arg(i));
    QCOMPARE(list.size(), RecentNovels::kMaxCount);
    QCOMPARE(list.front(), QStringLiteral("/n/11.txt"));
    QCOMPARE(list.back(), QStringLiteral("/n/2.txt"));
    list = RecentNovels::WithFirst(list, QStringLiteral("/n/5.txt"));
    QCOMPARE(list.size(), RecentNovels::kMaxCount);
    QCOMPARE(list.front(), QStringLiteral("/n/5.txt"));
    QCOMPARE(list.count(QStringLiteral("/n/5.txt")), 1);

    // Stored and read back; a novel that is gone is left out of the menu, not out of the list.
    for (const QString &name : {QStringLiteral("a.txt"), QStringLiteral("b?.txt"), QStringLiteral("c.txt")}) {
        WriteFile(path(QStringLiteral("novels/") + name), "text");
        RecentNovels::Remember(path(QStringLiteral("novels/") + name));
    }
    QFile::remove(path(QStringLiteral("novels/a.txt")));
    QCOMPARE(RecentNovels::Stored().size(), 3);
    QCOMPARE(RecentNovels::Present(), (QStringList{path(QStringLiteral("novels/c.txt")), path(QStringLiteral("novels/b?.txt"))}));
}

TARROWIN_GUILESS_TEST_MAIN(TestNovelPlaces)
#include "tst_NovelPlaces.moc"
