#include "TestRegistry.h"
#include "FaultFiles.h"
#include "FakeVoice.h"
#include "Gbk.h"
#include "ProgramFolder.h"
#include "TextBox.h"
#include "frmTTS.h"
#include "mdlIniFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/fsuid.h>
#include <unistd.h>

// A program folder that cannot be written: the window loads, resumes at the stored place and
// reads aloud as usual; the side file and the settings file it cannot rewrite keep their old
// content, and nothing crashes.
class TestReadOnlyFolder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readingGoesOn();

private:
    void lockFolder();
    void unlockFolder();

    std::unique_ptr<QTemporaryDir> m_folder;
    QTemporaryDir m_lockFolder;
    bool m_fileAccessLowered = false;
};

namespace {
const QString kName = QStringLiteral("novel.txt");
const QByteArray kSettings = "[DANGQIAN]\r\nWENJIANMING=novel.txt\r\nCHANGDU=24\r\nFENDUAN=0\r\n";
const QString kFindText = QStringLiteral("第5句话。");

QString novel()
{
    QString text;
    for (int i = 1; i <= 40; ++i)
        text += QStringLiteral("第%1句话。").arg(i);
    return text;
}

}

void TestReadOnlyFolder::init()
{
    QVERIFY(QFile::setPermissions(m_lockFolder.path(), QFileDevice::Permissions(0x7777)));
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    SetProgramFolder(m_folder->path());
    writeFile(m_folder->filePath(kName), Gbk::fromUnicode(novel()));
    writeFile(m_folder->filePath(kName + QStringLiteral(".find")), Gbk::fromUnicode(kFindText));
    writeFile(mdlIniFile::IniFilePath(), kSettings);
    lockFolder();
}

void TestReadOnlyFolder::cleanup()
{
    unlockFolder();
    m_folder.reset();
}

// Read and search rights only. Root may write anywhere, so as root this thread's file access
// takes the rights of the user "nobody" (65534) for the test: the folder and its files are
// readable by all.
void TestReadOnlyFolder::lockFolder()
{
    QVERIFY(QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    if (geteuid() == 0) {
        setfsuid(65534);
        setfsgid(65534);
        m_fileAccessLowered = true;
    }
    QFile probe(m_folder->filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly))
        QSKIP("The program folder stays writable here (file access rights cannot be lowered)");
}

void TestReadOnlyFolder::unlockFolder()
{
    if (m_fileAccessLowered) {
        setfsuid(0);
        setfsgid(0);
        m_fileAccessLowered = false;
    }
    QFile::setPermissions(m_folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestReadOnlyFolder::readingGoesOn()
{
    const QByteArray findBefore = fileBytes(m_folder->filePath(kName + QStringLiteral(".find")));
    auto window = std::make_unique<frmTTS>();
    window->setInstanceLockPath(m_lockFolder.filePath(QStringLiteral("instance.lock")));
    FakeVoice *voice = nullptr;
    window->setVoiceFactory([&voice] {
        auto made = std::make_unique<FakeVoice>();
        voice = made.get();
        return std::unique_ptr<SpeechVoice>(std::move(made));
    });
    QVERIFY(window->Form_Load());
    QVERIFY(voice);
    QCOMPARE(window->txtFilePathName->Text(), kName);
    QVERIFY2(window->txtLangDu->Text().startsWith(kFindText), qPrintable(window->txtLangDu->Text()));

    window->cmdSpeak_Click(0);
    for (int i = 0; i < 6; ++i) {
        voice->finishStream();
        QCoreApplication::processEvents();
    }
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(voice->spoken.size() >= 7);
    // Reading went on piece after piece, each following the one before in the file.
    const QString spoken = voice->spoken.join(QString());
    QVERIFY2(novel().contains(spoken), qPrintable(spoken));
    QVERIFY(spoken.contains(QStringLiteral("第12句话。")));
    QCOMPARE(window->txtChaZhao->Text(), window->txtLangDu->Text());

    window->close();
    window.reset();
    QCOMPARE(fileBytes(m_folder->filePath(kName + QStringLiteral(".find"))), findBefore);
    QCOMPARE(fileBytes(mdlIniFile::IniFilePath()), kSettings);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TARROWIN_TEST_MAIN(TestReadOnlyFolder)
#include "tst_ReadOnlyFolder.moc"
