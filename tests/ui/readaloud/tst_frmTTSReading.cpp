#include "TestRegistry.h"
#include "ReadAloudFixture.h"
#include "ReadingSession.h"
#include "StatusLine.h"
#include "kxButtons_H.h"
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <sys/stat.h>

// The read-aloud window's reading, search and restart, driven through a fake voice.
class TestFrmTTSReading : public QObject
{
    Q_OBJECT
private slots:
    void startFromIdleQueues_data();
    void startFromIdleQueues();
    void endStreamMovesThePiecesOn_data();
    void endStreamMovesThePiecesOn();
    void stopThenStartSpeaksTheInterruptedPieceAgain();
    void pauseWhileIdleDoesNothing();
    void pauseAndResume();
    void rhythmKeysReachTheSessionFromThePieceBox();
    void selectionFollowsTheWords();
    void findFileHoldsTheCurrentPiece();
    void typingInTheSearchBoxRewritesTheFindFile();
    void searchMovesToTheFirstOccurrence();
    void searchForAbsentTextChangesNothing();
    void emptySearchTextRestarts();
    void percentage();
    void readsToTheEndAndStops_data();
    void readsToTheEndAndStops();
    void zeroBytesKeepDisplayAndSpeechTogether_data();
    void zeroBytesKeepDisplayAndSpeechTogether();
    void aNovelThatGrewIsReadOnFromTheOldEnd();
    void nothingToReadStops_data();
    void nothingToReadStops();
    void noVoiceMeansNoSpeaking();
    void changingTheModeStops();
};

namespace {
// Three sentences of 4, 5 and 4 characters: pieces of 10 bytes are one sentence each.
const QString kThree = QStringLiteral("第一句。第二句子。第三句。");

QStringList pieces(ReadAloudFixture &f)
{
    return {f.window->txtLangDu->Text(), f.window->txtTTS->Text()};
}
}

void TestFrmTTSReading::startFromIdleQueues_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::addColumn<QStringList>("queued");
    QTest::newRow("two pieces queued") << false << QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")};
    QTest::newRow("分段朗读: one piece") << true << QStringList{QStringLiteral("第一句。")};
}

void TestFrmTTSReading::startFromIdleQueues()
{
    QFETCH(bool, byPieces);
    QFETCH(QStringList, queued);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    QCOMPARE(f.voice->queue(), queued);
    QCOMPARE(pieces(f), (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")}));
    QVERIFY(!w->chkTingZhi->isChecked());
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("19"));
}

void TestFrmTTSReading::endStreamMovesThePiecesOn_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::newRow("two queued") << false;
    QTest::newRow("分段朗读") << true;
}

// After each end of stream the piece being spoken is the next one, and the voice holds the piece
// being spoken and, unless reading by pieces, the one after it.
void TestFrmTTSReading::endStreamMovesThePiecesOn()
{
    QFETCH(bool, byPieces);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree + kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    f.voice->finishStream();
    f.deliverEvents();
    QCOMPARE(pieces(f), (QStringList{QStringLiteral("第二句子。"), QStringLiteral("第三句。")}));
    const QStringList expected = byPieces ? QStringList{QStringLiteral("第二句子。")}
                                          : QStringList{QStringLiteral("第二句子。"), QStringLiteral("第三句。")};
    QCOMPARE(f.voice->queue(), expected);
    QCOMPARE(w->txtChaZhao->Text(), QStringLiteral("第二句子。"));
}

void TestFrmTTSReading::stopThenStartSpeaksTheInterruptedPieceAgain()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->cmdSpeak_Click(0);
    f.voice->sayWord(2, 1);
    f.deliverEvents();
    w->cmdSpeak_Click(1);
    QVERIFY(w->chkTingZhi->isChecked());
    QVERIFY(f.voice->queue().isEmpty());
    QCOMPARE(pieces(f), (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")}));
    f.voice->spoken.clear();
    w->cmdSpeak_Click(0);
    QCOMPARE(f.voice->spoken, (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。")}));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("19"));
}

void TestFrmTTSReading::pauseWhileIdleDoesNothing()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(2);
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("暂停朗读"));
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
}

void TestFrmTTSReading::pauseAndResume()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(0);
    w->cmdSpeak_Click(2);
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("恢复朗读"));
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEPaused));
    const int queued = int(f.voice->spoken.size());
    w->cmdSpeak_Click(0); // start while paused resumes, and queues nothing twice
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QCOMPARE(int(f.voice->spoken.size()), queued);
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("暂停朗读"));
    w->cmdSpeak_Click(2);
    w->cmdSpeak_Click(2);
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("暂停朗读"));
    QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
}

