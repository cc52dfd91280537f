// The sleep timer in the read-aloud window, on a clock the test moves: the fade, the stop with
// the place kept, the volume back for the next start, "关闭定时", and the chapter's end.
#include "TestRegistry.h"
#include "ChapterLoader.h"
#include "ReadAloudFixture.h"
#include "SleepTimer.h"
#include "kxButtons_H.h"
#include "mdlIniFile.h"
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>

class tst_frmTTSSleepTimer : public QObject
{
    Q_OBJECT
    qint64 m_now = 0;

    frmTTS *speaking(ReadAloudFixture &f, const QString &text)
    {
        f.writeText(QStringLiteral("a.txt"), text);
        frmTTS *w = f.load();
        w->setSleepClock([this] { return m_now; });
        f.choose(QStringLiteral("a.txt"));
        w->cmdSpeak_Click(0);
        return w;
    }

private slots:
    void init() { m_now = 0; }

    void fadesThenStopsAsStopDoesWithThePlaceKept()
    {
        ReadAloudFixture f;
        frmTTS *w = speaking(f, QStringLiteral("第一句话。第二句话。第三句话。"));
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        const QString piece = w->txtLangDu->Text();
        QVERIFY(!piece.isEmpty());

        w->ChooseSleepTimer(SleepTimer::Minutes15);
        QVERIFY(w->cmdDingShi->Caption().startsWith(QStringLiteral("定时 15:00")));
        m_now = 15 * 60'000 - 15'000; // half way through the fade
        QTRY_COMPARE(f.voice->Volume(), 50);
        QVERIFY(w->cmdDingShi->Caption().endsWith(QStringLiteral("0:15")));

        m_now = 15 * 60'000;
        QTRY_COMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
        QVERIFY(w->chkTingZhi->isChecked());
        QCOMPARE(w->txtLangDu->Text(), piece); // the place is kept: the next start speaks it again
        QCOMPARE(f.voice->Volume(), 100);
        QCOMPARE(w->cmdDingShi->Caption(), QStringLiteral("定时停止"));

        w->cmdSpeak_Click(0);
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        QCOMPARE(f.voice->Volume(), 100);
    }

    void switchingOffKeepsReadingAndRemembersTheChoice()
    {
        ReadAloudFixture f;
        frmTTS *w = speaking(f, QStringLiteral("第一句话。第二句话。"));
        w->ChooseSleepTimer(SleepTimer::Minutes45);
        m_now = 45 * 60'000 - 10'000;
        QTRY_VERIFY(f.voice->Volume() < 100);
        w->ChooseSleepTimer(SleepTimer::Off);
        QCOMPARE(f.voice->Volume(), 100);
        m_now = 46 * 60'000;
        QTest::qWait(400);
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        QCOMPARE(w->cmdDingShi->Caption(), QStringLiteral("定时停止"));
        QCOMPARE(mdlIniFile::ReadIniInteger(QStringLiteral("DINGSHI"), QStringLiteral("XUANZE"), -1), int(SleepTimer::Off));
    }

    void listenersVolumeIsWhatTheFadeScales()
    {
        ReadAloudFixture f;
        frmTTS *w = speaking(f, QStringLiteral("第一句话。"));
        w->setListeningVolume(60);
        QCOMPARE(f.voice->Volume(), 60);
        w->ChooseSleepTimer(SleepTimer::Minutes15);
        m_now = 15 * 60'000 - 15'000;
        QTRY_COMPARE(f.voice->Volume(), 30);
        QCOMPARE(w->ListeningVolume(), 60);
    }

    void stopsAtTheEndOfTheChapter_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("next");
        QTest::newRow("本章结束") << int(SleepTimer::EndOfChapter) << QStringLiteral("第二章");
        QTest::newRow("两章后") << int(SleepTimer::EndOfTwoChapters) << QStringLiteral("第三章");
        QTest::newRow("三章后") << int(SleepTimer::EndOfThreeChapters) << QStringLiteral("第四章");
    }

    // Every piece before the end is heard; the stop leaves the place at the next chapter's start.
    void stopsAtTheEndOfTheChapter()
    {
        QFETCH(int, choice);
        QFETCH(QString, next);
        ReadAloudFixture f;
        QString text;
        for (const char *heading : {"第一章 开始\n", "第二章 继续\n", "第三章 再续\n", "第四章 结束\n"})
            text += QString::fromUtf8(heading) + QStringLiteral("这是一章的一句话。\n").repeated(8);
        frmTTS *w = speaking(f, text);
        QTRY_VERIFY(w->chapters()->IsReady());
        w->ChooseSleepTimer(choice);
        QCOMPARE(w->cmdDingShi->Caption(), SleepTimer::captions().at(choice));
        for (int i = 0; i < 80 && f.voice->RunningState() == SpeechVoice::SRSEIsSpeaking; ++i) {
            f.voice->finishStream();
            ReadAloudFixture::deliverEvents();
        }
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
        QVERIFY(w->chkTingZhi->isChecked());
        QVERIFY(f.voice->spoken.join(QString()).contains(text.left(text.indexOf(next))));
        QVERIFY2(w->txtLangDu->Text().startsWith(next), qPrintable(w->txtLangDu->Text()));
        QVERIFY(w->place().text.startsWith(next));
    }

    // A piece that runs on over the chapter's end stops at the first word heard in the next
    // chapter, not at the piece's end.
    void stopsAtTheFirstWordOfTheNextChapterInsideAPiece()
    {
        ReadAloudFixture f;
        const QString first = QStringLiteral("第一章 开始\n这是第一章的话。\n");
        const QString text = first + QStringLiteral("第二章 继续\n这是第二章的话。\n");
        frmTTS *w = speaking(f, text);
        QTRY_VERIFY(w->chapters()->IsReady());
        QVERIFY(w->txtLangDu->Text().contains(QStringLiteral("第二章")));
        w->ChooseSleepTimer(SleepTimer::EndOfChapter);
        const int next = int(first.size());
        f.voice->sayWord(next - 4, 2);
        ReadAloudFixture::deliverEvents();
        QCOMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
        f.voice->sayWord(next, 2);
        ReadAloudFixture::deliverEvents();
        QTRY_COMPARE(f.voice->RunningState(), int(SpeechVoice::SRSEDone));
        QVERIFY(w->chkTingZhi->isChecked());
    }
};

TARROWIN_TEST_MAIN(tst_frmTTSSleepTimer)
#include "tst_frmTTSSleepTimer.moc"
