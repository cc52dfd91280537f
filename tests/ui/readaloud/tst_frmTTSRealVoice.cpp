#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "ReadAloudFixture.h"
#include "kxButtons_H.h"
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>

// The read-aloud window with the real espeak-ng voice at its fastest rate, on the silent output
// that keeps real time, so that the words and ends of streams come as they would with sound.
class TestFrmTTSRealVoice : public QObject
{
    Q_OBJECT
private slots:
    void startSpeaksAndMovesOn_data();
    void startSpeaksAndMovesOn();
    void selectionFollowsTheWords();
    void stopThenStartSpeaksTheInterruptedPieceAgain();
    void pauseWhileIdleDoesNothing();
    void readsAShortTextToItsEndAndStops_data();
    void readsAShortTextToItsEndAndStops();
};

namespace {
const QString kThree = QStringLiteral("第一句。第二句子。第三句。");
constexpr int kTimeout = 30000;

frmTTS *LoadWithRealVoice(ReadAloudFixture &f)
{
    return f.loadWith([] {
        SpeechSettings fastest;
        fastest.rate = SpeechSettings::MaximumRate;
        return std::unique_ptr<SpeechVoice>(new EspeakVoice(fastest, EspeakVoice::Output::Silent));
    });
}
}

void TestFrmTTSRealVoice::startSpeaksAndMovesOn_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::newRow("two queued") << false;
    QTest::newRow("分段朗读") << true;
}

void TestFrmTTSRealVoice::startSpeaksAndMovesOn()
{
    QFETCH(bool, byPieces);
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = LoadWithRealVoice(f);
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("10"));
    w->chkFenDuanDu->setChecked(byPieces);
    w->cmdSpeak_Click(0);
    QCOMPARE(w->mobjSpkOne()->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("第一句。"));
    QTRY_COMPARE_WITH_TIMEOUT(w->txtLangDu->Text(), QStringLiteral("第二句子。"), kTimeout);
    QCOMPARE(w->txtTTS->Text(), QStringLiteral("第三句。"));
    QCOMPARE(w->mobjSpkOne()->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
}

void TestFrmTTSRealVoice::selectionFollowsTheWords()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("第一回\r\n灵根育孕源流出，他去银行取钱。\r\n"));
    frmTTS *w = LoadWithRealVoice(f);
    f.choose(QStringLiteral("a.txt"));
    QList<QPair<int, int>> mismatches;
    QStringList selected;
    // connected after the window's own reaction, so it sees the selection that reaction made
    connect(w->mobjSpkOne(), &SpeechVoice::Word, this, [&](int, qint64, int at, int length) {
        selected << w->txtLangDu->Text().mid(at, length);
        if (w->txtLangDu->SelStart() != at || w->txtLangDu->SelLength() != length || length == 0)
            mismatches << qMakePair(at, length);
    });
    w->cmdSpeak_Click(0);
    QTRY_VERIFY_WITH_TIMEOUT(w->chkTingZhi->isChecked(), kTimeout);
    QVERIFY(selected.size() >= 3);
    QVERIFY(mismatches.isEmpty());
    // A word of two characters is marked whole, once, not character by character.
    QVERIFY2(selected.contains(QStringLiteral("银行")), qPrintable(selected.join(u'|')));
    QVERIFY(!selected.contains(QStringLiteral("行")));
}

void TestFrmTTSRealVoice::stopThenStartSpeaksTheInterruptedPieceAgain()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), QStringLiteral("灵根育孕源流出，心性修持大道生。第二句。"));
    frmTTS *w = LoadWithRealVoice(f);
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("34"));
    QList<int> positions;
    connect(w->mobjSpkOne(), &SpeechVoice::Word, this, [&](int, qint64, int at, int) { positions << at; });
    w->cmdSpeak_Click(0);
    QTRY_VERIFY_WITH_TIMEOUT(positions.size() >= 2, kTimeout);
    const QString piece = w->txtLangDu->Text();
    w->cmdSpeak_Click(1);
    QCOMPARE(w->mobjSpkOne()->RunningState(), int(SpeechVoice::SRSEDone));
    QCOMPARE(w->txtLangDu->Text(), piece);
    const int firstPosition = positions.first();
    positions.clear();
    w->cmdSpeak_Click(0);
    QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty(), kTimeout);
    QCOMPARE(positions.first(), firstPosition);
    QCOMPARE(w->txtLangDu->Text(), piece);
    w->cmdSpeak_Click(1);
}

void TestFrmTTSRealVoice::pauseWhileIdleDoesNothing()
{
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), kThree);
    frmTTS *w = LoadWithRealVoice(f);
    f.choose(QStringLiteral("a.txt"));
    w->cmdSpeak_Click(2);
    QCOMPARE(w->cmdSpeak[2]->Caption(), QStringLiteral("暂停朗读"));
    QCOMPARE(w->mobjSpkOne()->RunningState(), int(SpeechVoice::SRSEDone));
}

void TestFrmTTSRealVoice::readsAShortTextToItsEndAndStops_data()
{
    QTest::addColumn<bool>("byPieces");
    QTest::newRow("two queued") << false;
    QTest::newRow("分段朗读") << true;
}

// Every piece becomes the piece being spoken once, in order, and reading stops by itself at the
// end of the file: the voice falls idle and no more streams follow.
void TestFrmTTSRealVoice::readsAShortTextToItsEndAndStops()
{
    QFETCH(bool, byPieces);
    const QString text = QStringLiteral("话说天下大势，分久必合，合久必分。\r\nThe end of it all: fine.\r\n尾声");
    ReadAloudFixture f;
    f.writeText(QStringLiteral("a.txt"), text);
    frmTTS *w = LoadWithRealVoice(f);
    f.choose(QStringLiteral("a.txt"));
    w->txtFenChangDu->setText(QStringLiteral("20"));
    w->chkFenDuanDu->setChecked(byPieces);
    QStringList current;
    connect(w->txtLangDu, &TextBox::Change, this, [&] { current << w->txtLangDu->Text(); });
    QSignalSpy ends(w->mobjSpkOne(), &SpeechVoice::EndStream);
    w->cmdSpeak_Click(0);
    QTRY_VERIFY_WITH_TIMEOUT(w->chkTingZhi->isChecked(), 60000);
    QCOMPARE(current.join(QString()), text);
    QCOMPARE(w->mobjSpkOne()->RunningState(), int(SpeechVoice::SRSEDone));
    QCOMPARE(int(ends.size()), int(current.size()));
    QTest::qWait(500);
    QCOMPARE(int(ends.size()), int(current.size()));
    QCOMPARE(w->txtLangDu->Text(), QStringLiteral("尾声"));
}

TARROWIN_TEST_MAIN(TestFrmTTSRealVoice)
#include "tst_frmTTSRealVoice.moc"