// The voice puts the focus in the piece box, whose own Ctrl+Left and Ctrl+Right move by words:
// the keys of the speed and the sentences reach the session all the same.
void TestFrmTTSReading::rhythmKeysReachTheSessionFromThePieceBox()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->cmdSpeak_Click(0);
    QTRY_VERIFY(w->txtLangDu->hasFocus());
    QTest::keyClick(w->txtLangDu, Qt::Key_BracketRight, Qt::ControlModifier);
    QCOMPARE(w->session()->speed(), 1.25);
    QCOMPARE(w->lblZhuangTai->message(), QStringLiteral("语速 1.25 倍"));
    QCOMPARE(w->findChild<QAction *>(QStringLiteral("actYuSu"))->text(), QStringLiteral("语速 1.25 倍"));
    QTest::keyClick(w->txtLangDu, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(f.voice->queue().value(0).startsWith(QStringLiteral("第二句子。")));
}

void TestFrmTTSReading::selectionFollowsTheWords()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一回\r\n灵根育孕源流出，心性修持大道生。\r\n"));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(0);
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一回\r\n灵根育孕源流出，心性修持大道生。\r\n"));
    const struct { int at, length; const char16_t *word; } words[] = {{0, 2, u"第一"}, {5, 2, u"灵根"}, {13, 4, u"心性修持"}};
    for (const auto &word : words) {
        f.voice->sayWord(word.at, word.length);
        f.deliverEvents();
        QCOMPARE(w->txtLangDu->SelText(), QString::fromUtf16(word.word));
        QCOMPARE(w->txtLangDu->textCursor().selectedText(), QString::fromUtf16(word.word));
    }
}

void TestFrmTTSReading::findFileHoldsTheCurrentPiece()
{
    ReadAloudFixture f;
    const QString text = QStringLiteral("第一回\r\n灵根育孕源流出，\r\n心性修持大道生。\r\n");
    f.writeText(QStringLiteral("a.txt"), text);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("26"));
    w->cmdChongTou_Click();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一回\r\n灵根育孕源流出，\r\n"));
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("第一回\r\n灵根育孕源流出，\r\n")));
    w->cmdSpeak_Click(0);
    f.voice->finishStream();
    f.deliverEvents();
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("心性修持大道生。\r\n")));
    // the side file leads the search back to that piece
    w->txtWeiZhi->setText(QStringLiteral("1"));
    w->txtChaZhao->setText(Gbk::toUnicode(f.readBytes(QStringLiteral("a.txt.find"))));
    w->cmdChaZhao_Click();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("心性修持大道生。\r\n"));
}

void TestFrmTTSReading::typingInTheSearchBoxRewritesTheFindFile()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtChaZhao->setSelStart(0);
    QTest::keyClicks(w->txtChaZhao, QStringLiteral("ab"));
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), QByteArray("ab"));
    QTest::keyClick(w->txtChaZhao, Qt::Key_Backspace);
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), QByteArray("a"));
}

void TestFrmTTSReading::searchMovesToTheFirstOccurrence()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("ab 孙悟空说，孙悟空笑。"));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtTTS->setText(QStringLiteral("old next piece"));
    w->txtChaZhao->setText(QStringLiteral("孙悟空"));
    w->cmdChaZhao_Click();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("孙悟空说，孙悟空笑。"));
    QCOMPARE(w->txtTTS->Text(), QString());
    QCOMPARE(w->txtChaZhao->Text(), w->txtLangDu->Text());
    // position 4 + the piece's 20 bytes
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("24"));
}

