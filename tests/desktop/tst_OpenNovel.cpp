#include "TestRegistry.h"
#include "../core/UnwritableFolder.h"
#include "../ui/readaloud/ReadAloudFixture.h"
#include "NovelName.h"
#include "RecentNovels.h"
#include "SingleInstance.h"
#include "StateFolder.h"
#include "StatusLine.h"
#include "frmRead.h"
#include "mdlIniFile.h"
#include <QAbstractButton>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <atomic>
#include <thread>

// Opening novels from anywhere in the read-aloud window: by path, by a drop on either window,
// from the recent list; what is refused; the sample novel of a first start.
class TestOpenNovel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void novelElsewhereGoesOnAtItsPlaceAfterARestart();
    void novelInTheProgramFolderKeepsItsBareName_data();
    void novelInTheProgramFolderKeepsItsBareName();
    void novelInAnUnwritableFolderKeepsItsPlaceInTheStateFolder();
    void novelWithANameTooLongForItsPlaceKeepsItInTheStateFolder();
    void vanishedNovelKeepsItsPlace_data();
    void vanishedNovelKeepsItsPlace();
    void refusedFilesWriteNothing_data();
    void refusedFilesWriteNothing();
    void recentListOfOpenedNovels();
    void droppedFileOpens();
    void droppedOnTheReaderOpensInTheReader();
    void handedOverFileThatCannotBeOpenedShowsAMessageBox();
    void firstStartOpensTheSample();

private:
    std::unique_ptr<QTemporaryDir> m_novels;
    QString novel(const QString &name) const { return m_novels->filePath(name); }
    void writeNovel(const QString &name, const QString &text) const
    {
        QFile f(novel(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(novel(name)));
        f.write(Gbk::fromUnicode(text));
    }
};

namespace {
QString Sentences(const QString &prefix, int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("%1第%2句话。").arg(prefix).arg(i);
    return text;
}

QString Setting(const char *key)
{
    return mdlIniFile::ReadIniString(QStringLiteral("DANGQIAN"), QLatin1String(key), QStringLiteral("<none>"));
}

// Starts the voice and hears three pieces to their end, so that the place moves on.
void ReadThreePiecesOn(ReadAloudFixture &f, frmTTS *w)
{
    w->cmdSpeak_Click(0);
    for (int i = 0; i < 3; ++i) {
        f.voice->finishStream();
        f.deliverEvents();
    }
}

QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Drop(QWidget *target, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
}

// Hands `path` to the window as a later start does, from a thread of its own so that the window
// can answer; true when it answered.
bool HandOver(const QString &lockPath, const QString &path)
{
    std::atomic<bool> done{false};
    bool answered = false;
    std::thread start([&] {
        answered = SingleInstance::HandOver(lockPath, path);
        done = true;
    });
    const QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired())
        QTest::qWait(20);
    start.join();
    return answered;
}

QMessageBox *RefusalBox(QWidget *window)
{
    return window->findChild<QMessageBox *>(QStringLiteral("msgNovelRefused"));
}
}

void TestOpenNovel::init()
{
    m_novels = std::make_unique<QTemporaryDir>();
    qputenv("XDG_STATE_HOME", m_novels->filePath(QStringLiteral("state")).toLocal8Bit());
}

void TestOpenNovel::novelElsewhereGoesOnAtItsPlaceAfterARestart()
{
    ReadAloudFixture f;
    writeNovel(QStringLiteral("红楼梦.txt"), Sentences(QStringLiteral("红"), 60));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("the old one.txt"));
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(novel(QStringLiteral("红楼梦.txt"))));
    QCOMPARE(w->txtFilePathName->Text(), novel(QStringLiteral("红楼梦.txt")));
    QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("红第1句话。")));
    w->cmdSpeak_Click(0);
    for (int i = 0; i < 4; ++i) {
        f.voice->finishStream();
        f.deliverEvents();
    }
    const QString speaking = w->txtLangDu->Text();
    QVERIFY(!speaking.startsWith(QStringLiteral("红第1句话。")));
    QTRY_COMPARE(Gbk::toUnicode(ReadBytes(novel(QStringLiteral("红楼梦.txt.find")))), speaking);
    w->close();
    QCOMPARE(Setting("WENJIANLUJING"), novel(QStringLiteral("红楼梦.txt")));
    QCOMPARE(Setting("WENJIANMING"), QStringLiteral("the old one.txt")); // older versions keep theirs
    QVERIFY(!QFile::exists(f.path(QStringLiteral("红楼梦.txt.find"))));

    frmTTS *again = f.load();
    QCOMPARE(again->txtFilePathName->Text(), novel(QStringLiteral("红楼梦.txt")));
    QCOMPARE(again->txtLangDu->Text(), speaking);
    QCOMPARE(again->windowTitle(), QStringLiteral("朗读 - 红楼梦"));
}

