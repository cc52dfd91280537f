#include "TestRegistry.h"
#include "ListenerReadings.h"
#include "MandarinDictionary.h"
#include "MandarinReader.h"
#include "SpeechText.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The reading layer: words, their readings, tone changes and numbers, and the spoken text built
// from them.
class ReadingLayerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readings_data();
    void readings();
    void polyphonesInSentences();
    void listenerReadings_data();
    void listenerReadings();
    void spokenTextMarksWholeWords();
    void damagedDictionaryRefused();

private:
    const MandarinDictionary *m_dictionary = nullptr;
};

namespace {
// "word=reading" for every word of `text`.
QStringList readAll(const MandarinReader &reader, const QString &text)
{
    QStringList result;
    for (const ReadWord &word : reader.read(text))
        result << text.mid(word.position, word.length) + u'=' + reader.pinyin(word.syllables);
    return result;
}
}

void ReadingLayerTest::initTestCase()
{
    m_dictionary = MandarinDictionary::shared();
    QVERIFY2(m_dictionary, qPrintable(MandarinDictionary::sharedPath()));
    QVERIFY(m_dictionary->entryCount() > 100000);
}

void ReadingLayerTest::readings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words"); // "word=reading", each one of the text's words
    QTest::newRow("a polyphone decided by its word")
        << u"我去银行取钱，他在街上行走。"_qs << QStringList{u"银行=yin2 hang2"_qs, u"行走=xing2 zou3"_qs};
    QTest::newRow("a character alone takes its commonest reading")
        << u"孩子长大了，这条路很长。"_qs << QStringList{u"长大=zhang3 da4"_qs, u"长=chang2"_qs};
    QTest::newRow("yi before the four tones")
        << u"他一跳，一转身。"_qs << QStringList{u"一=yi2"_qs, u"跳=tiao4"_qs, u"一=yi4"_qs};
    QTest::newRow("yi counted, last, doubled; bu")
        << u"第一，唯一，看一看，好不好，不去，不来。"_qs
        << QStringList{u"第一=di4 yi1"_qs, u"唯一=wei2 yi1"_qs, u"看一看=kan4 yi5 kan4"_qs,
                       u"好不好=hao3 bu5 hao3"_qs, u"不=bu2"_qs, u"不来=bu4 lai2"_qs};
    QTest::newRow("third tones, neutral tones, 儿化")
        << u"展览馆里你好所以朋友一点儿"_qs
        << QStringList{u"展览馆=zhan2 lan2 guan3"_qs, u"你好=ni2 hao3"_qs, u"所以=suo2 yi3"_qs,
                       u"朋友=peng2 you5"_qs, u"一点儿=yi4 dianr3"_qs};
    QTest::newRow("得 by what stands before it")
        << u"我得走了。"_qs << QStringList{u"得=dei3"_qs};
    QTest::newRow("years digit by digit, counts with units")
        << u"2026年有105人"_qs << QStringList{u"2026=er4 ling2 er4 liu4"_qs, u"105=yi4 bai3 ling2 wu3"_qs};
    QTest::newRow("decimals, percent, ordinals")
        << u"3.5，50%，第3章"_qs
        << QStringList{u"3.5=san1 dian2 wu3"_qs, u"50%=bai3 fen1 zhi1 wu3 shi2"_qs, u"3=san1"_qs};
    QTest::newRow("full-width digits, zeros, a leading zero")
        << u"１０５，10005，0571，10人"_qs
        << QStringList{u"１０５=yi4 bai3 ling2 wu3"_qs, u"10005=yi2 wan4 ling2 wu3"_qs,
                       u"0571=ling2 wu3 qi1 yi1"_qs, u"10=shi2"_qs};
    QTest::newRow("two as 两 where it counts")
        << u"2个，第2名，20000"_qs << QStringList{u"2=liang3"_qs, u"2=er4"_qs, u"20000=liang3 wan4"_qs};
    QTest::newRow("Latin and signs stay, unread")
        << u"Linux系统，好"_qs << QStringList{u"Linux="_qs, u"系统=xi4 tong3"_qs, u"，="_qs};
}

void ReadingLayerTest::readings()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    const MandarinReader reader(*m_dictionary);
    QStringList read = readAll(reader, text);
    QString joined;
    for (const ReadWord &word : reader.read(text))
        joined += text.mid(word.position, word.length);
    QCOMPARE(joined, text);
    for (const QString &expected : words) {
        QVERIFY2(read.contains(expected), qPrintable(expected + QStringLiteral(" in ") + read.join(u'|')));
        read.removeOne(expected);
    }
}

