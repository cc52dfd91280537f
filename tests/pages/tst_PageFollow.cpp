#include "TestRegistry.h"
#include "GridMeasure.h"
#include "PageEngine.h"
#include "PageFollow.h"
#include "PieceReader.h"
#include "TempNovel.h"
#include "TextCodec.h"
#include "../support/ReplacementCharacters.h"
#include <QTemporaryDir>
#include <QTest>

namespace {

// The pages a reader turning by hand from byte 1 sees: where each starts and its text.
struct HandPages
{
    QList<BytePos> starts;
    QList<BytePos> ends;
    QStringList texts;

    int Holding(BytePos at) const
    {
        for (int i = 0; i < starts.size(); ++i)
            if (starts[i] <= at && at < ends[i])
                return i;
        return -1;
    }
};

struct Book
{
    Book(const QString &text, int columns, int rows) : file(text), measure(columns, rows), novel{file.path()} {}

    PageFollower Follower()
    {
        return PageFollower(novel, [this](BytePos &at) { return PageEngine::NextPage(measure, novel, at, ChunkSize); });
    }

    HandPages TurnByHand()
    {
        HandPages pages;
        BytePos at(1);
        for (;;) {
            const BytePos start = at;
            const QString page = PageEngine::NextPage(measure, novel, at, ChunkSize);
            if (page.isEmpty())
                return pages;
            pages.starts << start;
            pages.ends << at;
            pages.texts << page;
        }
    }

    static constexpr qint64 ChunkSize = 400;
    TempNovel file;
    GridMeasure measure;
    Novel novel;
};

QString Story(int sentences)
{
    QString text;
    const QString parts[] = {QStringLiteral("他走进山里，"), QStringLiteral("看见 a stone。"), QStringLiteral("“好！”"),
                             QStringLiteral("天色已晚；又走了三十里路？\n"), QStringLiteral("没有停下来的意思就这样一直走下去")};
    for (int i = 0; i < sentences; ++i)
        text += parts[i % 5];
    return text;
}

}

class TestPageFollow : public QObject
{
    Q_OBJECT
private slots:
    void heardWordInBytes_data()
    {
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<qint64>("pieceEnd");
        const QString mixed = QStringLiteral("ab天下cd");
        QTest::newRow("ascii first") << int(TextEncoding::Gbk) << mixed << 0 << 2 << 101LL << 2LL << 109LL;
        QTest::newRow("double-byte after ascii") << int(TextEncoding::Gbk) << mixed << 2 << 2 << 103LL << 4LL << 109LL;
        QTest::newRow("utf-8 three bytes each") << int(TextEncoding::Utf8) << mixed << 3 << 2 << 106LL << 4LL << 111LL;
        QTest::newRow("utf-16") << int(TextEncoding::Utf16Le) << mixed << 2 << 1 << 105LL << 2LL << 113LL;
        QTest::newRow("length past the piece") << int(TextEncoding::Gbk) << mixed << 4 << 9 << 107LL << 2LL << 109LL;
        QTest::newRow("position past the piece") << int(TextEncoding::Gbk) << mixed << 40 << 2 << 109LL << 0LL << 109LL;
        QTest::newRow("negative position") << int(TextEncoding::Gbk) << mixed << -3 << 1 << 101LL << 1LL << 109LL;
    }

    void heardWordInBytes()
    {
        QFETCH(int, encoding);
        QFETCH(QString, piece);
        QFETCH(int, position);
        QFETCH(int, length);
        const HeardWord word = HeardWordIn(Novel{QString(), TextEncoding(encoding)}, BytePos(101), piece, position, length);
        QTEST(word.start.value(), "start");
        QTEST(word.length, "bytes");
        QTEST(word.pieceEnd.value(), "pieceEnd");
        QCOMPARE(word.pieceStart, BytePos(101));
    }

