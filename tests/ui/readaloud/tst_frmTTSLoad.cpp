#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include "ReadingSession.h"
#include "TextCodec.h"
#include "SideFileWriter.h"
#include "StatusLine.h"
#include "kxButtons_H.h"
#include "mdlIniFile.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <unistd.h>

// The read-aloud window's load and unload, file choice, buttons and layout.
class TestFrmTTSLoad : public QObject
{
    Q_OBJECT
private slots:
    void firstStartWithoutSettings();
    void settingsWrittenAtUnloadAndReadBack();
    void encodingFoundOrChosenPerNovel();
    void big5ChosenHoldsAcrossRuns();
    void geometryNotWrittenAtTheScreenEdge_data();
    void geometryNotWrittenAtTheScreenEdge();
    void storedFileNameMustBeBare_data();
    void storedFileNameMustBeBare();
    void loadResumesAtTheFindText();
    void loadWithAPlaceThatOccursNowhere();
    void largeNovelIsSearchedWhileTheWindowShows();
    void encodingThereAndBackKeepsEveryCharacter();
    void largeNovelsPlaceNotFoundIsSaidAndKept_data();
    void largeNovelsPlaceNotFoundIsSaidAndKept();
    void choiceMadeDuringTheSearchKeepsItsPlace();
    void placeThatCannotBeSavedIsSaid();
    void unreadableFindFileIsNeverOverwritten();
    void storedModeStopsUntilTheFirstStart();
    void fileListShowsTextFilesAndToggles();
    void aNovelNamedInGbkBytesIsListedAndOpened();
    void choosingAFile_data();
    void choosingAFile();
    void homePageAfterTenMinutes_data();
    void homePageAfterTenMinutes();
    void homePageButton();
    void readButtonStopsAndShowsTheReader();
    void speechSettingsButton();
    void lowWindowHidesBarControlsBelowTheSearchButton();

private:
    static QString ini(const char *key) { return mdlIniFile::ReadIniString(QStringLiteral("DANGQIAN"), QLatin1String(key), QStringLiteral("<none>")); }
    static double tpp(QWidget *w) { return 1440.0 / w->screen()->logicalDotsPerInchY(); }
};

void TestFrmTTSLoad::firstStartWithoutSettings()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    QCOMPARE(w->width(), qRound(7995 / tpp(w)));
    QVERIFY(w->height() >= qRound(4965 / tpp(w))); // or more, for every control of the bar
    QCOMPARE(w->pos(), QPoint(0, 0));
    QCOMPARE(w->txtFenChangDu->Text(), QStringLiteral("100"));
    QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("双击这里开始\r\n"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tarrowin " TARROWIN_VERSION));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("1"));
    QCOMPARE(w->txtLangDu->Text(), QString());
    QVERIFY(w->mobjSpkOne());
    QCOMPARE(w->mobjSpkOne()->Volume(), 100);
}

void TestFrmTTSLoad::settingsWrittenAtUnloadAndReadBack()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。"));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("120abc"));
    w->chkFenDuanDu->setChecked(true);
    w->resize(600, 400);
    w->move(30, 45);
    w->close();
    QCOMPARE(ini("WENJIANMING"), QStringLiteral("a.txt"));
    QCOMPARE(ini("CHANGDU"), QStringLiteral("120"));
    QCOMPARE(ini("FENDUAN"), QStringLiteral("1"));
    QCOMPARE(ini("KUANDU"), QString::number(qRound(600 * tpp(w))));
    QCOMPARE(ini("ZUOBIAN"), QString::number(qRound(30 * tpp(w))));

    frmTTS *again = f.load();
    QCOMPARE(again->txtFilePathName->Text(), QStringLiteral("a.txt"));
    QCOMPARE(again->windowTitle(), QStringLiteral("朗读 - a"));
    QCOMPARE(again->txtFenChangDu->Text(), QStringLiteral("120"));
    QVERIFY(again->chkFenDuanDu->isChecked());
    QCOMPARE(again->size(), QSize(600, 400));
    QCOMPARE(again->pos(), QPoint(30, 45));
}