void TestOpenNovel::novelInTheProgramFolderKeepsItsBareName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("olderVersionsKnowIt"); // stored as older versions store it
    QTest::newRow("a GBK name") << QStringLiteral("西游记.txt") << true;
    QTest::newRow("a name GBK lacks, with a question mark") << QStringLiteral("한국어 😀?.txt") << false;
}

void TestOpenNovel::novelInTheProgramFolderKeepsItsBareName()
{
    QFETCH(QString, name);
    QFETCH(bool, olderVersionsKnowIt);
    ReadAloudFixture f;
    f.writeText(name, Sentences(QStringLiteral("西"), 10));
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(f.path(QStringLiteral("./") + name)));
    QCOMPARE(w->txtFilePathName->Text(), name);
    QVERIFY(!f.readBytes(name + QStringLiteral(".find")).isEmpty());
    w->close();
    QCOMPARE(Setting("WENJIANMING") == name, olderVersionsKnowIt);
    QCOMPARE(Setting("WENJIANLUJING").isEmpty(), olderVersionsKnowIt);
    QCOMPARE(f.load()->txtFilePathName->Text(), name);
    QCOMPARE(NovelNameFor(novel(QStringLiteral("a.txt"))), novel(QStringLiteral("a.txt")));
}

void TestOpenNovel::novelInAnUnwritableFolderKeepsItsPlaceInTheStateFolder()
{
    ReadAloudFixture f;
    const QString folder = m_novels->filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/a.txt");
    writeNovel(QStringLiteral("shared/a.txt"), Sentences(QStringLiteral("读"), 60));
    const UnwritableFolder locked(folder);
    if (!locked.works())
        QSKIP("this folder cannot be made unwritable here");
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(path));
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("文件夹不能写入，阅读位置和设置保存在 ") + StateFolder());
    ReadThreePiecesOn(f, w);
    const QString speaking = w->txtLangDu->Text();
    QVERIFY(!speaking.startsWith(QStringLiteral("读第1句话。")));
    w->close();
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.txt")});
    QCOMPARE(Gbk::toUnicode(ReadBytes(StateFilePath(path + QStringLiteral(".find")))), speaking);
    QCOMPARE(f.load()->txtLangDu->Text(), speaking);
}

// A name with no room for ".find" after it: the place goes to the state folder, the window says
// why, and the next start goes on there.
void TestOpenNovel::novelWithANameTooLongForItsPlaceKeepsItInTheStateFolder()
{
    ReadAloudFixture f;
    const QString name = QString(80, u'长') + QStringLiteral(".txt");
    writeNovel(name, Sentences(QStringLiteral("读"), 60));
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(novel(name)));
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("文件名太长，阅读位置保存在 ") + StateFolder());
    ReadThreePiecesOn(f, w);
    const QString speaking = w->txtLangDu->Text();
    QVERIFY(!speaking.startsWith(QStringLiteral("读第1句话。")));
    w->close();
    QCOMPARE(Gbk::toUnicode(ReadBytes(StateFilePath(novel(name) + QStringLiteral(".find")))), speaking);
    QCOMPARE(f.load()->txtLangDu->Text(), speaking);
}

void TestOpenNovel::vanishedNovelKeepsItsPlace_data()
{
    QTest::addColumn<bool>("withItsFolder"); // the whole folder goes (a disk taken away)
    QTest::newRow("the novel") << false;
    QTest::newRow("its folder") << true;
}

