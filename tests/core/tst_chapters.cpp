// The heading rule, the numbers in headings, the table of contents' navigation, the scan over a
// novel's bytes, and the per-novel cache.
#include "TestRegistry.h"
#include "ChapterCache.h"
#include "ChapterLoader.h"
#include "ChapterScan.h"
#include "ChineseNumber.h"
#include "Gbk.h"
#include "GuardedMap.h"
#include "HeadingRule.h"
#include "LineFeeds.h"
#include "TextCodec.h"
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

Q_DECLARE_METATYPE(HeadingLevel)
Q_DECLARE_METATYPE(TextEncoding)

namespace {

QString Repeat(const QString &text, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// The table of contents of `bytes` scanned in stretches that end at `splits`.
std::optional<ChapterList> ScanSplit(const QByteArray &bytes, TextEncoding encoding, const std::vector<qint64> &splits)
{
    return ScanChapterBytes(bytes.constData(), bytes.size(), encoding, splits);
}

// Where to split a file of `size` bytes: at every offset near its start and near `around`, where
// lines, headings and characters straddle the split, and at every 53rd byte in between.
std::vector<qint64> SplitPoints(qint64 size, qint64 around)
{
    std::vector<qint64> points;
    for (qint64 at = 1; at < size; ++at) {
        if (at < 64 || std::abs(at - around) <= 16 || at % 53 == 0)
            points.push_back(at);
    }
    return points;
}

bool WriteGbk(const QString &path, const QString &text)
{
    QFile file(path);
    const QByteArray bytes = Gbk::fromUnicode(text);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A chapter number up to 99 as a heading writes it.
QString Numeral(int n)
{
    const QString digits = QStringLiteral("零一二三四五六七八九");
    if (n < 10)
        return digits.at(n);
    return (n >= 20 ? QString(digits.at(n / 10)) : QString()) + u'十' + (n % 10 ? QString(digits.at(n % 10)) : QString());
}

QStringList Titles(const ChapterList &list)
{
    QStringList titles;
    for (const Chapter &c : list.entries())
        titles << c.title;
    return titles;
}

}

class tst_Chapters : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void headingRule_data();
    void headingRule();
    void numbers_data();
    void numbers();
    void navigation();
    void lineFeedsAreFoundInEveryBlock_data();
    void lineFeedsAreFoundInEveryBlock();
    void scanFindsLinesWhereverSplit();
    void scanInEveryEncodingIgnoresSplits_data();
    void scanInEveryEncodingIgnoresSplits();
    void scanKeepsRepeatedHeadingOnce();
    void novelWithoutHeadingsHasTwentyParts();
    void cacheKeepsTableForUnchangedFileOnly();
    void damagedCacheIsScannedAgain();
    void fileCutWhileMappedIsScannedAsItIsNow_data();
    void fileCutWhileMappedIsScannedAsItIsNow();
    void loaderHandsOverLastRequestOnly();

private:
    QTemporaryDir m_dir;
};

void tst_Chapters::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toUtf8());
}