void TestFrmTTSLoad::encodingFoundOrChosenPerNovel()
{
    ReadAloudFixture f;
    const QString text = QStringLiteral("第一句。第二句。");
    f.writeBytes(QStringLiteral("a.txt"), text.toUtf8());
    f.writeText(QStringLiteral("b.txt"), text);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->cmdChongTou_Click();
    QCOMPARE(w->cboBianMa->currentText(), QStringLiteral("自动"));
    QCOMPARE(w->txtLangDu->Text(), text);
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), text.toUtf8());
    // A wrong choice is kept for this novel and rereads the piece from its first byte; the
    // right one brings the text back.
    w->cboBianMa->setCurrentText(QStringLiteral("GBK"));
    w->cboBianMa_Click();
    QCOMPARE(mdlIniFile::ReadIniString(kEncodingSection, QStringLiteral("a.txt"), QString()), QStringLiteral("GBK"));
    QVERIFY(w->txtLangDu->Text() != text);
    w->cboBianMa->setCurrentText(QStringLiteral("UTF-8"));
    w->cboBianMa_Click();
    QCOMPARE(w->txtLangDu->Text(), text);
    // Another novel shows its own choice; a GBK novel read automatically adds nothing.
    f.choose(QStringLiteral("b.txt"));
    w->cmdChongTou_Click();
    QCOMPARE(w->cboBianMa->currentText(), QStringLiteral("自动"));
    QCOMPARE(w->txtLangDu->Text(), text);
    QCOMPARE(mdlIniFile::ReadIniString(kEncodingSection, QStringLiteral("b.txt"), QStringLiteral("<none>")),
             QStringLiteral("<none>"));
    f.choose(QStringLiteral("a.txt"));
    QCOMPARE(w->cboBianMa->currentText(), QStringLiteral("UTF-8"));
}

// GBK to UTF-16LE and back: the piece starts no later than it did, and the next start is there.
void TestFrmTTSLoad::encodingThereAndBackKeepsEveryCharacter()
{
    ReadAloudFixture f;
    f.writeBytes(QStringLiteral("a.txt"), "x" + Gbk::fromUnicode(QStringLiteral("第一句。第二句子。第三句。")));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->session()->moveTo(BytePos(10)); // 第二句子。
    for (const char *encoding : {"UTF-16LE", "GBK"}) {
        w->cboBianMa->setCurrentText(QLatin1String(encoding));
        w->cboBianMa_Click();
    }
    const qint64 start = w->session()->current().bytes.start.value();
    QVERIFY2(start >= 7 && start <= 10, qPrintable(QString::number(start)));
    const QString piece = w->txtLangDu->Text();
    w->close();
    QCOMPARE(f.load()->txtLangDu->Text(), piece);
}

// A Big5 novel is read as Big5 by itself; read as GBK by the user's choice, it stays so when the
// program starts again, until Big5 is chosen.
void TestFrmTTSLoad::big5ChosenHoldsAcrossRuns()
{
    ReadAloudFixture f;
    const QString text = QStringLiteral("西遊記第一回。靈根育孕源流出。");
    f.writeBytes(QStringLiteral("c.txt"), TextCodec::Encode(TextEncoding::Big5, text));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("c.txt"));
    w->cmdChongTou_Click();
    QCOMPARE(w->txtLangDu->Text(), text);
    QCOMPARE(w->cboBianMa->currentText(), QStringLiteral("自动"));
    w->cboBianMa->setCurrentText(QStringLiteral("GBK"));
    w->cboBianMa_Click();
    QVERIFY(w->txtLangDu->Text() != text);
    w->close();

    frmTTS *again = f.load();
    QCOMPARE(again->txtFilePathName->Text(), QStringLiteral("c.txt"));
    QCOMPARE(again->cboBianMa->currentText(), QStringLiteral("GBK"));
    again->cmdChongTou_Click();
    QVERIFY(again->txtLangDu->Text() != text);
    again->cboBianMa->setCurrentText(QStringLiteral("Big5"));
    again->cboBianMa_Click();
    again->cmdChongTou_Click();
    QCOMPARE(again->txtLangDu->Text(), text);
    QCOMPARE(f.readBytes(QStringLiteral("c.txt.find")), TextCodec::Encode(TextEncoding::Big5, text));
}

void TestFrmTTSLoad::geometryNotWrittenAtTheScreenEdge_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("left 0") << QPoint(0, 50);
    QTest::newRow("top 0") << QPoint(50, 0);
    QTest::newRow("minimised far off") << QPoint(-32000, -32000);
}