void TestOpenNovel::vanishedNovelKeepsItsPlace()
{
    QFETCH(bool, withItsFolder);
    ReadAloudFixture f;
    const QString folder = m_novels->filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/红楼梦.txt");
    writeNovel(QStringLiteral("disk/红楼梦.txt"), Sentences(QStringLiteral("红"), 60));
    const auto takeAway = [&](bool back) {
        const QString from = withItsFolder ? folder : path;
        return back ? QFile::rename(from + QStringLiteral(".moved"), from) : QFile::rename(from, from + QStringLiteral(".moved"));
    };
    const auto placeFile = [&] {
        return ReadBytes((withItsFolder ? folder + QStringLiteral(".moved/红楼梦.txt") : path) + QStringLiteral(".find"));
    };
    const QByteArray text = ReadBytes(path);
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(path));
    ReadThreePiecesOn(f, w);
    // gone while it is read: reading stops at what was read before, which is the place
    f.window->SideFiles()->flush(); // as the window's timer does within half a second
    QVERIFY(takeAway(false));
    for (int i = 0; i < 5 && f.voice->RunningState() == SpeechVoice::SRSEIsSpeaking; ++i) {
        f.voice->finishStream();
        f.deliverEvents();
    }
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("找不到文件 ") + path);
    f.window->SideFiles()->flush();
    const QByteArray place = placeFile();
    QVERIFY(!place.isEmpty() && text.contains(place) && !text.startsWith(place));
    w->close();

    // the next start says so, and neither the place nor the folder changes
    const QStringList files = QDir(folder + QStringLiteral(".moved")).entryList(QDir::Files) + QDir(folder).entryList(QDir::Files);
    w = f.load();
    QCOMPARE(w->txtFilePathName->Text(), path);
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("找不到文件 ") + path);
    w->cmdSpeak_Click(0);
    QCOMPARE(f.voice->spoken, QStringList());
    w->close();
    QCOMPARE(placeFile(), place);
    QCOMPARE(QDir(folder + QStringLiteral(".moved")).entryList(QDir::Files) + QDir(folder).entryList(QDir::Files), files);

    // back in its folder, it goes on at its place
    QVERIFY(takeAway(true));
    w = f.load();
    QCOMPARE(Gbk::fromUnicode(w->txtLangDu->Text()), place);
}

void TestOpenNovel::refusedFilesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QStringLiteral("gone.txt") << QStringLiteral("找不到文件");
    QTest::newRow("folder") << QStringLiteral("folder.txt") << QStringLiteral("不是一个文件");
    QTest::newRow("binary") << QStringLiteral("program.txt") << QStringLiteral("不是文本文件");
}

void TestOpenNovel::refusedFilesWriteNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QDir(m_novels->path()).mkdir(QStringLiteral("folder.txt"));
    QFile::copy(QCoreApplication::applicationFilePath(), novel(QStringLiteral("program.txt")));
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), Sentences(QStringLiteral("甲"), 10));
    frmTTS *w = f.load();
    QVERIFY(w->OpenNovel(f.path(QStringLiteral("a.txt"))));
    const QString piece = w->txtLangDu->Text();
    const QStringList before = QDir(m_novels->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QVERIFY(!w->OpenNovel(novel(name)));
    QVERIFY2(w->lblZhuangTai->message().startsWith(message) || w->lblZhuangTai->message().contains(message), qPrintable(w->lblZhuangTai->message()));
    QVERIFY(w->lblZhuangTai->message().contains(novel(name)));
    QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("a.txt"));
    QCOMPARE(w->txtLangDu->Text(), piece);
    QCOMPARE(QDir(m_novels->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(RecentNovels::Stored(), QStringList{f.path(QStringLiteral("a.txt"))});
}

void TestOpenNovel::recentListOfOpenedNovels()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    for (int i = 0; i < 11; ++i) {
        writeNovel(QStringLiteral("%1.txt").arg(i), Sentences(QString::number(i), 3));
        QVERIFY(w->OpenNovel(novel(QStringLiteral("%1.txt").arg(i))));
    }
    QVERIFY(w->OpenNovel(novel(QStringLiteral("4.txt"))));
    QFile::remove(novel(QStringLiteral("9.txt")));
    const QStringList recent = RecentNovels::Present();
    QCOMPARE(recent.size(), 9);
    QCOMPARE(recent.front(), novel(QStringLiteral("4.txt")));
    QCOMPARE(recent.at(1), novel(QStringLiteral("10.txt")));
    QVERIFY(!recent.contains(novel(QStringLiteral("9.txt"))));
    QVERIFY(!recent.contains(novel(QStringLiteral("0.txt")))); // the eleventh back fell off
}

