#include "TestRegistry.h"
#include "EspeakVoice.h"
#include "SinkMonitor.h"
#include "VoiceEvents.h"
#include <QTest>
#include <memory>

// The real voice, once through the sound server (its sink's monitor is recorded) and once with
// the silent output: words, stream ends, queueing, purge, pause and resume.
class EspeakVoiceTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void speaksWordsInOrder_data() { addOutputRows(); }
    void speaksWordsInOrder();
    void queuedStreamsInOrder_data() { addOutputRows(); }
    void queuedStreamsInOrder();
    void purgeEndsEverythingAtOnce_data() { addOutputRows(); }
    void purgeEndsEverythingAtOnce();
    void purgeInsideAWordHandler_data() { addOutputRows(); }
    void purgeInsideAWordHandler();
    void pauseAndResume_data() { addOutputRows(); }
    void pauseAndResume();
    void nothingToSayEndsAtOnce_data();
    void nothingToSayEndsAtOnce();
    void wordsSelectTheCallersText_data();
    void wordsSelectTheCallersText();
    void newVoiceIsDone();
    void aSpeedChangeCountsFromTheNextWord();

private:
    static void addOutputRows();
    // The voice for the current row; null after a QSKIP-worthy lack of sound.
    std::unique_ptr<EspeakVoice> makeVoice();
    bool audioRow() const;
    double silenceAfterMs(int settleMs, int recordMs);

    bool m_serverReachable = false;
    std::unique_ptr<SinkMonitor> m_monitor;
};

namespace {
const QString Sentence = QStringLiteral("你好，世界。今天天气很好！");
const QString SentenceWords = QStringLiteral("你好世界今天天气很好");
constexpr int SentenceWordCount = 5; // 你好 世界 今天 天气 很好, each marked whole
const QString Goodbye = QStringLiteral("再见。");
const QString LongText = QStringLiteral("从前有一座山，山里有一座庙，庙里有一个老和尚在给小和尚讲故事。");
constexpr double SilenceRms = 30;   // the null sink's monitor is exact zeros when nothing plays
constexpr double SpeechRms = 300;
}

void EspeakVoiceTest::initTestCase()
{
    m_serverReachable = SoundServerReachable();
    if (m_serverReachable) {
        m_monitor = std::make_unique<SinkMonitor>();
        if (!m_monitor->start())
            m_monitor.reset();
    }
}

void EspeakVoiceTest::addOutputRows()
{
    QTest::addColumn<bool>("audio");
    QTest::newRow("sound server") << true;
    QTest::newRow("silent output") << false;
}

bool EspeakVoiceTest::audioRow() const
{
    return QTest::currentDataTag() && QByteArray(QTest::currentDataTag()) == "sound server";
}

std::unique_ptr<EspeakVoice> EspeakVoiceTest::makeVoice()
{
    const auto output = audioRow() ? EspeakVoice::Output::Audio : EspeakVoice::Output::Silent;
    return std::make_unique<EspeakVoice>(SpeechSettings(), output);
}

#define SKIP_WITHOUT_SERVER()                                                                    \
    do {                                                                                         \
        if (audioRow() && !m_serverReachable)                                                    \
            QSKIP("No sound server is reachable (start one with `eval \"$(scripts/test-services.sh)\"`)"); \
        if (audioRow() && !m_monitor)                                                            \
            QSKIP("The sound server's monitor cannot be recorded with parec");                   \
    } while (false)

double EspeakVoiceTest::silenceAfterMs(int settleMs, int recordMs)
{
    QTest::qWait(settleMs);
    m_monitor->restart();
    QTest::qWait(recordMs);
    return m_monitor->rms();
}