void tst_Chapters::headingRule_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title"); // empty: not a heading
    QTest::addColumn<HeadingLevel>("level");
    const auto chapter = HeadingLevel::Chapter;
    const auto volume = HeadingLevel::Volume;
    const QString story = QStringLiteral("他走进房间，看见桌上放着一封信，信上写着他的名字，他拆开信读了起来，脸色渐渐变了。");

    QTest::newRow("chapter, title") << QStringList() << QStringLiteral("第一章 重生") << QStringLiteral("第一章 重生") << chapter;
    QTest::newRow("hui, two halves") << QStringList() << QStringLiteral("第十二回　宴桃园豪杰三结义　斩黄巾英雄首立功")
                                     << QStringLiteral("第十二回　宴桃园豪杰三结义　斩黄巾英雄首立功") << chapter;
    QTest::newRow("blanks, arabic, colon") << QStringList() << QStringLiteral(" 　\t第 12 章：开始  \r")
                                           << QStringLiteral("第 12 章：开始") << chapter;
    QTest::newRow("full-width digits, jie") << QStringList() << QStringLiteral("第１２节") << QStringLiteral("第１２节") << chapter;
    QTest::newRow("financial numerals, pian") << QStringList() << QStringLiteral("第壹佰零贰篇 终")
                                              << QStringLiteral("第壹佰零贰篇 终") << chapter;
    QTest::newRow("digit by digit, circle") << QStringList() << QStringLiteral("第一○○回     徑回東土　五聖成真")
                                            << QStringLiteral("第一○○回     徑回東土　五聖成真") << chapter;
    QTest::newRow("juan is a volume") << QStringList() << QStringLiteral("第三卷 风云") << QStringLiteral("第三卷 风云") << volume;
    QTest::newRow("bu is a volume") << QStringList() << QStringLiteral("第二部") << QStringLiteral("第二部") << volume;
    QTest::newRow("ji is a volume") << QStringList() << QStringLiteral("第五集 归来") << QStringLiteral("第五集 归来") << volume;
    for (const char *word : {"序", "序章 开始", "序言", "楔子", "引子　一", "前言", "尾声", "后记：写在最后", "番外一 春"})
        QTest::newRow(word) << QStringList() << QString::fromUtf8(word) << QString::fromUtf8(word) << chapter;
    QTest::newRow("Chapter 1") << QStringList() << QStringLiteral("Chapter 1") << QStringLiteral("Chapter 1") << chapter;
    QTest::newRow("CHAPTER XII: title") << QStringList() << QStringLiteral("CHAPTER XII: The End")
                                        << QStringLiteral("CHAPTER XII: The End") << chapter;

    QTest::newRow("sentence starting with di") << QStringList() << QStringLiteral("第二天，他醒了。") << QString() << chapter;
    QTest::newRow("number in the middle") << QStringList() << QStringLiteral("他说第一章写得好") << QString() << chapter;
    QTest::newRow("out of sequence sentence") << QStringList{QStringLiteral("第一回"), QStringLiteral("第二回")}
                                              << QStringLiteral("第四回中，既将此事说明") << QString() << chapter;
    QTest::newRow("long line out of sequence") << QStringList{QStringLiteral("第三章 旧事")}
                                               << QStringLiteral("第五章 ") + story << QString() << chapter;
    QTest::newRow("long line without punctuation") << QStringList{QStringLiteral("第一章")}
                                                   << QStringLiteral("第三章 ") + Repeat(QStringLiteral("天"), 40)
                                                   << QString() << chapter;
    QTest::newRow("word running into text") << QStringList() << QStringLiteral("序幕拉开了，人们涌进来") << QString() << chapter;
    QTest::newRow("word in a long line") << QStringList() << QStringLiteral("楔子 ") + story << QString() << chapter;
    QTest::newRow("Chapter without number") << QStringList() << QStringLiteral("Chapter") << QString() << chapter;
    QTest::newRow("Chapters in a sentence") << QStringList() << QStringLiteral("Chapters of the law") << QString() << chapter;
    QTest::newRow("kind without number") << QStringList() << QStringLiteral("第章") << QString() << chapter;

    QTest::newRow("run-on, next in sequence") << QStringList{QStringLiteral("第四章 旧事")} << QStringLiteral("第五章 ") + story
                                              << QStringLiteral("第五章 他走进房间") << chapter;
    QTest::newRow("run-on hui, halves") << QStringList{QStringLiteral("第九十九回　甲　乙")}
                                        << QStringLiteral("第一百回　汉兵劫寨破曹真　武侯斗阵辱仲达却说众将闻孔明不追魏兵，") + story
                                        << QStringLiteral("第一百回　汉兵劫寨破曹真　武侯斗阵辱仲达") << chapter;
    QTest::newRow("run-on hui, lost character") << QStringList{QStringLiteral("第一百十二回")}
                                                << QStringLiteral("第一百十三回　丁奉定计斩孙 　姜维斗阵破邓艾却说孙綝，") + story
                                                << QStringLiteral("第一百十三回　丁奉定计斩孙 　姜维斗阵破邓艾") << chapter;
    QTest::newRow("run-on, thirty characters") << QStringList{QStringLiteral("第五章")}
                                               << QStringLiteral("第六章 ") + Repeat(QStringLiteral("天"), 50)
                                               << QStringLiteral("第六章 ") + Repeat(QStringLiteral("天"), 30) << chapter;
    QTest::newRow("sentence continuing the sequence") << QStringList{QStringLiteral("第三回")}
                                                      << QStringLiteral("第四回中，既将此事说明") << QStringLiteral("第四回中") << chapter;
    QTest::newRow("chapter one again after a volume") << QStringList{QStringLiteral("第十章"), QStringLiteral("第二卷")}
                                                      << QStringLiteral("第一章 ") + story << QStringLiteral("第一章 他走进房间")
                                                      << chapter;
}