void TestFrmTTSLoad::geometryNotWrittenAtTheScreenEdge()
{
    QFETCH(QPoint, at);
    ReadAloudFixture f;
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("KUANDU"), QStringLiteral("9000"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("ZUOBIAN"), QStringLiteral("300"));
    frmTTS *w = f.load();
    w->resize(300, 200);
    w->move(at);
    w->close();
    QCOMPARE(ini("KUANDU"), QStringLiteral("9000"));
    QCOMPARE(ini("ZUOBIAN"), QStringLiteral("300"));
    QCOMPARE(ini("GAODU"), QStringLiteral("<none>"));
    QCOMPARE(ini("CHANGDU"), QStringLiteral("100"));
}

void TestFrmTTSLoad::storedFileNameMustBeBare_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const QString design = QStringLiteral("双击这里开始\r\n");
    QTest::newRow("bare") << "b.txt" << "b.txt";
    QTest::newRow("parent folder") << "../b.txt" << design;
    QTest::newRow("absolute") << "/tmp/b.txt" << design;
    QTest::newRow("backslash") << "x\\b.txt" << design;
    QTest::newRow("dot dot") << ".." << design;
}

void TestFrmTTSLoad::storedFileNameMustBeBare()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    ReadAloudFixture f;
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), stored);
    frmTTS *w = f.load();
    QCOMPARE(w->txtFilePathName->Text(), shown);
}

void TestFrmTTSLoad::loadResumesAtTheFindText()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    f.writeText(QStringLiteral("a.txt.find"), QStringLiteral("第二句子。"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("a.txt"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("10"));
    frmTTS *w = f.load();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第二句子。"));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("19"));
    QVERIFY(f.voice->spoken.isEmpty());
}

// A ".find" text that occurs nowhere in the file is said; reading will start at the beginning, and
// the side file keeps its text until a piece is read.
void TestFrmTTSLoad::loadWithAPlaceThatOccursNowhere()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    f.writeText(QStringLiteral("a.txt.find"), QStringLiteral("第四句。"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("a.txt"));
    frmTTS *w = f.load();
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("没有找到上次的位置，从头开始"));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("1"));
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第四句。")));
}

namespace {

// A novel of 6 MB whose ".find" text stands only at its end, so that looking for it takes a
// while; the window chooses it with pieces of 10 bytes.
void WriteLargeNovel(ReadAloudFixture &f, const QString &last)
{
    f.writeBytes(QStringLiteral("a.txt"),
                 Gbk::fromUnicode(QStringLiteral("第一句。第二句子。\r\n")).repeated(6 * 1024 * 1024 / 20)
                     + Gbk::fromUnicode(last));
    f.writeText(QStringLiteral("a.txt.find"), last);
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("a.txt"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("CHANGDU"), QStringLiteral("10"));
}

}

// The window is there before the search of a large novel ends, says that it is searching, and
// lets nothing read from a place not yet found; then the piece at the ".find" text is current.
void TestFrmTTSLoad::largeNovelIsSearchedWhileTheWindowShows()
{
    ReadAloudFixture f;
    const QString last = QStringLiteral("终章在此。");
    WriteLargeNovel(f, last);
    frmTTS *w = f.load();
    QCOMPARE(w->lblLangDuBiLi->text(), QStringLiteral("查找中"));
    QCOMPARE(w->cursor().shape(), Qt::BusyCursor);
    QVERIFY(!w->cmdSpeak[0]->isEnabled() && !w->cmdChaZhao->isEnabled() && !w->cmdChongTou->isEnabled());
    QVERIFY(w->txtLangDu->Text().isEmpty());
    w->cmdSpeak_Click(0); // a media key while searching
    QTRY_COMPARE(w->txtLangDu->Text(), last);
    const qint64 size = QFileInfo(f.path(QStringLiteral("a.txt"))).size();
    QCOMPARE(w->txtWeiZhi->Text(), QString::number(size + 1)); // after the piece
    QVERIFY(w->cmdSpeak[0]->isEnabled() && w->cmdChaZhao->isEnabled() && w->cmdChongTou->isEnabled());
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(w->lblLangDuBiLi->text() != QStringLiteral("查找中"));
    QVERIFY(f.voice->spoken.isEmpty());
}

// In the background as in the foreground: a place gone from the novel is said, and kept; one kept
// in GBK is found in the novel converted to UTF-8 in place.
void TestFrmTTSLoad::largeNovelsPlaceNotFoundIsSaidAndKept_data()
{
    QTest::addColumn<bool>("converted");
    QTest::newRow("gone") << false;
    QTest::newRow("converted to UTF-8 in place") << true;
}