// The share of everyday polyphone words in sentences read as a careful speaker reads them. The
// benchmark prints the share; here it must not fall below the goal.
void ReadingLayerTest::polyphonesInSentences()
{
    QFile file(QStringLiteral(TARROWIN_SOURCE_DIR "/tests/speech/data/polyphones.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const MandarinReader reader(*m_dictionary);
    int rows = 0;
    int right = 0;
    QStringList misses;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (line.startsWith(u'#') || fields.size() != 3)
            continue;
        ++rows;
        const QString heard = reader.pinyinOf(fields[0], int(fields[0].indexOf(fields[1])), int(fields[1].size()));
        if (heard == fields[2])
            ++right;
        else
            misses << fields[1] + u' ' + heard;
    }
    QVERIFY(rows >= 100);
    QVERIFY2(right * 100 >= rows * 95, qPrintable(QStringLiteral("%1 of %2; missed: ").arg(right).arg(rows) + misses.join(u", ")));
}

void ReadingLayerTest::listenerReadings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QList<int>>("faultLines");
    QTest::newRow("tone marks and numbers, a word of the listener's wins over any split")
        << u"# mine\n银行 yín xíng\n长大成人 zhang3 da4 cheng2 ren2\n"_qs << u"银行长大成人"_qs
        << QStringList{u"银行=yin2 xing2"_qs, u"长大成人=zhang3 da4 cheng2 ren2"_qs} << QList<int>{};
    QTest::newRow("read as written: no tone change")
        << u"\uFEFF所以 suo3 yi3\n"_qs << u"所以"_qs << QStringList{u"所以=suo3 yi3"_qs} << QList<int>{};
    QTest::newRow("儿化 in one syllable")
        << u"玩儿 wanr2\n"_qs << u"玩儿"_qs << QStringList{u"玩儿=wanr2"_qs} << QList<int>{};
    QTest::newRow("lines that do not parse are told by number")
        << u"银行\n\n行 xyz9\n好 hao3 hao3\n走 zou3\n"_qs << u"走"_qs << QStringList{u"走=zou3"_qs}
        << QList<int>{1, 3, 4};
}

void ReadingLayerTest::listenerReadings()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(QList<int>, faultLines);
    const ListenerReadings own = ListenerReadings::parse(file, *m_dictionary);
    QList<int> lines;
    for (const ListenerReadings::Fault &fault : own.faults())
        lines << fault.line;
    QCOMPARE(lines, faultLines);
    QCOMPARE(readAll(MandarinReader(*m_dictionary, &own), text), words);
}

// A pinyin voice hears each word's pinyin, a voice that does not hears numbers as Chinese; every
// event on a word's syllables marks the whole word, once.
void ReadingLayerTest::spokenTextMarksWholeWords()
{
    const MandarinReader reader(*m_dictionary);
    const QString text = u"去银行，2个"_qs;
    const SpeechText pinyin = PrepareSpeechText(text, &reader, true);
    QCOMPARE(QString::fromUtf8(pinyin.utf8), u"qu4 yin2 hang2 ， liang3 ge4 "_qs);
    WordEventCleaner cleaner(pinyin);
    QCOMPARE(cleaner.accept(1, 3), (WordSpan{0, 1}));
    QCOMPARE(cleaner.accept(5, 4), (WordSpan{1, 2}));
    QCOMPARE(cleaner.accept(10, 5), std::nullopt); // "hang2": the same word
    QCOMPARE(cleaner.accept(18, 6), (WordSpan{4, 1}));
    QCOMPARE(QString::fromUtf8(PrepareSpeechText(text, &reader, false).utf8), u"去银行，两个"_qs);
}

void ReadingLayerTest::damagedDictionaryRefused()
{
    QFile good(MandarinDictionary::sharedPath());
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const QTemporaryDir folder;
    const auto openWith = [&](const QByteArray &content) {
        QFile file(folder.filePath(QStringLiteral("d")));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
        file.close();
        return MandarinDictionary::open(file.fileName()) != nullptr;
    };
    QVERIFY(openWith(bytes));
    QVERIFY(!openWith(bytes.left(bytes.size() - 4)));
    QByteArray wrongMagic = bytes;
    wrongMagic[0] = 'X';
    QVERIFY(!openWith(wrongMagic));
    // An entry pointing past the text table.
    QByteArray pastEnd = bytes;
    const auto *header = reinterpret_cast<const DictionaryFormat::Header *>(bytes.constData());
    auto *entry = reinterpret_cast<DictionaryFormat::Entry *>(pastEnd.data() + header->entryOffset);
    entry->text = header->readingOffset;
    QVERIFY(!openWith(pastEnd));
}

TARROWIN_GUILESS_TEST_MAIN(ReadingLayerTest)
#include "ReadingLayerTest.moc"
