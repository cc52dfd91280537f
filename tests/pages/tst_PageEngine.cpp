#include "TestRegistry.h"
#include "ChunkSize.h"
#include "Gbk.h"
#include "GridMeasure.h"
#include "PageCut.h"
#include "PageEngine.h"
#include "PageTurn.h"
#include "TempNovel.h"
#include "mdlFileBinText.h"
#include <QTest>

namespace {

// A reader without a window: a page box, two count boxes, a position, the engine on a grid.
class Reader : public PageTurnTarget
{
public:
    Reader(const QString &path, int columns, int rows) : measure(columns, rows), m_path(path)
    {
        chunkSize = ChunkSize::Measure(measure);
    }

    QString CountText(int index) const override { return counts[index]; }
    void SetCountText(int index, const QString &text) override { counts[index] = text; }
    QString PageText() const override { return page; }
    void SetPageText(const QString &text) override
    {
        page = text;
        shown << text;
    }
    BytePos Position() const override { return position; }
    void SetPosition(BytePos at) override { position = at; }
    QString NextPage() override { return PageEngine::NextPage(measure, m_path, position, chunkSize); }
    QString PrevPage(const QString &shownText) override
    {
        ++backwardTurns;
        return PageEngine::PrevPage(measure, m_path, position, chunkSize, shownText);
    }

    GridMeasure measure;
    BytePos position;
    qint64 chunkSize;
    QString page;
    QString counts[2] = {QStringLiteral("1"), QStringLiteral("1")};
    QStringList shown;
    int backwardTurns = 0;

private:
    QString m_path;
};

// The file's text and the byte position of each of its characters.
struct NovelText
{
    explicit NovelText(const QString &text) : text(text)
    {
        qint64 pos = 1;
        for (const QChar c : text) {
            bytePos.append(pos);
            pos += c.unicode() < 0x80 ? 1 : 2;
        }
        bytePos.append(pos);
    }
    // Index of the character at byte `pos`; -1 if no character starts there.
    int CharAt(qint64 pos) const
    {
        const auto it = std::lower_bound(bytePos.begin(), bytePos.end(), pos);
        return (it != bytePos.end() && *it == pos) ? int(it - bytePos.begin()) : -1;
    }
    QString text;
    QList<qint64> bytePos;
};

int NextBreakEnd(const QString &text, int from)
{
    for (int i = from; i < text.size(); ++i)
        if (PageCut::IsBreakCharacter(text.at(i)))
            return i + 1;
    return int(text.size());
}

int PrevBreakStart(const QString &text, int before)
{
    for (int i = before - 1; i >= 0; --i)
        if (PageCut::IsBreakCharacter(text.at(i)))
            return i;
    return 0;
}

QString CorpusFile(const char *name)
{
    return QStringLiteral(TARROWIN_CORPUS_DIR "/") + QLatin1String(name);
}

}

class TestPageEngine : public QObject
{
    Q_OBJECT
private slots:
    void nextAndPreviousPagesOfANovel()
    {
        const QString path = CorpusFile("xiyouji.txt");
        if (!QFile::exists(path))
            QSKIP("corpus folder absent: " TARROWIN_CORPUS_DIR);
        const NovelText novel(mdlFileBinText::ReadTextFile(path).value_or(QString()));
        Reader reader(path, 40, 15);
        QList<qint64> starts;
        for (int i = 0; i < 40; ++i) {
            const qint64 start = reader.position.value();
            starts << start;
            const QString page = reader.NextPage();
            const int at = novel.CharAt(start);
            QCOMPARE(novel.text.mid(at, page.size()), page);
            QCOMPARE(reader.position.value(), novel.bytePos[at + page.size()]);
            QVERIFY(!reader.measure.Overflows(page));
            QVERIFY(PageCut::IsBreakCharacter(page.back()));
            // One more stretch up to the next break character would not fit.
            const int longer = NextBreakEnd(novel.text, at + int(page.size()));
            QVERIFY(reader.measure.Overflows(novel.text.mid(at, longer - at)));
        }
        reader.page = novel.text.mid(novel.CharAt(starts.last()),
                                     novel.CharAt(reader.position.value()) - novel.CharAt(starts.last()));
        for (int i = 0; i < 20; ++i) {
            const qint64 end = reader.position.value() - Gbk::byteLength(reader.page);
            reader.page = reader.PrevPage(reader.page);
            QCOMPARE(reader.position.value(), end);
            const int endAt = novel.CharAt(end);
            const int at = endAt - int(reader.page.size());
            QCOMPARE(novel.text.mid(at, reader.page.size()), reader.page);
            QVERIFY(!reader.measure.Overflows(reader.page));
            QVERIFY(PageCut::IsBreakCharacter(novel.text.at(at - 1)));
            const int longer = PrevBreakStart(novel.text, at - 1);
            QVERIFY(reader.measure.Overflows(novel.text.mid(longer, endAt - longer)));
        }
    }