    // Every word of the novel, read piece by piece as the read-aloud window cuts them, is on the
    // page turning by hand shows for it, marked where it stands; pages are cut once each.
    void readingOnShowsTheHandTurnedPages_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("pieceLength");
        QTest::addColumn<int>("wordLength");
        QTest::newRow("pieces shorter than pages") << 20 << 6 << 60LL << 2;
        QTest::newRow("pieces longer than pages") << 12 << 3 << 300LL << 3;
        QTest::newRow("one-character words") << 16 << 4 << 100LL << 1;
    }

    void readingOnShowsTheHandTurnedPages()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(qint64, pieceLength);
        QFETCH(int, wordLength);
        Book book(Story(40), columns, rows);
        const HandPages pages = book.TurnByHand();
        QVERIFY(pages.texts.size() > 5);
        PageFollower follower = book.Follower();
        BytePos at(1);
        int piecesStraddling = 0;
        for (;;) {
            const BytePos pieceStart = at;
            const QString piece = NextPiece(book.novel, at, pieceLength);
            if (piece.isEmpty() || piece.at(0) == QChar(0))
                break;
            if (pages.Holding(pieceStart) != pages.Holding(at - 1))
                ++piecesStraddling;
            for (int c = 0; c < piece.size() && piece.at(c) != QChar(0); c += wordLength) {
                const HeardWord word = HeardWordIn(book.novel, pieceStart, piece, c, wordLength);
                const std::optional<WordPlace> mark = follower.Follow(word);
                const int page = pages.Holding(word.start);
                QVERIFY(page >= 0);
                QCOMPARE(follower.pageText(), pages.texts[page]);
                QCOMPARE(follower.pageStart(), pages.starts[page]);
                QVERIFY(mark);
                // The mark shows the word, or its part on the page when it runs past the end.
                const QString shown = follower.pageText().mid(mark->offset, mark->length);
                QVERIFY2(piece.mid(c, wordLength).startsWith(shown) && !shown.isEmpty(), qPrintable(shown));
                if (word.start + word.length > pages.ends[page])
                    QCOMPARE(mark->offset + mark->length, int(follower.pageText().size()));
                else
                    QCOMPARE(shown, piece.mid(c, wordLength));
            }
        }
        QVERIFY(piecesStraddling > 0);
        QCOMPARE(follower.cuts(), pages.texts.size());
    }

    void wordAcrossThePageEnd()
    {
        Book book(Story(20), 14, 3);
        const HandPages pages = book.TurnByHand();
        PageFollower follower = book.Follower();
        const BytePos end = pages.ends[0];
        // Two bytes before the end (one character) and two after: it stays on the first page,
        // marked to the end of it.
        const HeardWord across{BytePos(1), end + 50, end - 2, 4};
        const std::optional<WordPlace> mark = follower.Follow(across);
        QVERIFY(mark);
        QCOMPARE(follower.pageStart(), pages.starts[0]);
        QCOMPARE(*mark, (WordPlace{int(pages.texts[0].size()) - 1, 1}));
        // The next word starts at the page's end: the next page, marked from its start.
        const std::optional<WordPlace> next = follower.Follow(HeardWord{BytePos(1), end + 50, end, 2});
        QCOMPARE(follower.pageStart(), pages.starts[1]);
        QCOMPARE(follower.pageText(), pages.texts[1]);
        QVERIFY(next);
        QCOMPARE(next->offset, 0);
    }

    // A find or a chapter chosen moves the voice to another piece: the page starts at that
    // piece, as a find shows it, and reading on turns from there.
    void jumpShowsThePageAtThePiece()
    {
        Book book(Story(40), 16, 4);
        const HandPages pages = book.TurnByHand();
        PageFollower follower = book.Follower();
        follower.Follow(HeardWord{BytePos(1), BytePos(41), BytePos(1), 2});
        const BytePos far = pages.starts[4] + 6; // not where a hand-turned page starts
        follower.Follow(HeardWord{far, far + 40, far + 4, 2});
        QCOMPARE(follower.pageStart(), far);
        BytePos after = far;
        const QString expected = PageEngine::NextPage(book.measure, book.novel, after, Book::ChunkSize);
        QCOMPARE(follower.pageText(), expected);
        // Back to the beginning: the first page again.
        const std::optional<WordPlace> back = follower.Follow(HeardWord{BytePos(1), BytePos(41), BytePos(3), 2});
        QCOMPARE(follower.pageText(), pages.texts[0]);
        QVERIFY(back);
        QCOMPARE(back->offset, 1); // byte 3 is the second character, "走"
        // A piece that follows no piece heard before, whose word lies pages on, turns from the
        // piece's page to the word's.
        const BytePos word = pages.starts[3] + 2;
        follower.Follow(HeardWord{pages.starts[1], pages.ends[3], word, 2});
        QCOMPARE(follower.pageText(), pages.texts[3]);
    }

    void pageShownByHand()
    {
        Book book(Story(40), 16, 4);
        const HandPages pages = book.TurnByHand();
        PageFollower follower = book.Follower();
        follower.setShownPage(pages.ends[2], pages.texts[2]);
        QCOMPARE(follower.pageStart(), pages.starts[2]);
        // A word on it keeps it, cutting nothing.
        QVERIFY(follower.Follow(HeardWord{pages.starts[1], pages.ends[2], pages.starts[2] + 2, 2}));
        QCOMPARE(follower.cuts(), 0);
        // Shown by hand elsewhere: following again brings the page of the piece back.
        follower.setShownPage(pages.ends[5], pages.texts[5]);
        follower.Follow(HeardWord{pages.starts[2], pages.ends[2], pages.starts[2] + 4, 2});
        QCOMPARE(follower.pageText(), pages.texts[2]);
        QCOMPARE(follower.cuts(), 1);
    }

    void pastTheEndTheLastPageStays()
    {
        Book book(Story(6), 16, 4);
        const HandPages pages = book.TurnByHand();
        PageFollower follower = book.Follower();
        const BytePos last = pages.starts.last();
        QVERIFY(follower.Follow(HeardWord{last, pages.ends.last(), last, 2}));
        const BytePos end = pages.ends.last();
        QVERIFY(!follower.Follow(HeardWord{last, end + 10, end + 2, 2}));
        QCOMPARE(follower.pageText(), pages.texts.last());
    }

    void markOfASurrogatePair()
    {
        const QString text = QStringLiteral("a") + QString::fromUcs4(U"\U00020000") + QStringLiteral("b");
        PageFollower follower(Novel{QString(), TextEncoding::Utf8}, [](BytePos &) { return QString(); });
        follower.setShownPage(BytePos(7), text); // 1 + 4 + 1 bytes from byte 1
        QCOMPARE(follower.MarkOf(BytePos(2), 4), (WordPlace{1, 2}));
        QCOMPARE(follower.MarkOf(BytePos(3), 1), (WordPlace{1, 2}));
        QCOMPARE(follower.MarkOf(BytePos(6), 9), (WordPlace{3, 1}));
        QVERIFY(!follower.MarkOf(BytePos(7), 1));
    }

    // A U+FFFD of the file counts all its bytes and one that stands for a byte that does not
    // convert counts one: every character heard is placed on its own bytes and marked on the page.
    void wordsBesideReplacementCharacters_data() { ReplacementNovelRows(); }

    void wordsBesideReplacementCharacters()
    {
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, mark);
        QTemporaryDir dir;
        const Novel novel{dir.filePath(QStringLiteral("novel.txt")), encoding};
        const QByteArray bytes = mark + ReplacementNovel(encoding, 3000, 5, false);
        QFile file(novel.path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        GridMeasure measure(12, 3);
        PageFollower follower(novel, [&](BytePos &at) { return PageEngine::NextPage(measure, novel, at, Book::ChunkSize); });
        BytePos at(1);
        for (QString piece; at.value() <= bytes.size();) {
            // The first piece begins after the byte-order mark.
            const BytePos pieceStart = std::max(at, BytePos(mark.size() + 1));
            piece = TextBeforeNul(NextPiece(novel, at, 100));
            for (int c = 0; c < piece.size(); ++c) {
                const int units = piece.at(c).isHighSurrogate() ? 2 : 1;
                const HeardWord word = HeardWordIn(novel, pieceStart, piece, c, units);
                const QString heard = piece.mid(c, units);
                QCOMPARE(TextCodec::Decode(encoding, bytes.mid(word.start.value() - 1, word.length)), heard);
                const std::optional<WordPlace> place = follower.Follow(word);
                QVERIFY(place);
                QCOMPARE(follower.pageText().mid(place->offset, place->length), heard);
                c += units - 1;
            }
        }
    }
};

TARROWIN_GUILESS_TEST_MAIN(TestPageFollow)
#include "tst_PageFollow.moc"