void tst_Chapters::headingRule()
{
    QFETCH(QStringList, before);
    QFETCH(QString, line);
    QFETCH(QString, title);
    QFETCH(HeadingLevel, level);
    HeadingSequence sequence;
    for (const QString &earlier : before) {
        const std::optional<HeadingLine> heading = MatchHeadingLine(earlier, true, sequence);
        QVERIFY2(heading, qPrintable(earlier));
        sequence.Record(*heading);
    }
    const std::optional<HeadingLine> heading = MatchHeadingLine(line, true, sequence);
    QCOMPARE(heading.has_value(), !title.isEmpty());
    if (heading) {
        QCOMPARE(heading->title, title);
        QCOMPARE(heading->level, level);
    }
}

void tst_Chapters::numbers_data()
{
    QTest::addColumn<QString>("numeral");
    QTest::addColumn<qint64>("value"); // -1: no number
    const QList<QPair<const char *, qint64>> rows{
        {"一", 1}, {"十", 10}, {"十五", 15}, {"二十", 20}, {"一百零一", 101}, {"一百一", 101}, {"一百十三", 113},
        {"两千", 2000}, {"一万零三", 10003}, {"壹佰贰拾", 120}, {"一○○", 100}, {"二〇", 20}, {"九九", 99},
        {"12", 12}, {"１２", 12}, {"1二", -1}, {"", -1}, {"九九九九九九九九九九", -1}, {"一二三四五六七八九一二三四", -1}};
    for (const auto &[numeral, value] : rows)
        QTest::newRow(numeral) << QString::fromUtf8(numeral) << value;
}

void tst_Chapters::numbers()
{
    QFETCH(QString, numeral);
    QFETCH(qint64, value);
    QCOMPARE(ChineseNumberValue(numeral).value_or(-1), value);
}

void tst_Chapters::navigation()
{
    const ChapterList list({{BytePos(50), HeadingLevel::Volume, QStringLiteral("第一卷")},
                            {BytePos(100), HeadingLevel::Chapter, QStringLiteral("第一章")},
                            {BytePos(500), HeadingLevel::Chapter, QStringLiteral("第二章")}},
                           true);
    QCOMPARE(list.indexAt(BytePos(49)), -1);
    QCOMPARE(list.indexAt(BytePos(50)), 0);
    QCOMPARE(list.indexAt(BytePos(499)), 1);
    QCOMPARE(list.indexAt(BytePos(1 << 30)), 2);
    QCOMPARE(list.titleAt(BytePos(1)), QString());
    QCOMPARE(list.titleAt(BytePos(120)), QStringLiteral("第一章"));
    QCOMPARE(list.nextStart(BytePos(1)), BytePos(50));
    QCOMPARE(list.nextStart(BytePos(100)), BytePos(500));
    QCOMPARE(list.nextStart(BytePos(500)), std::nullopt);
    QCOMPARE(list.previousStart(BytePos(499)), BytePos(50));
    QCOMPARE(list.previousStart(BytePos(60)), std::nullopt);
    QCOMPARE(list.previousStart(BytePos(10)), std::nullopt);
    QCOMPARE(ChapterList().indexAt(BytePos(1)), -1);
    QCOMPARE(ChapterList().nextStart(BytePos(1)), std::nullopt);
}

