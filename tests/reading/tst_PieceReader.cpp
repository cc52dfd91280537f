#include "TestRegistry.h"
#include "Gbk.h"
#include "PercentageRead.h"
#include "PieceBreaks.h"
#include "PieceReader.h"
#include "ShownText.h"
#include <QTemporaryDir>
#include <QTest>

class TestPieceReader : public QObject
{
    Q_OBJECT
private slots:
    void breaks_data();
    void breaks();
    void piecesOfANovelEndAtTheLastBreak();
    void runWithoutBreak_data();
    void runWithoutBreak();
    void englishIsCutOnlyAtSpacesAndLineEnds();
    void unreadablePieces_data();
    void unreadablePieces();
    void pastTheEndGivesNothingButNuls();
    void shownPieces_data();
    void shownPieces();
    void shownPiecesInTheNovelsEncoding();
    void percentage();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

QString TestPieceReader::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestPieceReader::breaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lastBreak");
    QTest::newRow("space") << "ab cd" << 3;
    QTest::newRow("full-width comma") << "甲，乙" << 2;
    QTest::newRow("ideographic full stop") << "甲。乙" << 2;
    QTest::newRow("full-width question mark") << "甲？乙" << 2;
    QTest::newRow("full-width exclamation mark") << "甲！乙" << 2;
    QTest::newRow("full-width colon") << "甲：乙" << 2;
    QTest::newRow("line feed") << "甲\n乙" << 2;
    QTest::newRow("carriage return") << "甲\r乙" << 2;
    QTest::newRow("last of several wins") << "甲。乙，丙！丁" << 6;
    QTest::newRow("crlf ends after lf") << "甲\r\n乙" << 3;
    QTest::newRow("ascii punctuation is no break") << "a.b,c?d!e;f:g" << 0;
    QTest::newRow("semicolon, enumeration comma, quotes") << "甲；乙、丙“丁”" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestPieceReader::breaks()
{
    QFETCH(QString, text);
    QFETCH(int, lastBreak);
    QCOMPARE(LastPieceBreak(text), qsizetype(lastBreak));
}

// Checks against the file's own bytes: a piece is the bytes from its start to the byte before the
// next position, it ends with a break character, and what was read after the cut holds none.
void TestPieceReader::piecesOfANovelEndAtTheLastBreak()
{
    const QString path = QStringLiteral(TARROWIN_CORPUS_DIR "/xiyouji.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("the corpus folder with xiyouji.txt is not there");
    const QByteArray bytes = file.readAll();
    BytePos position(1);
    for (int i = 0; i < 2000; ++i) {
        const BytePos start = position;
        const QString piece = NextPiece(path, position, 100);
        QVERIFY(position > start);
        QVERIFY(position - start <= 100);
        QCOMPARE(Gbk::fromUnicode(piece), bytes.mid(start.value() - 1, position - start));
        const QString rest = Gbk::toUnicode(bytes.mid(position.value() - 1, start.value() + 100 - position.value()));
        if (IsPieceBreak(piece.back())) {
            QCOMPARE(LastPieceBreak(rest), 0);
        } else {
            QCOMPARE(LastPieceBreak(piece), 0); // a run without a break, returned whole
            QVERIFY(position - start >= 99);
        }
    }
}

void TestPieceReader::runWithoutBreak_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pieceChars");
    QTest::addColumn<qint64>("next");
    QTest::newRow("ends on a character boundary") << QString(80, QChar(u'好')) << 50 << qint64(101);
    QTest::newRow("ends on a lead byte") << QStringLiteral("a") + QString(80, QChar(u'好')) << 50 << qint64(100);
}

void TestPieceReader::runWithoutBreak()
{
    QFETCH(QString, text);
    QFETCH(int, pieceChars);
    QFETCH(qint64, next);
    const QString path = write(QStringLiteral("run.txt"), Gbk::fromUnicode(text));
    BytePos position(1);
    const QString piece = NextPiece(path, position, 100);
    QCOMPARE(piece, text.left(pieceChars));
    QCOMPARE(position.value(), next);
    const QString following = NextPiece(path, position, 100);
    QCOMPARE(following.left(text.size() - pieceChars), text.mid(pieceChars));
}

void TestPieceReader::englishIsCutOnlyAtSpacesAndLineEnds()
{
    const QString text = QStringLiteral("Hello, world. Is it fine? Yes! It is; quite:fine.\nNext line, then more words here.\n");
    const QString path = write(QStringLiteral("english.txt"), text.toLatin1());
    BytePos position(1);
    QString joined;
    while (position.value() <= text.size()) {
        const QString piece = NextPiece(path, position, 17);
        const QChar last = piece.back();
        QVERIFY2(last == u' ' || last == u'\n', qPrintable(piece));
        joined += piece;
    }
    QCOMPARE(joined, text);
}

void TestPieceReader::unreadablePieces_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("positionAfter");
    QTest::newRow("missing file moves by the length") << false << qint64(100) << qint64(105);
    QTest::newRow("length 0 stays") << true << qint64(0) << qint64(5);
    QTest::newRow("negative length moves back") << true << qint64(-3) << qint64(2);
    QTest::newRow("huge length is not read") << true << kMaxPieceLength + 1 << qint64(5);
}