    void stretchWithoutBreakCharacters()
    {
        const QString text = QString(3000, QChar(0x5929)); // 天
        TempNovel novel(text);
        Reader reader(novel.path(), 20, 10); // 100 characters a page
        QCOMPARE(reader.NextPage(), text.left(100));
        reader.page = reader.NextPage();
        QCOMPARE(reader.page, text.left(100));
        QCOMPARE(reader.position.value(), qint64(401));
        reader.page = reader.NextPage();
        QCOMPARE(reader.position.value(), qint64(601));
        QCOMPARE(reader.PrevPage(reader.page), text.left(100));
        QCOMPARE(reader.position.value(), qint64(401));
    }

    void backwardWithinOneChunkOfTheStartShowsTheFirstPage()
    {
        TempNovel novel(QStringLiteral("甲乙丙丁戊己庚辛壬癸，子丑寅卯辰巳午未申酉，戌亥。"));
        Reader reader(novel.path(), 8, 2); // 8 characters a page
        reader.position = BytePos(7);      // where a find landed: 丁
        reader.page = reader.NextPage();
        QCOMPARE(reader.page, QStringLiteral("丁戊己庚辛壬癸，"));
        QCOMPARE(reader.PrevPage(reader.page), QStringLiteral("甲乙丙丁戊己庚辛"));
        QCOMPARE(reader.position.value(), qint64(17));
    }

    void pageEndingAtCrLfEndsAfterTheLf()
    {
        TempNovel novel(QStringLiteral("甲乙丙丁\r\n") + QString(100, QChar(0x5929)));
        Reader reader(novel.path(), 8, 2);
        QCOMPARE(reader.NextPage(), QStringLiteral("甲乙丙丁\r\n"));
        QCOMPARE(reader.position.value(), qint64(11));
    }

    void backwardAtPositionOneIsEmpty()
    {
        TempNovel novel(QStringLiteral("甲乙丙丁。"));
        Reader reader(novel.path(), 8, 2);
        QCOMPARE(reader.PrevPage(QStringLiteral("甲乙")), QString());
        QCOMPARE(reader.position.value(), qint64(1));
    }

    void endOfFileGivesEmptyPageThenBackShowsTheLast()
    {
        TempNovel novel(QStringLiteral("一二三四，五六七八。九十"));
        Reader reader(novel.path(), 8, 1); // 4 characters a page
        QStringList pages;
        for (QString p = reader.NextPage(); !p.isEmpty(); p = reader.NextPage())
            pages << p;
        QCOMPARE(pages.join(QString()), QStringLiteral("一二三四，五六七八。九十"));
        QCOMPARE(reader.position.value(), qint64(25));
        QCOMPARE(reader.NextPage(), QString());
        QCOMPARE(reader.position.value(), qint64(25));
        QCOMPARE(reader.PrevPage(QString()), pages.last());
        QCOMPARE(reader.position.value(), qint64(25));
    }

    // Where a forward turn leaves the position: after the page's last byte, whether the turn began
    // on a character or inside one, whether the chunk ends inside the file or past its end, and
    // never past the byte after the file's last byte; a page that is not all of the chunk ends at
    // its last break character. The novel is 12 characters of 2 bytes
    // (一 at byte 1, 二 at 3, ... 十 at 23, the file's end at byte 25); 4 characters a page.
    void nextPageEndsAfterItsLastByte_data()
    {
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("chunkSize");
        QTest::addColumn<QString>("page");
        QTest::addColumn<qint64>("after");
        QTest::newRow("on a character") << qint64(1) << qint64(16) << QStringLiteral("一二三四") << qint64(9);
        QTest::newRow("inside a character") << qint64(2) << qint64(16) << QStringLiteral("二三四，") << qint64(11);
        QTest::newRow("a chunk past the end, page shorter") << qint64(13) << qint64(16) << QStringLiteral("六七八。")
                                                            << qint64(21);
        QTest::newRow("a chunk past the end, page to the end") << qint64(21) << qint64(16) << QStringLiteral("九十")
                                                               << qint64(25);
        QTest::newRow("a chunk that ends at the end") << qint64(17) << qint64(8) << QStringLiteral("八。") << qint64(21);
        QTest::newRow("the last character only") << qint64(23) << qint64(16) << QStringLiteral("十") << qint64(25);
    }
    void nextPageEndsAfterItsLastByte()
    {
        QFETCH(qint64, from);
        QFETCH(qint64, chunkSize);
        QFETCH(QString, page);
        QFETCH(qint64, after);
        TempNovel novel(QStringLiteral("一二三四，五六七八。九十"));
        GridMeasure measure(8, 1);
        BytePos position(from);
        QCOMPARE(PageEngine::NextPage(measure, novel.path(), position, chunkSize), page);
        QCOMPARE(position.value(), after);
    }