void tst_Chapters::lineFeedsAreFoundInEveryBlock_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<int>("misalignment");
    for (int misalignment : {0, 1}) {
        for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
            QTest::addRow("%s, %d", qPrintable(EncodingName(encoding)), misalignment) << encoding << misalignment;
    }
}

// Bytes 10 and 0 in plenty, so that line feeds fall at every place of a block, at block ends and
// beside bytes 10 that are none; found from every place, also in memory at an odd address.
void tst_Chapters::lineFeedsAreFoundInEveryBlock()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(int, misalignment);
    QByteArray bytes;
    quint32 seed = 7;
    for (int i = 0; i < 1000; ++i) {
        seed = seed * 1103515245U + 12345U;
        const int pick = int(seed >> 16) % 8;
        bytes += pick < 3 ? '\n' : pick < 6 ? '\0' : char('a' + pick);
    }
    const QByteArray lineFeed = TextCodec::Encode(encoding, QStringLiteral("\n"));
    std::vector<qint64> expected;
    for (qint64 at = 0; at + lineFeed.size() <= bytes.size(); at += lineFeed.size()) {
        if (bytes.mid(at, lineFeed.size()) == lineFeed)
            expected.push_back(at);
    }
    QVERIFY(expected.size() > 50);
    const QByteArray memory = QByteArray(misalignment, 'x') + bytes;
    LineFeeds lineFeeds(memory.constData() + misalignment, bytes.size(), encoding);
    for (qint64 from = 0; from <= bytes.size(); ++from) {
        lineFeeds.Seek(from);
        std::vector<qint64> found;
        for (qint64 at; (at = lineFeeds.Next()) >= 0;)
            found.push_back(at);
        const auto first = std::lower_bound(expected.begin(), expected.end(), from);
        QCOMPARE(found, std::vector<qint64>(first, expected.end()));
    }
}

// Lines, and the heading lines among them, are found alike wherever the file is split between the
// threads that scan it: a line, a heading or a character split between two stretches, a stretch
// inside a long line, CR LF line ends, a last line without one.
void tst_Chapters::scanFindsLinesWhereverSplit()
{
    const QString text = QStringLiteral("书名\r\n　　第一章　开端\r\n") + Repeat(QStringLiteral("正文，正文。\r\n"), 30)
                         + QStringLiteral("第二章 ") + Repeat(QStringLiteral("长长的一行，"), 200) + QStringLiteral("\r\n")
                         + QStringLiteral("第二天，天亮了。\r\n第三章 结尾");
    const QByteArray bytes = Gbk::fromUnicode(text);
    const QString path = m_dir.filePath(QStringLiteral("chunks.txt"));
    QVERIFY(WriteGbk(path, text));
    const std::optional<ChapterList> whole = ScanChapters(path);
    QVERIFY(whole);
    QCOMPARE(Titles(*whole), (QStringList{QStringLiteral("第一章　开端"), QStringLiteral("第二章 长长的一行"),
                                          QStringLiteral("第三章 结尾")}));
    for (const Chapter &c : whole->entries())
        QVERIFY(c.start == BytePos(1) || bytes[c.start.value() - 2] == '\n');
    QCOMPARE(whole->at(0).start, BytePos(Gbk::fromUnicode(QStringLiteral("书名\r\n")).size() + 1));
    const qint64 longLine = whole->at(1).start.value() - 1;
    for (qint64 split : SplitPoints(bytes.size(), longLine))
        QCOMPARE(ScanSplit(bytes, TextEncoding::Gbk, {split}), whole);
    QCOMPARE(ScanSplit(bytes, TextEncoding::Gbk, {longLine + 1, longLine + 400, longLine + 401}), whole);
    // A scan cancelled before its threads are done gives no table.
    const std::atomic_bool cancelled{true};
    QVERIFY(!ScanChapterBytes(bytes.constData(), bytes.size(), TextEncoding::Gbk, {longLine}, &cancelled));
}

