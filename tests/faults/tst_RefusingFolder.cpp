#include "FakeVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "StatusLine.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "mdlIniFile.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

// A program folder that refuses every write although its rights let this process write (root on a
// read-only mount; a full disk, where even access() says yes): the place and the settings go to
// the state folder at the first write, the window says so, and the next start resumes where
// reading stopped.
class TestRefusingFolder : public QObject
{
    Q_OBJECT
private slots:
    void placeResumesFromTheStateFolder_data();
    void placeResumesFromTheStateFolder();
};

namespace {
QString NovelText()
{
    QString text;
    for (int i = 1; i <= 40; ++i)
        text += QStringLiteral("第%1句话。").arg(i);
    return text;
}

}
enum class Refusal { BindMount, ReadOnly, Full };
Q_DECLARE_METATYPE(Refusal)
namespace {

// Fills the file system of `folder` to the last byte.
void Fill(const QByteArray &folder)
{
    QFile filler(QFile::decodeName(folder + "/filler"));
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {}
}

// The folder mounted read-only over itself (a bind mount), or as a small file system of its own
// that is read-only or full, holding `novel`.
bool Mount(const QByteArray &folder, Refusal how, const QString &novel)
{
    const char *at = folder.constData();
    if (how == Refusal::BindMount)
        return ::mount(at, at, nullptr, MS_BIND, nullptr) == 0
            && ::mount(nullptr, at, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    if (::mount("tmpfs", at, "tmpfs", 0, "size=256k") != 0 || !QFile::copy(novel, QFile::decodeName(folder + "/novel.txt")))
        return false;
    if (how == Refusal::Full)
        Fill(folder);
    return how == Refusal::Full || ::mount(nullptr, at, nullptr, MS_REMOUNT | MS_RDONLY, "size=256k") == 0;
}

std::unique_ptr<frmTTS> Start(const QString &lock, FakeVoice **voice)
{
    auto window = std::make_unique<frmTTS>();
    window->setInstanceLockPath(lock);
    window->setVoiceFactory([voice] {
        auto made = std::make_unique<FakeVoice>();
        *voice = made.get();
        return std::unique_ptr<SpeechVoice>(std::move(made));
    });
    return window->Form_Load() ? std::move(window) : nullptr;
}
}

void TestRefusingFolder::placeResumesFromTheStateFolder_data()
{
    QTest::addColumn<Refusal>("how");
    QTest::addColumn<QString>("said");
    QTest::newRow("read-only bind mount") << Refusal::BindMount << QStringLiteral("文件夹不能写入");
    QTest::newRow("read-only file system") << Refusal::ReadOnly << QStringLiteral("文件夹不能写入");
    QTest::newRow("full disk") << Refusal::Full << QStringLiteral("磁盘已满");
}

void TestRefusingFolder::placeResumesFromTheStateFolder()
{
    QFETCH(Refusal, how);
    QFETCH(QString, said);
    QTemporaryDir state, locks, folder, source;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    const QByteArray path = QFile::encodeName(folder.path());
    QFile novel(how == Refusal::BindMount ? folder.filePath(QStringLiteral("novel.txt"))
                                          : source.filePath(QStringLiteral("novel.txt")));
    QVERIFY(novel.open(QIODevice::WriteOnly));
    novel.write(Gbk::fromUnicode(NovelText()));
    novel.close();
    const bool mounted = Mount(path, how, novel.fileName());
    const auto unmount = qScopeGuard([&] { ::umount2(path.constData(), MNT_DETACH); });
    if (!mounted)
        QSKIP("folders cannot be mounted here (no rights to mount)");
    if (how == Refusal::Full)
        QCOMPARE(::access(path.constData(), W_OK), 0); // the rights say yes
    SetProgramFolder(folder.path());
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("novel.txt"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("24"));

    FakeVoice *voice = nullptr;
    QString heard;
    {
        const std::unique_ptr<frmTTS> window = Start(locks.filePath(QStringLiteral("lock")), &voice);
        QVERIFY(window);
        QString told = window->lblZhuangTai->message(); // a folder found unwritable at the start
        window->cmdSpeak_Click(0);
        for (int i = 0; i < 5; ++i)
            voice->finishStream();
        QCoreApplication::processEvents();
        heard = window->txtLangDu->Text();
        QVERIFY2(!heard.isEmpty() && !heard.startsWith(QStringLiteral("第1句话")), qPrintable(heard));
        window->close();
        told += window->lblZhuangTai->message(); // or at a write that failed
        QVERIFY2(told.contains(state.path()) && told.contains(said), qPrintable(told));
    }
    QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.find"), QStringLiteral("*.ini")}, QDir::Files), QStringList());

    const std::unique_ptr<frmTTS> next = Start(locks.filePath(QStringLiteral("lock")), &voice);
    QVERIFY(next);
    QCOMPARE(next->txtFilePathName->Text(), QStringLiteral("novel.txt"));
    QCOMPARE(next->txtFenChangDu->Text(), QStringLiteral("24"));
    QCOMPARE(next->txtLangDu->Text(), heard);
    next->close();
}

QTEST_MAIN(TestRefusingFolder)
#include "tst_RefusingFolder.moc"