void TestFrmTTSLoad::largeNovelsPlaceNotFoundIsSaidAndKept()
{
    QFETCH(bool, converted);
    ReadAloudFixture f;
    WriteLargeNovel(f, QStringLiteral("终章在此。"));
    if (converted)
        f.writeBytes(QStringLiteral("a.txt"), Gbk::toUnicode(f.readBytes(QStringLiteral("a.txt"))).toUtf8());
    else
        f.writeText(QStringLiteral("a.txt.find"), QStringLiteral("不在书中。"));
    frmTTS *w = f.load();
    QVERIFY(!w->cmdSpeak[0]->isEnabled());
    QTRY_VERIFY(w->cmdSpeak[0]->isEnabled());
    QCOMPARE(w->txtLangDu->Text(), converted ? QStringLiteral("终章在") : QString()); // ten bytes of UTF-8
    QCOMPARE(w->lblZhuangTai->message(), converted ? QString() : QStringLiteral("没有找到上次的位置，从头开始"));
    if (!converted)
        QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("不在书中。")));
}

// A novel chosen while the search of the one before runs goes on at its own place; the answer
// of the search that it ended never moves it.
void TestFrmTTSLoad::choiceMadeDuringTheSearchKeepsItsPlace()
{
    ReadAloudFixture f;
    WriteLargeNovel(f, QStringLiteral("终章在此。"));
    f.writeText(QStringLiteral("b.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    f.writeText(QStringLiteral("b.txt.find"), QStringLiteral("第二句子。"));
    frmTTS *w = f.load();
    QVERIFY(!w->cmdSpeak[0]->isEnabled());
    QVERIFY(w->OpenNovel(f.path(QStringLiteral("b.txt"))));
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第二句子。"));
    QVERIFY(w->cmdSpeak[0]->isEnabled());
    QCOMPARE(w->cursor().shape(), Qt::ArrowCursor);
    QTest::qWait(1000); // the dropped search ends meanwhile
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第二句子。"));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("19"));
}

// A place that cannot be written to its side file is said, and the side file is not changed.
void TestFrmTTSLoad::placeThatCannotBeSavedIsSaid()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("a.txt.find")));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    QVERIFY(w->lblZhuangTai->isHidden());
    w->cmdChongTou_Click();
    w->SideFiles()->flush();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一句。第二句子。第三句。"));
    QVERIFY2(w->lblZhuangTai->message().startsWith(QStringLiteral("无法写入 a.txt.find（同名的是一个文件夹），改存在")),
             qPrintable(w->lblZhuangTai->message()));
    QVERIFY(QFileInfo(f.path(QStringLiteral("a.txt.find"))).isDir());
}

// A ".find" that is there but cannot be read: the window says so, reads from the start, and never
// replaces the side file with a piece of its own. As root, file access runs as the user "nobody",
// for whom the side file cannot be read and the folder can be written.
void TestFrmTTSLoad::unreadableFindFileIsNeverOverwritten()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    f.writeText(QStringLiteral("a.txt.find"), QStringLiteral("第三句。"));
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("WENJIANMING"), QStringLiteral("a.txt"));
    QVERIFY(QFile::setPermissions(f.dir.path(), QFileDevice::Permissions(0x7777)));
    QVERIFY(QFile::setPermissions(f.path(QStringLiteral("a.txt.find")), {}));
    const bool asNobody = geteuid() == 0;
    if (asNobody)
        setfsuid(65534);
    frmTTS *w = f.load();
    const QString said = w->lblZhuangTai->message();
    w->cmdSpeak_Click(0);
    w->SideFiles()->flush();
    if (asNobody)
        setfsuid(0);
    QCOMPARE(said, QStringLiteral("无法读取上次的位置 a.txt.find，从头开始，不改写它"));
    QCOMPARE(f.voice->spoken.first(), QStringLiteral("第一句。第二句子。第三句。"));
    QVERIFY(QFile::setPermissions(f.path(QStringLiteral("a.txt.find")), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第三句。")));
}

void TestFrmTTSLoad::storedModeStopsUntilTheFirstStart()
{
    ReadAloudFixture f;
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("FENDUAN"), QStringLiteral("1"));
    frmTTS *w = f.load();
    QVERIFY(w->chkFenDuanDu->isChecked());
    QVERIFY(w->chkTingZhi->isChecked());
    QCOMPARE(f.voice->purgeCount(), 1);
}