void TestFrmTTSReading::searchForAbsentTextChangesNothing()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->cmdChongTou_Click();
    w->txtTTS->setText(QStringLiteral("next"));
    const QStringList before{w->txtWeiZhi->Text(), w->txtLangDu->Text(), w->txtTTS->Text()};
    w->txtChaZhao->setText(QStringLiteral("第四句"));
    w->cmdChaZhao_Click();
    QCOMPARE((QStringList{w->txtWeiZhi->Text(), w->txtLangDu->Text(), w->txtTTS->Text()}), before);
}

void TestFrmTTSReading::emptySearchTextRestarts()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->txtWeiZhi->setText(QStringLiteral("11"));
    w->txtTTS->setText(QStringLiteral("next"));
    w->txtChaZhao->setText(QString());
    w->cmdChaZhao_Click();
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一句。"));
    QCOMPARE(w->txtTTS->Text(), QString());
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("9"));
}

void TestFrmTTSReading::percentage()
{
    ReadAloudFixture f;
    f.writeBytes(QStringLiteral("big.txt"), QByteArray(3000000, 'x'));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("big.txt"));
    w->txtWeiZhi->setText(QStringLiteral("1"));
    w->txtWeiZhi->setText(QStringLiteral("2"));
    w->txtWeiZhi->setText(QStringLiteral("1"));
    QCOMPARE(w->lblLangDuBiLi->text(), QStringLiteral("0.00%"));
    w->txtWeiZhi->setText(QStringLiteral("3000301"));
    QCOMPARE(w->lblLangDuBiLi->text(), QStringLiteral("100.00%"));
    f.choose(QStringLiteral("missing.txt"));
    w->txtWeiZhi->setText(QStringLiteral("5"));
    QCOMPARE(w->lblLangDuBiLi->text(), QStringLiteral("100.00%"));
}

void TestFrmTTSReading::readsToTheEndAndStops_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::newRow("two queued") << false;
    QTest::newRow("分段朗读") << true;
}

// Reading runs to the end of the file and stops there by itself: every piece is spoken once, no
// empty piece is handed to the voice, and the window is left as after a stop with the last piece
// shown.
void TestFrmTTSReading::readsToTheEndAndStops()
{
    QFETCH(bool, byPieces);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree + QStringLiteral("尾"));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    for (int i = 0; i < 20 && !f.voice->queue().isEmpty(); ++i) {
        f.voice->finishStream();
        f.deliverEvents();
    }
    QCOMPARE(f.voice->spoken, (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。"),
                                           QStringLiteral("第三句。"), QStringLiteral("尾")}));
    QVERIFY(f.voice->queue().isEmpty());
    QVERIFY(w->chkTingZhi->isChecked());
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("尾"));
    QCOMPARE(w->txtTTS->Text(), QString());
    QCOMPARE(f.readBytes(QStringLiteral("a.txt.find")), Gbk::fromUnicode(QStringLiteral("尾")));
    QVERIFY(w->lblLangDuBiLi->text().startsWith(QLatin1String("1")));
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("暂停朗读"));
}

void TestFrmTTSReading::zeroBytesKeepDisplayAndSpeechTogether_data()
{
    readsToTheEndAndStops_data();
}

// A run of zero bytes in the middle of the file gives no piece of its own: after every end of a
// stream the piece shown is the one being heard, in both modes.
void TestFrmTTSReading::zeroBytesKeepDisplayAndSpeechTogether()
{
    QFETCH(bool, byPieces);
    ReadAloudFixture f;
    f.writeBytes(QStringLiteral("a.txt"), Gbk::fromUnicode(QStringLiteral("第一句。")) + QByteArray(25, '\0')
                                            + Gbk::fromUnicode(QStringLiteral("第二句子。第三句。")));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    QStringList heard;
    for (int i = 0; i < 10 && !f.voice->queue().isEmpty(); ++i) {
        QCOMPARE(w->txtLangDu->Text(), f.voice->queue().first());
        heard << f.voice->queue().first();
        f.voice->finishStream();
        f.deliverEvents();
    }
    QCOMPARE(heard, (QStringList{QStringLiteral("第一句。"), QStringLiteral("第二句子。"), QStringLiteral("第三句。")}));
}

