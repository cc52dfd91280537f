#include "TestRegistry.h"
#include "FaultFiles.h"
#include "ReaderFixture.h"
#include "SideFileWriter.h"
#include "kxButtons_H.h"

// The place is never lost in the reader, with real windows and real files. A turn past the end of
// the file (by button, key, floating button, automatic scrolling, one page or many) leaves the
// last page on show, in ".find", in ".kan" and in the hand-over. A page that shows nothing (a font
// too large for the box), "看到" with a bookmark that is missing or empty, leave ".find", ".kan"
// and the read-aloud window's place as they were. Zero bytes in the novel never stop the pages.
class TestReaderPlace : public QObject
{
    Q_OBJECT
private slots:
    void pastTheEndKeepsTheLastPage_data();
    void pastTheEndKeepsTheLastPage();
    void nothingShownKeepsThePlace_data();
    void nothingShownKeepsThePlace();
    void zeroBytesDoNotStopThePages();
    void burstsAreWrittenOnce_data();
    void burstsAreWrittenOnce();
};

namespace {

enum class Turn { Button, ManyPages, Key, FloatingButton, Scrolling };

const QString kPlace = QStringLiteral("这是第150句话");

// The read-aloud window at kPlace of a numbered novel, and the reader opened from there.
frmRead *openAtThePlace(ReaderFixture &f, const QString &novel)
{
    frmTTS *tts = f.loadTts(novel);
    tts->txtChaZhao->setText(kPlace);
    tts->cmdChaZhao_Click();
    return f.open();
}

void turnOnce(frmRead *reader, Turn how)
{
    switch (how) {
    case Turn::Button: reader->cmdRead_Click(0); break;
    case Turn::ManyPages:
        reader->txtYeShu[0]->setText(QStringLiteral("30"));
        reader->cmdRead_Click(0);
        break;
    case Turn::Key: reader->Form_KeyUp(Qt::Key_PageDown); break;
    case Turn::FloatingButton: reader->cmdFan_Click(0); break;
    case Turn::Scrolling: reader->FlipScrollPage(); break;
    }
}

}

void TestReaderPlace::pastTheEndKeepsTheLastPage_data()
{
    QTest::addColumn<Turn>("how");
    QTest::newRow("page-down button") << Turn::Button;
    QTest::newRow("thirty pages at once") << Turn::ManyPages;
    QTest::newRow("Page Down key") << Turn::Key;
    QTest::newRow("floating button") << Turn::FloatingButton;
    QTest::newRow("automatic scrolling") << Turn::Scrolling;
}

void TestReaderPlace::pastTheEndKeepsTheLastPage()
{
    QFETCH(Turn, how);
    ReaderFixture f;
    frmRead *reader = openAtThePlace(f, NumberedNovel(200));
    QString lastPage;
    for (int turns = 0; turns < 400 && reader->txtTarrowin->Text() != lastPage; ++turns) {
        lastPage = reader->txtTarrowin->Text();
        turnOnce(reader, how);
    }
    QVERIFY(NumberedNovel(200).endsWith(lastPage));
    QVERIFY(!lastPage.isEmpty());
    turnOnce(reader, how);
    QCOMPARE(reader->txtTarrowin->Text(), lastPage);
    QCOMPARE(f.readBytes(QStringLiteral("novel.txt.find")), Gbk::fromUnicode(lastPage));
    reader->close();
    QCOMPARE(f.readBytes(QStringLiteral("novel.txt.kan")), Gbk::fromUnicode(lastPage));
    QVERIFY(!f.tts->txtLangDu->Text().isEmpty());
    QVERIFY(lastPage.startsWith(f.tts->txtLangDu->Text()));
}

void TestReaderPlace::nothingShownKeepsThePlace_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("kan");
    QTest::addColumn<bool>("pressKanDao");
    QTest::newRow("font too large to fit") << QByteArray("[KANXIAOSHUO]\r\nZIHAO=1000\r\n") << QString() << false;
    QTest::newRow("看到 without a bookmark") << QByteArray() << QString() << true;
    QTest::newRow("看到 with an empty bookmark") << QByteArray() << QStringLiteral("") << true;
}