void TestFrmTTSLoad::fileListShowsTextFilesAndToggles()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("b.txt"), QStringLiteral("乙"));
    f.writeText(QStringLiteral("a.TXT"), QStringLiteral("甲"));
    f.writeText(QStringLiteral("a.txt.find"), QStringLiteral("甲"));
    f.writeText(QStringLiteral("notes.md"), QStringLiteral("x"));
    frmTTS *w = f.load();
    w->show();
    QVERIFY(w->filLangDuWenJian->isHidden());
    QTest::mouseDClick(w->txtFilePathName->viewport(), Qt::LeftButton);
    QVERIFY(w->filLangDuWenJian->isVisible());
    QVERIFY(w->picLangDuWenJian->isVisible());
    QStringList names;
    for (int i = 0; i < w->filLangDuWenJian->count(); ++i)
        names << w->filLangDuWenJian->item(i)->text();
    QCOMPARE(names, (QStringList{QStringLiteral("a.TXT"), QStringLiteral("b.txt")}));
    QTest::mouseDClick(w->txtFilePathName->viewport(), Qt::LeftButton);
    QVERIFY(w->filLangDuWenJian->isHidden());
    QVERIFY(w->picLangDuWenJian->isHidden());
}

// A name in GBK bytes, which is not UTF-8, is listed as GBK reads it and opens.
void TestFrmTTSLoad::aNovelNamedInGbkBytesIsListedAndOpened()
{
    ReadAloudFixture f;
    const QByteArray name = QFile::encodeName(f.dir.path()) + '/' + Gbk::fromUnicode(QStringLiteral("西游.txt"));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0);
    const QByteArray text = Gbk::fromUnicode(QStringLiteral("第一句。第二句。"));
    QCOMPARE(::write(fd, text.constData(), size_t(text.size())), ssize_t(text.size()));
    ::close(fd);
    frmTTS *w = f.load();
    w->txtFilePathName_DblClick();
    const QList<QListWidgetItem *> listed = w->filLangDuWenJian->findItems(QStringLiteral("西游.txt"), Qt::MatchExactly);
    QCOMPARE(listed.size(), 1);
    w->filLangDuWenJian_DblClick(listed.first());
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一句。第二句。"));
    QCOMPARE(QFileInfo(w->TextFilePath()).fileName(), QStringLiteral("西游.txt"));
}

void TestFrmTTSLoad::choosingAFile_data()
{
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("said");
    QTest::newRow("no .find: first piece") << QString() << "第一句。" << QString();
    QTest::newRow("empty .find: first piece") << "" << "第一句。" << QString();
    QTest::newRow(".find text still there") << "第三句。" << "第三句。" << QString();
    QTest::newRow(".find text gone: first piece, said") << "第四句。" << "第一句。"
                                                        << QStringLiteral("没有找到上次的位置，从头开始");
}

void TestFrmTTSLoad::choosingAFile()
{
    QFETCH(QString, find);
    QFETCH(QString, piece);
    QFETCH(QString, said);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。第三句。"));
    if (!find.isNull())
        f.writeText(QStringLiteral("a.txt.find"), find);
    frmTTS *w = f.load();
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->show();
    QTest::mouseDClick(w->txtFilePathName->viewport(), Qt::LeftButton);
    QCOMPARE(w->filLangDuWenJian->count(), 1);
    QListWidgetItem *entry = w->filLangDuWenJian->item(0);
    const QRect at = w->filLangDuWenJian->visualItemRect(entry);
    QTest::mouseClick(w->filLangDuWenJian->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(w->filLangDuWenJian->viewport(), Qt::LeftButton, {}, at.center());
    QVERIFY(w->filLangDuWenJian->isHidden());
    QCOMPARE(w->txtFilePathName->Text(), QStringLiteral("a.txt"));
    QCOMPARE(w->windowTitle(), QStringLiteral("朗读 - a"));
    QCOMPARE(w->txtLangDu->Text(), piece);
    QCOMPARE(w->txtTTS->Text(), QString());
    // A place not found stays in ".find" until reading begins.
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(said.isEmpty() ? piece : find));
    QCOMPARE(w->lblZhuangTai->message(), said);
}

void TestFrmTTSLoad::homePageAfterTenMinutes_data()
{
    QTest::addColumn<QString>("home"); // the setting
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("opened");
    QTest::newRow("600 ticks") << "example.net" << 600 << 0;
    QTest::newRow("601 ticks") << "example.net" << 601 << 1;
    QTest::newRow("no home page set: nothing opens") << "" << 601 << 0;
}

