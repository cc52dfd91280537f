// The edit of a listener's readings file by one word: which selections take a reading, which typed
// readings fit their word, the reading shown now, and the file's bytes with the word's line set.
#include "TestRegistry.h"
#include "ListenerReadings.h"
#include "ListenerReadingsEdit.h"
#include "MandarinDictionary.h"
#include <QTest>

class TestReadingsEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(MandarinDictionary::shared(), "no dictionary: set TARROWIN_MANDARIN_DICT"); }

    void chineseWords()
    {
        QVERIFY(IsChineseWord(u"银行") && IsChineseWord(u"\U00020000人"));
        for (const char16_t *text : {u"", u"银 行", u"银行。", u"第3章", u"银行\u2029行长"})
            QVERIFY2(!IsChineseWord(text), qPrintable(QString::fromUtf16(text)));
    }

    // A reading taken parses back, as the voice's readings file, to the word; a refused one says why.
    void typedReadings_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pinyin");  // what is written; empty when refused
        QTest::addColumn<QString>("refusal"); // a part of the reason
        QTest::newRow("tone marks, loose spaces") << "银行" << "  yín \t háng " << "yín háng" << "";
        QTest::newRow("neutral without a number") << "朋友" << "peng2 you" << "peng2 you" << "";
        QTest::newRow("erhua takes in its 儿") << "一点儿" << "yi4 dianr3" << "yi4 dianr3" << "";
        QTest::newRow("nothing typed") << "银行" << "  " << "" << "请输入";
        QTest::newRow("too few") << "银行" << "yin2" << "" << "2 个字，却有 1 个音节";
        QTest::newRow("too many") << "银行" << "yin2 hang2 a" << "" << "2 个字，却有 3 个音节";
        QTest::newRow("no such syllable") << "银行" << "yin2 hxng2" << "" << "“hxng2”不是拼音";
    }
    void typedReadings()
    {
        QFETCH(QString, word);
        QFETCH(QString, typed);
        QFETCH(QString, pinyin);
        QFETCH(QString, refusal);
        const MandarinDictionary &dictionary = *MandarinDictionary::shared();
        const TypedReading reading = CheckTypedReading(word, typed, dictionary);
        QCOMPARE(reading.pinyin, pinyin);
        QCOMPARE(reading.isValid(), refusal.isEmpty());
        QVERIFY2(reading.refusal.contains(refusal), qPrintable(reading.refusal));
        const ListenerReadings parsed = ListenerReadings::parse(
            QString::fromUtf8(WithListenerReading(QByteArray(), word, reading.pinyin)), dictionary);
        QCOMPARE(parsed.faults().isEmpty() && parsed.find(word), reading.isValid());
    }

    // The reading shown now is the one heard in the text around the word, the listener's winning.
    void currentReadings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("reading");
        QTest::newRow("character of a word") << "他去银行取钱" << "行" << "" << "hang2";
        QTest::newRow("listener's") << "他去银行取钱" << "银行" << "银行 yin2 xing2" << "yin2 xing2";
        QTest::newRow("a character without one") << "他去\U0002B81D银行" << "\U0002B81D银" << "" << "";
    }
    void currentReadings()
    {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(QString, own);
        QFETCH(QString, reading);
        const MandarinDictionary &dictionary = *MandarinDictionary::shared();
        const int at = int(text.indexOf(word));
        QCOMPARE(CurrentReading(text, at, int(word.size()), dictionary, ListenerReadings::parse(own, dictionary)), reading);
    }

    void lineSet_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << QByteArray("银行 yin2 xing2\n");
        QTest::newRow("added after a last line without its end, comments kept")
            << QByteArray("# 我的读音\n\n音乐 yin1 yue4") << QByteArray("# 我的读音\n\n音乐 yin1 yue4\n银行 yin2 xing2\n");
        QTest::newRow("replaced where it stands, the last line still without its end")
            << QByteArray("音乐 yin1 yue4\n银行 yin2 hang2\n睡觉 shui4 jiao4") << QByteArray("音乐 yin1 yue4\n银行 yin2 xing2\n睡觉 shui4 jiao4");
        QTest::newRow("CR LF kept") << QByteArray("银行 yin2 hang2\r\n# 注\r\n") << QByteArray("银行 yin2 xing2\r\n# 注\r\n");
        QTest::newRow("CR LF added") << QByteArray("# 注\r\n") << QByteArray("# 注\r\n银行 yin2 xing2\r\n");
        QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF银行 yin2 hang2") << QByteArray("\xEF\xBB\xBF银行 yin2 xing2");
        QTest::newRow("tabs and wide spaces, as parsed") << QByteArray(" 银行\tyin2\u3000hang2\n") << QByteArray("银行 yin2 xing2\n");
        QTest::newRow("later lines for the word would win: they go")
            << QByteArray("银行 yin2 hang2\n音乐 yin1 yue4\n银行 yin2 hang4\n") << QByteArray("银行 yin2 xing2\n音乐 yin1 yue4\n");
        QTest::newRow("comments, longer words, words within and bad bytes kept")
            << QByteArray("# 银行 yin2\n银行家 yin2 hang2 jia1\n行 xing2\n银行yin2\n\xC0\xFF\n")
            << QByteArray("# 银行 yin2\n银行家 yin2 hang2 jia1\n行 xing2\n银行yin2\n\xC0\xFF\n银行 yin2 xing2\n");
    }
    void lineSet()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(WithListenerReading(before, QStringLiteral("银行"), QStringLiteral("yin2 xing2")), after);
    }
};

TARROWIN_GUILESS_TEST_MAIN(TestReadingsEdit)
#include "tst_ReadingsEdit.moc"