void tst_Chapters::scanInEveryEncodingIgnoresSplits_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("GBK") << TextEncoding::Gbk << QByteArray();
    QTest::newRow("UTF-8 with mark") << TextEncoding::Utf8 << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-16LE with mark") << TextEncoding::Utf16Le << QByteArray("\xFF\xFE");
    QTest::newRow("UTF-16LE") << TextEncoding::Utf16Le << QByteArray();
    QTest::newRow("UTF-16BE") << TextEncoding::Utf16Be << QByteArray();
}

// A heading first in the file behind a byte-order mark, heading lines and a long line split between
// stretches, characters whose UTF-16 code units hold a byte 10 (上, and U+0A01 between two 一 puts it
// beside a zero byte at the wrong offset), and the twenty parts of a novel without headings: alike
// in one stretch and in several, wherever they part.
void tst_Chapters::scanInEveryEncodingIgnoresSplits()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, mark);
    const QString withHeadings = QStringLiteral("第一章 上山\r\n") + Repeat(QStringLiteral("上山一\u0A01一，下山。\r\n"), 25)
                                 + QStringLiteral("　第二章 ") + Repeat(QStringLiteral("上上"), 300)
                                 + QStringLiteral("\n\n第三章 下山\n") + Repeat(QStringLiteral("后来，上山。\n"), 20);
    const QString plain = Repeat(QStringLiteral("没有标题的一行一\u0A01一文字。\n"), 61);
    for (const QString &text : {withHeadings, plain}) {
        const QByteArray bytes = mark + TextCodec::Encode(encoding, text);
        const std::optional<ChapterList> expected = ScanSplit(bytes, encoding, {});
        QVERIFY(expected);
        QCOMPARE(expected->headingsFound(), text == withHeadings);
        if (expected->headingsFound())
            QCOMPARE(Titles(*expected), (QStringList{QStringLiteral("第一章 上山"),
                                                     QStringLiteral("第二章 ") + Repeat(QStringLiteral("上"), 30),
                                                     QStringLiteral("第三章 下山")}));
        else
            QCOMPARE(expected->size(), ChapterList::kParts);
        for (qint64 split : SplitPoints(bytes.size(), expected->at(1).start.value() - 1))
            QCOMPARE(ScanSplit(bytes, encoding, {split}), expected);
        QCOMPARE(ScanSplit(bytes, encoding, {bytes.size() / 3 + 1, bytes.size() / 2, bytes.size() / 2 + 1}), expected);
    }
}

void tst_Chapters::scanKeepsRepeatedHeadingOnce()
{
    const QString body = Repeat(QStringLiteral("正文，正文，正文。\n"), 40);
    const QString path = m_dir.filePath(QStringLiteral("repeated.txt"));
    QVERIFY(WriteGbk(path, QStringLiteral("第一章 开端\n\n第一章 开端\n") + body + QStringLiteral("第一章 开端\n") + body));
    const std::optional<ChapterList> list = ScanChapters(path);
    QVERIFY(list);
    // The line repeated just below the heading is the same heading; far below, it is another.
    QCOMPARE(list->size(), 2);
    QCOMPARE(list->at(0).start, BytePos(1));
}

