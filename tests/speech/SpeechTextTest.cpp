#include "TestRegistry.h"
#include "SpeechPauses.h"
#include "SpeechText.h"
#include <QTest>

// Preparing a text for the synthesiser and turning its word events into clean words.
class SpeechTextTest : public QObject
{
    Q_OBJECT
private slots:
    void speakableText_data();
    void speakableText();
    void offsetsFollowCodePoints();
    void cleanedEvents_data();
    void cleanedEvents();
    void runsEndWhereThePausesAre_data();
    void runsEndWhereThePausesAre();
};

void SpeechTextTest::speakableText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cut at the first NUL") << QString::fromUtf16(u"你好\u0000世界", 5) << u"你好"_qs;
    QTest::newRow("full-width letters and digits") << u"ＡＢｃ１２３"_qs << u"ABc123"_qs;
    QTest::newRow("full-width punctuation stays") << u"你好，世界！（注）"_qs << u"你好，世界！（注）"_qs;
    QTest::newRow("lone surrogate replaced") << QString(QChar(0xD800)) + u"好"_qs << u"\uFFFD好"_qs;
    QTest::newRow("surrogate pair kept") << u"𠀀好"_qs << u"𠀀好"_qs;
}

void SpeechTextTest::speakableText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(SpeakableText(text), expected);
    QCOMPARE(QString::fromUtf8(PrepareSpeechText(text).utf8), expected);
}

void SpeechTextTest::offsetsFollowCodePoints()
{
    const SpeechText prepared = PrepareSpeechText(u"a𠀀b\r\n"_qs);
    QCOMPARE(prepared.sources, (QVector<WordSpan>{{0, 1}, {1, 2}, {3, 1}, {4, 1}, {5, 1}}));
    QCOMPARE(prepared.codePointCount(), 5);
}

using Events = QVector<QPair<int, int>>;  // 1-based code point position, length in code points
using Words = QVector<QPair<int, int>>;   // UTF-16 position, length

void SpeechTextTest::cleanedEvents_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Events>("events");
    QTest::addColumn<Words>("expected");
    QTest::newRow("one event per character")
        << u"你好，世界"_qs << Events{{1, 1}, {2, 1}, {4, 1}, {5, 1}}
        << Words{{0, 1}, {1, 1}, {3, 1}, {4, 1}};
    QTest::newRow("position 0 and past the end dropped")
        << u"你好"_qs << Events{{0, 0}, {1, 1}, {3, 1}} << Words{{0, 1}};
    QTest::newRow("repeated and overlapping number events dropped")
        << u"共2024年"_qs << Events{{1, 1}, {2, 4}, {3, 4}, {3, 4}, {6, 1}}
        << Words{{0, 1}, {1, 4}, {5, 1}};
    QTest::newRow("length 0 after a quotation mark takes the word's length")
        << u"“Hello” world，“引号”"_qs << Events{{2, 0}, {9, 5}, {16, 0}, {17, 1}}
        << Words{{1, 5}, {8, 5}, {15, 1}, {16, 1}};
    QTest::newRow("length 0 on punctuation dropped")
        << u"好，好"_qs << Events{{2, 0}, {3, 1}} << Words{{2, 1}};
    QTest::newRow("code points map to UTF-16 units")
        << u"𠀀好 abc"_qs << Events{{1, 1}, {2, 1}, {4, 3}} << Words{{0, 2}, {2, 1}, {4, 3}};
    QTest::newRow("length clipped at the end") << u"ab"_qs << Events{{1, 9}} << Words{{0, 2}};
}

void SpeechTextTest::cleanedEvents()
{
    QFETCH(QString, text);
    QFETCH(Events, events);
    QFETCH(Words, expected);
    const SpeechText prepared = PrepareSpeechText(text);
    WordEventCleaner cleaner(prepared);
    Words words;
    for (const auto &[position, length] : events) {
        if (const auto word = cleaner.accept(position, length))
            words.append({word->position, word->length});
    }
    QCOMPARE(words, expected);
}

void SpeechTextTest::runsEndWhereThePausesAre_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("runs"); // each run's text, its pause (0 none to 4 heading), h in a heading
    QTest::newRow("clauses and a sentence with its closing quote")
        << u"他说：“好，走吧。”然后"_qs << QStringList{u"他说：|1"_qs, u"“好，|1"_qs, u"走吧。”|2"_qs, u"然后|0"_qs};
    QTest::newRow("a line end after a sentence is a paragraph")
        << u"好。\r\n　　走"_qs << QStringList{u"好。\r\n|3"_qs, u"　　走|0"_qs};
    QTest::newRow("a heading line, and a line after it that is none")
        << u"第一回 宴桃园\n 话说\n"_qs << QStringList{u"第一回 宴桃园\n|4h"_qs, u" 话说\n|3"_qs};
    QTest::newRow("every run of a heading line")
        << u"好。\n第二回 灵根育孕，心性修持\n话说"_qs
        << QStringList{u"好。\n|3"_qs, u"第二回 灵根育孕，|1h"_qs, u"心性修持\n|4h"_qs, u"话说|0"_qs};
    QTest::newRow("an ellipsis, a point between digits, an English sentence")
        << u"嗯……3.5 Go. On"_qs << QStringList{u"嗯……|2"_qs, u"3.5 Go. |2"_qs, u"On|0"_qs};
}

void SpeechTextTest::runsEndWhereThePausesAre()
{
    QFETCH(QString, text);
    QFETCH(QStringList, runs);
    const SpeechText spoken = PrepareSpeechText(text);
    QStringList found;
    for (const SpeechRun &run : SplitIntoRuns(spoken, text))
        found << QString::fromUcs4(spoken.codePoints.constData() + run.from, run.to - run.from) + u'|'
                + QString::number(int(run.pause)) + (run.heading ? u"h"_qs : QString());
    QCOMPARE(found, runs);
}

TARROWIN_APPLESS_TEST_MAIN(SpeechTextTest)
#include "SpeechTextTest.moc"