void TestOpenNovel::droppedFileOpens()
{
    ReadAloudFixture f;
    writeNovel(QStringLiteral("dropped.txt"), Sentences(QStringLiteral("落"), 5));
    frmTTS *w = f.load();
    Drop(w, novel(QStringLiteral("dropped.txt")));
    QCOMPARE(w->txtFilePathName->Text(), novel(QStringLiteral("dropped.txt")));
    QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("落第1句话。")));

    QMimeData text;
    text.setText(QStringLiteral("just words"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &enter);
    QVERIFY(!enter.isAccepted());
    QCOMPARE(DroppedNovel(&text), QString());
}

void TestOpenNovel::droppedOnTheReaderOpensInTheReader()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), Sentences(QStringLiteral("甲"), 200));
    writeNovel(QStringLiteral("b.txt"), Sentences(QStringLiteral("乙"), 200));
    frmTTS *w = f.load();
    w->setReaderFactory([](frmTTS *t) -> QWidget * { return new frmRead(t); });
    QVERIFY(w->OpenNovel(f.path(QStringLiteral("a.txt"))));
    w->cmdRead_Click();
    auto *reader = qobject_cast<frmRead *>(w->readerWindow());
    QVERIFY(reader && reader->isVisible());
    reader->cmdRead_Click(0); // a page on
    const QString page = reader->txtChaZhao->Text();

    Drop(reader, novel(QStringLiteral("b.txt")));
    QVERIFY(reader->isVisible());
    QVERIFY(!w->isVisible());
    QVERIFY2(reader->txtTarrowin->Text().startsWith(QStringLiteral("乙第1句话。")), qPrintable(reader->txtTarrowin->Text().left(20)));
    // the page of the first novel was kept as its place
    QCOMPARE(Gbk::toUnicode(f.readBytes(QStringLiteral("a.txt.kan"))), page);
}

void TestOpenNovel::handedOverFileThatCannotBeOpenedShowsAMessageBox()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), Sentences(QStringLiteral("甲"), 200));
    QFile::copy(QCoreApplication::applicationFilePath(), novel(QStringLiteral("program.txt")));
    frmTTS *w = f.load();
    w->setReaderFactory([](frmTTS *t) -> QWidget * { return new frmRead(t); });
    w->show();
    QVERIFY(w->OpenNovel(f.path(QStringLiteral("a.txt"))));
    const QString piece = w->txtLangDu->Text();
    const QString status = w->lblZhuangTai->message();
    const QString lock = f.path(QStringLiteral("instance.lock"));

    QVERIFY(HandOver(lock, novel(QStringLiteral("gone.txt"))));
    QTRY_VERIFY(RefusalBox(w) && RefusalBox(w)->isVisible());
    QMessageBox *box = RefusalBox(w);
    QCOMPARE(box->text(), QStringLiteral("找不到文件 ") + novel(QStringLiteral("gone.txt")));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(w->lblZhuangTai->message(), status);
    QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("a.txt"));
    QCOMPARE(w->txtLangDu->Text(), piece);
    QCOMPARE(QDir(m_novels->path()).entryList(QDir::Files), QStringList{QStringLiteral("program.txt")});
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_VERIFY(!RefusalBox(w));

    // with the reader in front, the box is the reader's; the novel read stays
    w->cmdRead_Click();
    QWidget *reader = w->readerWindow();
    QVERIFY(reader && reader->isVisible());
    QVERIFY(HandOver(lock, novel(QStringLiteral("program.txt"))));
    QTRY_VERIFY(RefusalBox(reader));
    QVERIFY(RefusalBox(reader)->text().contains(QStringLiteral("不是文本文件")));
    QVERIFY(reader->isVisible());
    QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("a.txt"));
    RefusalBox(reader)->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(!RefusalBox(reader));
}

void TestOpenNovel::firstStartOpensTheSample()
{
    ReadAloudFixture f;
    f.writeText(SampleNovelName(), Sentences(QStringLiteral("样"), 10));
    frmTTS *w = f.load();
    QCOMPARE(w->txtFilePathName->Text(), SampleNovelName());
    QVERIFY(w->txtLangDu->Text().startsWith(QStringLiteral("样第1句话。")));
    w->close();

    // a novel chosen before is opened again instead
    f.writeText(QStringLiteral("mine.txt"), Sentences(QStringLiteral("我"), 10));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("mine.txt"));
    QCOMPARE(f.load()->txtFilePathName->Text(), QStringLiteral("mine.txt"));
}

TARROWIN_TEST_MAIN(TestOpenNovel)
#include "tst_OpenNovel.moc"