void tst_Chapters::novelWithoutHeadingsHasTwentyParts()
{
    const QString path = m_dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(WriteGbk(path, Repeat(QStringLiteral("没有标题的一行文字。\n"), 997)));
    const QByteArray bytes = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    const std::optional<ChapterList> list = ScanChapters(path);
    QVERIFY(list);
    QVERIFY(!list->headingsFound());
    QCOMPARE(list->size(), ChapterList::kParts);
    for (int i = 0; i < list->size(); ++i) {
        const qint64 start = list->at(i).start.value();
        QCOMPARE(list->at(i).title, QString::number(i * 5) + u'%');
        QVERIFY(start == 1 || bytes[start - 2] == '\n');
        // Each part starts at the first line inside its twentieth of the file.
        QVERIFY(start - 1 >= bytes.size() * i / 20);
        QVERIFY(start - 1 < bytes.size() * i / 20 + 23);
    }
    // One line without an end is one part; an empty file one part at its start.
    QVERIFY(WriteGbk(path, Repeat(QStringLiteral("字"), 500)));
    QCOMPARE(ScanChapters(path)->size(), 1);
    QVERIFY(WriteGbk(path, QString()));
    QCOMPARE(ScanChapters(path)->at(0).start, BytePos(1));
    QVERIFY(!ScanChapters(m_dir.filePath(QStringLiteral("missing.txt"))));
}

void tst_Chapters::cacheKeepsTableForUnchangedFileOnly()
{
    const QString path = m_dir.filePath(QStringLiteral("cached.txt"));
    QVERIFY(WriteGbk(path, QStringLiteral("第一章 甲\n正文。\n第二章 乙\n正文。\n")));
    const std::optional<ChapterList> scanned = LoadOrScanChapters(path);
    QVERIFY(scanned);
    QVERIFY(QFile::exists(ChapterCache::CacheFilePath(path)));
    QCOMPARE(ChapterCache::Load(FileStamp::Of(Novel{path, TextEncoding::Gbk})), scanned);
    // What is kept is what a second open uses, without a scan.
    const ChapterList kept({{BytePos(3), HeadingLevel::Volume, QStringLiteral("kept")}}, true);
    QVERIFY(ChapterCache::Save(FileStamp::Of(Novel{path, TextEncoding::Gbk}), kept));
    QCOMPARE(LoadOrScanChapters(path), kept);
    // A changed file is scanned again.
    QVERIFY(WriteGbk(path, QStringLiteral("第一章 甲\n正文。\n第二章 乙\n正文。\n第三章 丙\n")));
    QCOMPARE(ChapterCache::Load(FileStamp::Of(Novel{path, TextEncoding::Gbk})), std::nullopt);
    QCOMPARE(LoadOrScanChapters(path)->size(), 3);
    FileStamp other = FileStamp::Of(Novel{path, TextEncoding::Gbk});
    other.modified += 1000;
    QCOMPARE(ChapterCache::Load(other), std::nullopt);
    // A table found in one encoding is not the table of another.
    QCOMPARE(ChapterCache::Load(FileStamp::Of(Novel{path, TextEncoding::Gb18030})), std::nullopt);
}

void tst_Chapters::damagedCacheIsScannedAgain()
{
    const QString path = m_dir.filePath(QStringLiteral("damaged.txt"));
    QVERIFY(WriteGbk(path, QStringLiteral("第一章 甲\n正文。\n第二章 乙\n")));
    const std::optional<ChapterList> scanned = LoadOrScanChapters(path);
    QFile cache(ChapterCache::CacheFilePath(path));
    QVERIFY(cache.open(QIODevice::ReadOnly));
    const QByteArray good = cache.readAll();
    cache.close();
    // Cut short, a byte changed at each place, a byte too many.
    QList<QByteArray> damaged{good.left(good.size() - 3), good + 'x'};
    for (qsizetype at = 0; at < good.size(); at += 5) {
        QByteArray bad = good;
        bad[at] = char(bad[at] ^ 0x5A);
        damaged << bad;
    }
    for (const QByteArray &bad : damaged) {
        QVERIFY(cache.open(QIODevice::WriteOnly));
        cache.write(bad);
        cache.close();
        const std::optional<ChapterList> loaded = ChapterCache::Load(FileStamp::Of(Novel{path, TextEncoding::Gbk}));
        // A change inside a title may leave a sound table; never one that is out of order.
        if (loaded) {
            QCOMPARE(loaded->size(), 2);
            QVERIFY(loaded->at(0).start < loaded->at(1).start);
        }
        QCOMPARE(Titles(*LoadOrScanChapters(path)).size(), 2);
    }
    QVERIFY(QFile::remove(cache.fileName()));
    QCOMPARE(LoadOrScanChapters(path), scanned);
}