void EspeakVoiceTest::speaksWordsInOrder()
{
    SKIP_WITHOUT_SERVER();
    auto voice = makeVoice();
    VoiceEvents heard(voice.get());
    if (audioRow())
        m_monitor->restart();
    voice->Speak(Sentence, SpeechVoice::SVSFlagsAsync);
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(heard.events.isEmpty());
    QVERIFY(heard.waitForEnd(1));
    QCOMPARE(heard.spokenText(1, Sentence), SentenceWords);
    QCOMPARE(heard.endsOf(1), 1);
    QCOMPARE(heard.events.size(), SentenceWordCount + 1);
    QVERIFY(!heard.events.last().isWord);
    for (const auto &e : heard.wordsOf(1))
        QCOMPARE(e.stateThen, int(SpeechVoice::SRSEIsSpeaking));
    QCOMPARE(heard.events.last().stateThen, int(SpeechVoice::SRSEDone));
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));
    // Words come as they are heard: the sentence takes seconds, not the synthesis' milliseconds.
    QVERIFY2(heard.events.last().atMs - heard.events.first().atMs > 2000,
             qPrintable(QString::number(heard.events.last().atMs - heard.events.first().atMs)));
    if (audioRow())
        QVERIFY2(m_monitor->rms() > SpeechRms, qPrintable(QString::number(m_monitor->rms())));
    QTest::qWait(300);
    QCOMPARE(heard.events.size(), SentenceWordCount + 1);
}

void EspeakVoiceTest::queuedStreamsInOrder()
{
    SKIP_WITHOUT_SERVER();
    auto voice = makeVoice();
    VoiceEvents heard(voice.get());
    const QString first = QStringLiteral("第一句话。");
    const QString second = QStringLiteral("第二句话。");
    voice->Speak(first, SpeechVoice::SVSFlagsAsync);
    voice->Speak(second, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForEnd(2));
    QCOMPARE(heard.spokenText(1, first), QStringLiteral("第一句话"));
    QCOMPARE(heard.spokenText(2, second), QStringLiteral("第二句话"));
    QCOMPARE(heard.endsOf(1), 1);
    QCOMPARE(heard.endsOf(2), 1);
    // Every event of the first stream before any of the second.
    QStringList order;
    for (const auto &e : heard.events)
        order << (e.isWord ? QStringLiteral("w") : QStringLiteral("e")) + QString::number(e.stream);
    QCOMPARE(order.join(u' '), QStringLiteral("w1 w1 e1 w2 w2 e2"));
    QCOMPARE(heard.events[4].stateThen, int(SpeechVoice::SRSEIsSpeaking));
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));
}

void EspeakVoiceTest::purgeEndsEverythingAtOnce()
{
    SKIP_WITHOUT_SERVER();
    auto voice = makeVoice();
    VoiceEvents heard(voice.get());
    voice->Speak(LongText, SpeechVoice::SVSFlagsAsync);
    voice->Speak(Sentence, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));
    const qsizetype before = heard.events.size();
    if (audioRow())
        QVERIFY2(silenceAfterMs(150, 500) < SilenceRms, qPrintable(QString::number(m_monitor->rms())));
    else
        QTest::qWait(650);
    QCOMPARE(heard.events.size(), before);
    QCOMPARE(heard.endsOf(1) + heard.endsOf(2), 0);
    // The voice speaks again at once, with a new stream.
    voice->Speak(Goodbye, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForEnd(3));
    QCOMPARE(heard.spokenText(3, Goodbye), QStringLiteral("再见"));
    QCOMPARE(heard.endsOf(1) + heard.endsOf(2), 0);
}

void EspeakVoiceTest::purgeInsideAWordHandler()
{
    SKIP_WITHOUT_SERVER();
    auto voice = makeVoice();
    VoiceEvents heard(voice.get());
    connect(voice.get(), &SpeechVoice::Word, voice.get(), [&voice] {
        voice->Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    });
    voice->Speak(Sentence, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 1));
    QTest::qWait(1500);
    QCOMPARE(heard.events.size(), 1);
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));
}

void EspeakVoiceTest::pauseAndResume()
{
    SKIP_WITHOUT_SERVER();
    auto voice = makeVoice();
    VoiceEvents heard(voice.get());
    voice->Speak(LongText, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(1, 3));
    voice->Pause();
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEPaused));
    QTest::qWait(100);
    const qsizetype before = heard.events.size();
    if (audioRow())
        QVERIFY2(silenceAfterMs(50, 600) < SilenceRms, qPrintable(QString::number(m_monitor->rms())));
    else
        QTest::qWait(650);
    QCOMPARE(heard.events.size(), before);
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEPaused));

    if (audioRow())
        m_monitor->restart();
    voice->Resume();
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(heard.waitForEnd(1));
    if (audioRow())
        QVERIFY2(m_monitor->rms() > SpeechRms, qPrintable(QString::number(m_monitor->rms())));
    // The words go on where they halted: none lost, none repeated.
    QString expected = LongText;
    expected.remove(QRegularExpression(QStringLiteral("[，。]")));
    QCOMPARE(heard.spokenText(1, LongText), expected);
    QVERIFY(heard.events.size() > before + 1);
    QCOMPARE(voice->RunningState(), int(SpeechVoice::SRSEDone));
}

