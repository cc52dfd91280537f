#include "TestRegistry.h"
#include <QProcess>
#include <QTest>

// `cmake --install` into a temporary prefix: the files a desktop needs, valid by the desktop's
// own checkers, and an installed program that keeps its files in the user's data folder, never
// in bin/, and opens the sample novel on its first start. The Debian package holds the same files.
class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void desktopFileAndMetainfoAreValid();
    void installedProgramUsesTheDataFolder();
    void debianPackageHoldsTheInstalledFiles();

private:
    QTemporaryDir m_prefix;
    QString installed(const QString &name) const { return m_prefix.filePath(name); }
};

namespace {
const char *const kInstalledFiles[] = {"bin/tarrowin", "share/tarrowin/西游记.txt", "share/applications/tarrowin.desktop",
                                       "share/icons/hicolor/scalable/apps/tarrowin.svg",
                                       "share/metainfo/org.tarrowin.Tarrowin.metainfo.xml",
                                       "share/tarrowin/mandarin.dict"};

// Runs a program to its end; its exit code, or -1 when it could not run.
int Run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
}

void TestInstall::initTestCase()
{
    QByteArray output;
    QCOMPARE(Run(QStringLiteral(CMAKE_COMMAND),
                 {QStringLiteral("--install"), QStringLiteral(TARROWIN_BINARY_DIR), QStringLiteral("--prefix"), m_prefix.path()},
                 &output),
             0);
}

void TestInstall::installedFiles_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : kInstalledFiles)
        QTest::newRow(file) << QString::fromUtf8(file);
}

void TestInstall::installedFiles()
{
    QFETCH(QString, file);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile() && info.size() > 0, qPrintable(info.filePath()));
    if (file.startsWith(QLatin1String("bin/")))
        QVERIFY(info.isExecutable());
}

void TestInstall::desktopFileAndMetainfoAreValid()
{
    QByteArray output;
    const QString desktopFile = installed(QStringLiteral("share/applications/tarrowin.desktop"));
    QVERIFY2(Run(QStringLiteral("desktop-file-validate"), {desktopFile}, &output) == 0, output);
    QFile desktop(desktopFile);
    QVERIFY(desktop.open(QIODevice::ReadOnly));
    const QByteArray entry = desktop.readAll();
    QVERIFY(entry.contains("\nExec=tarrowin %f\n"));
    QVERIFY(entry.contains("\nMimeType=text/plain;\n"));
    QVERIFY(entry.contains("\nIcon=tarrowin\n"));
    const QString metainfo = installed(QStringLiteral("share/metainfo/org.tarrowin.Tarrowin.metainfo.xml"));
    QVERIFY2(Run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo}, &output) == 0,
             output);
    QFile xml(metainfo);
    QVERIFY(xml.open(QIODevice::ReadOnly));
    QVERIFY(xml.readAll().contains("<release version=\"" TARROWIN_VERSION "\""));
}

void TestInstall::installedProgramUsesTheDataFolder()
{
    const QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QStringList binBefore = QDir(installed(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::Hidden);

    QProcess program;
    program.setProcessEnvironment(env);
    program.start(installed(QStringLiteral("bin/tarrowin")), {});
    QVERIFY(program.waitForStarted());
    const QString folder = home.filePath(QStringLiteral("data/tarrowin"));
    // The first start makes the folder, copies the sample in and opens it: its place is kept.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + QStringLiteral("/西游记.txt.find")), 15000);
    program.kill();
    QVERIFY(program.waitForFinished(10000));
    QVERIFY(QFile::exists(folder + QStringLiteral("/西游记.txt")));
    QCOMPARE(QDir(installed(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::Hidden), binBefore);

    // The installed program finds its installed dictionary, with no path given.
    env.remove(QStringLiteral("TARROWIN_MANDARIN_DICT"));
    QByteArray output;
    QCOMPARE(Run(installed(QStringLiteral("bin/tarrowin")), {QStringLiteral("--pronounce"), QStringLiteral("银行")},
                 &output, env),
             0);
    QCOMPARE(output, QByteArray("银行\tyin2 hang2\n"));
}

void TestInstall::debianPackageHoldsTheInstalledFiles()
{
    const QTemporaryDir out;
    QByteArray output;
    QVERIFY2(Run(QStringLiteral(CPACK_COMMAND),
                 {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out.path(), QStringLiteral("--config"),
                  QStringLiteral(TARROWIN_BINARY_DIR "/CPackConfig.cmake")},
                 &output) == 0,
             output);
    const QStringList packages = QDir(out.path()).entryList({QStringLiteral("tarrowin_" TARROWIN_VERSION "_*.deb")});
    QCOMPARE(packages.size(), 1);
    const QString package = out.filePath(packages.front());

    QVERIFY(Run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), package}, &output) == 0);
    QStringList files; // the regular files, as "usr/<path>"
    for (const QByteArray &line : output.split('\n'))
        if (line.startsWith('-'))
            files << QString::fromUtf8(line.mid(line.indexOf("./") + 2));
    QStringList expected;
    for (const char *file : kInstalledFiles)
        expected << QStringLiteral("usr/") + QString::fromUtf8(file);
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);

    QVERIFY(Run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), package}, &output) == 0);
    for (const char *field : {"Package: tarrowin\n", "Version: " TARROWIN_VERSION "\n", "Section: sound\n",
                              "Maintainer: Tarrowin developers <"})
        QVERIFY2(output.contains(field), output);
    // the libraries it links, found in the executable, and the voice data it reads
    for (const char *dependency : {"libqt6widgets6", "libespeak-ng1", "libicu72", "espeak-ng-data", "qt6-qpa-plugins",
                                   "libqt6svg6", "libtag1v5"})
        QVERIFY2(output.contains(QByteArray(" ") + dependency), output);
}

TARROWIN_GUILESS_TEST_MAIN(TestInstall)
#include "tst_Install.moc"