// The novel is cut short after it was mapped and before its pages are read: the scan neither
// dies of a bus error nor reads the lost pages as text, and gives the table of what is left.
void tst_Chapters::fileCutWhileMappedIsScannedAsItIsNow_data()
{
    QTest::addColumn<qint64>("pagesKept"); // in pages of the system's size; -1 keeps the whole file
    QTest::addColumn<qint64>("bytesPastThem");
    QTest::addColumn<bool>("pagesLost");
    QTest::newRow("not cut") << qint64(-1) << qint64(0) << false;
    QTest::newRow("cut to nothing") << qint64(0) << qint64(0) << true;
    QTest::newRow("cut at a page boundary") << qint64(2) << qint64(0) << true;
    QTest::newRow("cut inside a page") << qint64(1) << qint64(700) << true;
    QTest::newRow("cut inside the last page") << qint64(-1) << qint64(-9) << false;
}

void tst_Chapters::fileCutWhileMappedIsScannedAsItIsNow()
{
    QFETCH(qint64, pagesKept);
    QFETCH(qint64, bytesPastThem);
    QFETCH(bool, pagesLost);
    const QString path = m_dir.filePath(QStringLiteral("cut.txt"));
    QString text;
    for (int chapter = 1; chapter <= 40; ++chapter)
        text += QStringLiteral("第%1章 标题\n").arg(Numeral(chapter))
                + Repeat(QStringLiteral("正文一行，写满了字。\n"), 20);
    QVERIFY(WriteGbk(path, text));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const qint64 page = sysconf(_SC_PAGESIZE);
    QVERIFY(file.size() > 4 * page);
    const GuardedMap map(file.handle(), file.size());
    QVERIFY(map.data());
    const qint64 cut = (pagesKept < 0 ? file.size() : pagesKept * page) + bytesPastThem;
    QVERIFY(file.resize(cut));
    file.close();

    const std::optional<ChapterList> scanned = ScanMappedChapters(Novel{path, TextEncoding::Gbk}, map);
    QVERIFY(scanned);
    QCOMPARE(scanned, ScanChapterBytes(Gbk::fromUnicode(text).left(cut).constData(), cut, TextEncoding::Gbk, {}));
    if (cut > 0)
        QVERIFY(Titles(*scanned).contains(QStringLiteral("第一章 标题")));
    // The pages the file lost read as zero bytes, and the mapping tells they were lost.
    qint64 sum = 0;
    for (qint64 at = 0; at < map.size(); ++at)
        sum += (at >= cut) * uchar(map.data()[at]);
    QCOMPARE(sum, qint64(0));
    QCOMPARE(map.shrank(), pagesLost);
}

void tst_Chapters::loaderHandsOverLastRequestOnly()
{
    const QString first = m_dir.filePath(QStringLiteral("first.txt"));
    const QString second = m_dir.filePath(QStringLiteral("second.txt"));
    QVERIFY(WriteGbk(first, QStringLiteral("第一章 甲\n")));
    QVERIFY(WriteGbk(second, QStringLiteral("第一章 乙\n第二章 丙\n")));
    ChapterLoader loader;
    QSignalSpy ready(&loader, &ChapterLoader::Ready);
    loader.Request(first);
    loader.Request(second);
    QVERIFY(ready.wait(10000));
    QTest::qWait(50);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(loader.Path(), second);
    QCOMPARE(Titles(loader.Chapters()), (QStringList{QStringLiteral("第一章 乙"), QStringLiteral("第二章 丙")}));
    loader.Request(m_dir.filePath(QStringLiteral("missing.txt")));
    QVERIFY(ready.wait(10000));
    QVERIFY(loader.IsReady());
    QVERIFY(loader.Chapters().isEmpty());
}

TARROWIN_GUILESS_TEST_MAIN(tst_Chapters)
#include "tst_chapters.moc"