void EspeakVoiceTest::nothingToSayEndsAtOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << QStringLiteral("   ");
    QTest::newRow("punctuation") << QStringLiteral("，。！？：");
    QTest::newRow("NUL first") << QString::fromUtf16(u"\u0000你好", 3);
}

void EspeakVoiceTest::nothingToSayEndsAtOnce()
{
    QFETCH(QString, text);
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Audio);
    VoiceEvents heard(&voice);
    voice.Speak(text, SpeechVoice::SVSFlagsAsync);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEIsSpeaking));
    QVERIFY(heard.events.isEmpty());
    QVERIFY(heard.waitForEnd(1, 500));
    QCOMPARE(heard.events.size(), 1);
    QCOMPARE(heard.events.first().stateThen, int(SpeechVoice::SRSEDone));
    QVERIFY(!voice.isPlayingAudio());
}

void EspeakVoiceTest::wordsSelectTheCallersText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("cut at NUL") << QString::fromUtf16(u"你好\u0000世界", 5)
                                << QStringList{u"你好"_qs};
    QTest::newRow("full-width letters and digits")
        << u"ＡＢＣ和ＸＹＺ"_qs << QStringList{u"ＡＢＣ"_qs, u"和"_qs, u"ＸＹＺ"_qs};
    QTest::newRow("quotation marks") << u"他说“好的”。"_qs
                                     << QStringList{u"他"_qs, u"说"_qs, u"好"_qs, u"的"_qs};
    QTest::newRow("beyond the basic plane") << u"𠀀你好"_qs << QStringList{u"你好"_qs};
    QTest::newRow("English among Chinese") << u"我爱 Linux 系统"_qs
                                           << QStringList{u"我"_qs, u"爱"_qs, u"Linux"_qs, u"系统"_qs};
    QTest::newRow("line ends") << u"第一\r\n第二"_qs
                               << QStringList{u"第一"_qs, u"第二"_qs};
}

void EspeakVoiceTest::wordsSelectTheCallersText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Silent);
    voice.setVolume(50);
    QCOMPARE(voice.Volume(), 50);
    VoiceEvents heard(&voice);
    voice.Speak(text, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForEnd(1));
    QStringList selected;
    for (const auto &e : heard.wordsOf(1))
        selected << text.mid(e.position, e.length);
    // Unknown characters (such as U+20000 here) may be spelled or skipped; what is selected is
    // always a whole word of the caller's text.
    selected.removeIf([&](const QString &w) { return !words.contains(w); });
    QCOMPARE(selected, words);
}

void EspeakVoiceTest::newVoiceIsDone()
{
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Silent);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
    QCOMPARE(voice.Volume(), 100);
    voice.Pause();  // nothing to pause
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
    voice.Speak(QString(), SpeechVoice::SVSFPurgeBeforeSpeak);
    QCOMPARE(voice.RunningState(), int(SpeechVoice::SRSEDone));
}

// The same text twice; the speed trebled once the second is heard: its words come once each, in
// order, and take far less time than the first's.
void EspeakVoiceTest::aSpeedChangeCountsFromTheNextWord()
{
    EspeakVoice voice(SpeechSettings(), EspeakVoice::Output::Silent);
    VoiceEvents heard(&voice);
    voice.Speak(LongText, SpeechVoice::SVSFlagsAsync);
    voice.Speak(LongText, SpeechVoice::SVSFlagsAsync);
    QVERIFY(heard.waitForWords(2, 1));
    voice.setRateFactor(3.0);
    QVERIFY(heard.waitForEnd(2));
    QCOMPARE(heard.spokenText(2, LongText), QStringLiteral("从前有一座山山里有一座庙庙里有一个老和尚在给小和尚讲故事"));
    const auto span = [&](int stream) { return heard.wordsOf(stream).last().atMs - heard.wordsOf(stream).first().atMs; };
    QVERIFY2(span(2) * 2 < span(1), qPrintable(QStringLiteral("%1 ms, then %2 ms").arg(span(1)).arg(span(2))));
}

TARROWIN_GUILESS_TEST_MAIN(EspeakVoiceTest)
#include "EspeakVoiceTest.moc"