// Reading reached the end of the file; text added to the file since is read on from the old end
// at the next start, not the last piece again.
void TestFrmTTSReading::aNovelThatGrewIsReadOnFromTheOldEnd()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree + QStringLiteral("尾"));
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->cmdSpeak_Click(0);
    for (int i = 0; i < 20 && !f.voice->queue().isEmpty(); ++i) {
        f.voice->finishStream();
        f.deliverEvents();
    }
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("尾"));
    f.writeText(QStringLiteral("a.txt"), kThree + QStringLiteral("尾声。第四句。"));
    f.voice->spoken.clear();
    w->cmdSpeak_Click(0);
    QCOMPARE(f.voice->spoken, (QStringList{QStringLiteral("声。"), QStringLiteral("第四句。")}));
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("声。"));
}

void TestFrmTTSReading::nothingToReadStops_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("said");
    const QString badLength = QStringLiteral("朗读长度应在 1 到 1048576 之间");
    QTest::newRow("missing file") << "missing.txt" << "100" << QStringLiteral("找不到文件 missing.txt");
    QTest::newRow("empty file") << "empty.txt" << "100" << QStringLiteral("文件 empty.txt 是空的");
    QTest::newRow("hidden file") << ".x.txt" << "100"
                                 << QStringLiteral("文件 .x.txt 是隐藏文件（名字以“.”开头），不能朗读，请改名");
    QTest::newRow("a folder") << "folder.txt" << "100" << QStringLiteral("找不到文件 folder.txt");
    QTest::newRow("a pipe, not a regular file") << "pipe.txt" << "100" << QStringLiteral("找不到文件 pipe.txt");
    QTest::newRow("no file chosen") << "双击这里开始\r\n" << "100"
                                    << QStringLiteral("还没有选择要朗读的文件，双击文件名框选择");
    QTest::newRow("piece length 0") << "a.txt" << "0" << badLength;
    QTest::newRow("negative piece length") << "a.txt" << "-5" << badLength;
    QTest::newRow("piece length not a number") << "a.txt" << "abc" << badLength;
    QTest::newRow("piece length one past the most") << "a.txt" << "1048577" << badLength;
    QTest::newRow("piece length 999999999") << "a.txt" << "999999999" << badLength;
    QTest::newRow("piece length too large to read") << "a.txt" << "99999999999" << badLength;
}

// Bad input meets one line on the status line that says what is wrong; nothing is spoken and the
// position stays where it was.
void TestFrmTTSReading::nothingToReadStops()
{
    QFETCH(QString, file);
    QFETCH(QString, length);
    QFETCH(QString, said);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    f.writeText(QStringLiteral(".x.txt"), kThree);
    f.writeBytes(QStringLiteral("empty.txt"), QByteArray());
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("folder.txt")));
    QCOMPARE(mkfifo(QFile::encodeName(f.path(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
    frmTTS *w = f.load();
    f.choose(file);
    w->txtFenChangDu->setText(length);
    w->cmdSpeak_Click(0);
    QVERIFY(f.voice->spoken.isEmpty());
    QVERIFY(w->chkTingZhi->isChecked());
    QCOMPARE(pieces(f), (QStringList{QString(), QString()}));
    QCOMPARE(w->txtWeiZhi->Text(), QStringLiteral("1"));
    QCOMPARE(w->lblZhuangTai->message(), said);
    QVERIFY(!w->lblZhuangTai->isHidden());
    f.choose(QStringLiteral("a.txt")); // a novel chosen takes "no novel chosen yet" away
    QCOMPARE(w->lblZhuangTai->isHidden(), file.startsWith(QStringLiteral("双击")));
}

void TestFrmTTSReading::noVoiceMeansNoSpeaking()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load(false);
    f.choose(QStringLiteral("a.txt"));
    for (int i = 0; i < 3; ++i)
        w->cmdSpeak_Click(i);
    QCOMPARE(w->mobjSpkOne(), nullptr);
    QCOMPARE(w->txtLangDu->Text(), QString());
}

void TestFrmTTSReading::changingTheModeStops()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = f.load();
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(0);
    QVERIFY(!f.voice->queue().isEmpty());
    w->chkFenDuanDu->setChecked(!w->chkFenDuanDu->isChecked());
    QVERIFY(f.voice->queue().isEmpty());
    QVERIFY(w->chkTingZhi->isChecked());
}

TARROWIN_TEST_MAIN(TestFrmTTSReading)
#include "tst_frmTTSReading.moc"