void TestPieceReader::unreadablePieces()
{
    QFETCH(bool, fileThere);
    QFETCH(qint64, length);
    QFETCH(qint64, positionAfter);
    const QString path = fileThere ? write(QStringLiteral("some.txt"), "some text, some more.")
                                   : m_dir.filePath(QStringLiteral("missing.txt"));
    BytePos position(5);
    QCOMPARE(NextPiece(path, position, length), QString());
    QCOMPARE(position.value(), positionAfter);
}

void TestPieceReader::pastTheEndGivesNothingButNuls()
{
    const QString path = write(QStringLiteral("short.txt"), Gbk::fromUnicode(QStringLiteral("第一句。第二句")));
    BytePos position(1);
    QCOMPARE(NextPiece(path, position, 100), QStringLiteral("第一句。"));
    QCOMPARE(position.value(), qint64(9));
    QCOMPARE(CutAtNul(NextPiece(path, position, 100)), QStringLiteral("第二句"));
    QVERIFY(position.value() > 15);
    const QString beyond = NextPiece(path, position, 100);
    QVERIFY(!beyond.isEmpty());
    QCOMPARE(beyond.count(QChar(u'\0')), beyond.size());
}

// The pieces a text box shows, one after another up to the end: zero bytes never give a piece of
// their own, and the position stops at the byte after the file's last byte, whatever the length.
void TestPieceReader::shownPieces_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QStringList>("pieces");
    const QByteArray first = Gbk::fromUnicode(QStringLiteral("第一句。"));
    const QByteArray second = Gbk::fromUnicode(QStringLiteral("第二句"));
    const QStringList both{QStringLiteral("第一句。"), QStringLiteral("第二句")};
    QTest::newRow("zero bytes between pieces") << first + QByteArray(30, '\0') + second << qint64(10) << both;
    QTest::newRow("a zero byte ends a piece") << first + second + QByteArray(1, '\0') + first << qint64(100)
                                              << QStringList{QStringLiteral("第一句。第二句"), QStringLiteral("第一句。")};
    QTest::newRow("zero bytes at the start") << QByteArray(15, '\0') + first << qint64(10)
                                             << QStringList{QStringLiteral("第一句。")};
    QTest::newRow("end without a break") << first + second << qint64(100) << both;
    QTest::newRow("end with zero bytes") << first + QByteArray(40, '\0') << qint64(7)
                                         << QStringList{QStringLiteral("第一句"), QStringLiteral("。")};
    QTest::newRow("the longest length") << first + second << kMaxPieceLength << both;
}

void TestPieceReader::shownPieces()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, length);
    QFETCH(QStringList, pieces);
    const Novel novel{write(QStringLiteral("shown.txt"), bytes)};
    BytePos position(1);
    QStringList read;
    for (QString piece = NextShownPiece(novel, position, length).text; !piece.isEmpty() && read.size() < 10;
         piece = NextShownPiece(novel, position, length).text)
        read << piece;
    QCOMPARE(read, pieces);
    QCOMPARE(position.value(), bytes.size() + 1);
    QCOMPARE(NextShownPiece(novel, position, length).text, QString());
    QCOMPARE(position.value(), bytes.size() + 1);
}

// The bytes after a zero byte are counted in the novel's encoding: in UTF-8 the piece after
// zero bytes starts on its first character.
void TestPieceReader::shownPiecesInTheNovelsEncoding()
{
    const QByteArray bytes = QStringLiteral("第一句。").toUtf8() + QByteArray(5, '\0') + QStringLiteral("第二句").toUtf8();
    const Novel novel{write(QStringLiteral("shown-utf8.txt"), bytes), TextEncoding::Utf8};
    BytePos position(1);
    QCOMPARE(NextShownPiece(novel, position, 14).text, QStringLiteral("第一句。"));
    QCOMPARE(NextShownPiece(novel, position, 14).text, QStringLiteral("第二句"));
    QCOMPARE(position.value(), bytes.size() + 1);
}

void TestPieceReader::percentage()
{
    const QString path = write(QStringLiteral("large.txt"), QByteArray(2000000, 'a'));
    QCOMPARE(PercentageRead(path, BytePos(1)), std::optional<QString>(QStringLiteral("0.00%")));
    QCOMPARE(PercentageRead(path, BytePos(500000)), std::optional<QString>(QStringLiteral("25.00%")));
    QCOMPARE(PercentageRead(path, BytePos(2000101)), std::optional<QString>(QStringLiteral("100.00%")));
    QCOMPARE(PercentageRead(m_dir.filePath(QStringLiteral("none.txt")), BytePos(1)), std::nullopt);
    QCOMPARE(PercentageRead(write(QStringLiteral("empty.txt"), QByteArray()), BytePos(1)), std::nullopt);
}

TARROWIN_APPLESS_TEST_MAIN(TestPieceReader)
#include "tst_PieceReader.moc"
