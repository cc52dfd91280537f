#include "TestRegistry.h"
#include "FaultFiles.h"
#include "ReaderFixture.h"
#include <QDir>
#include <QLabel>
#include <sys/fsuid.h>
#include <unistd.h>

// A program folder that cannot be written while the reader is open: its ".find" and ".kan"
// writes and its settings fail without a crash, the old side files and settings stay as they
// were, pages turn as usual, the bookmark still loads, and closing hands the page shown back to
// the read-aloud window.
class TestReaderReadOnlyFolder : public QObject
{
    Q_OBJECT
private slots:
    void readerGoesOn();
};

namespace {

const QString kFindText = QStringLiteral("这是第120句话");
const QString kBookmark = QStringLiteral("这是第30句话");

// Read and search rights only, for as long as it lives. Root may write anywhere, so as root this
// thread's file access takes the rights of the user "nobody" (65534): the folder and its files are
// readable by all.
class LockedFolder
{
public:
    explicit LockedFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                        | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0) {
            setfsuid(65534);
            setfsgid(65534);
            m_accessLowered = true;
        }
    }
    ~LockedFolder()
    {
        if (m_accessLowered) {
            setfsuid(0);
            setfsgid(0);
        }
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool writable() const { return QFile(m_path + QStringLiteral("/probe")).open(QIODevice::WriteOnly); }

private:
    QString m_path;
    bool m_accessLowered = false;
};

// The page shown is the novel's bytes just before the position.
void checkPage(const ReaderFixture &f, const frmRead *reader)
{
    const QByteArray novel = f.readBytes(f.novel);
    const QByteArray page = Gbk::fromUnicode(reader->txtTarrowin->Text());
    const qint64 end = reader->txtWeiZhi->Text().toLongLong() - 1;
    QVERIFY(!page.isEmpty());
    QVERIFY2(end >= page.size() && novel.mid(end - page.size(), page.size()) == page,
             qPrintable(reader->txtTarrowin->Text().left(30)));
}

}

void TestReaderReadOnlyFolder::readerGoesOn()
{
    ReaderFixture f;
    frmTTS *tts = f.loadTts(NumberedNovel(300));
    tts->txtChaZhao->setText(kFindText);
    const QString findPath = f.path(f.novel + QStringLiteral(".find"));
    const QString kanPath = f.path(f.novel + QStringLiteral(".kan"));
    writeFile(findPath, Gbk::fromUnicode(kFindText));
    writeFile(kanPath, Gbk::fromUnicode(kBookmark));
    mdlIniFile::WriteIniString(QStringLiteral("KANXIAOSHUO"), QStringLiteral("GUNDONGSUDU"), QStringLiteral("150"));
    const QByteArray settings = fileBytes(mdlIniFile::IniFilePath());
    const QStringList entries = QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden);

    const LockedFolder locked(f.dir.path());
    if (locked.writable())
        QSKIP("The program folder stays writable here (file access rights cannot be lowered)");

    frmRead *reader = f.open();
    QVERIFY(reader->txtTarrowin->Text().startsWith(kFindText));
    QCOMPARE(reader->lblGunDong->text(), QStringLiteral("150"));
    checkPage(f, reader);

    // Pages turn forward and backward, several at a time, each following on from the last.
    QString previous = reader->txtTarrowin->Text();
    for (const auto &[index, count] : {std::pair{0, "3"}, std::pair{1, "2"}, std::pair{0, "1"}}) {
        reader->txtYeShu[index]->setText(QLatin1String(count));
        reader->cmdRead_Click(index);
        checkPage(f, reader);
        QVERIFY(reader->txtTarrowin->Text() != previous);
        previous = reader->txtTarrowin->Text();
    }
    QCOMPARE(reader->txtChaZhao->Text(), previous);

    // The old bookmark still loads, and find goes there.
    reader->cmdKanDao_Click();
    QCOMPARE(reader->txtChaZhao->Text(), kBookmark);
    reader->cmdChaZhao_Click();
    QVERIFY(reader->txtTarrowin->Text().startsWith(kBookmark));
    reader->cmdRead_Click(0);
    checkPage(f, reader);
    const QString shown = reader->txtTarrowin->Text();

    reader->close();
    QVERIFY(tts->isVisible());
    QCOMPARE(tts->txtChaZhao->Text(), tts->txtLangDu->Text());
    QVERIFY2(shown.startsWith(tts->txtLangDu->Text().left(8)), qPrintable(tts->txtLangDu->Text()));

    QCOMPARE(fileBytes(findPath), Gbk::fromUnicode(kFindText));
    QCOMPARE(fileBytes(kanPath), Gbk::fromUnicode(kBookmark));
    QCOMPARE(fileBytes(mdlIniFile::IniFilePath()), settings);
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), entries);
}

TARROWIN_TEST_MAIN(TestReaderReadOnlyFolder)
#include "tst_ReaderReadOnlyFolder.moc"