void TestReaderPlace::nothingShownKeepsThePlace()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, kan);
    QFETCH(bool, pressKanDao);
    ReaderFixture f;
    if (!settings.isEmpty())
        writeFile(mdlIniFile::IniFilePath(), settings);
    if (!kan.isNull())
        f.writeText(QStringLiteral("novel.txt.kan"), kan);
    frmRead *reader = openAtThePlace(f, NumberedNovel(200));
    const QString place = f.tts->txtLangDu->Text();
    QVERIFY(place.startsWith(kPlace));
    for (int i = 0; i < 3; ++i)
        reader->cmdRead_Click(0);
    const QByteArray find = f.readBytes(QStringLiteral("novel.txt.find"));
    QVERIFY(!find.isEmpty());
    if (pressKanDao)
        reader->cmdKanDao_Click();
    QCOMPARE(f.readBytes(QStringLiteral("novel.txt.find")), find);
    reader->close();
    QCOMPARE(f.readBytes(QStringLiteral("novel.txt.kan")), find);
    QVERIFY(f.tts->txtLangDu->Text().startsWith(Gbk::toUnicode(find).left(kPlace.size())));
}

// A run of zero bytes after the place: the page shows the text up to it, and the next turn, by
// button or by automatic scrolling, shows the text after it.
void TestReaderPlace::zeroBytesDoNotStopThePages()
{
    const QString before = NumberedNovel(150);
    const QString after = QStringLiteral("零字节之后的第一句话。") + NumberedNovel(20);
    ReaderFixture f;
    frmTTS *tts = f.loadTts(QString());
    f.writeText(f.novel, before + QString(3000, QChar(0)) + after);
    tts->txtChaZhao->setText(kPlace);
    tts->cmdChaZhao_Click();
    frmRead *reader = f.open();
    QStringList pages;
    for (int i = 0; i < 20 && !reader->txtTarrowin->Text().startsWith(after.left(4)); ++i) {
        pages << reader->txtTarrowin->Text();
        i % 2 ? reader->FlipScrollPage() : reader->cmdRead_Click(0);
    }
    QVERIFY2(reader->txtTarrowin->Text().startsWith(after.left(11)), qPrintable(pages.join(u'|')));
    QVERIFY(before.endsWith(pages.last()));
}

void TestReaderPlace::burstsAreWrittenOnce_data()
{
    QTest::addColumn<bool>("typing");
    QTest::newRow("thirty pages at once") << false;
    QTest::newRow("typing in the search box") << true;
}

// A many-page turn or a burst of typing leaves ".find" as it was until the burst is over, then
// writes it once with the final text, within a second.
void TestReaderPlace::burstsAreWrittenOnce()
{
    QFETCH(bool, typing);
    ReaderFixture f;
    frmRead *reader = openAtThePlace(f, NumberedNovel(200));
    const QByteArray before = f.readBytes(QStringLiteral("novel.txt.find"));
    QVERIFY(!before.isEmpty());
    if (typing) {
        for (const QString &typed : {QStringLiteral("这"), QStringLiteral("这是"), QStringLiteral("这是第")})
            reader->txtChaZhao->setText(typed);
    } else {
        reader->txtYeShu[0]->setText(QStringLiteral("30"));
        reader->cmdRead_Click(0);
    }
    const QByteArray final = Gbk::fromUnicode(reader->txtChaZhao->Text());
    QVERIFY(final != before);
    QCOMPARE(fileBytes(f.path(QStringLiteral("novel.txt.find"))), before);
    QTRY_COMPARE_WITH_TIMEOUT(fileBytes(f.path(QStringLiteral("novel.txt.find"))), final, 1000);
}

TARROWIN_TEST_MAIN(TestReaderPlace)
#include "tst_ReaderPlace.moc"