    // Zero bytes in the file: a page shows the text up to them and the next page goes on after
    // them; zero bytes where a page would start are stepped over. The position ends at the byte
    // after the file's last byte.
    void zeroBytesAreSteppedOver_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pages");
        const QString zeros(3, QChar(0));
        QTest::newRow("after a break") << QStringLiteral("一二。") + zeros + QStringLiteral("三四。")
                                       << QStringList{QStringLiteral("一二。"), QStringLiteral("三四。")};
        QTest::newRow("inside a sentence") << QStringLiteral("一二") + zeros + QStringLiteral("三四。")
                                           << QStringList{QStringLiteral("一二"), QStringLiteral("三四。")};
        QTest::newRow("at the start of the file") << zeros + QStringLiteral("一二三。")
                                                  << QStringList{QStringLiteral("一二三。")};
        QTest::newRow("a run longer than a chunk") << QStringLiteral("一二。") + QString(100, QChar(0)) + QStringLiteral("三四。")
                                                   << QStringList{QStringLiteral("一二。"), QStringLiteral("三四。")};
        QTest::newRow("at the end of the file") << QStringLiteral("一二三。") + zeros
                                                << QStringList{QStringLiteral("一二三。")};
    }
    void zeroBytesAreSteppedOver()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pages);
        TempNovel novel(text);
        Reader reader(novel.path(), 8, 1); // 4 characters a page
        QStringList shown;
        for (QString p = reader.NextPage(); !p.isEmpty() && shown.size() < 10; p = reader.NextPage())
            shown << p;
        QCOMPARE(shown, pages);
        QCOMPARE(reader.position.value(), Gbk::byteLength(text) + 1);
    }

    // The bytes after a zero byte are counted in the novel's encoding: in UTF-8 a page after zero
    // bytes starts on its first character and the last one ends at the end of the file.
    void zeroBytesAreSteppedOverInTheNovelsEncoding()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("utf8.txt"));
        const QByteArray bytes = QStringLiteral("一二。").toUtf8() + QByteArray(3, '\0') + QStringLiteral("三四。").toUtf8();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const Novel novel{path, TextEncoding::Utf8};
        GridMeasure measure(8, 1);
        BytePos position(1);
        QStringList shown;
        for (QString p = PageEngine::NextPage(measure, novel, position, 16); !p.isEmpty() && shown.size() < 10;
             p = PageEngine::NextPage(measure, novel, position, 16))
            shown << p;
        QCOMPARE(shown, (QStringList{QStringLiteral("一二。"), QStringLiteral("三四。")}));
        QCOMPARE(position.value(), bytes.size() + 1);
    }

    // Back from a page whose forward turn stepped over zero bytes after it: the page before it,
    // ending where the shown page begins, not inside it.
    void backFromAPageBeforeZeroBytes_data()
    {
        QTest::addColumn<QString>("zeros");
        QTest::addColumn<QString>("shownPage");
        QTest::newRow("after a break") << QString(3, QChar(0)) << QStringLiteral("一二。");
        QTest::newRow("inside a sentence") << QString(1, QChar(0)) << QStringLiteral("一二");
        QTest::newRow("an odd run inside a sentence") << QString(5, QChar(0)) << QStringLiteral("一二");
    }
    void backFromAPageBeforeZeroBytes()
    {
        QFETCH(QString, zeros);
        QFETCH(QString, shownPage);
        const QString before = QStringLiteral("甲乙丙。").repeated(6);
        TempNovel novel(before + shownPage + zeros + QStringLiteral("三四。"));
        Reader reader(novel.path(), 8, 1); // 4 characters a page
        QString page;
        while (page != shownPage && reader.position.value() < 100)
            page = reader.NextPage();
        QCOMPARE(page, shownPage);
        QCOMPARE(reader.position.value(), Gbk::byteLength(before + shownPage + zeros) + 1);
        QCOMPARE(reader.PrevPage(page), QStringLiteral("甲乙丙。"));
        QCOMPARE(reader.position.value(), Gbk::byteLength(before) + 1);
    }

    // A page cut again for a smaller or a larger box (a resize, another font) begins at the same
    // character: after a smaller one the next page follows on with nothing skipped, and a larger
    // one is filled as a page cut there for it from the start would be. A box too small for one
    // line keeps the page and its position.
    void pageCutAgainBeginsAtItsFirstCharacter()
    {
        const QString path = CorpusFile("xiyouji.txt");
        if (!QFile::exists(path))
            QSKIP("corpus folder absent: " TARROWIN_CORPUS_DIR);
        const NovelText novel(mdlFileBinText::ReadTextFile(path).value_or(QString()));
        Reader large(path, 40, 15);
        Reader small(path, 30, 6);
        QString page;
        for (int i = 0; i < 7; ++i)
            page = large.NextPage();
        const qint64 start = large.position.value() - Gbk::byteLength(page);
        const int at = novel.CharAt(start);

        BytePos position = large.position;
        const QString smaller = PageEngine::PageAgain(small.measure, Novel{path}, position, small.chunkSize, page);
        QVERIFY(!smaller.isEmpty() && smaller.size() < page.size());
        QCOMPARE(novel.text.mid(at, smaller.size()), smaller);
        QVERIFY(!small.measure.Overflows(smaller));
        QCOMPARE(position.value(), novel.bytePos[at + smaller.size()]);
        small.position = position;
        const QString next = small.NextPage();
        QCOMPARE(novel.text.mid(at + smaller.size(), next.size()), next);

        BytePos fromStart(start);
        const QString filled = PageEngine::NextPage(large.measure, Novel{path}, fromStart, large.chunkSize);
        QCOMPARE(PageEngine::PageAgain(large.measure, Novel{path}, position, large.chunkSize, smaller), filled);
        QCOMPARE(position, fromStart);

        GridMeasure noLine(40, 0);
        QCOMPARE(PageEngine::PageAgain(noLine, Novel{path}, position, large.chunkSize, filled), QString());
        QCOMPARE(position, fromStart);
    }

    // A page before a run of zero bytes, which its turn stepped over, is cut again from its own
    // first character, not from one the zero bytes push it back to.
    void pageCutAgainBeforeZeroBytes()
    {
        const QString before = QStringLiteral("甲乙丙。").repeated(6);
        TempNovel novel(before + QStringLiteral("一二。") + QString(3, QChar(0)) + QStringLiteral("三四。"));
        Reader reader(novel.path(), 8, 1);
        QString page;
        while (page != QStringLiteral("一二。") && reader.position.value() < 100)
            page = reader.NextPage();
        const BytePos after = reader.position;
        GridMeasure wider(16, 1);
        QCOMPARE(PageEngine::PageAgain(wider, Novel{novel.path()}, reader.position, reader.chunkSize, page),
                 QStringLiteral("一二。"));
        QCOMPARE(reader.position, after);
    }

    // The wheel: a notch a page, small steps added up, a step the other way dropping the rest.
    void wheelNotchesTurnPages()
    {
        WheelTurns wheel;
        QCOMPARE(wheel.Add(-120), -1);
        QCOMPARE(wheel.Add(360), 3);
        QCOMPARE(wheel.Add(40), 0);
        QCOMPARE(wheel.Add(40), 0);
        QCOMPARE(wheel.Add(40), 1);
        QCOMPARE(wheel.Add(-100), 0);
        QCOMPARE(wheel.Add(100), 0);
        QCOMPARE(wheel.Add(-30), 0);
        QCOMPARE(wheel.Add(-100), -1);
    }

    // A turn that gives no page leaves the page on show and its position: past the end of the
    // file (one page or many), before its start, in a box too small for one line.
    void turnWithoutAPageKeepsThePage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<QString>("page");
        QTest::addColumn<qint64>("position");
        const QString shown = QStringLiteral("前页");
        QTest::newRow("one page past the end") << 0 << "1" << 1 << qint64(25) << shown << qint64(25);
        QTest::newRow("many pages, the last one past the end")
            << 0 << "50" << 1 << qint64(17) << QStringLiteral("九十") << qint64(25);
        QTest::newRow("back at position 1") << 1 << "1" << 1 << qint64(1) << shown << qint64(1);
        QTest::newRow("a box too small for one line") << 0 << "1" << 0 << qint64(9) << shown << qint64(9);
    }
    void turnWithoutAPageKeepsThePage()
    {
        QFETCH(int, index);
        QFETCH(QString, count);
        QFETCH(int, rows);
        QFETCH(qint64, from);
        QFETCH(QString, page);
        QFETCH(qint64, position);
        TempNovel novel(QStringLiteral("一二三四，五六七八。九十"));
        Reader reader(novel.path(), 8, rows);
        reader.chunkSize = 12;
        reader.page = QStringLiteral("前页");
        reader.position = BytePos(from);
        reader.counts[index] = count;
        TurnPages(reader, index);
        QCOMPARE(reader.page, page);
        QCOMPARE(reader.position.value(), position);
        QCOMPARE(reader.counts[index], QStringLiteral("1"));
    }

    void missingFileGivesEmptyPages()
    {
        Reader reader(QStringLiteral("/nonexistent/novel.txt"), 8, 2);
        QCOMPARE(reader.NextPage(), QString());
        QCOMPARE(reader.position.value(), qint64(1));
    }

    // A chunk that would begin on the second byte of a double-byte character begins one byte
    // later and still ends where the shown page begins, whatever the shown page begins with.
    void alignmentCheckKeepsThePageWhole_data()
    {
        QTest::addColumn<QString>("shownStart");
        QTest::newRow("shown page begins with a Chinese character") << QStringLiteral("丙");
        QTest::newRow("shown page begins with an ASCII character") << QStringLiteral("x");
    }
    void alignmentCheckKeepsThePageWhole()
    {
        QFETCH(QString, shownStart);
        const QString before = QStringLiteral("ab\n") + QString(40, QChar(0x5929));
        const QString text = before + shownStart + QStringLiteral("丁戊。");
        TempNovel novel(text);
        const QString shown = text.mid(before.size());
        const qint64 end = 1 + Gbk::byteLength(text);
        for (qint64 chunk = 9; chunk <= 30; ++chunk) {
            Reader reader(novel.path(), 200, 1);
            reader.chunkSize = chunk;
            reader.position = BytePos(end);
            const QString page = reader.PrevPage(shown);
            QCOMPARE(reader.position.value(), end - Gbk::byteLength(shown));
            QVERIFY2(before.endsWith(page), qPrintable(page));
            QCOMPARE(page.size(), chunk / 2);
        }
    }

    void turnCountsDown_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QString>("countAfter");
        QTest::newRow("forward 3") << 0 << QStringLiteral("3") << 3 << QStringLiteral("1");
        QTest::newRow("backward 3") << 1 << QStringLiteral("3") << 3 << QStringLiteral("1");
        QTest::newRow("forward 1") << 0 << QStringLiteral("1") << 1 << QStringLiteral("1");
        QTest::newRow("backward abc") << 1 << QStringLiteral("abc") << 1 << QStringLiteral("abc");
        QTest::newRow("forward 0") << 0 << QStringLiteral("0") << 1 << QStringLiteral("0");
        QTest::newRow("forward 2.4 reads as 2") << 0 << QStringLiteral("2.4") << 2 << QStringLiteral("1");
    }
    void turnCountsDown()
    {
        QFETCH(int, index);
        QFETCH(QString, count);
        QFETCH(int, turns);
        QFETCH(QString, countAfter);
        TempNovel novel(QString(60, QChar(0x5929)) + QStringLiteral("。") + QStringLiteral("甲乙丙丁，").repeated(80));
        Reader reader(novel.path(), 8, 2);
        for (int i = 0; i < 8; ++i)
            reader.SetPageText(reader.NextPage());
        reader.shown.clear();
        reader.counts[index] = count;
        TurnPages(reader, index);
        QCOMPARE(reader.shown.size(), turns);
        QCOMPARE(reader.counts[index], countAfter);
        QCOMPARE(reader.counts[1 - index], QStringLiteral("1"));
        QCOMPARE(reader.backwardTurns, index == 1 ? turns : 0);
    }

    void aHugeCountStopsOnceNothingChanges()
    {
        TempNovel novel(QStringLiteral("甲乙丙丁，").repeated(10));
        Reader reader(novel.path(), 8, 2);
        reader.counts[0] = QStringLiteral("1000000000");
        TurnPages(reader, 0);
        QCOMPARE(reader.counts[0], QStringLiteral("1"));
        QCOMPARE(reader.page, QStringLiteral("甲乙丙丁，"));
        QCOMPARE(reader.position.value(), qint64(101));
        QVERIFY(reader.shown.size() < 20);
        reader.counts[1] = QStringLiteral("1000000000");
        TurnPages(reader, 1);
        QCOMPARE(reader.counts[1], QStringLiteral("1"));
        QCOMPARE(reader.page, QStringLiteral("甲乙丙丁，"));
        QCOMPARE(reader.position.value(), qint64(11));
    }
};

TARROWIN_APPLESS_TEST_MAIN(TestPageEngine)
#include "tst_PageEngine.moc"