void TestFrmTTSLoad::homePageAfterTenMinutes()
{
    QFETCH(QString, home);
    QFETCH(int, ticks);
    QFETCH(int, opened);
    ReadAloudFixture f;
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("ZHUYE"), home);
    frmTTS *w = f.load();
    QCOMPARE(w->cmdHomePage->isVisibleTo(w), !home.isEmpty());
    QList<QUrl> urls;
    w->setUrlOpener([&urls](const QUrl &url) { urls << url; });
    for (int i = 0; i < ticks; ++i)
        w->tmrWWW_Timer();
    w->close();
    QCOMPARE(int(urls.size()), opened);
    if (opened)
        QCOMPARE(urls.first(), QUrl(QStringLiteral("http://example.net")));
}

void TestFrmTTSLoad::homePageButton()
{
    ReadAloudFixture f;
    mdlIniFile::WriteIniString(QStringLiteral("DANGQIAN"), QStringLiteral("ZHUYE"), QStringLiteral("example.net"));
    frmTTS *w = f.load();
    QList<QUrl> urls;
    w->setUrlOpener([&urls](const QUrl &url) { urls << url; });
    emit w->cmdHomePage->Click();
    QCOMPARE(urls, (QList<QUrl>{QUrl(QStringLiteral("http://example.net"))}));
}

void TestFrmTTSLoad::readButtonStopsAndShowsTheReader()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。第二句子。"));
    frmTTS *w = f.load();
    int made = 0;
    w->setReaderFactory([&made](frmTTS *) { ++made; return new QWidget; });
    f.choose(QStringLiteral("a.txt"));
    w->show();
    w->cmdSpeak_Click(0);
    emit w->cmdRead->Click();
    QVERIFY(f.voice->queue().isEmpty());
    QVERIFY(w->chkTingZhi->isChecked());
    QVERIFY(w->isHidden());
    QVERIFY(w->readerWindow() && w->readerWindow()->isVisible());
    w->readerWindow()->hide();
    w->show();
    emit w->cmdRead->Click();
    QCOMPARE(made, 1);
}

void TestFrmTTSLoad::speechSettingsButton()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    QWidget *parentGiven = nullptr;
    w->setSpeechSettingsOpener([&parentGiven](QWidget *parent) { parentGiven = parent; });
    const SpeechVoice *before = w->mobjSpkOne();
    emit w->cmdPeiZhi->Click();
    QCOMPARE(parentGiven, w);
    QVERIFY(w->mobjSpkOne() != before); // the idle voice is made afresh with the new settings
    QCOMPARE(w->mobjSpkOne()->Volume(), 100);

    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一句。"));
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(0);
    const SpeechVoice *speaking = w->mobjSpkOne();
    emit w->cmdPeiZhi->Click();
    QCOMPARE(w->mobjSpkOne(), speaking);
}

void TestFrmTTSLoad::lowWindowHidesBarControlsBelowTheSearchButton()
{
    ReadAloudFixture f;
    frmTTS *w = f.load();
    w->show();
    const double t = tpp(w);
    w->resize(qRound(9000 / t), qRound(4000 / t) + w->picButton->y()); // below the menu bar
    QCoreApplication::processEvents();
    QCOMPARE(w->txtLangDu->height(), qRound(1000 / t));
    QCOMPARE(w->txtChaZhao->y(), w->txtTTS->y() + w->txtTTS->height());
    QCOMPARE(w->filLangDuWenJian->width(), w->txtFilePathName->width() / 2);
    QVERIFY(w->txtFenChangDu->isVisible());
    QVERIFY(w->chkFenDuanDu->isVisible());
    const int barWidth = w->picButton->width();
    // The window is made no lower than that which shows the bar's controls above the button.
    w->resize(w->width() + 100, qRound(2000 / t));
    QCoreApplication::processEvents();
    QCOMPARE(w->picButton->width(), barWidth);
    QCOMPARE(w->txtLangDu->width(), w->picButton->x());
    QCOMPARE(w->height(), w->minimumHeight());
    QVERIFY(w->chkFenDuanDu->geometry().bottom() < w->cmdChaZhao->y());
    QVERIFY(w->cmdChaZhao->isVisible());
    QVERIFY(!w->txtWeiZhi->isVisible());
    w->resize(w->width(), qRound(6000 / t));
    QCoreApplication::processEvents();
    QVERIFY(w->txtFenChangDu->isVisible());
}

TARROWIN_TEST_MAIN(TestFrmTTSLoad)
#include "tst_frmTTSLoad.moc"
